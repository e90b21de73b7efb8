#include "media/Id3Tag.h"

#include <cstring>
#include <istream>
#include <limits>
#include <new>
#include <stdexcept>

#include "archive/StreamRead.h"
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

constexpr size_t kFrameHeader23 = 10;
constexpr size_t kFrameHeader22 = 6;

// Frame IDs of tags older than 2.3 and the IDs they are kept under.
struct IdMapping {
  char from[4];
  char to[5];
};
constexpr IdMapping kIds22[] = {
    {"TT2", "TIT2"}, {"TRK", "TRCK"}, {"TP1", "TPE1"}, {"TAL", "TALB"}, {"TYE", "TYER"},
    {"TCO", "TCON"}, {"COM", "COMM"}, {"TCM", "TCOM"}, {"TOA", "TOPE"}, {"TCR", "TCOP"},
    {"WXX", "WXXX"}, {"TSS", "TSSE"}, {"TEN", "TENC"},
};

const char* MapId22(const uint8_t* id) {
  for (const IdMapping& m : kIds22) {
    if (std::memcmp(id, m.from, 3) == 0) return m.to;
  }
  return nullptr;
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

uint32_t BigEndian24(const uint8_t* p) { return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | uint32_t{p[2]}; }

// major x 256 + revision, the revision byte counting as signed.
int TagVersion(const uint8_t* header) {
  return header[kMajor] * 256 + static_cast<int8_t>(header[kRevision]);
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

int CId3tagv2::Load(std::istream& in, uint64_t available) {
  Reset();
  uint8_t head[kId3v2HeaderSize];
  if (available < kId3v2HeaderSize || io::ReadHere(in, head, sizeof(head)) != sizeof(head)) return -1;
  if (!IsId3Header(head, sizeof(head)) || TagVersion(head) > 0x0300) return -1;
  const uint64_t bodySize = DecodeSyncsafe(head + kSize);
  if (bodySize > available - kId3v2HeaderSize) return -1;  // claims more than its owner holds: never allocate that
  if (bodySize > std::numeric_limits<size_t>::max() / 2) return kId3OutOfMemory;  // 32-bit address space
  // The whole body in one read into one block, walked in place.
  std::vector<uint8_t> body;
  try {
    body.resize(static_cast<size_t>(bodySize));
  } catch (const std::exception&) {
    return kId3OutOfMemory;
  }
  if (io::ReadHere(in, body.data(), body.size()) != body.size()) return -1;
  return LoadBody(head, body);
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
      if (body.size() < 4) {
        start = body.size();
      } else {
        const uint64_t skip = 4 + uint64_t{DecodeSyncsafe(body.data())};
        start = skip > body.size() ? body.size() : static_cast<size_t>(skip);
      }
    }
    WalkFrames(body.data() + start, body.size() - start, tagVersion >= 0x0300);

    if (tagVersion < 0x0300) {
      stored[kMajor] = 3;
      stored[kRevision] = 0;
    }
    std::memcpy(header, stored, sizeof(header));
    version = 0x0300;  // 2.3 as read, or a 2.2 tag now held in 2.3 form
    loaded = true;
    return 0;
  } catch (const std::exception&) {
    Reset();
    return kId3OutOfMemory;
  }
}

void CId3tagv2::WalkFrames(const uint8_t* p, size_t remaining, bool tenByteHeaders) {
  while (remaining > 0) {
    uint8_t id[4];
    uint32_t bodySize;
    uint16_t flagsValue = 0;
    size_t headerSize;
    if (tenByteHeaders) {
      headerSize = kFrameHeader23;
      if (remaining < headerSize) return;
      bodySize = BigEndian32(p + 4);
      if (uint64_t{bodySize} + headerSize > remaining) return;
      if (p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0) return;  // padding
      std::memcpy(id, p, 4);
      flagsValue = static_cast<uint16_t>((p[8] << 8) | p[9]);
    } else {
      headerSize = kFrameHeader22;
      if (remaining < headerSize) return;
      bodySize = BigEndian24(p + 3);
      if (uint64_t{bodySize} + headerSize > remaining) return;
      const char* mapped = MapId22(p);
      if (mapped == nullptr) return;  // a frame this reader does not know ends the walk
      std::memcpy(id, mapped, 4);
    }
    const uint32_t key = FrameKey(id);
    if (frames.find(key) == frames.end()) {
      try {
        frames.emplace(key, CId3Frame(id, p + headerSize, bodySize, flagsValue));
      } catch (const std::bad_alloc&) {
        return;  // no memory for this frame: keep the frames read so far
      }
    }
    p += headerSize + bodySize;
    remaining -= headerSize + bodySize;
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
