#include "plugin/HostWindowPlayer.h"

#include "plugin/HostInterface.h"
#include "settings/SettingsStore.h"

LRESULT HostWindowPlayer::User(WPARAM wParam, LPARAM code) const {
  return SendMessageA(hostWnd_, kHostUserMessage, wParam, code);
}

void HostWindowPlayer::Command(WPARAM command) const { SendMessageA(hostWnd_, WM_COMMAND, command, 0); }

LRESULT HostWindowPlayer::Pointer(WPARAM wParam, LPARAM code) const {
  const LRESULT answer = User(wParam, code);
  return static_cast<uintptr_t>(answer) < kLowestPointer ? 0 : answer;
}

int HostWindowPlayer::GetPlayState() { return static_cast<int>(User(0, kIpcIsPlaying)); }

uint32_t HostWindowPlayer::GetPosition() { return static_cast<uint32_t>(User(0, kIpcGetOutputTime)); }

int HostWindowPlayer::GetListIndex() { return static_cast<int>(User(0, kIpcGetListPos)); }

std::string HostWindowPlayer::GetEntryFileName(int listIndex) {
  const auto* name = reinterpret_cast<const char*>(Pointer(static_cast<WPARAM>(listIndex), kIpcGetPlaylistFile));
  return name ? std::string(name) : std::string();
}

void HostWindowPlayer::Seek(uint32_t positionMs) { User(static_cast<WPARAM>(positionMs), kIpcJumpToTime); }

void HostWindowPlayer::Play() { Command(kCommandPlay); }

void HostWindowPlayer::Pause() { Command(kCommandPause); }

void HostWindowPlayer::Stop() { Command(kCommandStop); }

void HostWindowPlayer::OpenInMiniBrowser(const std::string& path) {
  User(reinterpret_cast<WPARAM>(path.c_str()), kIpcMiniBrowserOpen);
  User(0, kIpcMiniBrowserOpen);
}

HostSkin HostWindowPlayer::GetSkin() {
  char folder[kSkinPathBufferSize] = {};
  const auto* identity = reinterpret_cast<const char*>(Pointer(reinterpret_cast<WPARAM>(folder), kIpcGetSkinInfo));
  // The host writes into our buffer; never trust it to have stopped inside.
  folder[kSkinPathBufferSize - 1] = '\0';
  return HostSkin{std::string(folder), identity ? std::string(identity) : std::string()};
}

int HostWindowPlayer::GetListFontSize() {
  return static_cast<int>(
      GetPrivateProfileIntA(kHostIniSection, kHostKeyFontSize, kHostDefaultFontSize, hostIniPath.c_str()));
}

int HostWindowPlayer::GetSnap() {
  return static_cast<int>(GetPrivateProfileIntA(kHostIniSection, kHostKeySnap, kHostDefaultSnap, hostIniPath.c_str()));
}

int HostWindowPlayer::GetSnapLength() {
  return static_cast<int>(
      GetPrivateProfileIntA(kHostIniSection, kHostKeySnapLength, kHostDefaultSnapLength, hostIniPath.c_str()));
}

uint32_t HostWindowPlayer::Version() {
  if (version_ < 0) version_ = static_cast<int>(static_cast<uint32_t>(User(0, kIpcGetVersion)) & 0x7FFFFFFFu);
  return static_cast<uint32_t>(version_);
}

std::string HostWindowPlayer::Text(LPARAM code) {
  if (!TellsMore()) return std::string();
  const auto* text = reinterpret_cast<const char*>(Pointer(0, code));
  return text ? std::string(text) : std::string();
}

HWND HostWindowPlayer::GetHostWindow(HostWindowKind kind) {
  if (!TellsMore()) return nullptr;
  const HWND window = reinterpret_cast<HWND>(Pointer(static_cast<WPARAM>(kind), kIpcGetHostWindow));
  return window != nullptr && IsWindow(window) ? window : nullptr;
}

std::string HostWindowPlayer::GetHostIniFile() { return Text(kIpcGetIniFile); }

std::string HostWindowPlayer::GetSettingsFolder() { return Text(kIpcGetSettingsFolder); }

WideString HostWindowPlayer::GetEntryWideFileName(int listIndex) {
  // Older hosts do not know the message (they answer 1); some use its number for something else.
  if (Version() < kHostVersionWideNames) return WideString();
  const auto* name = reinterpret_cast<const wchar_t*>(Pointer(static_cast<WPARAM>(listIndex), kIpcGetPlaylistFileW));
  return name ? WideString(name) : WideString();
}

bool HostWindowPlayer::IsMainWindowShown() {
  return Version() < kHostVersionFive || User(0, kIpcIsMainWindowShown) != 0;
}

HMENU HostWindowPlayer::GetMainMenu() {
  if (!TellsMore()) return nullptr;
  // A menu handle is checked by the system itself: an unknown message's 1 is no menu.
  const HMENU menu = reinterpret_cast<HMENU>(User(0, kIpcGetMainMenu));
  return menu != nullptr && IsMenu(menu) ? menu : nullptr;
}

UINT HostWindowPlayer::NewCommandId() {
  if (Version() < kHostVersionFiveOne) return 0;
  const auto id = static_cast<uintptr_t>(User(0, kIpcNewCommandId));
  // A command travels in the low word of WM_COMMAND's wParam; 0 and 1 are the dialogs' OK and Cancel.
  return id > 1 && id <= 0xFFFF ? static_cast<UINT>(id) : 0;
}
