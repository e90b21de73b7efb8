#include "media/Id3Tag.h"

#include <cstring>
#include <exception>
#include <limits>
#include <new>

#include "archive/MemorySource.h"
#include "media/Id3FrameHeader.h"
#include "media/Id3Text.h"
#include "media/Id3v24Frame.h"

namespace media {

namespace {

// Header byte offsets.
constexpr size_t kMajor = 3;
constexpr size_t kRevision = 4;
constexpr size_t kFlags = 5;

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// Where the frames start in a body of `bodySize` bytes that opens with an extended header whose
// size field is at `sizeField` (null when the body is shorter than the field). The 2.3 size leaves
// out its own four bytes; the 2.4 size counts them.
uint64_t ExtendedHeaderEnd(const uint8_t* sizeField, uint64_t bodySize, bool version24) {
  if (sizeField == nullptr) return bodySize;
  uint64_t skip = 4 + uint64_t{DecodeSyncsafe(sizeField)};
  if (version24) {
    skip = DecodeSyncsafe28(sizeField);
    if (skip < 4) skip = 4;  // damaged: at least the size field itself is no frame
  }
  return skip > bodySize ? bodySize : skip;
}

FrameLayout LayoutOf(const Id3TagHeader& head) {
  if (head.IsVersion24()) return FrameLayout::V24;
  return head.version >= 0x0300 ? FrameLayout::V23 : FrameLayout::V22;
}

}  // namespace

void Deunsynchronise(std::vector<uint8_t>& body) {
  size_t out = 0;
  uint8_t previous = 0;
  for (size_t in = 0; in < body.size(); ++in) {
    const uint8_t byte = body[in];
    if (!(byte == 0x00 && previous == 0xFF)) body[out++] = byte;
    previous = byte;
  }
  body.resize(out);
}

CId3Frame::CId3Frame(const uint8_t frameId[4], const uint8_t* body, uint32_t bodySize, uint16_t flagsValue)
    : data(body, body + bodySize), size(bodySize), frameFlags(flagsValue) {
  std::memcpy(id, frameId, 4);
}

void CId3tagv2::Reset() {
  loaded = false;
  frames.clear();
  static const uint8_t kEmpty[kId3v2HeaderSize] = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
  std::memcpy(header, kEmpty, sizeof(header));
  version = 0x0300;
}

uint32_t CId3tagv2::FrameKey(const uint8_t id[4]) { return BigEndian32(id); }

const CId3Frame* CId3tagv2::FindFrame(const char id[4]) const {
  const auto it = frames.find(FrameKey(reinterpret_cast<const uint8_t*>(id)));
  return it == frames.end() ? nullptr : &it->second;
}

Id3Result CId3tagv2::Load(ByteSource& in, uint64_t offset, uint64_t available, uint64_t walkAbove) {
  Reset();
  uint8_t bytes[kId3v2HeaderSize];
  Id3TagHeader head;
  if (available < kId3v2HeaderSize || in.ReadAt(offset, bytes, sizeof bytes) != sizeof bytes ||
      !head.Parse(bytes, sizeof bytes))
    return Id3Result::NoTag;
  if (!head.IsSupported()) return Id3Result::Unsupported;
  const uint64_t bodySize = head.bodySize;
  if (bodySize > available - kId3v2HeaderSize) return Id3Result::Truncated;  // never allocate that
  const uint64_t bodyStart = offset + kId3v2HeaderSize;
  // Before 2.4 an unsynchronised tag shows its frame headers only once the whole body is restored;
  // a 2.4 tag restores each frame on its own.
  const bool restoreWhole = (head.flags & kId3Unsynchronised) != 0 && !head.IsVersion24();
  if (bodySize > walkAbove && !restoreWhole) {
    // Read whole, a body the archive does not hold would fail; so it does here.
    if (bodyStart > in.Size() || bodySize > in.Size() - bodyStart) return Id3Result::Truncated;
    return LoadBody(head, in, bodyStart, bodySize, false);
  }
  if (bodySize > std::numeric_limits<size_t>::max() / 2) return Id3Result::OutOfMemory;  // 32-bit address space
  // The whole body in one read into one block, walked in place.
  std::vector<uint8_t> body;
  try {
    body.resize(static_cast<size_t>(bodySize));
  } catch (const std::exception&) {
    return Id3Result::OutOfMemory;
  }
  if (in.ReadAt(bodyStart, body.data(), body.size()) != body.size()) return Id3Result::Truncated;
  if (restoreWhole) Deunsynchronise(body);
  MemorySource restored(body.data(), body.size());
  return LoadBody(head, restored, 0, body.size(), true);
}

Id3Result CId3tagv2::LoadBody(const Id3TagHeader& head, ByteSource& in, uint64_t at, uint64_t size, bool keepAll) {
  try {
    uint8_t stored[kId3v2HeaderSize];
    std::memcpy(stored, head.bytes, kId3v2HeaderSize);
    uint64_t start = 0;
    if (stored[kFlags] & kId3ExtendedHeader) {
      stored[kFlags] &= static_cast<uint8_t>(~kId3ExtendedHeader);
      uint8_t sizeField[4];
      const bool sized = size >= 4 && in.ReadAt(at, sizeField, sizeof sizeField) == sizeof sizeField;
      if (size >= 4 && !sized) return Id3Result::Truncated;
      start = ExtendedHeaderEnd(sized ? sizeField : nullptr, size, head.IsVersion24());
    }
    const bool frameUnsync = head.IsVersion24() && (head.flags & kId3Unsynchronised) != 0;
    if (!WalkFrames(in, at + start, size - start, LayoutOf(head), keepAll, frameUnsync)) {
      Reset();
      return Id3Result::Truncated;
    }
    // A 2.2 tag is kept in 2.3 form.
    if (head.version < 0x0300) {
      stored[kMajor] = 3;
      stored[kRevision] = 0;
    }
    std::memcpy(header, stored, sizeof(header));
    version = head.IsVersion24() ? static_cast<uint16_t>(0x0400 + stored[kRevision]) : 0x0300;
    loaded = true;
    return Id3Result::Loaded;
  } catch (const std::exception&) {
    Reset();
    return Id3Result::OutOfMemory;
  }
}

bool CId3tagv2::ParseFrameHeader(ByteSource& in, uint64_t at, uint64_t remaining, const uint8_t* bytes,
                                 FrameLayout layout, Id3FrameHeader& frame) {
  const bool parsed = frame.Parse(bytes, remaining, layout);
  if (layout != FrameLayout::V24) return parsed;
  if (parsed && EndsOnFrameBoundary(in, at, remaining, frame.headerSize + frame.bodySize)) return true;
  Id3FrameHeader plain;
  if (plain.Parse(bytes, remaining, FrameLayout::V24Plain) &&
      EndsOnFrameBoundary(in, at, remaining, plain.headerSize + plain.bodySize)) {
    frame = plain;
    return true;
  }
  return parsed;
}

bool CId3tagv2::WalkFrames(ByteSource& in, uint64_t at, uint64_t remaining, FrameLayout layout, bool keepAll,
                           bool tagUnsynchronised) {
  uint8_t bytes[kFrameHeader23] = {};
  Id3FrameHeader frame;
  const bool version24 = layout == FrameLayout::V24;
  while (remaining > 0) {
    const size_t headerSize = FrameHeaderSize(layout);
    if (remaining >= headerSize && in.ReadAt(at, bytes, headerSize) != headerSize) return false;
    if (!ParseFrameHeader(in, at, remaining, bytes, layout, frame)) return true;
    const uint32_t key = FrameKey(frame.id);
    // Only the first frame of each ID counts, so a later one of a shown ID is passed over too. A
    // compressed or encrypted frame is passed over without taking its ID.
    if ((keepAll || IsShownFrame(frame.id)) && frames.find(key) == frames.end() &&
        (!version24 || IsReadableBody(frame.flags))) {
      try {
        CId3Frame kept(frame.id, nullptr, 0, frame.flags);
        kept.data.resize(frame.bodySize);
        if (frame.bodySize != 0 && in.ReadAt(at + headerSize, kept.data.data(), frame.bodySize) != frame.bodySize)
          return false;
        if (!version24 || UnwrapFrameBody(kept.data, frame.flags, tagUnsynchronised)) {
          kept.size = static_cast<uint32_t>(kept.data.size());
          frames.emplace(key, std::move(kept));
        }
      } catch (const std::bad_alloc&) {
        return true;  // no memory for this frame: keep the frames read so far
      }
    }
    at += frame.headerSize + frame.bodySize;
    remaining -= frame.headerSize + frame.bodySize;
  }
  return true;
}

std::string CId3tagv2::GetFrameText(const char id[4]) const {
  const CId3Frame* frame = FindFrame(id);
  if (frame == nullptr || frame->size == 0) return std::string();
  const size_t size = frame->data.size() < frame->size ? frame->data.size() : frame->size;
  const TextRules rules = IsVersion24() ? TextRules::Version24 : TextRules::Version23;
  if (std::memcmp(id, "COMM", 4) == 0) return DecodeCommentFrame(frame->data.data(), size, rules);
  if (id[0] == 'T') return DecodeTextFrame(frame->data.data(), size, rules);
  return std::string();
}

std::string CId3tagv2::GetYear() const {
  if (!IsVersion24() || FindFrame("TYER") != nullptr) return GetFrameText("TYER");
  // A timestamp "yyyy", "yyyy-MM-dd", ...: its year is its first four characters.
  return GetFrameText("TDRC").substr(0, 4);
}

}  // namespace media
