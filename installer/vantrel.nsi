; Vantrel's setup program: installs Vantrel for the current Windows user,
; without administrator rights, into the user's own programs folder. Vantrel
; writes its per-user files (proggroup.c, log.txt, Vantrel Items, Delayed
; Registry) beside Vantrel.exe, so the folder must be writable by the user.
;
; Built by scripts/make-dist.sh, which lays out the program folder first:
;
;   makensis -DVERSION=2.0.4 -DFILE_VERSION=2.0.0.4 -DPROGRAM_FOLDER=<folder>
;            -DPROGRAM_FILES=<generated .nsh> -DSIZE_KB=<n> -DOUTFILE=<setup.exe>
;            installer/vantrel.nsi
;
; The generated .nsh defines two macros, VantrelInstallFiles and
; VantrelUninstallFiles, that install and remove exactly the files of the
; program folder, so the uninstaller never touches anything it did not put
; there. The texts under lang\ and data\ are the user's to extend: the setup
; replaces only older copies, and the uninstaller removes only unchanged ones.
;
; Silent use: "setup.exe /S" installs into the default folder ("/D=<folder>"
; as the last argument chooses another); "uninstall.exe /S" uninstalls. Every
; question has a silent answer: a silent uninstall goes ahead even when
; Vantrel still holds delayed or stopped programs (their shortcuts and
; registry entries are kept), and gives up with exit code 2 while Vantrel is
; running.

; A 64-bit setup for the 64-bit Vantrel.exe: it cannot start where Vantrel
; cannot run, and it sees the registry as Vantrel does.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!macro REQUIRE_DEFINE NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: build the setup with scripts/make-dist.sh"
  !endif
!macroend
!insertmacro REQUIRE_DEFINE VERSION
!insertmacro REQUIRE_DEFINE FILE_VERSION
!insertmacro REQUIRE_DEFINE PROGRAM_FOLDER
!insertmacro REQUIRE_DEFINE PROGRAM_FILES
!insertmacro REQUIRE_DEFINE SIZE_KB
!insertmacro REQUIRE_DEFINE OUTFILE

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tarrow"
!define STORE_KEY "Software\Korvane\Vantrel"
!define SHORTCUT "$SMPROGRAMS\Vantrel.lnk"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${PROGRAM_FILES}"

Name "Vantrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Korvane Vantrel ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Vantrel"
VIAddVersionKey /LANG=1033 "CompanyName" "Korvane"
VIAddVersionKey /LANG=1033 "FileDescription" "Vantrel ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 Korvane"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This will install Vantrel ${VERSION} for your Windows account.$\r$\n$\r$\nVantrel lets you delay or stop the programs that Windows starts when you log in.$\r$\n$\r$\nNo administrator rights are needed: Vantrel goes into your own programs folder, where it can also keep your settings.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PROGRAM_FOLDER}\licence.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vantrel now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------
; Shared helpers. NSIS needs separate copies for the uninstaller ("un."), so
; they are written once as macros.

; A running Vantrel.exe cannot be replaced or removed. Opening it for
; writing fails exactly then. Asks to end Vantrel and retry; gives up (exit
; code 2) on Cancel and in silent mode.
!macro WAIT_UNTIL_VANTREL_ENDED
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\Vantrel.exe"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\Vantrel.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Vantrel is running.$\r$\n$\r$\nPlease end it: right-click its clock icon in the notification area and choose Quit Program. Then click Retry." \
      /SD IDCANCEL IDRETRY +2
    Abort "Vantrel is running; nothing was changed."
  ${Loop}
!macroend

; Removes a text under lang\ or data\ only when it is still the copy this
; setup installed (same time stamp as SOURCE when the setup was built): a
; user who added tips or known programs keeps them.
!macro DELETE_IF_UNCHANGED SOURCE TARGET
  GetFileTimeLocal "${SOURCE}" $R0 $R1
  ClearErrors
  GetFileTime "${TARGET}" $R2 $R3
  ${IfNot} ${Errors}
    ${If} $R0 == $R2
    ${AndIf} $R1 == $R3
      Delete "${TARGET}"
    ${Else}
      DetailPrint "Kept ${TARGET}: it was changed after it was installed"
    ${EndIf}
  ${EndIf}
!macroend

; Everything goes to the current user's folders and registry.
!macro USE_CURRENT_USER
  SetRegView 64
  SetShellVarContext current
!macroend

; ---------------------------------------------------------------------------
; Setup

Function .onInit
  !insertmacro USE_CURRENT_USER
FunctionEnd

Section "Vantrel" SectionVantrel
  SectionIn RO

  ; The whole point of this folder is that Vantrel may write in it.
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\vantrel-setup.tmp" w
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP \
      "Vantrel cannot be installed into$\r$\n$INSTDIR$\r$\n$\r$\nVantrel keeps your settings in its own folder, so it needs a folder you may write to. Please choose another one, for example the one suggested." \
      /SD IDOK
    SetErrorLevel 1
    Abort "The folder is not writable."
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\vantrel-setup.tmp"

  !insertmacro WAIT_UNTIL_VANTREL_ENDED

  SetOverwrite on
  !insertmacro VantrelInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts Vantrel in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Vantrel.exe" "" "$INSTDIR\Vantrel.exe" 0 \
    SW_SHOWNORMAL "" "Delay or stop the programs that start when you log in"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Korvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; ---------------------------------------------------------------------------
; Uninstaller

; $R0 = a folder; $R1 = how many files and folders it holds (0 when missing).
Function un.CountEntries
  StrCpy $R1 0
  ClearErrors
  FindFirst $R2 $R3 "$R0\*"
  ${DoUntil} ${Errors}
    ${If} $R3 != "."
    ${AndIf} $R3 != ".."
      IntOp $R1 $R1 + 1
    ${EndIf}
    ClearErrors
    FindNext $R2 $R3
  ${Loop}
  FindClose $R2
FunctionEnd

; $R0 = a registry key under ROOT; $R1 = how many values it holds (0 when
; the key is missing).
!macro COUNT_VALUES ROOT
  StrCpy $R1 0
  ${Do}
    EnumRegValue $R3 ${ROOT} "$R0" $R1
    ${If} $R3 == ""
      ${Break}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
!macroend

; Removes a key of the current user only when it holds neither values nor
; subkeys: Vantrel's stores keep the user's moved Run entries.
; $R0 = the key.
Function un.DeleteKeyIfEmpty
  EnumRegValue $R3 HKCU "$R0" 0
  EnumRegKey $R4 HKCU "$R0" 0
  ${If} $R3 == ""
  ${AndIf} $R4 == ""
    DeleteRegKey HKCU "$R0"
  ${EndIf}
FunctionEnd

; Removes Vantrel's login entry from a Run key when it starts the Vantrel of
; this folder; an entry of another copy of Vantrel stays.
!macro REMOVE_OWN_RUN_VALUE ROOT
  ReadRegStr $R3 ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $R4 '"$INSTDIR\'
  StrLen $R5 $R4
  StrCpy $R6 $R3 $R5
  StrCpy $R7 "$INSTDIR\"
  StrLen $R8 $R7
  StrCpy $R9 $R3 $R8
  ${If} $R3 != ""
    ${If} $R6 == $R4
    ${OrIf} $R9 == $R7
      DeleteRegValue ${ROOT} "${RUN_KEY}" "${RUN_VALUE}"
      DetailPrint "Removed Vantrel's login entry: $R3"
    ${EndIf}
  ${EndIf}
!macroend

Function un.onInit
  !insertmacro USE_CURRENT_USER

  ; Programs that Vantrel delays or has stopped don't start at login without
  ; it. Say so before anything is removed; nothing of them is deleted.
  StrCpy $R0 "$INSTDIR\Vantrel Items\Current User"
  Call un.CountEntries
  StrCpy $5 $R1
  StrCpy $R0 "$INSTDIR\Vantrel Items\All Users"
  Call un.CountEntries
  IntOp $5 $5 + $R1
  StrCpy $R0 "${STORE_KEY}\HKCU"
  !insertmacro COUNT_VALUES HKCU
  IntOp $5 $5 + $R1
  StrCpy $R0 "${STORE_KEY}\HKLM"
  !insertmacro COUNT_VALUES HKLM
  IntOp $5 $5 + $R1
  ${If} $5 > 0
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
      "Vantrel still looks after $5 startup program(s): it delays them or has stopped them. Once Vantrel is removed, Windows will not start them at login.$\r$\n$\r$\nTo give them back to Windows first, click No, start Vantrel, tick everything under Delayed Items and Stopped Items and click Run.$\r$\n$\r$\nClick Yes to remove Vantrel anyway. Nothing of these programs is deleted: their shortcuts stay in$\r$\n$INSTDIR\Vantrel Items$\r$\nand their registry entries stay in the registry, with backups in$\r$\n$INSTDIR\Delayed Registry" \
      /SD IDYES IDYES +2
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro WAIT_UNTIL_VANTREL_ENDED

  !insertmacro VantrelUninstallFiles
  Delete "$INSTDIR\uninstall.exe"
  Delete "${SHORTCUT}"

  !insertmacro REMOVE_OWN_RUN_VALUE HKCU
  ; Only an administrator may change this one; without the rights it stays.
  !insertmacro REMOVE_OWN_RUN_VALUE HKLM

  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The user's data stays; only folders that are empty go. RMDir without /r
  ; never removes a folder that still holds something.
  RMDir "$INSTDIR\Vantrel Items\Current User"
  RMDir "$INSTDIR\Vantrel Items\All Users"
  RMDir "$INSTDIR\Vantrel Items"
  ClearErrors
  FindFirst $R2 $R3 "$INSTDIR\Delayed Registry\*"
  ${DoUntil} ${Errors}
    ${If} $R3 != "."
    ${AndIf} $R3 != ".."
      RMDir "$INSTDIR\Delayed Registry\$R3"
    ${EndIf}
    ClearErrors
    FindNext $R2 $R3
  ${Loop}
  FindClose $R2
  RMDir "$INSTDIR\Delayed Registry"
  ; The per-user folders (named after the Windows users) and anything else.
  ClearErrors
  FindFirst $R2 $R3 "$INSTDIR\*"
  ${DoUntil} ${Errors}
    ${If} $R3 != "."
    ${AndIf} $R3 != ".."
      RMDir "$INSTDIR\$R3"
    ${EndIf}
    ClearErrors
    FindNext $R2 $R3
  ${Loop}
  FindClose $R2

  StrCpy $R0 "${STORE_KEY}\HKCU"
  Call un.DeleteKeyIfEmpty
  StrCpy $R0 "${STORE_KEY}"
  Call un.DeleteKeyIfEmpty
  StrCpy $R0 "Software\Korvane"
  Call un.DeleteKeyIfEmpty

  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\*"
    DetailPrint "Kept your Vantrel data in $INSTDIR"
    MessageBox MB_OK|MB_ICONINFORMATION \
      "Vantrel has been removed.$\r$\n$\r$\nYour settings, the log, the shortcuts of delayed and stopped programs and the registry backups have been kept in$\r$\n$INSTDIR$\r$\n$\r$\nDelete that folder yourself when you no longer need them." \
      /SD IDOK
  ${EndIf}
SectionEnd
