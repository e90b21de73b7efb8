; The installer of gen_trackcase.dll: puts the plug-in, its guide (in the installer's language)
; and its licence into the player's Plugins folder and registers an uninstaller. The guide and the
; licence go beside the DLL, not into Plugins\gen_trackcase\, which is the plug-in's own skin folder.
; Built by tools/make_dist.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DDLL=... -DLICENSE_FILE=... -DREADME_JA=... -DREADME_EN=...
;            -DOUTFILE=... gen_trackcase.nsi
; Silent use: setup.exe /S [/D=C:\Path\To\Winamp]; uninstall: gen_trackcase-uninstall.exe /S
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !error "VERSION is not defined"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "gen_trackcase"
!define UNINSTALLER "gen_trackcase-uninstall.exe"
!define README "gen_trackcase-readme.txt"
!define LICENSE_NAME "gen_trackcase-license.txt"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\gen_trackcase"
!define SETTINGS_KEY "Software\gen_trackcase"
; The player's main window; a running player holds the DLL open.
!define PLAYER_CLASS "Winamp v1.x"
; Exit code of a silent run that found the player running.
!define EXIT_PLAYER_RUNNING 3

Name "gen_trackcase ${VERSION}"
OutFile "${OUTFILE}"
; The player writes its install folder as the default value of this key; without it, the usual place.
InstallDir "$PROGRAMFILES\Winamp"
InstallDirRegKey HKCU "Software\Winamp" ""
BrandingText "gen_trackcase ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "gen_trackcase"
VIAddVersionKey /LANG=0 "FileDescription" "gen_trackcase ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 gen_trackcase contributors (MIT License)"

!define MUI_ABORTWARNING
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${SETTINGS_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_WINDOWTITLE "Installer Language"
!define MUI_LANGDLL_INFO "言語を選んでください。$\r$\nPlease select a language."

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Plugins\${README}"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the default one.
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString WelcomeText ${LANG_JAPANESE} "zip.mp3 ファイルの曲の一覧を表示する Winamp のプラグイン gen_trackcase ${VERSION} をインストールします。$\r$\n$\r$\nインストールの前に Winamp を終了してください。$\r$\n$\r$\n続けるには「次へ」を押してください。"
LangString WelcomeText ${LANG_ENGLISH} "This installs gen_trackcase ${VERSION}, the Winamp plug-in that lists the tracks of zip.mp3 files.$\r$\n$\r$\nPlease close Winamp before you go on.$\r$\n$\r$\nClick Next to continue."
LangString PlayerRunning ${LANG_JAPANESE} "Winamp が起動しています。$\r$\nWinamp を終了してから「再試行」を押してください。"
LangString PlayerRunning ${LANG_ENGLISH} "Winamp is running.$\r$\nPlease close Winamp, then press Retry."
LangString NoPlayerHere ${LANG_JAPANESE} "このフォルダには winamp.exe がありません:$\r$\n$INSTDIR$\r$\n$\r$\nこのフォルダの Plugins にインストールしますか?"
LangString NoPlayerHere ${LANG_ENGLISH} "There is no winamp.exe in this folder:$\r$\n$INSTDIR$\r$\n$\r$\nInstall into its Plugins folder anyway?"
LangString RemoveSettings ${LANG_JAPANESE} "設定ファイル gen_trackcase.ini と独自スキンのフォルダ gen_trackcase も削除しますか?$\r$\n(「いいえ」を選ぶと残します)"
LangString RemoveSettings ${LANG_ENGLISH} "Also remove the settings file gen_trackcase.ini and the own-skin folder gen_trackcase?$\r$\n(Choose No to keep them.)"
; Winamp 5 keeps the settings in its per-user folder where the Plugins folder cannot be written.
LangString RemoveUserSettings ${LANG_JAPANESE} "Winamp のユーザー設定フォルダにある設定ファイルも削除しますか?$\r$\n$APPDATA\Winamp\Plugins\gen_trackcase.ini$\r$\n(「いいえ」を選ぶと残します)"
LangString RemoveUserSettings ${LANG_ENGLISH} "Also remove the settings file in Winamp's per-user settings folder?$\r$\n$APPDATA\Winamp\Plugins\gen_trackcase.ini$\r$\n(Choose No to keep it.)"
LangString DisplayName ${LANG_JAPANESE} "gen_trackcase (zip.mp3 表示プラグイン for Winamp)"
LangString DisplayName ${LANG_ENGLISH} "gen_trackcase (zip.mp3 track list for Winamp)"

; Waits until the player is closed: the user retries or cancels; a silent run ends with an exit code.
!macro WaitForPlayerClosed un
Function ${un}WaitForPlayerClosed
  ${Do}
    FindWindow $0 "${PLAYER_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel ${EXIT_PLAYER_RUNNING}
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PlayerRunning)" IDRETRY +2
    Quit
  ${Loop}
FunctionEnd
!macroend
!insertmacro WaitForPlayerClosed ""
!insertmacro WaitForPlayerClosed "un."

Function .onInit
  !insertmacro MUI_LANGDLL_DISPLAY
  ; No folder from the player's own key and none given with /D: the 32-bit uninstall entry of
  ; the player also names its folder.
  ${If} $INSTDIR == "$PROGRAMFILES\Winamp"
    ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp" "UninstallString"
    ${If} $0 != ""
      StrCpy $1 $0 1
      ${If} $1 == '"'
        StrCpy $0 $0 "" 1
        StrCpy $0 $0 -1
      ${EndIf}
      ${GetParent} $0 $1
      ${If} ${FileExists} "$1\*.*"
        StrCpy $INSTDIR $1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Call WaitForPlayerClosed
FunctionEnd

Function DirectoryLeave
  ${IfNot} ${FileExists} "$INSTDIR\winamp.exe"
    MessageBox MB_YESNO|MB_ICONQUESTION "$(NoPlayerHere)" IDYES +2
    Abort
  ${EndIf}
FunctionEnd

Section "gen_trackcase" SecPlugin
  SectionIn RO
  ; The player may have been started while the pages were shown.
  Call WaitForPlayerClosed
  SetOutPath "$INSTDIR\Plugins"
  File "/oname=gen_trackcase.dll" "${DLL}"
  ${If} $LANGUAGE == ${LANG_JAPANESE}
    File "/oname=${README}" "${README_JA}"
  ${Else}
    File "/oname=${README}" "${README_EN}"
  ${EndIf}
  File "/oname=${LICENSE_NAME}" "${LICENSE_FILE}"
  WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(DisplayName)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "gen_trackcase contributors"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\Plugins"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR\Plugins" "/M=gen_trackcase*.* /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  ; The uninstaller speaks the installer's language, also after a silent install.
  WriteRegStr HKCU "${SETTINGS_KEY}" "Installer Language" $LANGUAGE
SectionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
  Call un.WaitForPlayerClosed
FunctionEnd

; The uninstaller lives in Plugins, so $INSTDIR is the Plugins folder here.
Section "Uninstall"
  Delete "$INSTDIR\gen_trackcase.dll"
  Delete "$INSTDIR\${README}"
  Delete "$INSTDIR\${LICENSE_NAME}"
  Delete "$INSTDIR\${UNINSTALLER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  ; The user's settings and own skin stay unless the user asks; a silent run keeps them.
  ${If} ${FileExists} "$INSTDIR\gen_trackcase.ini"
  ${OrIf} ${FileExists} "$INSTDIR\gen_trackcase\*.*"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO keep
    Delete "$INSTDIR\gen_trackcase.ini"
    RMDir /r "$INSTDIR\gen_trackcase"
    keep:
  ${EndIf}
  ; The second place, in the per-user folder of the user who runs the uninstaller.
  ${If} ${FileExists} "$APPDATA\Winamp\Plugins\gen_trackcase.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveUserSettings)" /SD IDNO IDNO keepUser
    Delete "$APPDATA\Winamp\Plugins\gen_trackcase.ini"
    keepUser:
  ${EndIf}
SectionEnd
