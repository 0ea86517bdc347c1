; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of zorvane, made by scripts/windows-package:
;   makensis -DVERSION=1.0.0.1 -DSTAGE=<the unpacked zip's zorvane folder>
;            -DFILES=<its list of files, as NSIS lines> -DOUTFILE=<setup.exe>
; Shows the licence first, then installs into Program Files with a
; Start-menu entry and an uninstaller; /S installs (and uninstalls) without
; asking.
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
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 zorvane developers. GPL-3.0-or-later."

!include MUI2.nsh
; The GPL asks nothing of those who only run the program: the page tells,
; and goes on with Next rather than "I Agree".
!define MUI_PAGE_HEADER_TEXT "Licence"
!define MUI_PAGE_HEADER_SUBTEXT "zorvane ${VERSION} is free software."
!define MUI_LICENSEPAGE_TEXT_TOP "The GNU General Public License, version 3 or later:"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "You need not accept this licence to install or run zorvane. It gives you the right to share and change zorvane, on its terms. THIRD-PARTY-NOTICES.txt, installed beside it, names the other software it carries and their licences."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

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
