// The interception of the host's windows in-process, where it is simpler than end to end: the
// record found through the plug-in's own table (the host's user-data slot untouched), a window the
// table does not know, and the main window's moves read as signed 16-bit coordinates, also after
// another intercepted window was destroyed. Keys and following are tested end to end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "display/HostDock.h"
#include "plugin/HostInterface.h"
#include "settings/Settings.h"

using namespace testing_display;
using ::testing::ElementsAre;

namespace {

TEST(HostDock, FindsItsRecordInItsOwnTableAndFollowsMovesToNegativeCoordinates) {
  ResetEnvironment();
  WindowUnderTest w;
  const HWND host = w.host;
  SetWindowLongPtrA(host, GWLP_USERDATA, 0x5A5A);
  const HWND browser = CreateHostWindow(kHostMiniBrowserClass, -6000, -6000, 50, 50);
  HostDock dock(w.window, w.commands);
  dock.Attach(host);
  EXPECT_EQ(GetWindowLongPtrA(browser, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HostDock::MbProc));
  EXPECT_EQ(GetWindowLongPtrA(host, GWLP_USERDATA), 0x5A5A);  // the host's slot stays the host's
  for (int i = 0; i < 3; ++i) w.window.AddTrack("row", 1000);
  w.window.SetCurrentTrack(1, 1000);
  EXPECT_EQ(SendMessageA(browser, WM_KEYDOWN, VK_OEM_COMMA, 1), 0);

  // A window the table does not know gets default processing, and no command.
  const HWND stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
  HostDock::PeProc(stranger, WM_KEYDOWN, VK_OEM_PERIOD, 1);
  HostDock::HostMainProc(stranger, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("default"));
  char text[16] = {};
  GetWindowTextA(stranger, text, sizeof text);
  EXPECT_STREQ(text, "default");
  DestroyWindow(stranger);
  EXPECT_THAT(w.commands.calls, ElementsAre("JumpTo 0 0"));

  DestroyWindow(browser);  // another intercepted window going away does not stop the following
  w.window.docked = 1;
  w.window.dockOffsetX = 10;
  w.window.dockOffsetY = 116;
  PlaceSharedHost(-40, -20);
  RECT r{};
  GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(std::make_tuple(r.left, r.top, g_settings.x, g_settings.y), std::make_tuple(-30L, 96L, -30, 96));
  dock.Detach();  // the procedures given back are checked end to end
  SetWindowLongPtrA(host, GWLP_USERDATA, 0);
}

}  // namespace
