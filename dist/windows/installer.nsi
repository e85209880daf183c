; The Windows installer: both games and the tools into the user's own programs
; folder (no administrator rights asked for), Start-menu entries for the two
; games, and an uninstaller that Settings > Apps lists. makensis gets VERSION,
; STAGE (the unpacked zip's folder), ICON, FILES (an include that deletes each
; file STAGE holds at its top) and OUTFILE from scripts/build-windows.
; A 64-bit installer for a 64-bit program (and wine64 runs it without a 32-bit wine).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

Name "vortane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\vortane"
InstallDirRegKey HKCU "Software\vortane" "InstallLocation"
BrandingText "vortane ${VERSION}"
Icon "${ICON}"
UninstallIcon "${ICON}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\vortane"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "vortane"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\vortane"
  CreateShortcut "$SMPROGRAMS\vortane\vortane.lnk" "$INSTDIR\vortane.exe" "" "$INSTDIR\vortane.exe" 0
  CreateShortcut "$SMPROGRAMS\vortane\vortane-classic.lnk" "$INSTDIR\vortane-classic.exe" "" \
    "$INSTDIR\vortane-classic.exe" 0
  CreateShortcut "$SMPROGRAMS\vortane\Uninstall vortane.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "Software\vortane" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "vortane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The vortane developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vortane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there and nothing else: a folder the player
; chose may hold files of their own (recordings, say).
Section "Uninstall"
  SetShellVarContext current
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /r "$INSTDIR\data"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\vortane\vortane.lnk"
  Delete "$SMPROGRAMS\vortane\vortane-classic.lnk"
  Delete "$SMPROGRAMS\vortane\Uninstall vortane.lnk"
  RMDir "$SMPROGRAMS\vortane"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\vortane"
SectionEnd
