#include "host/PlayClock.h"

#include <utility>

namespace host {

void PlayClock::Clear() {
  entries_.clear();
  current_ = 0;
  state_ = PlayState::Stopped;
  position_ = 0;
}

void PlayClock::Add(PlaylistEntry entry) { entries_.push_back(std::move(entry)); }

const PlaylistEntry* PlayClock::Entry(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &entries_[static_cast<size_t>(index)];
}

uint32_t PlayClock::CurrentLength() const {
  const PlaylistEntry* e = Entry(current_);
  return e ? e->lengthMs : 0;
}

bool PlayClock::Select(int index) {
  if (!Entry(index)) return false;
  current_ = index;
  position_ = 0;
  if (state_ == PlayState::Paused) state_ = PlayState::Playing;
  return true;
}

void PlayClock::Play() {
  if (!Entry(current_)) return;
  state_ = PlayState::Playing;
  position_ = 0;
}

void PlayClock::TogglePause() {
  if (state_ == PlayState::Playing)
    state_ = PlayState::Paused;
  else if (state_ == PlayState::Paused)
    state_ = PlayState::Playing;
}

void PlayClock::Stop() {
  state_ = PlayState::Stopped;
  position_ = 0;
}

int PlayClock::Seek(uint32_t ms) {
  if (state_ == PlayState::Stopped) return -1;
  const uint32_t length = CurrentLength();
  if (ms < length) {
    position_ = ms;
    return 0;
  }
  position_ = length;
  if (state_ == PlayState::Playing) EndOfEntry();
  return 1;
}

void PlayClock::Advance(uint32_t ms) {
  // Each pass either finishes or leaves the current entry, so the loop ends after at most one
  // pass per entry.
  while (state_ == PlayState::Playing) {
    const uint32_t room = CurrentLength() - position_;
    if (ms < room) {
      position_ += ms;
      return;
    }
    ms -= room;
    position_ = CurrentLength();
    EndOfEntry();
    if (ms == 0) return;
  }
}

void PlayClock::EndOfEntry() {
  if (current_ + 1 < Count()) {
    ++current_;
    position_ = 0;
  } else {
    Stop();
  }
}

bool PlayClock::Next() { return Select(current_ + 1); }

bool PlayClock::Previous() { return Select(current_ - 1); }

}  // namespace host
