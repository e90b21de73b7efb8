// User messages the host answers beyond those the plug-in's interface names (WM_USER, code in
// lParam), and what its 5.x modes answer to them.
#pragma once
#include <windows.h>

#include <cstdint>

namespace host {

constexpr LPARAM kMsgMainMenu = 281;        // wParam 0: the main popup menu's handle (2.9+)
constexpr LPARAM kMsgNewCommandId = 3019;   // a command id no one else uses (5.1+)
constexpr LPARAM kMsgMainShown = 900;       // 1 while the main window is shown (5.0+)
constexpr LPARAM kMsgDoubleSize = 608;      // 1 in double size (5.0+)
constexpr LPARAM kMsgShaded = 638;          // wParam -1: 1 while the main window is shaded (5.04+)
constexpr LRESULT kFirstNewCommandId = 46000;
// Commands the host understands besides the play, pause and stop of the plug-in's interface.
constexpr UINT kCommandPrevious = 40044;
constexpr UINT kCommandNext = 40048;
// Items of the host's main popup menu besides the transport commands.
constexpr UINT kMenuExit = 105;
constexpr UINT kMenuSkinFirst = 200;    // + skin index
constexpr UINT kMenuConfigFirst = 400;  // + plug-in index

// What the player answers to a message it does not implement.
constexpr LRESULT kUnknownAnswer = 1;

// The player line a mode plays: what it tells and which messages and windows it has.
struct PlayerLine {
  uint32_t version = 0;     // answer to message 0; 0 in the default (2.x) mode
  bool fiveLine = false;    // 334, 335, 260, 281, 900, 608, the Alt+M accelerator
  bool wide = false;        // 214, Unicode windows, UTF-8 playlist names
  bool miniBrowser = true;  // a MiniBrowser window (and 260 with wParam 2)
  bool commandIds = false;  // 3019
  bool shadeQuery = false;  // 638
};

constexpr PlayerLine kLineTwo = {0, false, false, true, false, false};
constexpr PlayerLine kLineFive = {0x5666, true, true, false, true, true};
constexpr PlayerLine kLineFiveEarly = {0x5001, true, false, true, false, false};

}  // namespace host
