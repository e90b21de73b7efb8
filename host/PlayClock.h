// The host's playlist and playback clock. Time moves only when told (Advance), so scripted runs
// are exact; the demo drives it from the real clock.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

namespace host {

// Values of the host's play-state answer.
enum class PlayState { Stopped = 0, Playing = 1, Paused = 3 };

struct PlaylistEntry {
  PlaylistEntry() = default;
  PlaylistEntry(std::string path, uint32_t lengthMs, uint64_t frames)
      : path(std::move(path)), lengthMs(lengthMs), frames(frames) {}

  std::string path;      // as given, in the ANSI code page ('?' where it cannot spell the name)
  uint32_t lengthMs = 0;
  uint64_t frames = 0;
  std::wstring widePath;  // the name as UTF-16; empty unless the host plays the 5.x line
};

class PlayClock {
 public:
  void Clear();
  void Add(PlaylistEntry entry);
  int Count() const { return static_cast<int>(entries_.size()); }
  // Null for an index outside the list. An entry, and the text of its path, stay where they are
  // until the list is cleared: the host hands out pointers to the path.
  const PlaylistEntry* Entry(int index) const;
  int CurrentIndex() const { return current_; }
  PlayState State() const { return state_; }
  uint32_t Position() const { return position_; }
  uint32_t CurrentLength() const;

  // Makes index current at position 0; a playing clock goes on playing it. False for a bad index.
  bool Select(int index);
  // Starts the current entry from its beginning, also when paused or already playing.
  void Play();
  // Playing <-> paused; nothing when stopped.
  void TogglePause();
  void Stop();
  // -1 when stopped (nothing happens), 1 when the target reaches the entry's end, else 0.
  int Seek(uint32_t ms);
  // Moves the position by ms while playing. At an entry's end playback goes on with the next
  // entry (carrying the rest of ms) or, after the last, stops.
  void Advance(uint32_t ms);
  bool Next();
  bool Previous();

 private:
  void EndOfEntry();

  std::deque<PlaylistEntry> entries_;  // appending never moves the entries already there
  int current_ = 0;
  PlayState state_ = PlayState::Stopped;
  uint32_t position_ = 0;
};

}  // namespace host
