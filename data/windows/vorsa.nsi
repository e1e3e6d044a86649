; The Windows installer, built by scripts/package --windows:
;   makensis -DVERSION=1.11 -DVERSION4=1.11.0.0 -DHOME_PAGE=https://... -DSTAGE=<folder>
;            -DICON=<vorsa.ico> -DOUTFILE=<setup.exe> vorsa.nsi
; STAGE holds the installed files as `cmake --install` lays them out: the
; programs, LICENSE.txt and readme.txt.
;
; Per machine, into Program Files\Vorsa, with a Start-menu shortcut, "Open
; with" for .cue and .ccd files, and an entry in Apps & features. The
; uninstaller takes away exactly what is written here, and leaves what it
; finds of other programs: another program's default for .cue or .ccd stays.

; The 32-bit stub does nothing under a 64-bit-only wine, yet exits 0.
Unicode true
Target amd64-unicode
ManifestSupportedOS Win10
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Integration.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorsa"
!define PROGID "Vorsa.DiscDescription"
!define PUBLISHER "Vorsa Project"

Name "Vorsa"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vorsa"
BrandingText "Vorsa ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 ProductName "Vorsa"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileDescription "Vorsa ${VERSION} Setup"
VIAddVersionKey /LANG=0 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=0 LegalCopyright "Copyright (c) 2026 Vorsa Project"

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; "Run Vorsa" starts it as the user, through Explorer (RunAsUser below).
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the fallback for a system in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString ProgIdName ${LANG_ENGLISH} "CD image description"
LangString ProgIdName ${LANG_JAPANESE} "CD イメージの記述ファイル"
LangString ShortcutComment ${LANG_ENGLISH} "Write the audio tracks of a raw CD image as WAV files"
LangString ShortcutComment ${LANG_JAPANESE} "CD イメージの音楽トラックを WAV ファイルに書き出す"
LangString NeedsAdmin ${LANG_ENGLISH} "Vorsa is installed for all users of this computer: run the installer as an administrator."
LangString NeedsAdmin ${LANG_JAPANESE} "Vorsa はこのコンピューターのすべてのユーザーにインストールされます。管理者としてインストーラーを実行してください。"

; Registry and shell folders: the 64-bit view, the all-users Start menu.
!macro MachineWide
  SetRegView 64
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro MachineWide
FunctionEnd

Function un.onInit
  !insertmacro MachineWide
FunctionEnd

; The installer runs elevated, and a program it started itself would be
; too: Windows would then keep drops from Explorer away from the window
; (User Interface Privilege Isolation), and the user's mapped network drives
; from its drive list. Explorer, which runs as the user, starts it instead.
Function RunAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\vorsa.exe"'
FunctionEnd

; "Open with" for one extension; the default program only where there is none.
!macro OpenWith extension
  WriteRegNone HKLM "Software\Classes\${extension}\OpenWithProgids" "${PROGID}"
  ReadRegStr $0 HKCR "${extension}" ""
  ${If} $0 == ""
    WriteRegStr HKLM "Software\Classes\${extension}" "" "${PROGID}"
  ${EndIf}
!macroend

!macro RemoveOpenWith extension
  DeleteRegValue HKLM "Software\Classes\${extension}\OpenWithProgids" "${PROGID}"
  ReadRegStr $0 HKLM "Software\Classes\${extension}" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKLM "Software\Classes\${extension}" ""
  ${EndIf}
  DeleteRegKey /ifempty HKLM "Software\Classes\${extension}\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\${extension}"
!macroend

Section
  SetOutPath "$INSTDIR"
  File "${STAGE}\vorsa.exe"
  File "${STAGE}\vorsa-cli.exe"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\readme.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The window opens in the folder it is started in: the user's own, as the
  ; desktop's launchers on Linux give it, rather than Program Files. The
  ; shortcut takes its working folder from $OUTDIR, which Windows expands
  ; when the shortcut starts. Every later command, the finish page's Exec
  ; among them, runs in $OUTDIR: it is a real folder again right after.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortcut "$SMPROGRAMS\Vorsa.lnk" "$INSTDIR\vorsa.exe" "" "" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "$(ProgIdName)"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\vorsa.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\vorsa.exe" "%1"'
  !insertmacro OpenWith ".cue"
  !insertmacro OpenWith ".ccd"
  ${NotifyShell_AssocChanged}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vorsa"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorsa.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Vorsa.lnk"

  !insertmacro RemoveOpenWith ".cue"
  !insertmacro RemoveOpenWith ".ccd"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  ${NotifyShell_AssocChanged}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; A program still running is removed when Windows starts next.
  Delete /REBOOTOK "$INSTDIR\vorsa.exe"
  Delete /REBOOTOK "$INSTDIR\vorsa-cli.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay, and so does the folder.
  RMDir /REBOOTOK "$INSTDIR"
SectionEnd
