// Shared helpers of the skin tests: scratch folders, tiny bitmap and text files, a stand-in host
// window that answers the skin query, and pixel access to bitmaps.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skintest {

// A fresh folder under the temporary folder, removed with everything in it at destruction.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }  // no trailing backslash
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
// A 24-bit bitmap file of one colour.
void WriteSolidBitmap(const std::string& path, int width, int height, COLORREF color);

// A top-level window that answers the host's skin query (user message 201) from its fields.
class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  HWND hwnd() const { return hwnd_; }
  std::string folder;             // written into the caller's buffer
  std::string identity;           // returned
  bool returnNull = false;        // answer 0 instead of the identity
  bool fillWholeBuffer = false;   // write 261 bytes and no terminator
  int queries = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

SIZE BitmapSize(HBITMAP bitmap);
// Every pixel as 0x00RRGGBB, rows top-down.
std::vector<uint32_t> Pixels(HBITMAP bitmap, int* width = nullptr, int* height = nullptr);
HBITMAP LoadResourceBitmap(int id);
std::string SourcePath(const std::string& relative);  // inside the repository

}  // namespace skintest
