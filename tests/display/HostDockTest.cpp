// The interception of the host's windows in-process: the record found through the plug-in's own
// table (the host's user-data slot untouched), a window the table does not know, the keys taken
// and passed on, the procedures given back, and following the main window's moves with signed
// 16-bit coordinates, also after another intercepted window was destroyed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "display/HostDock.h"
#include "plugin/HostInterface.h"
#include "settings/Settings.h"

using namespace testing_display;
using ::testing::ElementsAre;

namespace {

// The host main window's own procedure as the interception finds it: records the keys it gets.
std::vector<std::string> g_reached;
WNDPROC g_hostProcedure = nullptr;
LRESULT CALLBACK RecordingHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
    g_reached.push_back((message == WM_KEYDOWN ? "key " : "syskey ") + std::to_string(wParam));
  return CallWindowProcA(g_hostProcedure, hwnd, message, wParam, lParam);
}

constexpr LPARAM kAltDown = static_cast<LPARAM>(KF_ALTDOWN) << 16;

class HostDockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEnvironment();
    w = std::make_unique<WindowUnderTest>();
    g_reached.clear();
    g_hostProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingHostProc)));
  }
  void TearDown() override {
    dock.reset();
    SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_hostProcedure));
    SetWindowLongPtrA(host, GWLP_USERDATA, 0);
  }
  void Attach() {
    dock = std::make_unique<HostDock>(w->window, w->commands);
    dock->Attach(host);
  }
  RECT PluginRect() const {
    RECT r{};
    GetWindowRect(w->hwnd(), &r);
    return r;
  }
  static LONG_PTR ProcedureOf(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }

  const HWND host = SharedHostWindow();
  std::unique_ptr<WindowUnderTest> w;
  std::unique_ptr<HostDock> dock;
};

TEST_F(HostDockTest, KeysAreTakenThroughTheTableAndEverythingElseReachesTheHost) {
  SetWindowLongPtrA(host, GWLP_USERDATA, 0x5A5A);
  const HWND browser = CreateHostWindow(kHostMiniBrowserClass, -6000, -6000, 50, 50);
  const LONG_PTR browserProcedure = ProcedureOf(browser);
  Attach();
  EXPECT_EQ(ProcedureOf(host), reinterpret_cast<LONG_PTR>(&HostDock::HostMainProc));
  EXPECT_EQ(ProcedureOf(browser), reinterpret_cast<LONG_PTR>(&HostDock::MbProc));
  EXPECT_EQ(GetWindowLongPtrA(host, GWLP_USERDATA), 0x5A5A);  // the host's slot stays the host's
  for (int i = 0; i < 3; ++i) w->window.AddTrack("row", 1000);
  w->window.SetCurrentTrack(1, 1000);

  EXPECT_EQ(SendMessageA(host, WM_KEYDOWN, VK_OEM_PERIOD, 1), 0);
  EXPECT_EQ(SendMessageA(browser, WM_KEYDOWN, VK_OEM_COMMA, 1), 0);
  EXPECT_EQ(SendMessageA(host, WM_SYSKEYDOWN, 'M', kAltDown | 1), 0);
  SendMessageA(host, WM_SYSKEYDOWN, 'M', 1);  // without Alt
  SendMessageA(host, WM_KEYDOWN, 'X', 1);
  EXPECT_THAT(w->commands.calls, ElementsAre("JumpTo 2 0", "JumpTo 0 0", "ToggleWindow"));
  EXPECT_THAT(g_reached, ElementsAre("syskey 77", "key 88"));

  // A window the table does not know gets default processing, and no command.
  const HWND stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
  HostDock::PeProc(stranger, WM_KEYDOWN, VK_OEM_PERIOD, 1);
  HostDock::HostMainProc(stranger, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("default"));
  char text[16] = {};
  GetWindowTextA(stranger, text, sizeof text);
  EXPECT_STREQ(text, "default");
  EXPECT_EQ(w->commands.calls.size(), 3u);
  DestroyWindow(stranger);

  dock->Detach();
  EXPECT_EQ(ProcedureOf(host), reinterpret_cast<LONG_PTR>(&RecordingHostProc));
  EXPECT_EQ(ProcedureOf(browser), browserProcedure);
  SendMessageA(host, WM_KEYDOWN, VK_OEM_PERIOD, 1);
  EXPECT_EQ(g_reached.back(), "key 190");
  DestroyWindow(browser);
}

TEST_F(HostDockTest, ADockedWindowFollowsTheMainWindowToNegativeCoordinates) {
  const HWND browser = CreateHostWindow(kHostMiniBrowserClass, -6000, -6000, 50, 50);
  Attach();
  ASSERT_EQ(ProcedureOf(browser), reinterpret_cast<LONG_PTR>(&HostDock::MbProc));
  DestroyWindow(browser);  // another intercepted window going away does not stop the following
  w->window.docked = 1;
  w->window.dockOffsetX = 10;
  w->window.dockOffsetY = 116;
  PlaceSharedHost(-40, -20);
  EXPECT_EQ(PluginRect().left, -30);
  EXPECT_EQ(PluginRect().top, 96);
  EXPECT_EQ(g_settings.x, -30);
  EXPECT_EQ(g_settings.y, 96);
  w->window.docked = 0;  // free: it stays
  PlaceSharedHost(300, 200);
  EXPECT_EQ(PluginRect().left, -30);
  EXPECT_EQ(PluginRect().top, 96);
}

}  // namespace
