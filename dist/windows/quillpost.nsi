# SPDX-License-Identifier: MIT
; The installer of Quillpost for 64-bit Windows, made with
;   makensis -XTarget amd64-unicode -DVERSION=... -DSTAGE=... -DOUTFILE=... quillpost.nsi
; STAGE is the folder that holds what is installed: quillpost.exe,
; quillpost-geo.exe and README.txt. It installs to Program Files, with a
; start-menu entry for every user and an uninstaller that Windows' list of
; programs knows; "/S" installs and uninstalls silently. The settings in
; %APPDATA%\Kvo Applications are the user's and stay.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillpost"

Name "Quillpost ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillpost"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quillpost"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\quillpost.exe"
  File "${STAGE}\quillpost-geo.exe"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Quillpost"
  CreateShortcut "$SMPROGRAMS\Quillpost\Quillpost.lnk" "$INSTDIR\quillpost.exe"
  CreateShortcut "$SMPROGRAMS\Quillpost\Uninstall Quillpost.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillpost"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Kvo Applications"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillpost.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Quillpost\Quillpost.lnk"
  Delete "$SMPROGRAMS\Quillpost\Uninstall Quillpost.lnk"
  RMDir "$SMPROGRAMS\Quillpost"
  Delete "$INSTDIR\quillpost.exe"
  Delete "$INSTDIR\quillpost-geo.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
