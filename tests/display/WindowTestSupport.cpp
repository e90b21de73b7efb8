#include "WindowTestSupport.h"

#include <cstdio>
#include <fstream>

#include "plugin/HostInterface.h"
#include "plugin/Module.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace testing_display {

HostState g_host;

void RecordingCommands::Update(const std::string& name, uint32_t ms) { Record("Update " + name, ms); }
void RecordingCommands::JumpTo(int track, uint32_t ms) { Record("JumpTo " + std::to_string(track), ms); }
void RecordingCommands::PlayCurrentTrack() { calls.push_back("PlayCurrentTrack"); }
void RecordingCommands::ToggleWindow() { calls.push_back("ToggleWindow"); }
int RecordingCommands::ExtractTrack(int track, ExtractTarget target) {
  calls.push_back("ExtractTrack " + std::to_string(track) +
                  (target == ExtractTarget::BesideArchive ? " beside" : " desktop"));
  return 0;
}
void RecordingCommands::OpenInMiniBrowser(int track) { calls.push_back("OpenInMiniBrowser " + std::to_string(track)); }
void RecordingCommands::Record(const std::string& call, uint32_t number) {
  calls.push_back(call + " " + std::to_string(number));
}

namespace {

char g_skinBuffer[kSkinPathBufferSize];

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kHostUserMessage) {
    switch (lParam) {
      case kIpcIsPlaying:
        return g_host.playState;
      case kIpcGetOutputTime:
        return g_host.positionMs;
      case kIpcGetListPos:
        return g_host.listPos;
      case kIpcGetPlaylistFile:
        g_host.listPosAsked.push_back(static_cast<LRESULT>(wParam));
        return g_host.nullFileName ? 0 : reinterpret_cast<LRESULT>(g_host.fileName.c_str());
      case kIpcGetSkinInfo: {
        char* buffer = reinterpret_cast<char*>(wParam);
        if (buffer) lstrcpynA(buffer, g_host.skinFolder.c_str(), kSkinPathBufferSize);
        lstrcpynA(g_skinBuffer, g_host.skinIdentity.c_str(), sizeof g_skinBuffer);
        return reinterpret_cast<LRESULT>(g_skinBuffer);
      }
      default:
        return 0;
    }
  }
  if (message == WM_COMMAND) {
    g_host.commands.push_back(wParam);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void WriteBmp24(const std::string& path, int width, int height, int tag) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<unsigned char> data(static_cast<size_t>(stride) * height);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = &data[static_cast<size_t>(height - 1 - y) * stride];  // bottom-up rows
    for (int x = 0; x < width; ++x) {
      const COLORREF c = EncodedPixel(x, y, tag);
      row[3 * x + 0] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(data.size());
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + data.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

std::string ColorText(COLORREF c) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

COLORREF FromDib(uint32_t value) {
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

COLORREF EncodedPixel(int x, int y, int tag) { return RGB(x & 0xFF, y, tag | (x >> 8)); }

std::string ScratchPath(const std::string& name) {
  const std::string folder = std::string("Z:") + TC_BINARY_DIR + "/display_scratch";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "/" + name;
}

const std::string& TestSkinFolder() {
  static const std::string folder = [] {
    const std::string path = ScratchPath("skin");
    CreateDirectoryA(path.c_str(), nullptr);
    WriteBmp24(path + "/Pledit.bmp", 280, 111, kPleditTag);
    WriteBmp24(path + "/text.bmp", 155, 18, kTextTag);
    WriteBmp24(path + "/Posbar.bmp", 307, 10, kPosbarTag);
    std::ofstream txt(path + "/Pledit.txt");
    txt << "[Text]\r\nNormal=" << ColorText(kTestNormal) << "\r\nCurrent=" << ColorText(kTestCurrent)
        << "\r\nNormalBG=" << ColorText(kTestNormalBg) << "\r\nSelectedBG=" << ColorText(kTestSelectedBg)
        << "\r\n";
    return path;
  }();
  return folder;
}

void WriteHostIni(const char* key, const char* value) {
  WritePrivateProfileStringA(kHostIniSection, key, value, hostIniPath.c_str());
}

void ResetEnvironment() {
  g_pluginInstance = GetModuleHandleA(nullptr);
  g_settings.ShowOnlyZip = 0;
  g_settings.CountUp = 1;
  g_settings.compact = 0;
  g_settings.timebar = 1;
  g_settings.font = "MS Pゴシック";
  g_settings.x = 50;
  g_settings.y = 30;
  g_settings.width = 5;
  g_settings.height = 3;
  hostIniPath = ScratchPath("host.ini");
  WriteHostIni(kHostKeySnap, nullptr);
  WriteHostIni(kHostKeySnapLength, nullptr);
  pluginFolder = TestSkinFolder() + "\\";
  g_host = HostState{};
  g_host.skinFolder = ScratchPath("no-such-skin");
  g_host.skinIdentity = "host skin";
  ParkSharedHost();
}

HWND CreateHostWindow(const char* className, int x, int y, int width, int height) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  return CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

HWND SharedHostWindow() {
  static const HWND host = CreateHostWindow("TestHostMain", -5000, -5000, 275, 116);
  return host;
}

void PlaceSharedHost(int x, int y) {
  SetWindowPos(SharedHostWindow(), nullptr, x, y, 275, 116, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ParkSharedHost() { PlaceSharedHost(-5000, -5000); }

void EnsureWindowClass() {
  static const bool registered = MainWindow::RegisterClass(GetModuleHandleA(nullptr));
  (void)registered;
}

WindowUnderTest::WindowUnderTest() {
  EnsureWindowClass();
  window.hostWnd = host;
  window.host = &hostPlayer;
  window.commands = &commands;
  CreateWindowExA(0, kMainWindowClass, "", WS_CLIPSIBLINGS, 0, 0, 300, 100, host, nullptr,
                  GetModuleHandleA(nullptr), &window);
}

WindowUnderTest::~WindowUnderTest() {
  if (window.hwnd) DestroyWindow(window.hwnd);
}

LRESULT WindowUnderTest::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(window.hwnd, message, wParam, lParam);
}

void WindowUnderTest::Click(int x, int y) const {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void WindowUnderTest::Key(WPARAM key) const { Send(WM_KEYDOWN, key, 1); }

void WindowUnderTest::FixRowHeight(int rowHeight) const {
  window.listView->rowHeight = rowHeight;
  window.listView->UpdateLayout();
}

Capture::Capture(MainWindow& window, int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {
  BITMAPINFO info = TopDown32(width, height);
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, dib);
  // A colour no drawing uses, so that untouched pixels stand out.
  HBRUSH sentinel = CreateSolidBrush(RGB(0xFF, 0x00, 0xFF));
  RECT all{0, 0, width, height};
  FillRect(dc, &all, sentinel);
  DeleteObject(sentinel);
  window.Render(dc);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  pixels_.assign(source, source + pixels_.size());
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromDib(pixels_[static_cast<size_t>(y) * width_ + x]);
}

bool Capture::SaveBmp(const std::string& path) const {
  BITMAPINFO info = TopDown32(width_, height_);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels_.size() * 4);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(reinterpret_cast<const char*>(pixels_.data()), static_cast<std::streamsize>(pixels_.size() * 4));
  return static_cast<bool>(out);
}

BitmapPixels::BitmapPixels(HBITMAP bitmap) {
  BITMAP header{};
  if (!bitmap || !GetObjectA(bitmap, sizeof header, &header)) return;
  width_ = header.bmWidth;
  height_ = header.bmHeight;
  pixels_.resize(static_cast<size_t>(width_) * height_);
  BITMAPINFO info = TopDown32(width_, height_);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, height_, pixels_.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
}

COLORREF BitmapPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromDib(pixels_[static_cast<size_t>(y) * width_ + x]);
}

int PieceMismatches(const Capture& capture, int x, int y, const BitmapPixels& source, const SkinPiece& piece,
                    int fromColumn, int toColumn) {
  if (toColumn < 0) toColumn = piece.width;
  int mismatches = 0;
  for (int dy = 0; dy < piece.height; ++dy) {
    for (int dx = fromColumn; dx < toColumn; ++dx) {
      const COLORREF expected = source.At(piece.left + dx, piece.top + dy);
      if (expected == CLR_INVALID || capture.At(x + dx, y + dy) != expected) ++mismatches;
    }
  }
  return mismatches;
}

}  // namespace testing_display
