; Installer of the TG Q3207 soft front panel, one per architecture.
; makensis -DARCH=x86_64|i686 -DSTAGE=<staged files> -DVERSION=<text> -DOUTFILE=<setup.exe>
; setup.exe [/S] [/NOSIMULATOR] [/D=folder]
; The staged folder holds the installation's layout: the program, the driver,
; README.md, LICENSE.txt, docs\screenshots and simulator\ (the simulated VISA
; with its launcher). The simulator is an optional component in a folder of its
; own, so the installed program never loads it unless started by the launcher.

!ifndef ARCH | STAGE | VERSION | OUTFILE
  !error "ARCH, STAGE, VERSION and OUTFILE must be defined"
!endif

!define PRODUCT "TG Q3207 SFP"
!define PUBLISHER "TG Q3207 SFP developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TGQ3207SFP"
!define SETTINGS_KEY "Software\TGQ3207SFP"

!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

; The simulator's files and entry; also used when a reinstall leaves it out.
!macro RemoveSimulator
  Delete "${START_MENU}\${PRODUCT} (simulated instrument).lnk"
  Delete "$INSTDIR\simulator\VISA32.DLL"
  Delete "$INSTDIR\simulator\tgq3207sfp-sim.exe"
  RMDir "$INSTDIR\simulator"
!macroend

!if "${ARCH}" == "x86_64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define START_MENU "$SMPROGRAMS\${PRODUCT}"
!else if "${ARCH}" == "i686"
  Unicode true
  !define PROGRAM_FILES "$PROGRAMFILES"
  ; Its own Start-menu folder, so that both builds can be installed side by side.
  !define START_MENU "$SMPROGRAMS\${PRODUCT} (32-bit)"
!else
  !error "ARCH must be x86_64 or i686"
!endif

Name "${PRODUCT} ${VERSION} (${ARCH})"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

LicenseData "${STAGE}\LICENSE.txt"
Page license
Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Program, driver and README"
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\tgq3207sfp.exe"
  File "${STAGE}\tgq3207_32.dll"
  File "${STAGE}\README.md"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\docs\screenshots"
  File "${STAGE}\docs\screenshots\*.png"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${START_MENU}"
  CreateShortCut "${START_MENU}\${PRODUCT}.lnk" "$INSTDIR\tgq3207sfp.exe"
  CreateShortCut "${START_MENU}\README.lnk" "$WINDIR\notepad.exe" '"$INSTDIR\README.md"'
  CreateShortCut "${START_MENU}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (${ARCH})"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tgq3207sfp.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Simulated instrument (demo)" SecSimulator
  SetShellVarContext all
  SetOutPath "$INSTDIR\simulator"
  File "${STAGE}\simulator\VISA32.DLL"
  File "${STAGE}\simulator\tgq3207sfp-sim.exe"
  CreateDirectory "${START_MENU}"
  CreateShortCut "${START_MENU}\${PRODUCT} (simulated instrument).lnk" \
      "$INSTDIR\simulator\tgq3207sfp-sim.exe" "" "$INSTDIR\tgq3207sfp.exe" 0
SectionEnd

Section "-Leave out the simulator when it is not chosen"
  SetShellVarContext all
  ${IfNot} ${SectionIsSelected} ${SecSimulator}
    !insertmacro RemoveSimulator
  ${EndIf}
SectionEnd

; /NOSIMULATOR leaves the simulator out, for a silent install on a PC with a real VISA.
Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSIMULATOR" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecSimulator}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "${START_MENU}\${PRODUCT}.lnk"
  Delete "${START_MENU}\README.lnk"
  Delete "${START_MENU}\Uninstall ${PRODUCT}.lnk"
  !insertmacro RemoveSimulator
  RMDir "${START_MENU}"

  Delete "$INSTDIR\docs\screenshots\*.png"
  RMDir "$INSTDIR\docs\screenshots"
  RMDir "$INSTDIR\docs"
  Delete "$INSTDIR\tgq3207sfp.exe"
  Delete "$INSTDIR\tgq3207_32.dll"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
SectionEnd
