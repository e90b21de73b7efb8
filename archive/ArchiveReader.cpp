#include "archive/ArchiveReader.h"

#include <sys/stat.h>

#include "archive/StreamRead.h"

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

uint64_t ArchiveReader::Size() { return open_ ? io::StreamSize(stream_) : 0; }

bool ArchiveReader::Seek(uint64_t offset) { return open_ && io::SeekTo(stream_, offset); }

size_t ArchiveReader::Read(uint8_t* destination, size_t count) {
  return open_ ? io::ReadHere(stream_, destination, count) : 0;
}
