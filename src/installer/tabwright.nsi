; Tabwright's setup program: a per-user install that needs no administrator.
;   makensis -DVERSION=1.0.0 -DARCH=x64 -DSTAGE=DIR -DPATHTOOL=FILE -DICON=FILE -DOUTFILE=FILE tabwright.nsi
; ARCH is x64 (a 64-bit setup) or x86 (a 32-bit one, which also runs on 64-bit
; Windows); each installs STAGE\ARCH\Tabwright.exe and tabwright-format.exe.
; PATHTOOL is that build's tabwright-path.exe, which edits the user's Path.
!ifndef VERSION | ARCH | STAGE | PATHTOOL | ICON | OUTFILE
  !error "VERSION, ARCH, STAGE, PATHTOOL, ICON and OUTFILE must be defined"
!endif
!if ${ARCH} == x64
  Target amd64-unicode
!else if ${ARCH} != x86
  !error "ARCH must be x64 or x86"
!endif
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT Tabwright
!define PUBLISHER Quillmark
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The program's own autostart entry and its settings (src/settings/setting_names.h).
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE Quillmark
!define SETTINGS_KEY "Software\Quillmark"
; The main window's class, and its "&Quit" command (src/shell/resource.h).
!define WINDOW_CLASS Kestrel
!define IDM_QUITPROGRAM 2306

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" InstallLocation
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey LegalCopyright "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; Asks every running Tabwright to quit through its window, as its tray menu's
; "&Quit" does, and waits up to five seconds for each process to end, so
; that its files can be replaced or removed.
!macro CLOSE_TABWRIGHT un
Function ${un}CloseTabwright
  StrCpy $R1 0
  ${Do}
    FindWindow $R0 "${WINDOW_CLASS}" ""
    ${IfThen} $R0 == 0 ${|} ${ExitDo} ${|}
    System::Call "user32::GetWindowThreadProcessId(p R0, *i .R2)"
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i R2) p .R3"  ; SYNCHRONIZE
    SendMessage $R0 ${WM_COMMAND} ${IDM_QUITPROGRAM} 0 /TIMEOUT=2000
    ${If} $R3 P<> 0
      System::Call "kernel32::WaitForSingleObject(p R3, i 5000)"
      System::Call "kernel32::CloseHandle(p R3)"
    ${Else}
      Sleep 500
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${LoopUntil} $R1 >= 10
FunctionEnd
!macroend
!insertmacro CLOSE_TABWRIGHT ""
!insertmacro CLOSE_TABWRIGHT "un."

; The editor of the user's Path, run from the setup's temporary folder; its
; exit status in $0.
!macro RUN_PATH_TOOL verb folder
  InitPluginsDir
  File "/oname=$PLUGINSDIR\tabwright-path.exe" "${PATHTOOL}"
  StrCpy $0 ""
  ExecWait '"$PLUGINSDIR\tabwright-path.exe" ${verb} "${folder}"' $0
!macroend

!macro PATH_TOOL verb
  !insertmacro RUN_PATH_TOOL ${verb} "$INSTDIR"
  ${If} $0 != 0
    DetailPrint "Your PATH could not be changed; it stays as it was."
  ${EndIf}
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  Call CloseTabwright
  SetOutPath "$INSTDIR"
  File "${STAGE}\${ARCH}\Tabwright.exe"
  File "${STAGE}\${ARCH}\tabwright-format.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

; Written as the program's Functions > Settings > "&Load after reboot" writes
; it: the quoted path of Tabwright.exe. Left unticked, autostart is off.
Section "Start ${PRODUCT} at logon" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${PRODUCT}.exe"'
SectionEnd

; Per user: tabwright-format then runs by its name in every new console, and
; for tools such as pre-commit. Left unticked, the Path stays as it is.
Section "Add tabwright-format to my PATH" SecPath
  !insertmacro PATH_TOOL add
SectionEnd

Section "-AutostartOff"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
SectionEnd

Function .onInit
  ; An upgrade leaves the Path as the user chose before: when the installed
  ; folder is not on it, the box starts unticked.
  ClearErrors
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" InstallLocation
  ${IfNot} ${Errors}
    !insertmacro RUN_PATH_TOOL holds "$1"
    ${If} $0 == 3
      !insertmacro UnselectSection ${SecPath}
    ${EndIf}
  ${EndIf}
  ; An upgrade offers autostart as the user left it: the program switches
  ; it off by emptying the value.
  ClearErrors
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} ${Errors}
  ${OrIf} $0 != ""
    Return
  ${EndIf}
  !insertmacro UnselectSection ${SecAutostart}
FunctionEnd

Section "un.${PRODUCT}" UnSecProgram
  SectionIn RO
  Call un.CloseTabwright
  !insertmacro PATH_TOOL remove
  Delete "$INSTDIR\Tabwright.exe"
  Delete "$INSTDIR\tabwright-format.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; The templates, hotkeys and switches stay unless this is ticked.
Section /o "un.Remove my settings" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
