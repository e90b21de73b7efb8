// Start-up and shut-down in-process, with the real window and a test host window: the window's
// place and visibility, the timer driving the controller, the settings file, the temporary copy,
// the two start-up failures, the configuration dialog from the window's menu and from the host and
// when what it stores takes effect; and the cost of the controller's updates with the real window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../controller/HostDoubles.h"
#include "controller/ArchiveController.h"
#include "display/MainWindow.h"
#include "plugin/Lifecycle.h"
#include "resources/ResourceIds.h"
#include "settings/SettingsStore.h"
#include "support/ZipWriter.h"
#include "tests/settings/ConfigDialogDriver.h"

namespace {

const bool kQuickWindows = UseUnmanagedWindowsUnderWine();

std::string IniValue(const std::string& ini, const char* section, const char* key) {
  char value[300] = {};
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
  return value;
}

// Message boxes of this thread, read and closed as soon as they appear; optionally refuses the
// creation of the plug-in's window.
class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(bool refusePluginWindow = false) : refusePluginWindow(refusePluginWindow) {
    current = this;
    hook = SetWindowsHookExA(WH_CBT, &MessageBoxCatcher::Procedure, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxCatcher() {
    UnhookWindowsHookEx(hook);
    current = nullptr;
  }
  std::vector<std::string> seen;  // "caption: text"

 private:
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
    char className[32] = {};
    if (current != nullptr && (code == HCBT_ACTIVATE || code == HCBT_CREATEWND)) {
      GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
    }
    if (code == HCBT_CREATEWND && current != nullptr && current->refusePluginWindow &&
        std::string(className) == "SimpleVis") {
      return 1;  // creation fails
    }
    if (code == HCBT_ACTIVATE && current != nullptr && std::string(className) == "#32770") {
      const HWND box = reinterpret_cast<HWND>(wParam);
      char caption[64] = {};
      char text[128] = {};
      GetWindowTextA(box, caption, sizeof caption);
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the static text of a message box
      current->seen.push_back(std::string(caption) + ": " + text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static MessageBoxCatcher* current;
  bool refusePluginWindow;
  HHOOK hook = nullptr;
};
MessageBoxCatcher* MessageBoxCatcher::current = nullptr;

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    ini = (TestTempFolder() / "lifecycle.ini").string();
    DeleteFileA(ini.c_str());
    iniPath = ini;  // the store keeps a path it was given
    g_settings = Settings();
  }
  void TearDown() override {
    if (started) ShutDown();
  }
  HWND PluginWindow() const { return FindWindowA("SimpleVis", nullptr); }
  int Start() {
    const int result = StartUp(host.hwnd, GetModuleHandleA(nullptr));
    started = result == 0;
    return result;
  }
  void Stop() {
    ShutDown();
    started = false;
  }

  TestHost host;
  std::string ini;
  bool started = false;
};

TEST_F(Lifecycle, StartsWithTheDefaultsAtItsPlaceOwnedByTheHost) {
  ASSERT_EQ(Start(), 0);
  const HWND window = PluginWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), host.hwnd);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.top, 30);
  EXPECT_EQ(rect.right - rect.left, 275);
  EXPECT_EQ(rect.bottom - rect.top, 145);
  const auto* shown = dynamic_cast<const MainWindow*>(ArchiveController::Instance().Window());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->hwnd, window);
}

TEST_F(Lifecycle, TheTimerHandsTheHostsFileToTheController) {
  const std::string archive = WriteTempFile("timer.zip.mp3", BuildZip({{"a.mp3", Mp3Member(3000)}}));
  WritePrivateProfileStringA("Display", "ShowOnlyZip", "yes", ini.c_str());
  ASSERT_EQ(Start(), 0);
  EXPECT_FALSE(IsWindowVisible(PluginWindow()));  // hidden until an archive plays
  host.fileName = archive;
  host.position = 1200;
  host.playState = 3;  // paused: the timer leaves the controller alone
  Pump(350);
  EXPECT_EQ(ArchiveController::Instance().Archive(), nullptr);
  host.playState = 1;
  Pump(350);
  const ZipFile* opened = ArchiveController::Instance().Archive();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->GetArchivePath(), archive);
  const auto* shown = dynamic_cast<const MainWindow*>(ArchiveController::Instance().Window());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->timeMinutes, 0);
  EXPECT_EQ(shown->timeSeconds, 1);
  EXPECT_TRUE(IsWindowVisible(PluginWindow()));
}

TEST_F(Lifecycle, ShutDownSavesEveryKeyDeletesTheCopyAndTakesTheWindowDown) {
  ASSERT_EQ(Start(), 0);
  const HWND window = PluginWindow();
  const std::string archive = WriteTempFile("copied.zip.mp3", BuildZip({{"a.mp3", Mp3Member(300)}}));
  ArchiveController::Instance().Update(archive, 0);
  ArchiveController::Instance().OpenInMiniBrowser(0);
  const std::string copy = ArchiveController::Instance().TempCopyPath();
  ASSERT_NE(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);
  g_settings.CountUp = 0;  // changed while running: reaches the file at shut-down
  Stop();
  EXPECT_FALSE(IsWindow(window));
  WNDCLASSA unused;
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "SimpleVis", &unused));
  EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(IniValue(ini, "Display", "CountUp"), "no");
  const char* const keys[][2] = {{"Display", "ShowOnlyZip"}, {"Display", "ShowOnlyUncompressedZip"},
                                 {"Display", "compact"},     {"Display", "timebar"},
                                 {"Display", "font"},        {"List", "Normal"},
                                 {"List", "ID3"},            {"List", "Compilation"},
                                 {"List", "useID3"},         {"List", "useCompilation"},
                                 {"pos", "x"},               {"pos", "y"},
                                 {"pos", "width"},           {"pos", "height"}};
  for (const auto& key : keys) EXPECT_NE(IniValue(ini, key[0], key[1]), "<missing>") << key[1];
  // Started again after a shut-down, as a host does that reloads its plug-ins.
  EXPECT_EQ(Start(), 0);
}

TEST_F(Lifecycle, ClassThatCannotBeRegisteredIsReportedToTheUser) {
  WNDCLASSA taken = {};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "SimpleVis";
  ASSERT_TRUE(RegisterClassA(&taken));
  MessageBoxCatcher boxes;
  EXPECT_EQ(StartUp(host.hwnd, GetModuleHandleA(nullptr)), 1);
  UnregisterClassA("SimpleVis", GetModuleHandleA(nullptr));
  EXPECT_THAT(boxes.seen, ::testing::ElementsAre("blah: Error registering window class"));
}

TEST_F(Lifecycle, WindowThatCannotBeCreatedIsReportedToTheUser) {
  {
    MessageBoxCatcher boxes(true);
    EXPECT_EQ(StartUp(host.hwnd, GetModuleHandleA(nullptr)), 1);
    EXPECT_THAT(boxes.seen, ::testing::ElementsAre("blah: Error creating window"));
  }
  // Nothing is left registered that would make the next start-up fail.
  EXPECT_EQ(Start(), 0);
}

std::vector<std::string> ListTitles() {
  auto* window = dynamic_cast<MainWindow*>(ArchiveController::Instance().Window());
  return window != nullptr && window->listView ? window->listView->titles : std::vector<std::string>();
}

// The window's settings item and the host's configuration share one dialog; what OK stores takes
// effect where the settings are next read: the template at the next archive, ShowOnlyZip at the
// next visibility decision.
TEST_F(Lifecycle, OneDialogForTheWindowAndTheHostWhoseChangesApplyWhenNextRead) {
  const std::string first = WriteTempFile("first.zip.mp3", BuildZip({{"a.mp3", Mp3Member(3000)}}));
  const std::string second = WriteTempFile("second.zip.mp3", BuildZip({{"b.mp3", Mp3Member(3000)}}));
  const std::string plain = WriteTempFile("plain.mp3", Mp3Member(3000));
  ASSERT_EQ(Start(), 0);
  host.fileName = first;
  Pump(350);
  ASSERT_THAT(ListTitles(), ::testing::ElementsAre("a.mp3"));
  int again = -2;
  ConfigDialogDriver driver([&](HWND dialog) {
    again = OpenConfiguration();  // the host asks while the window's dialog is open
    EXPECT_EQ(ConfigDialogDriver::ThreadWindows("#32770").size(), 1u);
    const HWND focus = GetFocus();
    EXPECT_TRUE(IsWindowEnabled(dialog) && (focus == dialog || IsChild(dialog, focus)));
    ConfigDialogDriver::Click(dialog, IDC_SHOW_ONLY_ZIP);
    SetDlgItemTextA(dialog, IDC_NORMAL, "[%FILE_NAME%]");
    ConfigDialogDriver::Click(dialog, IDOK);
  });
  driver.AnswerMenu(kSettingsMenuCommand);
  driver.Run([&] {
    SendMessageA(PluginWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 8));  // outside the list
    return INT_PTR(0);
  });
  EXPECT_EQ(again, 0);
  EXPECT_EQ(g_settings.Normal, "[%FILE_NAME%]");
  Pump(350);  // the same archive: its list stands
  EXPECT_THAT(ListTitles(), ::testing::ElementsAre("a.mp3"));
  host.fileName = second;
  Pump(350);
  EXPECT_THAT(ListTitles(), ::testing::ElementsAre("[b.mp3]"));
  EXPECT_TRUE(IsWindowVisible(PluginWindow()));
  host.fileName = plain;
  Pump(350);
  EXPECT_FALSE(IsWindowVisible(PluginWindow()));
}

}  // namespace
