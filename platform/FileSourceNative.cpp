#include <sys/stat.h>

#include <cstdio>

#include "platform/FileReadTotals.h"
#include "platform/FileSource.h"

namespace {

class StdioFileSource : public ByteSource {
 public:
  StdioFileSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  ~StdioFileSource() override { std::fclose(file_); }
  StdioFileSource(const StdioFileSource&) = delete;
  StdioFileSource& operator=(const StdioFileSource&) = delete;

  uint64_t Size() const override { return size_; }

  size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) override {
    if (count == 0 || offset >= size_) return 0;
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
    const size_t got = std::fread(out, 1, count, file_);
    std::clearerr(file_);
    CountFileRead(got);
    return got;
  }

 private:
  std::FILE* file_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
  if (path.empty()) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  struct stat info;
  if (fstat(fileno(file), &info) != 0 || (info.st_mode & S_IFMT) == S_IFDIR) {
    std::fclose(file);
    return nullptr;
  }
  // The reader above buffers; stdio's own buffer would only copy every byte twice.
  std::setvbuf(file, nullptr, _IONBF, 0);
  CountFileOpen();
  return std::make_unique<StdioFileSource>(file, info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0);
}
