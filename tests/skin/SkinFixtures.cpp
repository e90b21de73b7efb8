#include "SkinFixtures.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "plugin/HostInterface.h"

namespace skintest {

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

void PutLittleEndian(std::string* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

const char kHostClass[] = "SkinTestHost";

}  // namespace

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "skintest_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void WriteSolidBitmap(const std::string& path, int width, int height, COLORREF color) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * static_cast<uint32_t>(height);
  std::string file = "BM";
  PutLittleEndian(&file, 54 + imageSize, 4);
  PutLittleEndian(&file, 0, 4);
  PutLittleEndian(&file, 54, 4);
  PutLittleEndian(&file, 40, 4);
  PutLittleEndian(&file, static_cast<uint32_t>(width), 4);
  PutLittleEndian(&file, static_cast<uint32_t>(height), 4);
  PutLittleEndian(&file, 1, 2);
  PutLittleEndian(&file, 24, 2);
  PutLittleEndian(&file, 0, 4);
  PutLittleEndian(&file, imageSize, 4);
  PutLittleEndian(&file, 2835, 4);
  PutLittleEndian(&file, 2835, 4);
  PutLittleEndian(&file, 0, 4);
  PutLittleEndian(&file, 0, 4);
  std::string row;
  for (int x = 0; x < width; ++x) {
    row.push_back(static_cast<char>(GetBValue(color)));
    row.push_back(static_cast<char>(GetGValue(color)));
    row.push_back(static_cast<char>(GetRValue(color)));
  }
  row.resize(stride, '\0');
  for (int y = 0; y < height; ++y) file += row;
  WriteFile(path, file);
}

FakeHost::FakeHost() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  hwnd_ = CreateWindowExA(0, kHostClass, "host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                          GetModuleHandleA(nullptr), this);
  if (!hwnd_) throw std::runtime_error("cannot create the host window");
}

FakeHost::~FakeHost() { DestroyWindow(hwnd_); }

LRESULT CALLBACK FakeHost::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FakeHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && message == kHostUserMessage && lParam == kIpcGetSkinInfo) {
    ++self->queries;
    char* buffer = reinterpret_cast<char*>(wParam);
    if (self->fillWholeBuffer) {
      std::memset(buffer, 'a', kSkinPathBufferSize);
    } else {
      std::snprintf(buffer, kSkinPathBufferSize, "%s", self->folder.c_str());
    }
    return self->returnNull ? 0 : reinterpret_cast<LRESULT>(self->identity.c_str());
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

std::vector<uint32_t> Pixels(HBITMAP bitmap, int* width, int* height) {
  const SIZE size = BitmapSize(bitmap);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * size.cy);
  HDC screen = GetDC(nullptr);
  const int rows = pixels.empty() ? 0
                                  : GetDIBits(screen, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != size.cy) pixels.clear();
  for (auto& p : pixels) p &= 0x00FFFFFF;
  if (width) *width = size.cx;
  if (height) *height = size.cy;
  return pixels;
}

HBITMAP LoadResourceBitmap(int id) {
  return static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

std::string SourcePath(const std::string& relative) { return std::string(TC_SOURCE_DIR) + "/" + relative; }

}  // namespace skintest
