// The host as it is: messages sent with SendMessageA to its main window, and its INI file
// (hostIniPath of the settings store) read with GetPrivateProfileIntA.
#pragma once
#include <windows.h>

#include "plugin/HostInterface.h"
#include "plugin/HostPlayer.h"

class HostWindowPlayer : public HostPlayer {
 public:
  explicit HostWindowPlayer(HWND hostWnd) : hostWnd_(hostWnd) {}

  int GetPlayState() override;
  uint32_t GetPosition() override;
  int GetListIndex() override;
  std::string GetEntryFileName(int listIndex) override;
  void Seek(uint32_t positionMs) override;
  void Play() override;
  void Pause() override;
  void Stop() override;
  void OpenInMiniBrowser(const std::string& path) override;
  HostSkin GetSkin() override;
  int GetListFontSize() override;
  int GetSnap() override;
  int GetSnapLength() override;
  HWND GetHostWindow(HostWindowKind kind) override;
  std::string GetHostIniFile() override;
  std::string GetSettingsFolder() override;
  WideString GetEntryWideFileName(int listIndex) override;
  bool IsMainWindowShown() override;
  HMENU GetMainMenu() override;
  UINT NewCommandId() override;

 private:
  LRESULT User(WPARAM wParam, LPARAM code) const;
  void Command(WPARAM command) const;
  // The host's version, asked once.
  uint32_t Version();
  // True for a host of version 0x2900 or later.
  bool TellsMore() { return Version() >= kHostVersionNewer; }
  // The answer to a message whose answer is an address or a handle; null below kLowestPointer.
  LRESULT Pointer(WPARAM wParam, LPARAM code) const;
  std::string Text(LPARAM code);

  HWND hostWnd_;
  int version_ = -1;  // -1: not asked yet
};
