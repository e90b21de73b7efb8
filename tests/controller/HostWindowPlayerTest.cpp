// The host class over a window that records the raw messages: every operation sends exactly its
// message with its arguments, in order, and the INI keys come from the host's INI file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "plugin/HostWindowPlayer.h"
#include "settings/SettingsStore.h"
#include "support/ZipWriter.h"

namespace {

// "message wParam lParam" of each message, with the address `g_pointer` shown as "@"; user
// message 201 fills the buffer and answers an identity, 211 answers a name, 104 "playing".
std::vector<std::string> g_messages;
WPARAM g_pointer = 0;
LRESULT CALLBACK RawHost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER && message != WM_COMMAND) return DefWindowProcA(hwnd, message, wParam, lParam);
  const bool isPointer = wParam != 0 && wParam == g_pointer;
  g_messages.push_back(std::to_string(message) + " " + (isPointer ? "@" : std::to_string(wParam)) + " " +
                       std::to_string(lParam));
  if (message == WM_USER && lParam == 201 && wParam != 0) {
    lstrcpynA(reinterpret_cast<char*>(wParam), "C:\\Skins\\Blue", 261);
    return reinterpret_cast<LRESULT>("skin identity");
  }
  if (message == WM_USER && lParam == 211) return reinterpret_cast<LRESULT>("C:\\a.zip.mp3");
  return message == WM_USER && lParam == 104 ? 1 : 0;
}

// A hidden window of a class of its own with `procedure`, as the host's main window.
HWND MakeHostWindow(const char* className, WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

TEST(HostWindowPlayer, EachOperationSendsItsMessages) {
  const HWND raw = MakeHostWindow("TcRawHost", &RawHost);
  HostWindowPlayer host(raw);
  const std::string path = "C:\\Temp\\zip1.tmp";
  const std::pair<std::function<void()>, std::vector<std::string>> cases[] = {
      {[&] { EXPECT_TRUE(host.IsPlaying()); }, {"1024 0 104"}},
      {[&] { host.GetPosition(); }, {"1024 0 105"}},
      {[&] { host.GetListIndex(); }, {"1024 0 125"}},
      {[&] { EXPECT_EQ(host.GetEntryFileName(7), "C:\\a.zip.mp3"); }, {"1024 7 211"}},
      {[&] { host.Seek(65250); }, {"1024 65250 106"}},
      {[&] { host.Play(); }, {"273 40045 0"}},
      {[&] { host.Pause(); }, {"273 40046 0"}},
      {[&] { host.Stop(); }, {"273 40047 0"}},
      {[&] {
         g_pointer = reinterpret_cast<WPARAM>(path.c_str());
         host.OpenInMiniBrowser(path);
       }, {"1024 @ 249", "1024 0 249"}},
  };
  for (const auto& [call, messages] : cases) {
    g_messages.clear();
    call();
    EXPECT_EQ(g_messages, messages);
  }
  g_messages.clear();
  g_pointer = 0;
  const HostSkin skin = host.GetSkin();
  EXPECT_EQ(skin.folder + "|" + skin.identity, "C:\\Skins\\Blue|skin identity");
  EXPECT_THAT(g_messages, ::testing::ElementsAre(::testing::MatchesRegex("1024 \\d\\d+ 201")));
  DestroyWindow(raw);
}

// A player answers 1 to every message it does not know. Such an answer is no name, no window, no
// menu and no command id (reading a name at address 1 would crash the player), and each newer
// message is asked only of the versions that have it.
LRESULT g_version = 0;
std::vector<LPARAM> g_asked;
LRESULT CALLBACK AnswersOne(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (lParam == 0) return g_version;
  g_asked.push_back(lParam);
  return 1;
}

TEST(HostWindowPlayer, AnAnswerOfOneIsNothingAndNewerMessagesWaitForTheirVersions) {
  const HWND raw = MakeHostWindow("TcAnswersOne", &AnswersOne);
  const struct {
    LRESULT version;
    std::vector<LPARAM> asked;  // by the calls below, in their order
  } cases[] = {
      {0x2081, {211, 201}},
      {0x2950, {211, 201, 334, 335, 260, 281}},
      {0x5001, {211, 201, 334, 335, 260, 281, 900}},
      {0x5010, {211, 201, 334, 335, 260, 281, 900, 3019}},
      {0x5030, {211, 201, 334, 335, 260, 214, 281, 900, 3019}},
  };
  for (const auto& c : cases) {
    g_version = c.version;
    g_asked.clear();
    HostWindowPlayer host(raw);
    EXPECT_EQ(host.GetEntryFileName(0), "");
    EXPECT_EQ(host.GetSkin().identity, "");
    EXPECT_EQ(host.GetHostIniFile(), "");
    EXPECT_EQ(host.GetSettingsFolder(), "");
    EXPECT_EQ(host.GetHostWindow(HostWindowKind::Playlist), nullptr);
    EXPECT_EQ(host.GetEntryWideFileName(0), L"");
    EXPECT_EQ(host.GetMainMenu(), nullptr);
    EXPECT_TRUE(host.IsMainWindowShown());
    EXPECT_EQ(host.NewCommandId(), 0u);
    EXPECT_EQ(g_asked, c.asked) << std::hex << c.version;
  }
  DestroyWindow(raw);
}

TEST(HostWindowPlayer, IniKeysComeFromSectionWinampWithTheirDefaults) {
  const std::string saved = hostIniPath;
  HostWindowPlayer host(nullptr);
  hostIniPath = WriteTempFile("host-keys.ini", "[Winamp]\r\npe_fontsize=14\r\nsnap=0\r\nsnaplen=25\r\n");
  EXPECT_EQ(std::make_tuple(host.GetListFontSize(), host.GetSnap(), host.GetSnapLength()), std::make_tuple(14, 0, 25));
  hostIniPath = WriteTempFile("host-other.ini", "[Other]\r\npe_fontsize=20\r\nsnap=0\r\nsnaplen=3\r\n");
  EXPECT_EQ(std::make_tuple(host.GetListFontSize(), host.GetSnap(), host.GetSnapLength()), std::make_tuple(10, 1, 10));
  hostIniPath = saved;
}

}  // namespace
