; The installer of Flexara for 64-bit Windows, made by scripts/windows/build.sh:
;   makensis -DVERSION=1.0 -DSTAGE=<folder of the zip's files> -DFILES=<files.nsh>
;            -DLICENSE=<LICENSE> -DICON=<flexara.ico> -DOUTFILE=<setup.exe> flexara.nsi
; It shows the licence, installs into Program Files\Flexara, makes a Start-menu
; entry, opens .fxr files with Flexara (the program's icon on them), and its
; uninstaller removes every file, key and entry it made. /S installs silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!define APP "Flexara"
!define PROGID "Flexara.Projeto"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Flexara"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTKEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${APP} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\flexara.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Flexara"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\desinstalar.exe"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\flexara.exe" "" "$INSTDIR\flexara.exe" 0

  ; .fxr files open with Flexara and carry its icon.
  WriteRegStr HKLM "Software\Classes\.fxr" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Projeto do Flexara"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\flexara.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\flexara.exe" "%1"'

  ; Apps & features.
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "${APP} ${VERSION}"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\flexara.exe,0"
  WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "${APP}"
  WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1

  ; Explorer shows the new icon of .fxr files at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  ; The files the installer put there, one by one (files.nsh lists them), so
  ; that nothing of anyone else's in the folder is touched.
  !include "${FILES}"
  Delete "$INSTDIR\desinstalar.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${APP}.lnk"

  ; .fxr is left alone when another program has taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.fxr" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.fxr"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "${UNINSTKEY}"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
