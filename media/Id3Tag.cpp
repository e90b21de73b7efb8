#include "media/Id3Tag.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "archive/ArchiveReader.h"
#include "media/Id3FrameHeader.h"
#include "media/Id3Text.h"

namespace media {

namespace {

// Header byte offsets.
constexpr size_t kMajor = 3;
constexpr size_t kRevision = 4;
constexpr size_t kFlags = 5;
constexpr size_t kSize = 6;

constexpr uint8_t kFlagUnsynchronised = 0x80;
constexpr uint8_t kFlagExtendedHeader = 0x40;
constexpr uint8_t kFlagFooter = 0x10;

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// major x 256 + revision, the revision byte counting as signed.
int TagVersion(const uint8_t* header) {
  return header[kMajor] * 256 + static_cast<int8_t>(header[kRevision]);
}

// Where the frames start in a body of `bodySize` bytes that opens with an extended header whose
// size field is at `sizeField` (null when the body is shorter than the field).
uint64_t ExtendedHeaderEnd(const uint8_t* sizeField, uint64_t bodySize) {
  if (sizeField == nullptr) return bodySize;
  const uint64_t skip = 4 + uint64_t{DecodeSyncsafe(sizeField)};
  return skip > bodySize ? bodySize : skip;
}

bool IsId3Header(const uint8_t* bytes, size_t size) {
  return bytes != nullptr && size >= kId3v2HeaderSize && std::memcmp(bytes, "ID3", 3) == 0;
}

}  // namespace

uint32_t DecodeSyncsafe(const uint8_t* p) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 7) | p[i];
  return value;
}

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

uint64_t Id3v2TotalSize(const uint8_t* header, size_t size) {
  if (!IsId3Header(header, size)) return 0;
  uint64_t total = kId3v2HeaderSize + uint64_t{DecodeSyncsafe(header + kSize)};
  if (header[kFlags] & kFlagFooter) total += kId3v2HeaderSize;
  return total;
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

int CId3tagv2::Load(const uint8_t* bytes, size_t size) {
  Reset();
  if (!IsId3Header(bytes, size)) return -1;
  if (TagVersion(bytes) > 0x0300) return -1;  // 2.4 and later are not read
  const uint32_t bodySize = DecodeSyncsafe(bytes + kSize);
  if (bodySize > size - kId3v2HeaderSize) return -1;  // the bytes do not hold the claimed body
  std::vector<uint8_t> body;
  try {
    body.assign(bytes + kId3v2HeaderSize, bytes + kId3v2HeaderSize + bodySize);
  } catch (const std::exception&) {
    return kId3OutOfMemory;
  }
  return LoadBody(bytes, body);
}

int CId3tagv2::Load(ArchiveReader& in, uint64_t offset, uint64_t available, uint64_t walkAbove) {
  Reset();
  uint8_t head[kId3v2HeaderSize];
  if (available < kId3v2HeaderSize || in.ReadAt(offset, head, sizeof(head)) != sizeof(head)) return -1;
  if (!IsId3Header(head, sizeof(head)) || TagVersion(head) > 0x0300) return -1;
  const uint64_t bodySize = DecodeSyncsafe(head + kSize);
  if (bodySize > available - kId3v2HeaderSize) return -1;  // claims more than its owner holds: never allocate that
  const uint64_t bodyStart = offset + kId3v2HeaderSize;
  // An unsynchronised tag shows its frame headers only once the whole body is restored.
  if (bodySize > walkAbove && !(head[kFlags] & kFlagUnsynchronised)) return LoadWalked(in, bodyStart, head, bodySize);
  if (bodySize > std::numeric_limits<size_t>::max() / 2) return kId3OutOfMemory;  // 32-bit address space
  // The whole body in one read into one block, walked in place.
  std::vector<uint8_t> body;
  try {
    body.resize(static_cast<size_t>(bodySize));
  } catch (const std::exception&) {
    return kId3OutOfMemory;
  }
  if (in.ReadAt(bodyStart, body.data(), body.size()) != body.size()) return -1;
  return LoadBody(head, body);
}

int CId3tagv2::LoadWalked(ArchiveReader& in, uint64_t bodyStart, const uint8_t headerBytes[kId3v2HeaderSize],
                          uint64_t bodySize) {
  // Read whole, a body the archive does not hold would fail; so it does here.
  if (bodyStart > in.Size() || bodySize > in.Size() - bodyStart) return -1;
  const int tagVersion = TagVersion(headerBytes);
  uint8_t stored[kId3v2HeaderSize];
  std::memcpy(stored, headerBytes, kId3v2HeaderSize);
  uint64_t start = 0;
  if (stored[kFlags] & kFlagExtendedHeader) {
    stored[kFlags] &= static_cast<uint8_t>(~kFlagExtendedHeader);
    uint8_t sizeField[4];
    const bool sized = bodySize >= 4 && in.ReadExactAt(bodyStart, sizeField, sizeof sizeField);
    if (bodySize >= 4 && !sized) return -1;
    start = ExtendedHeaderEnd(sized ? sizeField : nullptr, bodySize);
  }
  if (!WalkFramesAt(in, bodyStart + start, bodySize - start, tagVersion >= 0x0300)) {
    Reset();
    return -1;
  }
  Finish(stored, tagVersion);
  return 0;
}

int CId3tagv2::LoadBody(const uint8_t headerBytes[kId3v2HeaderSize], std::vector<uint8_t>& body) {
  const int tagVersion = TagVersion(headerBytes);
  try {
    uint8_t stored[kId3v2HeaderSize];
    std::memcpy(stored, headerBytes, kId3v2HeaderSize);
    if (stored[kFlags] & kFlagUnsynchronised) Deunsynchronise(body);

    size_t start = 0;
    if (stored[kFlags] & kFlagExtendedHeader) {
      stored[kFlags] &= static_cast<uint8_t>(~kFlagExtendedHeader);
      start = static_cast<size_t>(ExtendedHeaderEnd(body.size() < 4 ? nullptr : body.data(), body.size()));
    }
    WalkFrames(body.data() + start, body.size() - start, tagVersion >= 0x0300);
    Finish(stored, tagVersion);
    return 0;
  } catch (const std::exception&) {
    Reset();
    return kId3OutOfMemory;
  }
}

void CId3tagv2::Finish(uint8_t stored[kId3v2HeaderSize], int tagVersion) {
  if (tagVersion < 0x0300) {
    stored[kMajor] = 3;
    stored[kRevision] = 0;
  }
  std::memcpy(header, stored, sizeof(header));
  version = 0x0300;  // 2.3 as read, or a 2.2 tag now held in 2.3 form
  loaded = true;
}

bool CId3tagv2::WalkFramesAt(ArchiveReader& in, uint64_t at, uint64_t remaining, bool tenByteHeaders) {
  uint8_t bytes[kFrameHeader23] = {};
  Id3FrameHeader frame;
  while (remaining > 0) {
    const size_t headerSize = FrameHeaderSize(tenByteHeaders);
    if (remaining >= headerSize && !in.ReadExactAt(at, bytes, headerSize)) return false;
    if (!DecodeFrameHeader(bytes, remaining, tenByteHeaders, frame)) return true;
    const uint32_t key = FrameKey(frame.id);
    // Only the first frame of each ID counts, so a later one of a shown ID is passed over too.
    if (IsShownFrame(frame.id) && frames.find(key) == frames.end()) {
      try {
        CId3Frame kept(frame.id, nullptr, 0, frame.flags);
        kept.data.resize(frame.bodySize);
        if (frame.bodySize != 0 && !in.ReadExactAt(at + headerSize, kept.data.data(), frame.bodySize)) return false;
        kept.size = frame.bodySize;
        frames.emplace(key, std::move(kept));
      } catch (const std::bad_alloc&) {
        return true;  // no memory for this frame: keep the frames read so far
      }
    }
    at += frame.headerSize + frame.bodySize;
    remaining -= frame.headerSize + frame.bodySize;
  }
  return true;
}

void CId3tagv2::WalkFrames(const uint8_t* p, size_t remaining, bool tenByteHeaders) {
  Id3FrameHeader frame;
  while (remaining > 0 && DecodeFrameHeader(p, remaining, tenByteHeaders, frame)) {
    const uint32_t key = FrameKey(frame.id);
    if (frames.find(key) == frames.end()) {
      try {
        frames.emplace(key, CId3Frame(frame.id, p + frame.headerSize, frame.bodySize, frame.flags));
      } catch (const std::bad_alloc&) {
        return;  // no memory for this frame: keep the frames read so far
      }
    }
    p += frame.headerSize + frame.bodySize;
    remaining -= frame.headerSize + frame.bodySize;
  }
}

std::string CId3tagv2::GetFrameText(const char id[4]) const {
  const CId3Frame* frame = FindFrame(id);
  if (frame == nullptr || frame->size == 0) return std::string();
  const size_t size = frame->data.size() < frame->size ? frame->data.size() : frame->size;
  if (std::memcmp(id, "COMM", 4) == 0) return DecodeCommentFrame(frame->data.data(), size);
  if (id[0] == 'T') return DecodeTextFrame(frame->data.data(), size);
  return std::string();
}

}  // namespace media
