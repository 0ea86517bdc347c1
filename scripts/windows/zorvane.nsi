; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of zorvane, made by scripts/windows-package:
;   makensis -DVERSION=1.0.0.1 -DSTAGE=<the unpacked zip's zorvane folder>
;            -DFILES=<its list of files, as NSIS lines> -DOUTFILE=<setup.exe>
; Installs into Program Files with a Start-menu entry and an uninstaller;
; /S installs (and uninstalls) without asking.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\zorvane"
; zorvane is offered under "Open with" for camera lists, never made their default.
!define LIST_CLASS "Software\Classes\zorvane.CameraList"

Name "zorvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\zorvane"
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "zorvane Application"
VIAddVersionKey "FileDescription" "zorvane ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "zorvane"
  SetRegView 64
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\zorvane"
  CreateShortcut "$SMPROGRAMS\zorvane\zorvane.lnk" "$INSTDIR\zorvane.exe"
  CreateShortcut "$SMPROGRAMS\zorvane\Uninstall zorvane.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "zorvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zorvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKLM "${LIST_CLASS}" "" "Camera list"
  WriteRegStr HKLM "${LIST_CLASS}\shell\open\command" "" '"$INSTDIR\zorvane.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\.ov2\OpenWithProgids" "zorvane.CameraList" ""
  WriteRegStr HKLM "Software\Classes\.gpx\OpenWithProgids" "zorvane.CameraList" ""
SectionEnd

; Only what was installed goes: a folder the user chose may hold more.
Section "Uninstall"
  SetRegView 64
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  Delete "$SMPROGRAMS\zorvane\zorvane.lnk"
  Delete "$SMPROGRAMS\zorvane\Uninstall zorvane.lnk"
  RMDir "$SMPROGRAMS\zorvane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "Software\Classes\.ov2\OpenWithProgids" "zorvane.CameraList"
  DeleteRegValue HKLM "Software\Classes\.gpx\OpenWithProgids" "zorvane.CameraList"
  DeleteRegKey /ifempty HKLM "Software\Classes\.ov2\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.ov2"
  DeleteRegKey /ifempty HKLM "Software\Classes\.gpx\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.gpx"
  DeleteRegKey HKLM "${LIST_CLASS}"
SectionEnd
