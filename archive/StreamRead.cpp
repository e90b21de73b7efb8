#include "archive/StreamRead.h"

#include <istream>
#include <limits>

namespace io {

bool SeekTo(std::istream& in, uint64_t offset) {
  in.clear();
  if (offset > static_cast<uint64_t>(std::numeric_limits<std::streamoff>::max())) return false;
  in.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
  const bool moved = static_cast<bool>(in);
  in.clear();
  return moved;
}

size_t ReadHere(std::istream& in, uint8_t* out, size_t count) {
  if (count == 0) return 0;
  in.clear();
  in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
  const std::streamsize got = in.gcount();
  in.clear();
  return got > 0 ? static_cast<size_t>(got) : 0;
}

size_t ReadAt(std::istream& in, uint64_t offset, uint8_t* out, size_t count) {
  if (count == 0 || !SeekTo(in, offset)) return 0;
  return ReadHere(in, out, count);
}

uint64_t StreamSize(std::istream& in) {
  in.clear();
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.clear();
  return size > 0 ? static_cast<uint64_t>(size) : 0;
}

}  // namespace io
