#include "plugin/Lifecycle.h"

#include <commctrl.h>

#include "controller/ArchiveController.h"
#include "display/HostDock.h"
#include "display/MainWindow.h"
#include "plugin/HostWindowPlayer.h"
#include "plugin/Module.h"
#include "settings/ConfigDialog.h"
#include "settings/SettingsStore.h"

namespace {

constexpr char kErrorCaption[] = "blah";

MainWindow* g_mainWindow = nullptr;
HostWindowPlayer* g_host = nullptr;
HostDock* g_hostDock = nullptr;

void OpenConfigurationFromWindow() { OpenConfiguration(); }

}  // namespace

int StartUp(HWND hostWnd, HINSTANCE module) {
  g_pluginInstance = module;
  delete g_host;
  g_host = new HostWindowPlayer(hostWnd);
  // A newer host may keep its INI file and its users' settings in folders of their own.
  hostSettingsFolder = g_host->GetSettingsFolder();
  LoadSettings();
  const std::string hostIni = g_host->GetHostIniFile();
  if (!hostIni.empty()) hostIniPath = hostIni;
  // The window's settings menu item opens the dialog just as the host's configuration call does.
  g_openConfiguration = &OpenConfigurationFromWindow;

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = 8;
  controls.dwICC = ICC_HOTKEY_CLASS;
  InitCommonControlsEx(&controls);

  if (!MainWindow::RegisterClass(module)) {
    MessageBoxA(hostWnd, "Error registering window class", kErrorCaption, MB_OK);
    return 1;
  }

  auto* mainWindow = new MainWindow();
  mainWindow->hostWnd = hostWnd;
  mainWindow->host = g_host;
  const HWND hwnd = CreateWindowExA(0, kMainWindowClass, nullptr, WS_CLIPSIBLINGS, 0, 0, 300, 100, hostWnd,
                                    nullptr, module, mainWindow);
  if (hwnd == nullptr) {
    MessageBoxA(hostWnd, "Error creating window", kErrorCaption, MB_OK);
    delete mainWindow;
    UnregisterClassA(kMainWindowClass, module);
    return 1;
  }
  g_mainWindow = mainWindow;

  ArchiveController& controller = ArchiveController::Instance();
  controller.SetWindow(mainWindow);
  controller.SetHost(g_host);
  mainWindow->commands = &controller;

  // Docking with the host's windows attaches here, once the window and the controller exist.
  g_hostDock = new HostDock(*mainWindow, controller);
  mainWindow->dock = g_hostDock;
  g_hostDock->Attach(hostWnd);

  ShowWindow(hwnd, g_settings.ShowOnlyZip ? SW_HIDE : SW_SHOW);
  return 0;
}

int OpenConfiguration() { return static_cast<int>(RunConfigDialog(g_pluginInstance)); }

void ShutDown() {
  // Wherever the host's windows were at the end, the window comes back where it can be seen.
  KeepSavedPositionOnScreen();
  SaveSettings();
  // The host's windows let go of our procedures and its menu of our item first (or keep us
  // loaded where they cannot).
  if (g_mainWindow != nullptr) g_mainWindow->dock = nullptr;
  delete g_hostDock;
  g_hostDock = nullptr;
  // The host unloads the DLL next: no window of ours may outlive it, or its timer and procedure
  // would run in freed code.
  if (g_mainWindow != nullptr) {
    ArchiveController::Instance().SetWindow(nullptr);
    ArchiveController::Instance().SetHost(nullptr);
    if (g_mainWindow->hwnd != nullptr) {
      DestroyWindow(g_mainWindow->hwnd);
    }
    delete g_mainWindow;
    g_mainWindow = nullptr;
    UnregisterClassA(kMainWindowClass, g_pluginInstance);
  }
  ArchiveController::Destroy();
  delete g_host;
  g_host = nullptr;
}
