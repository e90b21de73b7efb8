// The host's side of the message contract, and its player keys.
#include "host/AnsiText.h"
#include "host/HostApp.h"
#include "plugin/HostInterface.h"

namespace host {
namespace {

// Commands the host itself understands besides the play, pause and stop of the contract.
constexpr UINT kCommandPrevious = 40044;
constexpr UINT kCommandNext = 40048;

// Keys of the host's windows, as a player's.
constexpr WPARAM kKeyComma = 188;
constexpr WPARAM kKeyPeriod = 190;

// The version the host tells in the 5.x line.
constexpr LRESULT kFiveLineVersion = 0x5666;

}  // namespace

LRESULT HostApp::OnUserMessage(WPARAM wp, LPARAM code) {
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
      return fiveLine_ ? kFiveLineVersion : 0;
    case kIpcGetIniFile:
      return fiveLine_ ? reinterpret_cast<LRESULT>(iniPath_.c_str()) : 0;
    case kIpcGetSettingsFolder:
      return fiveLine_ ? reinterpret_cast<LRESULT>(settingsFolder_.c_str()) : 0;
    case kIpcGetHostWindow:
      if (!fiveLine_) return 0;
      return reinterpret_cast<LRESULT>(wp == 0 ? eq_ : wp == 1 ? pe_ : nullptr);  // no MiniBrowser
    case kIpcGetPlaylistFileW: {
      const PlaylistEntry* e = fiveLine_ && wp <= 0x7FFFFFFF ? clock_.Entry(static_cast<int>(wp)) : nullptr;
      return e ? reinterpret_cast<LRESULT>(e->widePath.c_str()) : 0;
    }
    case kIpcGetSkinInfo: {
      skinFolderAnswer_ = skins_.CurrentFolder();
      if (wp) CopyAnsiBounded(skinFolderAnswer_, reinterpret_cast<char*>(wp), kSkinPathBufferSize);
      return reinterpret_cast<LRESULT>(skins_.CurrentName());
    }
    default:
      return 0;
  }
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
    default: return;
  }
  (void)hwnd;
  Refresh();
}

}  // namespace host
