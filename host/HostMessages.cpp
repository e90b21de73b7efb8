// The host's side of the message contract, and its player keys.
#include "host/AnsiText.h"
#include "host/HostApp.h"
#include "plugin/HostInterface.h"

namespace host {
namespace {

// Keys of the host's windows, as a player's.
constexpr WPARAM kKeyComma = 188;
constexpr WPARAM kKeyPeriod = 190;

}  // namespace

LRESULT HostApp::OnUserMessage(WPARAM wp, LPARAM code, bool& known) {
  known = true;
  const PlayerLine& line = line_;
  switch (code) {
    case kIpcIsPlaying:
      return static_cast<LRESULT>(clock_.State());
    case kIpcGetOutputTime:
      if (wp == 0) return clock_.State() == PlayState::Stopped ? -1 : static_cast<LRESULT>(clock_.Position());
      if (wp == 1) return static_cast<LRESULT>(clock_.CurrentLength() / 1000);
      if (wp == 2) return static_cast<LRESULT>(clock_.CurrentLength());
      return -1;
    case kIpcJumpToTime: {
      const LRESULT r = clock_.Seek(static_cast<uint32_t>(wp));
      Refresh();
      return r;
    }
    case kIpcGetListPos:
      return clock_.CurrentIndex();
    case kIpcGetPlaylistFile: {
      // The index arrives as an unsigned word; anything outside the list gets null.
      const PlaylistEntry* e = wp <= 0x7FFFFFFF ? clock_.Entry(static_cast<int>(wp)) : nullptr;
      return e ? reinterpret_cast<LRESULT>(e->path.c_str()) : 0;
    }
    case kIpcMiniBrowserOpen:
      if (wp) mbPath_ = reinterpret_cast<const char*>(wp);
      if (mb_) {
        InvalidateRect(mb_, nullptr, TRUE);
        SetWindowPos(mb_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      }
      return 0;
    case kIpcGetVersion:
      return static_cast<LRESULT>(line.version);
    case kIpcGetIniFile:
      if (!line.fiveLine) break;
      return reinterpret_cast<LRESULT>(iniPath_.c_str());
    case kIpcGetSettingsFolder:
      if (!line.fiveLine) break;
      return reinterpret_cast<LRESULT>(settingsFolder_.c_str());
    case kIpcGetHostWindow:
      if (!line.fiveLine) break;
      return reinterpret_cast<LRESULT>(wp == 0 ? eq_ : wp == 1 ? pe_ : wp == 2 ? mb_ : nullptr);
    case kIpcGetPlaylistFileW: {
      if (!line.wide) break;
      const PlaylistEntry* e = wp <= 0x7FFFFFFF ? clock_.Entry(static_cast<int>(wp)) : nullptr;
      return e ? reinterpret_cast<LRESULT>(e->widePath.c_str()) : 0;
    }
    case kMsgMainMenu:
      if (!line.fiveLine) break;
      return wp == 0 ? reinterpret_cast<LRESULT>(menu_.main) : 0;  // no other menu is told
    case kMsgNewCommandId:
      if (!line.commandIds) break;
      return nextCommandId_++;
    case kMsgMainShown:
      if (!line.fiveLine) break;
      return mainHidden_ ? 0 : 1;
    case kMsgDoubleSize:
      if (!line.fiveLine) break;
      return double_ ? 1 : 0;
    case kMsgShaded:
      if (!line.shadeQuery) break;
      return wp == static_cast<WPARAM>(-1) && shaded_ ? 1 : 0;
    case kIpcGetSkinInfo: {
      skinFolderAnswer_ = skins_.CurrentFolder();
      if (wp) CopyAnsiBounded(skinFolderAnswer_, reinterpret_cast<char*>(wp), kSkinPathBufferSize);
      return reinterpret_cast<LRESULT>(skins_.CurrentName());
    }
    default:
      break;
  }
  known = false;
  return kUnknownAnswer;
}

bool HostApp::OnPlayerKey(WPARAM vk) {
  switch (vk) {
    case kKeyPeriod:
    case 'B': clock_.Next(); break;
    case kKeyComma:
    case 'Z': clock_.Previous(); break;
    case 'X': clock_.Play(); break;
    case 'C': clock_.TogglePause(); break;
    case 'V': clock_.Stop(); break;
    default: return false;
  }
  Refresh();
  return true;
}

void HostApp::OnCommand(HWND hwnd, UINT id) {
  switch (id) {
    case kCommandPlay: clock_.Play(); break;
    case kCommandPause: clock_.TogglePause(); break;
    case kCommandStop: clock_.Stop(); break;
    case kCommandPrevious: clock_.Previous(); break;
    case kCommandNext: clock_.Next(); break;
    case kMenuExit: PostMessageA(hwnd, WM_CLOSE, 0, 0); return;
    default:
      if (id >= kMenuSkinFirst && id - kMenuSkinFirst < skins_.Names().size())
        SelectSkin(skins_.Names()[id - kMenuSkinFirst]);
      else if (id >= kMenuConfigFirst && id - kMenuConfigFirst < plugins_.Plugins().size())
        plugins_.Configure(id - kMenuConfigFirst);
      else
        return;  // not the host's: a plug-in's own item, say
      break;
  }
  Refresh();
}

}  // namespace host
