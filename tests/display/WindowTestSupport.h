// What the window tests share: a stand-in host main window that answers the host's messages, a
// recording controller, a test skin written at run time (bitmaps whose every pixel tells where in
// which bitmap it came from, and a Pledit.txt), and captures of the window's image.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controller/TrackCommands.h"
#include "display/MainWindow.h"
#include "display/Skin.h"
#include "plugin/HostWindowPlayer.h"

namespace testing_display {

// The commands the window sent, one text per call ("JumpTo 3 0", "ToggleWindow", ...).
class RecordingCommands : public TrackCommands {
 public:
  void Update(const std::string& fileName, uint32_t positionMs) override;
  void JumpTo(int trackIndex, uint32_t offsetMs) override;
  void PlayCurrentTrack() override;
  void ToggleWindow() override;
  int ExtractTrack(int trackIndex, ExtractTarget target) override;
  void OpenInMiniBrowser(int trackIndex) override;

  std::vector<std::string> calls;

 private:
  void Record(const std::string& call, uint32_t number);
};

// The host main window's answers, and the commands it received.
struct HostState {
  LRESULT playState = 0;
  LRESULT positionMs = 0;
  LRESULT listPos = 0;
  std::string fileName;
  bool nullFileName = false;
  std::string skinFolder;    // written into the buffer of message 201
  std::string skinIdentity;  // returned by message 201
  std::vector<LRESULT> listPosAsked;  // wParam of every message 211
  std::vector<WPARAM> commands;       // WM_COMMAND wParams
};
extern HostState g_host;

// A top-level window of the given class that answers like the host, hidden.
HWND CreateHostWindow(const char* className, int x, int y, int width, int height);

// The host main window all tests share. Once shown it stays shown, parked far off screen when a
// test does not need it: without a window manager every hide costs Wine a two-second wait.
HWND SharedHostWindow();
void PlaceSharedHost(int x, int y);  // shows it at (x, y), 275 x 116
void ParkSharedHost();

// Colours of the test skin's Pledit.txt.
constexpr COLORREF kTestNormal = RGB(0x00, 0xC0, 0x00);
constexpr COLORREF kTestCurrent = RGB(0xFF, 0x80, 0x00);
constexpr COLORREF kTestNormalBg = RGB(0x10, 0x20, 0x30);
constexpr COLORREF kTestSelectedBg = RGB(0x00, 0x00, 0xE0);

// Folder with Pledit.bmp, text.bmp, Posbar.bmp and Pledit.txt; written once per process. The
// bitmaps are 24-bit; pixel (x, y) of each is EncodedPixel(x, y, its tag).
const std::string& TestSkinFolder();
constexpr int kPleditTag = 0x10;
constexpr int kTextTag = 0x20;
constexpr int kPosbarTag = 0x40;
COLORREF EncodedPixel(int x, int y, int tag);

// A file path in this build's scratch folder for display tests (as Wine sees it).
std::string ScratchPath(const std::string& name);

// Puts the settings and paths in a known state: 5 x 3 units at (50, 30), counting up, seek bar
// on, not compact; the host INI file has no snap keys; the plug-in skin folder is the test skin;
// the shared host is parked.
void ResetEnvironment();
void WriteHostIni(const char* key, const char* value);

// The class, once per process, with this executable as the plug-in module.
void EnsureWindowClass();

// A MainWindow with its window, bound to a recording controller and the stand-in host.
struct WindowUnderTest {
  WindowUnderTest();
  ~WindowUnderTest();
  MainWindow window;
  RecordingCommands commands;
  HWND host = SharedHostWindow();
  HostWindowPlayer hostPlayer{host};
  HWND hwnd() const { return window.hwnd; }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
  void Click(int x, int y) const;  // left button down and up
  void Key(WPARAM key) const;
  // Fixes the row height so that layouts do not depend on the installed fonts.
  void FixRowHeight(int rowHeight) const;
};

// The window's image drawn through MainWindow::Render into a 32-bit top-down DIB.
class Capture {
 public:
  Capture(MainWindow& window, int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const;
  bool SaveBmp(const std::string& path) const;

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

// Pixels of a bitmap handle (as a device-independent copy), for comparing pieces.
class BitmapPixels {
 public:
  explicit BitmapPixels(HBITMAP bitmap);
  COLORREF At(int x, int y) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Number of pixels of `piece` (columns from `fromColumn` to `toColumn`, exclusive, within the
// piece) that differ between the capture at (x, y) and the source bitmap. 0 = the piece is there.
int PieceMismatches(const Capture& capture, int x, int y, const BitmapPixels& source, const SkinPiece& piece,
                    int fromColumn = 0, int toColumn = -1);

}  // namespace testing_display
