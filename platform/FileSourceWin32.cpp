#include <windows.h>

#include "platform/FileReadTotals.h"
#include "platform/FileSource.h"

namespace {

class HandleFileSource : public ByteSource {
 public:
  HandleFileSource(HANDLE file, uint64_t size) : file_(file), size_(size) {}
  ~HandleFileSource() override { CloseHandle(file_); }
  HandleFileSource(const HandleFileSource&) = delete;
  HandleFileSource& operator=(const HandleFileSource&) = delete;

  uint64_t Size() const override { return size_; }

  size_t ReadAt(uint64_t offset, uint8_t* out, size_t count) override {
    size_t done = 0;
    while (done < count && offset + done < size_) {
      // The offset travels with the read, so each piece is one system call.
      OVERLAPPED at = {};
      at.Offset = static_cast<DWORD>(offset + done);
      at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
      const size_t left = count - done;
      const DWORD want = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
      DWORD got = 0;
      if (!ReadFile(file_, out + done, want, &got, &at) || got == 0) break;
      CountFileRead(got);
      done += got;
    }
    return done;
  }

 private:
  HANDLE file_;
  uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
  if (path.empty()) return nullptr;
  // The sharing the C runtime's fopen grants, so the player and other readers are not locked out.
  // A folder cannot be opened this way (it would need backup semantics).
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    CloseHandle(file);
    return nullptr;
  }
  CountFileOpen();
  return std::make_unique<HandleFileSource>(file, static_cast<uint64_t>(size.QuadPart));
}
