// The least a reader of a zip.mp3 archive must do, the yardstick for the plug-in's own read: one
// open, the end record and the central directory in one read each, then for every stored ".mp3"
// member, forward only, one read of a kilobyte from its local header into its first audio bytes
// (together with the previous member's last 128 bytes when they lie just before it), the frame
// headers and shown texts of a tag too large for that read (a cover picture is passed over), the
// first audio bytes after such a tag, and, for a member whose first frame has no Xing/Info/VBRI
// count, one read on to the header of its 32nd frame (whose bitrates tell CBR from VBR). Reads through the same unbuffered file source as the plug-in; returns a sum
// of what it decoded, so that no read can be optimised away. Archives without an archive comment.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "archive/LittleEndian.h"
#include "media/MpegHeader.h"
#include "platform/FileSource.h"

inline uint64_t SinglePassRead(const std::string& path) {
  const auto file = OpenFileSource(path);
  if (!file) return 0;
  const uint64_t size = file->Size();
  uint8_t end[22];
  if (size < sizeof end || file->ReadAt(size - sizeof end, end, sizeof end) != sizeof end) return 0;
  const uint16_t count = le::Read16(end + 10);
  std::vector<uint8_t> directory(le::Read32(end + 12));
  if (file->ReadAt(le::Read32(end + 16), directory.data(), directory.size()) != directory.size()) return 0;

  const auto big32 = [](const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
  };
  uint64_t sum = 0;
  size_t at = 0;
  constexpr size_t kTail = 128;
  constexpr size_t kLead = 1024;  // the local header, a small tag and the first frame
  constexpr size_t kFrameHead = 64;
  constexpr uint64_t kSampleFrames = 32;
  std::vector<uint8_t> block(kTail + kLead);
  uint8_t buffer[kTail];
  uint64_t pendingTail = UINT64_MAX;  // where the last 128 bytes of the previous member start
  const auto tagged = [](const uint8_t* p) { return p[0] == 'T' && p[1] == 'A' && p[2] == 'G'; };
  for (uint16_t i = 0; i < count && at + 46 <= directory.size(); ++i) {
    const uint8_t* h = directory.data() + at;
    const uint16_t nameLength = le::Read16(h + 28);
    const uint32_t size32 = le::Read32(h + 20);
    const uint64_t local = le::Read32(h + 42);
    const std::string name(reinterpret_cast<const char*>(h + 46), nameLength);
    at += 46u + nameLength + le::Read16(h + 30) + le::Read16(h + 32);
    sum += name.size() + size32;
    if (le::Read16(h + 10) != 0 || name.size() < 4 || name.compare(name.size() - 4, 4, ".mp3") != 0) continue;

    // One read for the previous member's tail and this member's head when they touch.
    const bool joined = pendingTail != UINT64_MAX && pendingTail + kTail == local;
    if (pendingTail != UINT64_MAX && !joined && file->ReadAt(pendingTail, buffer, kTail) == kTail) sum += tagged(buffer);
    const uint64_t start = joined ? pendingTail : local;
    const size_t read = file->ReadAt(start, block.data(), (joined ? kTail : 0) + kLead);
    if (joined && read >= kTail) sum += tagged(block.data());
    pendingTail = UINT64_MAX;
    const uint8_t* lead = block.data() + (joined ? kTail : 0);
    const size_t got = read > static_cast<size_t>(local - start) ? read - static_cast<size_t>(local - start) : 0;
    if (got < 30) continue;
    const uint64_t data = local + 30 + le::Read16(lead + 26) + le::Read16(lead + 28);
    const auto inLead = [&](uint64_t offset, size_t n) { return offset >= local && offset + n <= local + got; };
    // From the lead when it holds the bytes, else one read of the file.
    const auto fetch = [&](uint64_t offset, uint8_t* to, size_t n) {
      if (!inLead(offset, n)) return file->ReadAt(offset, to, n) == n;
      std::memcpy(to, lead + (offset - local), n);
      return true;
    };
    uint64_t audio = data;
    if (inLead(data, 10) && std::memcmp(lead + (data - local), "ID3", 3) == 0) {
      const uint8_t* t = lead + (data - local);
      const uint64_t body = (uint32_t{t[6]} << 21) | (uint32_t{t[7]} << 14) | (uint32_t{t[8]} << 7) | t[9];
      audio = data + 10 + body;
      for (uint64_t frame = data + 10; frame + 10 <= audio;) {
        uint8_t header[10];
        if (!fetch(frame, header, 10)) break;
        if (header[0] == 0) break;  // padding
        const uint32_t frameSize = big32(header + 4);
        if (header[0] == 'T' || std::memcmp(header, "COMM", 4) == 0) {
          std::vector<uint8_t> text(frameSize);
          if (!fetch(frame + 10, text.data(), frameSize)) break;
          sum += text.empty() ? 0 : text.back();
        }
        frame += 10 + uint64_t{frameSize};
      }
    }
    // The first frame's header and enough of it for a Xing/Info/VBRI count.
    uint8_t frame[kFrameHead];
    const size_t end32 = static_cast<size_t>(size32 - (audio - data < size32 ? audio - data : size32));
    const size_t head = end32 < kFrameHead ? end32 : kFrameHead;
    if (!fetch(audio, frame, head) || head < 4) continue;
    sum += frame[2];
    // Without such a count, the headers of the first 32 frames tell CBR from VBR: one read from
    // where the lead ends to the 32nd header, at the first frame's length apart.
    const uint32_t length = mpeg::FrameLength(frame[0], frame[1], frame[2]);
    if (mpeg::VbrFrameCount(frame, head < length ? head : length) == 0 && length != 0) {
      const uint64_t sampleEnd = audio + uint64_t{length} * (kSampleFrames - 1) + 4;
      const uint64_t from = local + got > audio ? local + got : audio;
      if (sampleEnd <= data + size32 && sampleEnd > from) {
        std::vector<uint8_t> sample(static_cast<size_t>(sampleEnd - from));
        if (file->ReadAt(from, sample.data(), sample.size()) == sample.size()) sum += sample.back();
      }
    }
    if (size32 >= kTail) pendingTail = data + size32 - kTail;
  }
  if (pendingTail != UINT64_MAX && file->ReadAt(pendingTail, buffer, kTail) == kTail) sum += tagged(buffer);
  return sum;
}
