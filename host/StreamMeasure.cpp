#include "host/StreamMeasure.h"

#include <algorithm>
#include <cstdio>

namespace host {
namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr size_t kId3HeaderSize = 10;

// A sliding window over the source so a file of any size is walked in small reads.
class Window {
 public:
  explicit Window(ByteSource& src) : src_(src), size_(src.Size()) {}
  uint64_t Size() const { return size_; }
  // Pointer to n bytes at offset, or null when the source has fewer.
  const uint8_t* At(uint64_t offset, size_t n) {
    if (offset > size_ || size_ - offset < n) return nullptr;
    if (offset < start_ || offset - start_ + n > buf_.size()) {
      buf_.resize(std::max(kChunk, n));
      const size_t got = src_.ReadAt(offset, buf_.data(), buf_.size());
      buf_.resize(got);
      start_ = offset;
      if (got < n) return nullptr;
    }
    return buf_.data() + (offset - start_);
  }

 private:
  ByteSource& src_;
  uint64_t size_;
  uint64_t start_ = 0;
  std::vector<uint8_t> buf_;
};

// Size of an ID3v2 tag starting at p (10 bytes available), or 0 when p holds no tag header.
uint64_t Id3v2TagSize(const uint8_t* p) {
  if (p[0] != 'I' || p[1] != 'D' || p[2] != '3') return 0;
  // Major and revision bytes are never 0xFF; the four size bytes are 7-bit (synchsafe).
  if (p[3] == 0xFF || p[4] == 0xFF) return 0;
  for (int i = 6; i < 10; ++i)
    if (p[i] & 0x80) return 0;
  const uint64_t body = (uint64_t(p[6]) << 21) | (uint64_t(p[7]) << 14) | (uint64_t(p[8]) << 7) | p[9];
  const uint64_t footer = (p[5] & 0x10) ? kId3HeaderSize : 0;
  return kId3HeaderSize + body + footer;
}

}  // namespace

size_t MemorySource::ReadAt(uint64_t offset, uint8_t* dst, size_t n) {
  if (offset >= size_) return 0;
  const size_t count = static_cast<size_t>(std::min<uint64_t>(n, size_ - offset));
  std::copy(data_ + offset, data_ + offset + count, dst);
  return count;
}

uint32_t StreamMeasure::DurationMs() const {
  const uint64_t ms = ticks / (kTicksPerSecond / 1000u);
  return ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(ms);
}

StreamMeasure MeasureStream(ByteSource& source) {
  StreamMeasure m;
  Window w(source);
  const uint64_t size = w.Size();
  uint64_t pos = 0;
  bool locked = false;  // pos directly follows an accepted frame
  FrameHeader prev;
  while (pos < size) {
    if (const uint8_t* tag = w.At(pos, kId3HeaderSize)) {
      if (const uint64_t tagSize = Id3v2TagSize(tag)) {
        const uint64_t skip = std::min(tagSize, size - pos);
        m.skippedBytes += skip;
        pos += skip;
        locked = false;
        continue;
      }
    }
    const uint8_t* hb = w.At(pos, kFrameHeaderSize);
    if (!hb) {
      m.skippedBytes += size - pos;
      break;
    }
    FrameHeader h;
    bool accept = false;
    if (DecodeFrameHeader(hb, h) && h.length <= size - pos) {
      const uint64_t next = pos + h.length;
      if (locked && SameStream(prev, h)) {
        accept = true;
      } else if (next == size) {
        accept = true;  // the frame ends the file exactly
      } else if (const uint8_t* nb = w.At(next, kFrameHeaderSize)) {
        // A sync found by searching counts only when the next frame confirms it.
        FrameHeader n;
        accept = DecodeFrameHeader(nb, n) && SameStream(h, n);
      }
    }
    if (accept) {
      ++m.frames;
      m.frameBytes += h.length;
      m.ticks += uint64_t(h.samples) * (kTicksPerSecond / h.sampleRate);
      pos += h.length;
      prev = h;
      locked = true;
    } else {
      ++m.skippedBytes;
      ++pos;
      locked = false;
    }
  }
  return m;
}

namespace {

class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* f) : f_(f) {
    if (Seek(0, SEEK_END)) {
#ifdef _WIN32
      const long long end = _ftelli64(f_);
#else
      const long long end = ftello(f_);
#endif
      size_ = end > 0 ? static_cast<uint64_t>(end) : 0;
    }
  }
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, uint8_t* dst, size_t n) override {
    if (!Seek(static_cast<long long>(offset), SEEK_SET)) return 0;
    return std::fread(dst, 1, n, f_);
  }

 private:
  bool Seek(long long offset, int whence) {
#ifdef _WIN32
    return _fseeki64(f_, offset, whence) == 0;
#else
    return fseeko(f_, offset, whence) == 0;
#endif
  }
  std::FILE* f_;
  uint64_t size_ = 0;
};

}  // namespace

namespace {

bool MeasureOpenFile(std::FILE* f, StreamMeasure& m) {
  if (!f) return false;
  FileSource src(f);
  m = MeasureStream(src);
  std::fclose(f);
  return true;
}

}  // namespace

bool MeasureFile(const std::string& path, StreamMeasure& m) { return MeasureOpenFile(std::fopen(path.c_str(), "rb"), m); }

#ifdef _WIN32
bool MeasureFile(const std::wstring& path, StreamMeasure& m) { return MeasureOpenFile(_wfopen(path.c_str(), L"rb"), m); }
#endif

}  // namespace host
