// Keeps the plug-in window with the host's windows and lends them two of its shortcuts: the
// procedures of the host's main window, equalizer, playlist editor and MiniBrowser are
// intercepted, a move of the main window takes a docked plug-in window along, comma and period
// step through the archive's tracks and Alt+M shows or hides the plug-in window. Where the player
// has a main popup menu for plug-ins (2.9 and later), an item there shows or hides the window: in
// the 5.x line Alt+M belongs to the player. A window docked to a modern skin's frame follows that
// frame without its procedure being replaced (the frames belong to the skin engine).
//
// The intercepted windows are found through a small table of the plug-in's own, keyed by window
// handle: the host's user-data slots stay the host's. The table also keeps each window's saved
// procedure, since it may have to outlive the HostDock (see Detach).
#pragma once
#include <windows.h>

class MainWindow;
class TrackCommands;

class HostDock {
 public:
  HostDock(MainWindow& owner, TrackCommands& commands);
  ~HostDock();  // detaches
  HostDock(const HostDock&) = delete;
  HostDock& operator=(const HostDock&) = delete;

  // Looks up the three other host windows by class and intercepts the four, in the order main,
  // equalizer, playlist editor, MiniBrowser. A missing window or a failed replacement is left
  // alone, and a window that appears later is never intercepted.
  void Attach(HWND hostWindow);

  // Lets go of the host's windows, before the plug-in's code may be unloaded. A window whose
  // current procedure is still ours gets its saved procedure back. Where someone replaced the
  // procedure after us, ours stays in their chain: the module is then pinned for the life of the
  // process and the procedure only passes every message on. Safe to call more than once.
  void Detach();

  // Checks the menu item while the plug-in window is shown.
  void SyncMenuCheck(bool shown);
  // Starts following the modern skin's frame the window is docked to (MainWindow::dockFrame).
  void FollowFrames();

  static LRESULT CALLBACK HostMainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EqProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MbProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  MainWindow& owner;
  TrackCommands& commands;
  HWND hostWnd = nullptr;
  HWND eqWnd = nullptr;  // null when not found
  HWND peWnd = nullptr;
  HWND mbWnd = nullptr;

 private:
  friend struct HostDockDispatch;
  // True when the message is handled here and `result` is its answer; false: pass it on.
  bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void Follow(LPARAM position);
  // The main window changed size in place (windowshade, double size): the player moves the windows
  // docked to its bottom and right edges by the change, and a docked plug-in window goes along.
  void FollowResize();
  void FollowFrame(HWND frame);
  void Forget(HWND window);
  void AddMenuItem();
  void RemoveMenuItem();
  static void CALLBACK OnLocationChange(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                        DWORD thread, DWORD time);

  HMENU menu_ = nullptr;  // the host's main popup menu, while our item is in it
  UINT menuCommand_ = 0;
  RECT mainRect_{};  // the main window where the user last saw it
  bool mainRectKnown_ = false;
  HWINEVENTHOOK frameHook_ = nullptr;
};
