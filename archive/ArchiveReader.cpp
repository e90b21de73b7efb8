#include "archive/ArchiveReader.h"

#include <sys/stat.h>

namespace {

bool IsDirectory(const std::string& path) {
  // The narrow stat takes the path as ANSI code page bytes on Windows, as the stream does.
  struct stat info;
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

}  // namespace

ArchiveReader::ArchiveReader(const std::string& path) {
  if (path.empty() || IsDirectory(path)) return;
  stream_.open(path, std::ios::in | std::ios::binary);
  open_ = stream_.is_open();
}

uint64_t ArchiveReader::Size() {
  if (!open_) return 0;
  stream_.clear();
  stream_.seekg(0, std::ios::end);
  const std::streamoff end = static_cast<std::streamoff>(stream_.tellg());
  if (!stream_ || end < 0) {
    stream_.clear();
    return 0;
  }
  return static_cast<uint64_t>(end);
}

bool ArchiveReader::Seek(uint64_t offset) {
  if (!open_) return false;
  stream_.clear();
  stream_.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
  if (!stream_) {
    stream_.clear();
    return false;
  }
  return true;
}

size_t ArchiveReader::Read(uint8_t* destination, size_t count) {
  if (!open_ || count == 0) return 0;
  stream_.read(reinterpret_cast<char*>(destination), static_cast<std::streamsize>(count));
  const std::streamsize got = stream_.gcount();
  stream_.clear();
  return got > 0 ? static_cast<size_t>(got) : 0;
}
