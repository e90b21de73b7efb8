#include "display/MainWindow.h"

#include "controller/TrackCommands.h"
#include "display/HostDock.h"
#include "plugin/HostInterface.h"
#include "plugin/HostPlayer.h"
#include "plugin/Module.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

void (*g_openConfiguration)() = nullptr;

HWND FindHostWindow(HostPlayer* host, HostWindowKind kind) {
  if (host != nullptr) {
    if (const HWND named = host->GetHostWindow(kind)) return named;
  }
  switch (kind) {
    case HostWindowKind::Equalizer: return FindWindowA(kHostEqualizerClass, nullptr);
    case HostWindowKind::Playlist: return FindWindowA(kHostPlaylistClass, nullptr);
    case HostWindowKind::MiniBrowser: return FindWindowA(kHostMiniBrowserClass, nullptr);
  }
  return nullptr;
}

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
  // The window must not outlive the object its messages are dispatched to.
  if (hwnd) DestroyWindow(hwnd);
}

bool MainWindow::RegisterClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &MainWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kMainWindowClass;
  return ::RegisterClassA(&windowClass) != 0;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    if (self) {
      self->hwnd = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  // The host calls this procedure: nothing may be thrown back into it.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Mouse points are read as unsigned 16-bit values (the window lies in the first quadrant).
  const int x = LOWORD(lParam);
  const int y = HIWORD(lParam);
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_TIMER:
      OnTick();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      active = message == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(x, y);
      return 0;
    case WM_MOUSEMOVE:
      // The thumb drag reads y as signed, so a drag above the window moves the thumb to the start.
      OnMouseMove(static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a switch of application, a menu): no later button-up may
      // finish the drag with a move or a seek the user did not make.
      if (reinterpret_cast<HWND>(lParam) != hwnd) AbandonDrag();
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLeftDoubleClick(x, y);
      return 0;
    case WM_RBUTTONDOWN:
      OnRightButtonDown(x, y);
      return 0;
    case WM_MOUSEWHEEL:
      if (listView) {
        if (static_cast<short>(HIWORD(wParam)) > 0) {
          listView->ScrollUp();
        } else {
          listView->ScrollDown();
        }
      }
      return 0;
    case WM_KEYDOWN:
      OnKey(wParam);
      return 0;
    case WM_SYSKEYDOWN:
      return OnSystemKey(wParam, lParam);
    case WM_SIZE:
      return -1;
    case WM_SHOWWINDOW:
      if (dock) dock->SyncMenuCheck(wParam != 0);
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_NCDESTROY: {
      const HWND window = hwnd;
      hwnd = nullptr;
      // No later message may reach an object that may be gone with its window.
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void MainWindow::OnCreate() {
  SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) & ~WS_CAPTION);
  listView = std::make_unique<TrackListView>(hwnd, this);
  listView->CreateResources();
  SetSize(g_settings.width, g_settings.height);
  // Created folded: the layout height is the strip's at once, so the regions measured from the
  // bottom edge lie inside it.
  if (g_settings.compact) windowHeight = kCompactHeight;
  MoveWindow(hwnd, g_settings.x, g_settings.y, windowWidth, windowHeight, FALSE);
  SetTimer(hwnd, kTickTimerId, kTickMilliseconds, nullptr);
  LoadSkin(true);
  eqWnd = FindHostWindow(host, HostWindowKind::Equalizer);
  peWnd = FindHostWindow(host, HostWindowKind::Playlist);
  mbWnd = FindHostWindow(host, HostWindowKind::MiniBrowser);
}

void MainWindow::OnTick() {
  LoadSkin(false);
  if (!host || !host->IsPlaying()) return;
  const uint32_t positionMs = host->GetPosition();
  const int listIndex = host->GetListIndex();
  const std::string fileName = host->GetEntryFileName(listIndex);
  if (commands) commands->Update(fileName, host->GetEntryWideFileName(listIndex), positionMs);
}

void MainWindow::ClearTracks() {
  if (listView) listView->Clear();
}

void MainWindow::AddTrack(const std::string& title, uint32_t lengthMs) {
  if (listView) listView->Add(title, lengthMs);
}

void MainWindow::SetCurrentTrack(int index, uint32_t lengthMs) {
  if (listView) listView->SetCurrent(index);
  trackLength = lengthMs;
}

void MainWindow::Show() {
  if (hwnd) ShowWindow(hwnd, SW_SHOW);
}

void MainWindow::Hide() {
  if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

bool MainWindow::IsShown() const { return hwnd && IsWindowVisible(hwnd); }

void MainWindow::Focus() {
  if (hwnd) SetFocus(hwnd);
}

int MainWindow::GetCurrentTrack() const { return listView ? listView->current : -1; }

void MainWindow::SetTime(int minutes, int seconds) {
  timeMinutes = minutes;
  timeSeconds = seconds;
  InvalidateRegion(region::kTime);
  InvalidateRegion(region::kSeekBar);
}

int MainWindow::FullHeight() const { return geometry::HeightOf(g_settings.height); }

void MainWindow::SetSize(int widthUnits, int heightUnits) {
  g_settings.width = widthUnits;
  g_settings.height = heightUnits;
  windowWidth = geometry::WidthOf(widthUnits);
  windowHeight = FullHeight();
  if (listView) listView->UpdateLayout();
}

void MainWindow::ToggleCompact() {
  g_settings.compact = !g_settings.compact;
  if (g_settings.compact) {
    SetWindowPos(hwnd, nullptr, 0, 0, windowWidth, kCompactHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    windowHeight = kCompactHeight;
  } else {
    windowHeight = FullHeight();
    SetWindowPos(hwnd, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

void MainWindow::LoadSkin(bool force) {
  ListColors colors{};
  if (skin.Load(force, host, g_pluginInstance, pluginFolder, &colors)) {
    if (listView) listView->SetColors(colors);
    if (hwnd) InvalidateRect(hwnd, nullptr, TRUE);
  }
}

int MainWindow::HitTest(int x, int y) const { return HitTestRegions(x, y, windowWidth, windowHeight); }

void MainWindow::InvalidateRegion(int regionIndex) {
  if (!hwnd || regionIndex == region::kMove) return;
  if (regionIndex == region::kList && g_settings.compact) regionIndex = region::kCompactLine;
  const RECT rect = ResolveRegion(regionIndex, windowWidth, windowHeight);
  if (rect.right > rect.left && rect.bottom > rect.top) InvalidateRect(hwnd, &rect, TRUE);
}
