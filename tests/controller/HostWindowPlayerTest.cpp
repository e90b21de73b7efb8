// The host class over a window that records the raw messages: every operation sends exactly its
// message with its arguments, in order, and the INI keys come from the host's INI file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "plugin/HostWindowPlayer.h"
#include "settings/SettingsStore.h"
#include "support/ZipWriter.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// "message wParam lParam" of each message, with the address of the last text or buffer given as
// "@"; answers user message 201 by filling the buffer and 211 with a name.
class RawHost {
 public:
  RawHost() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &RawHost::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TcRawHost";
    RegisterClassA(&windowClass);
    hwnd = CreateWindowExA(0, "TcRawHost", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~RawHost() { DestroyWindow(hwnd); }

  HWND hwnd = nullptr;
  WPARAM pointer = 0;  // the address to print as "@"
  std::vector<std::string> messages;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RawHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || (message != WM_USER && message != WM_COMMAND)) {
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    const bool isPointer = wParam != 0 && wParam == self->pointer;
    self->messages.push_back(std::to_string(message) + " " + (isPointer ? "@" : std::to_string(wParam)) + " " +
                             std::to_string(lParam));
    static const char kIdentity[] = "skin identity";
    static const char kName[] = "C:\\a.zip.mp3";
    if (message == WM_USER && lParam == 201 && wParam != 0) {
      lstrcpynA(reinterpret_cast<char*>(wParam), "C:\\Skins\\Blue", 261);
      return reinterpret_cast<LRESULT>(kIdentity);
    }
    if (message == WM_USER && lParam == 211) return reinterpret_cast<LRESULT>(kName);
    return message == WM_USER && lParam == 104 ? 1 : 0;
  }
};

TEST(HostWindowPlayer, EachOperationSendsItsMessages) {
  RawHost raw;
  HostWindowPlayer host(raw.hwnd);
  const std::string path = "C:\\Temp\\zip1.tmp";
  struct Case {
    const char* name;
    std::function<void()> call;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"play state", [&] { EXPECT_TRUE(host.IsPlaying()); }, {"1024 0 104"}},
      {"position", [&] { host.GetPosition(); }, {"1024 0 105"}},
      {"list index", [&] { host.GetListIndex(); }, {"1024 0 125"}},
      {"file name", [&] { EXPECT_EQ(host.GetEntryFileName(7), "C:\\a.zip.mp3"); }, {"1024 7 211"}},
      {"seek", [&] { host.Seek(65250); }, {"1024 65250 106"}},
      {"play", [&] { host.Play(); }, {"273 40045 0"}},
      {"pause", [&] { host.Pause(); }, {"273 40046 0"}},
      {"stop", [&] { host.Stop(); }, {"273 40047 0"}},
      {"MiniBrowser", [&] {
         raw.pointer = reinterpret_cast<WPARAM>(path.c_str());
         host.OpenInMiniBrowser(path);
       }, {"1024 @ 249", "1024 0 249"}},
  };
  for (const Case& c : cases) {
    raw.messages.clear();
    c.call();
    EXPECT_THAT(raw.messages, ElementsAreArray(c.messages)) << c.name;
  }

  raw.messages.clear();
  raw.pointer = 0;
  const HostSkin skin = host.GetSkin();
  EXPECT_EQ(skin.folder, "C:\\Skins\\Blue");
  EXPECT_EQ(skin.identity, "skin identity");
  ASSERT_EQ(raw.messages.size(), 1u);
  EXPECT_THAT(raw.messages[0], ::testing::MatchesRegex("1024 \\d+ 201"));
}

TEST(HostWindowPlayer, IniKeysComeFromSectionWinampWithTheirDefaults) {
  const std::string saved = hostIniPath;
  HostWindowPlayer host(nullptr);
  hostIniPath = WriteTempFile("host-keys.ini", "[Winamp]\r\npe_fontsize=14\r\nsnap=0\r\nsnaplen=25\r\n");
  EXPECT_EQ(host.GetListFontSize(), 14);
  EXPECT_EQ(host.GetSnap(), 0);
  EXPECT_EQ(host.GetSnapLength(), 25);
  hostIniPath = WriteTempFile("host-other.ini", "[Other]\r\npe_fontsize=20\r\nsnap=0\r\nsnaplen=3\r\n");
  EXPECT_EQ(host.GetListFontSize(), 10);
  EXPECT_EQ(host.GetSnap(), 1);
  EXPECT_EQ(host.GetSnapLength(), 10);
  hostIniPath = saved;
}

}  // namespace
