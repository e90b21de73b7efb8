// The plug-in's one window: a borderless, skinned window in the manner of the host's playlist
// editor. It owns the track list, the skin and the 100-millisecond timer that drives the archive
// controller; it handles the mouse and keys, moves and resizes itself in units, snaps to the
// host's windows and folds into a 14-pixel strip.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controller/TrackDisplay.h"
#include "display/HitRegions.h"
#include "display/Skin.h"
#include "display/TrackListView.h"
#include "display/WindowGeometry.h"
#include "plugin/HostPlayer.h"

class HostDock;
class TrackCommands;

// The host's equalizer, playlist editor or MiniBrowser window: as the host names it where it does
// (another player's windows of the same classes may be running), else found by class. Null when
// there is none.
HWND FindHostWindow(HostPlayer* host, HostWindowKind kind);

// Opens the configuration dialog; set by start-up. Null: the settings menu item does nothing.
extern void (*g_openConfiguration)();

constexpr const char kMainWindowClass[] = "SimpleVis";
constexpr UINT_PTR kTickTimerId = 0;
constexpr UINT kTickMilliseconds = 100;
constexpr int kSettingsMenuCommand = 1;

class MainWindow : public TrackDisplay {
 public:
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The window class "SimpleVis"; start-up registers it before it creates the window with this
  // object as the creation parameter.
  static bool RegisterClass(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // What the controller calls.
  void ClearTracks() override;
  void AddTrack(const std::string& title, uint32_t lengthMs) override;
  void SetCurrentTrack(int index, uint32_t lengthMs) override;
  int GetCurrentTrack() const override;
  void SetTime(int minutes, int seconds) override;
  void Show() override;
  void Hide() override;
  bool IsShown() const override;
  void Focus() override;

  void ToggleCompact();
  // Works out the docked state from the saved position on first use.
  bool IsDocked();

  void SetSize(int widthUnits, int heightUnits);
  void LoadSkin(bool force);
  POINT Snap(int x, int y);
  int HitTest(int x, int y) const;
  void InvalidateRegion(int regionIndex);

  // Draws the whole window into `dc` (frame, list, time and seek bar), as the paint does off screen.
  void Render(HDC dc);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd = nullptr;
  HWND hostWnd = nullptr;  // owner, and a window to snap to
  HostPlayer* host = nullptr;  // every message to the host and every read of its INI file
  HWND eqWnd = nullptr;
  HWND peWnd = nullptr;
  HWND mbWnd = nullptr;
  Skin skin;  // pleditBitmap, textBitmap, posbarBitmap, skinName, skinFolder
  std::unique_ptr<TrackListView> listView;
  int windowWidth = 0;
  int windowHeight = 0;
  uint32_t trackLength = 0;
  int timeMinutes = -1;
  int timeSeconds = -1;
  bool active = false;
  bool resizing = false;
  bool moving = false;
  int grabX = 0;
  int grabY = 0;
  bool thumbDragging = false;
  int docked = -1;  // -1 not yet known, 0 free, 1 snapped to a host window
  int dockOffsetX = 0;  // relative to the host main window's top-left corner, or to dockFrame's
  int dockOffsetY = 0;
  HWND dockFrame = nullptr;  // the modern skin's frame it is docked to; null: the host's main window
  bool seeking = false;
  int seekPos = 0;  // 0..65
  TrackCommands* commands = nullptr;  // the archive controller
  HostDock* dock = nullptr;  // told when the window is shown or hidden, and when it docks to a frame

 private:
  void OnCreate();
  void OnTick();
  void OnPaint();
  void OnLeftButtonDown(int x, int y);
  void OnMouseMove(int y);
  void OnLeftButtonUp();
  void AbandonDrag();
  void OnLeftDoubleClick(int x, int y);
  void OnRightButtonDown(int x, int y);
  void OnKey(WPARAM key);
  LRESULT OnSystemKey(WPARAM key, LPARAM flags);
  void ShowSettingsMenu();
  void ResizeTo(POINT cursor);
  void UpdateSeekPos(POINT cursor);
  int FullHeight() const;
  int CurrentLengthSeconds() const;

  void PaintFrame(HDC dc, HDC pleditDc);
  void PaintCompactFrame(HDC dc, HDC pleditDc);
  void PaintTime(HDC dc, HDC textDc, HDC posbarDc);
};
