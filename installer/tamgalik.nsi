; The per-user installer: no administrator, everything in the user's own
; profile and HKCU. The build (installer/make_downloads.py) passes VERSION,
; VERSION_QUAD, PROGRAM, HOOK, SOURCE_DIR and OUT_FILE, and SIGN_COMMAND for
; a signed release.
;
;   setup.exe [/S] [/STARTUP=0|1] [/D=folder]
;
; /STARTUP chooses the "start with Windows" shortcut; without it an upgrade
; keeps the earlier choice and a first install makes the shortcut.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
; A damaged or cut-short download refuses to run, whatever its command line.
CRCCheck force
SetCompressor /SOLID lzma
; The same sources make the same installer: no file times of the build machine.
SetDateSave off
!ifdef SIGN_COMMAND
  ; The uninstaller is signed before it is packed, so its installed copy is too.
  !uninstfinalize `${SIGN_COMMAND} "%1"` = 0
!endif
ManifestDPIAware true

!define PRODUCT "Tamgalik"
!define PUBLISHER "Tamgalik developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0
!define CLOSE_WAIT_MS 10000
!define EXIT_FOLDER_NOT_WRITABLE 2
!define EXIT_STILL_RUNNING 3
!define EXIT_BAD_OPTION 4

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "${SOURCE_DIR}/res/tamgalik.ico"
!define MUI_UNICON "${SOURCE_DIR}/res/tamgalik.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartUnlessRunning

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var RestartAfterInstall

; Closes a running copy as its user would, through its main window's close:
; the program finishes its keyboard hook and ends, which frees its files.
; Waits for the process to be gone; one that does not end in time is left
; to the user (Retry) or stops the installer (Cancel, and silently).
; Sets $0 to 1 when a copy was closed.
!macro DEFINE_CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
  StrCpy $0 0
  FindWindow $1 "TForm1" "${PRODUCT}"
  StrCmp $1 0 done
  System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r2) p .r3'
  SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  wait:
    System::Call 'kernel32::WaitForSingleObject(p r3, i ${CLOSE_WAIT_MS}) i .r4'
    IntCmp $4 ${WAIT_OBJECT_0} closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. Close it from its tray icon, then click Retry." \
        /SD IDCANCEL IDRETRY wait
    System::Call 'kernel32::CloseHandle(p r3)'
    SetErrorLevel ${EXIT_STILL_RUNNING}
    Quit
  closed:
  System::Call 'kernel32::CloseHandle(p r3)'
  StrCpy $0 1
  done:
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_COPY ""
!insertmacro DEFINE_CLOSE_RUNNING_COPY "un."

; $0 = 1 when $INSTDIR can take the files. A folder made only to try is
; taken away again, so a refused folder is left as it was.
Function CheckFolderWritable
  StrCpy $0 0
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
    ClearErrors
    CreateDirectory "$INSTDIR"
  ${EndIf}
  ClearErrors
  FileOpen $2 "$INSTDIR\tamgalik-write-check.tmp" w
  ${IfNot} ${Errors}
    FileClose $2
    Delete "$INSTDIR\tamgalik-write-check.tmp"
    StrCpy $0 1
  ${EndIf}
  ${If} $1 = 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

!define NOT_WRITABLE_TEXT "${PRODUCT} cannot be installed in $\"$INSTDIR$\": you have no permission to write in this folder.$\r$\n$\r$\nChoose a folder of your own, such as the one offered first."

Function DirectoryLeave
  Call CheckFolderWritable
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONSTOP "${NOT_WRITABLE_TEXT}"
    Abort  ; stays on the folder page
  ${EndIf}
FunctionEnd

Function StartUnlessRunning
  FindWindow $0 "TForm1" "${PRODUCT}"
  ${If} $0 = 0
    Exec '"$INSTDIR\tamgalik.exe"'
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  ; Checked before anything changes, for /D= and silent installs too.
  Call CheckFolderWritable
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONSTOP "${NOT_WRITABLE_TEXT}" /SD IDOK
    SetErrorLevel ${EXIT_FOLDER_NOT_WRITABLE}
    Quit
  ${EndIf}
  Call CloseRunningCopy
  StrCpy $RestartAfterInstall $0

  SetOutPath "$INSTDIR"
  File "${PROGRAM}"
  File "${HOOK}"
  File "${SOURCE_DIR}/README.md"
  File "${SOURCE_DIR}/LICENSE"
  File "${SOURCE_DIR}/CHANGELOG.md"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tamgalik.exe" "" "$INSTDIR\tamgalik.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tamgalik.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Start with Windows" SecStartup
SectionEnd

Section "-Finish"
  ; The choice is kept beside the uninstall entry for the next upgrade.
  ${If} ${SectionIsSelected} ${SecStartup}
    CreateShortCut "$SMSTARTUP\${PRODUCT}.lnk" "$INSTDIR\tamgalik.exe" "" "$INSTDIR\tamgalik.exe" 0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "StartWithWindows" 1
  ${Else}
    Delete "$SMSTARTUP\${PRODUCT}.lnk"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "StartWithWindows" 0
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  ; The copy closed for the upgrade comes back as the new version.
  ${If} $RestartAfterInstall = 1
    Exec '"$INSTDIR\tamgalik.exe"'
  ${EndIf}
SectionEnd

Function .onInit
  ClearErrors
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "StartWithWindows"
  ${IfNot} ${Errors}
  ${AndIf} $0 = 0
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/STARTUP=" $2
  ${IfNot} ${Errors}
    ${If} $2 == "0"
      !insertmacro UnselectSection ${SecStartup}
    ${ElseIf} $2 == "1"
      !insertmacro SelectSection ${SecStartup}
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "/STARTUP takes 0 (no start with Windows) or 1, not $\"$2$\"." /SD IDOK
      SetErrorLevel ${EXIT_BAD_OPTION}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopy
  Delete "$INSTDIR\tamgalik.exe"
  Delete "$INSTDIR\tamgahook.dll"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\CHANGELOG.md"
  Delete "$INSTDIR\uninstall.exe"
  ; Only what was installed: files of the user's own keep the folder.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMSTARTUP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The per-user programs folder and uninstall list a first install made go
  ; too, when nothing else is in them.
  RMDir "$LOCALAPPDATA\Programs"
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
