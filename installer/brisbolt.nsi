; Brisbolt's installer, and its uninstaller "unbrb.exe" in the Windows folder.
;
;   makensis -DPROGRAM=<brisbolt.exe> -DHELP_PAGE=<brbhelp.htm>
;            -DVERSION=<a.b.c.d> -DOUTFILE=<setup.exe> [-DTARGET=amd64-unicode]
;            installer/brisbolt.nsi
;
; The product is the x86-ansi installer: an ANSI installer runs on every
; Windows from 95 on. The amd64-unicode target exists for the tests only: it
; installs the 64-bit build with the very same script, where 64-bit Wine is
; all a machine can run.
;
; Command line, besides NSIS's own /S (silent) and /D=<folder> (last):
;   /AUTOSTART=0   do not start Brisbolt with Windows (chosen by default)
;   /AUTOSTART=1   start it with Windows
;
; A silent install that installs nothing ends with one of these codes:
;   2  cancelled, or a file error answered with Abort
;   3  not an administrator (NT, 2000, XP)
;   4  msvcrt.dll is missing (a bare Windows 95)
;   5  Brisbolt is running and did not end when asked
;   6  a file, shortcut or entry could not be written; all undone
;
; Uninstalling goes through Brisbolt itself ("brisbolt.exe /UNINSTALL"): it
; asks, puts the network settings it found before its first change back,
; clears its machine settings and then starts unbrb.exe, which removes the
; files, shortcuts and keys made here.

!ifndef TARGET
    !define TARGET x86-ansi
!endif
!ifndef PROGRAM | HELP_PAGE | VERSION | OUTFILE
    !error "PROGRAM, HELP_PAGE, VERSION and OUTFILE must be defined (see the top of this file)"
!endif
Target ${TARGET}

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinVer.nsh"

!define PRODUCT "Brisbolt"
!define MAKER "Corvelle"
!define PROGRAM_KEY "Software\Corvelle\Brisbolt"
!define ORIGINALS_KEY "Software\Corvelle\Brisbolt\Originals"
!define RESTORED_SWITCH "/RESTORED"
!define MAKER_KEY "Software\Corvelle"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisbolt"
!define UNINSTALLER "unbrb.exe"
!define MENU_FOLDER "$SMPROGRAMS\Brisbolt"
; The caption of Brisbolt's hidden main window, and the message that asks
; it to end.
!define DISPATCHER "BrisboltDispatcher"
!define QUIT_REQUEST "Brisbolt.QuitRequest"
!define EXIT_NOT_ADMIN 3
!define EXIT_NO_RUNTIME 4
!define EXIT_STILL_RUNNING 5
!define EXIT_NOT_WRITTEN 6

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Brisbolt"
InstallDirRegKey HKLM "${PROGRAM_KEY}" "installdir"
; Everything goes to HKEY_LOCAL_MACHINE, the all-users Start menu and the
; Windows folder.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${MAKER} ${PRODUCT}"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright ${MAKER}"

ComponentText "Brisbolt and its help page are always installed. Choose whether Windows starts it for you." \
    "" "Choose what to install:"
Page components
Page directory
Page instfiles

; Brisbolt has asked already: no second confirmation, just the removal.
UninstPage instfiles

; What this install has done so far, for taking it back. Per file: New is 1
; once the new copy has its final name, Old once the earlier one waits
; under ".old".
Var FolderExisted
Var NewProgram
Var OldProgram
Var NewHelp
Var OldHelp
Var NewUninstaller
Var OldUninstaller
Var EntriesStarted
Var HadEntry
Var HadShortcuts
Var OldInstallDir
Var OldRun
Var FailedItem

!macro REFUSE_WITHOUT_RIGHTS
    ; Windows 95, 98 and Me have no rights to check (the plug-in answers
    ; "Admin" there, or nothing at all).
    ${If} ${IsNT}
        ClearErrors
        UserInfo::GetAccountType
        Pop $0
        ${IfNot} ${Errors}
        ${AndIf} $0 != ""
        ${AndIf} $0 != "Admin"
            MessageBox MB_OK|MB_ICONSTOP \
                "Only an administrator can install or remove Brisbolt: it writes the settings of the whole computer, the Start menu of all users and the Windows folder.$\r$\n$\r$\nPlease log on as an administrator and try again. Nothing has been changed." \
                /SD IDOK
            SetErrorLevel ${EXIT_NOT_ADMIN}
            Quit
        ${EndIf}
    ${EndIf}
!macroend

; Asks a running Brisbolt to end and waits until it has: its file cannot be
; replaced or removed while it runs.
!macro DEFINE_CLOSE_BRISBOLT un
Function ${un}CloseBrisbolt
    FindWindow $0 "" "${DISPATCHER}"
    ${If} $0 = 0
        Return
    ${EndIf}
    DetailPrint "Asking the running Brisbolt to end..."
    System::Call 'user32::RegisterWindowMessage(t "${QUIT_REQUEST}") i .r1'
    ; Posted, not sent: a Brisbolt that hangs must not hang Setup as well.
    System::Call 'user32::PostMessage(p r0, i r1, p 0, p 0)'
    ${For} $2 1 150
        Sleep 100
        FindWindow $0 "" "${DISPATCHER}"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
    ${Next}
    ${If} $0 <> 0
        MessageBox MB_OK|MB_ICONEXCLAMATION \
            "Brisbolt is running and did not end when asked.$\r$\n$\r$\nPlease close it (right-click its icon next to the clock, then Close) and try again. Nothing has been changed." \
            /SD IDOK
        SetErrorLevel ${EXIT_STILL_RUNNING}
        Abort "Brisbolt is still running."
    ${EndIf}
    ; The process outlives its window for a moment; until it is gone its
    ; file cannot be opened for writing.
    ${If} $INSTDIR != ""
        ${For} $2 1 100
            ${IfNot} ${FileExists} "$INSTDIR\brisbolt.exe"
                ${Break}
            ${EndIf}
            ClearErrors
            FileOpen $3 "$INSTDIR\brisbolt.exe" a
            ${IfNot} ${Errors}
                FileClose $3
                ${Break}
            ${EndIf}
            Sleep 100
        ${Next}
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_BRISBOLT ""
!insertmacro DEFINE_CLOSE_BRISBOLT "un."

; Puts a staged "<file>.new" in place; an earlier copy is kept as
; "<file>.old" until everything else has worked.
!macro COMMIT TARGET NEW OLD
    ${If} $FailedItem == ""
        Delete "${TARGET}.old"
        ClearErrors
        ${If} ${FileExists} "${TARGET}"
            Rename "${TARGET}" "${TARGET}.old"
            ${IfNot} ${Errors}
                StrCpy ${OLD} 1
            ${EndIf}
        ${EndIf}
        ${IfNot} ${Errors}
            Rename "${TARGET}.new" "${TARGET}"
        ${EndIf}
        ${If} ${Errors}
            StrCpy $FailedItem "${TARGET}"
        ${Else}
            StrCpy ${NEW} 1
        ${EndIf}
    ${EndIf}
!macroend

!macro TAKE_BACK TARGET NEW OLD
    Delete "${TARGET}.new"
    ${If} ${NEW} == 1
        Delete "${TARGET}"
        StrCpy ${NEW} 0
    ${EndIf}
    ${If} ${OLD} == 1
        Rename "${TARGET}.old" "${TARGET}"
        StrCpy ${OLD} 0
    ${EndIf}
!macroend

; Leaves the computer as it was before this install: also called when a
; file error was answered with Abort, so it may run twice.
Function TakeBack
    SetShellVarContext all
    ${If} $EntriesStarted == 1
        ${If} $HadShortcuts == 0
            Delete "${MENU_FOLDER}\Brisbolt.lnk"
            Delete "${MENU_FOLDER}\Brisbolt Help.lnk"
            Delete "${MENU_FOLDER}\Uninstall Brisbolt.lnk"
            RMDir "${MENU_FOLDER}"
        ${EndIf}
        ${If} $HadEntry == 0
            DeleteRegKey HKLM "${ARP_KEY}"
        ${EndIf}
        ${If} $OldRun != ""
            WriteRegStr HKLM "${RUN_KEY}" "brisbolt" $OldRun
        ${Else}
            DeleteRegValue HKLM "${RUN_KEY}" "brisbolt"
        ${EndIf}
        ${If} $OldInstallDir != ""
            WriteRegStr HKLM "${PROGRAM_KEY}" "installdir" $OldInstallDir
        ${Else}
            DeleteRegValue HKLM "${PROGRAM_KEY}" "installdir"
            DeleteRegKey /ifempty HKLM "${PROGRAM_KEY}"
            DeleteRegKey /ifempty HKLM "${MAKER_KEY}"
        ${EndIf}
        StrCpy $EntriesStarted 0
    ${EndIf}
    !insertmacro TAKE_BACK "$WINDIR\${UNINSTALLER}" $NewUninstaller $OldUninstaller
    !insertmacro TAKE_BACK "$INSTDIR\brbhelp.htm" $NewHelp $OldHelp
    !insertmacro TAKE_BACK "$INSTDIR\brisbolt.exe" $NewProgram $OldProgram
    ${If} $FolderExisted == 0
        ; Setup's own current folder cannot be removed.
        SetOutPath "$TEMP"
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

Function FailInstall
    DetailPrint "Could not write $FailedItem; taking the install back."
    Call TakeBack
    MessageBox MB_OK|MB_ICONSTOP \
        "Brisbolt could not be installed: Setup could not write$\r$\n$FailedItem$\r$\n$\r$\nSetup has taken back what it had put in place; a Brisbolt installed before stays as it was." \
        /SD IDOK
    SetErrorLevel ${EXIT_NOT_WRITTEN}
    Abort "Brisbolt was not installed."
FunctionEnd

; Files first, each under a passing name, then all of them renamed into
; place: a failure leaves an earlier Brisbolt whole and a new folder empty.
Section "Brisbolt (required)" SecProgram
    SectionIn RO
    Call CloseBrisbolt
    StrCpy $FailedItem ""
    StrCpy $FolderExisted 0
    ${If} ${FileExists} "$INSTDIR\*.*"
        StrCpy $FolderExisted 1
    ${EndIf}
    ClearErrors
    SetOutPath "$INSTDIR"
    ${If} ${Errors}
        StrCpy $FailedItem "$INSTDIR"
        Call FailInstall
    ${EndIf}
    ; Stale names from an install that was cut off (power loss).
    Delete "$INSTDIR\brisbolt.exe.new"
    Delete "$INSTDIR\brbhelp.htm.new"
    Delete "$WINDIR\${UNINSTALLER}.new"
    ClearErrors
    File "/oname=$INSTDIR\brisbolt.exe.new" "${PROGRAM}"
    ${If} ${Errors}
        StrCpy $FailedItem "$INSTDIR\brisbolt.exe"
        Call FailInstall
    ${EndIf}
    File "/oname=$INSTDIR\brbhelp.htm.new" "${HELP_PAGE}"
    ${If} ${Errors}
        StrCpy $FailedItem "$INSTDIR\brbhelp.htm"
        Call FailInstall
    ${EndIf}
    WriteUninstaller "$WINDIR\${UNINSTALLER}.new"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "$WINDIR\${UNINSTALLER}.new"
        StrCpy $FailedItem "$WINDIR\${UNINSTALLER}"
        Call FailInstall
    ${EndIf}
    !insertmacro COMMIT "$INSTDIR\brisbolt.exe" $NewProgram $OldProgram
    !insertmacro COMMIT "$INSTDIR\brbhelp.htm" $NewHelp $OldHelp
    !insertmacro COMMIT "$WINDIR\${UNINSTALLER}" $NewUninstaller $OldUninstaller
    ${If} $FailedItem != ""
        Call FailInstall
    ${EndIf}
SectionEnd

; Read by the last section: the Run value is written there, after the files.
Section "Start Brisbolt with Windows" SecAutostart
SectionEnd

; The entries and shortcuts, only now that every file is in place.
Section "-Entries"
    SetShellVarContext all
    ReadRegStr $OldInstallDir HKLM "${PROGRAM_KEY}" "installdir"
    ReadRegStr $OldRun HKLM "${RUN_KEY}" "brisbolt"
    ReadRegStr $0 HKLM "${ARP_KEY}" "UninstallString"
    StrCpy $HadEntry 0
    ${If} $0 != ""
        StrCpy $HadEntry 1
    ${EndIf}
    StrCpy $HadShortcuts 0
    ${If} ${FileExists} "${MENU_FOLDER}\Brisbolt.lnk"
        StrCpy $HadShortcuts 1
    ${EndIf}
    StrCpy $EntriesStarted 1

    ClearErrors
    ; Brisbolt's help buttons open the page from here.
    WriteRegStr HKLM "${PROGRAM_KEY}" "installdir" "$INSTDIR"
    ; Add/Remove Programs runs Brisbolt's own uninstall, so that the
    ; network settings go back before anything is removed.
    WriteRegStr HKLM "${ARP_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${ARP_KEY}" "UninstallString" '"$INSTDIR\brisbolt.exe" /UNINSTALL'
    WriteRegStr HKLM "${ARP_KEY}" "DisplayIcon" "$INSTDIR\brisbolt.exe,0"
    WriteRegStr HKLM "${ARP_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${ARP_KEY}" "Publisher" "${MAKER}"
    WriteRegStr HKLM "${ARP_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${ARP_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${ARP_KEY}" "NoRepair" 1
    ${If} ${Errors}
        StrCpy $FailedItem "HKEY_LOCAL_MACHINE\${ARP_KEY}"
        Call FailInstall
    ${EndIf}

    ${If} ${SectionIsSelected} ${SecAutostart}
        ; "/S": the short display, then the tray; nothing is changed at start.
        WriteRegStr HKLM "${RUN_KEY}" "brisbolt" '"$INSTDIR\brisbolt.exe" /S'
    ${ElseIf} $OldRun != ""
        ; Chosen away on a reinstall: the earlier start with Windows goes.
        DeleteRegValue HKLM "${RUN_KEY}" "brisbolt"
    ${EndIf}
    ${If} ${Errors}
        StrCpy $FailedItem "HKEY_LOCAL_MACHINE\${RUN_KEY}"
        Call FailInstall
    ${EndIf}

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\Brisbolt.lnk" "$INSTDIR\brisbolt.exe"
    CreateShortcut "${MENU_FOLDER}\Brisbolt Help.lnk" "$INSTDIR\brbhelp.htm"
    CreateShortcut "${MENU_FOLDER}\Uninstall Brisbolt.lnk" "$INSTDIR\brisbolt.exe" "/UNINSTALL"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "${MENU_FOLDER}\Uninstall Brisbolt.lnk"
        StrCpy $FailedItem "${MENU_FOLDER}"
        Call FailInstall
    ${EndIf}

    ; Done: the earlier copies are not needed any more.
    Delete /REBOOTOK "$INSTDIR\brisbolt.exe.old"
    Delete /REBOOTOK "$INSTDIR\brbhelp.htm.old"
    Delete /REBOOTOK "$WINDIR\${UNINSTALLER}.old"
SectionEnd

Function .onInit
    !insertmacro REFUSE_WITHOUT_RIGHTS
    ; Like every program of its kind, Brisbolt uses the C runtime of the
    ; system; a bare Windows 95 does not have it.
    ${IfNot} ${FileExists} "$SYSDIR\msvcrt.dll"
        MessageBox MB_OK|MB_ICONSTOP \
            "Brisbolt needs the Microsoft C runtime MSVCRT.DLL, which Internet Explorer 4 or later installs.$\r$\n$\r$\nPlease install it first, then run Setup again. Nothing has been installed." \
            /SD IDOK
        SetErrorLevel ${EXIT_NO_RUNTIME}
        Quit
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART=" $1
    ${IfNot} ${Errors}
        ${If} $1 == "0"
            SectionSetFlags ${SecAutostart} 0
        ${ElseIf} $1 == "1"
            SectionSetFlags ${SecAutostart} ${SF_SELECTED}
        ${EndIf}
    ${EndIf}
FunctionEnd

; A file error answered with Abort ends up here, past FailInstall.
Function .onInstFailed
    Call TakeBack
FunctionEnd

; 1 while Brisbolt still keeps the settings it found before its first change.
Var SavedOriginals
; 1 when Brisbolt started the uninstaller after writing them back.
Var Restored

Function un.onInit
    !insertmacro REFUSE_WITHOUT_RIGHTS
    ; The uninstaller lives in the Windows folder: where Brisbolt went is
    ; only known from the installer's note.
    ReadRegStr $INSTDIR HKLM "${PROGRAM_KEY}" "installdir"
    ; The machine's set, or one an earlier Brisbolt kept in the user's record.
    StrCpy $SavedOriginals 0
    ClearErrors
    ReadRegDWORD $0 HKLM "${ORIGINALS_KEY}" "Orig_ttl_TF"
    ${IfNot} ${Errors}
        StrCpy $SavedOriginals 1
    ${EndIf}
    ClearErrors
    ReadRegDWORD $0 HKCU "${PROGRAM_KEY}" "Orig_ttl_TF"
    ${IfNot} ${Errors}
        StrCpy $SavedOriginals 1
    ${EndIf}
    ; Brisbolt says so when it has just written the originals back.
    ${un.GetParameters} $0
    ClearErrors
    ${un.GetOptions} $0 "${RESTORED_SWITCH}" $1
    ${If} ${Errors}
        StrCpy $Restored 0
    ${Else}
        StrCpy $Restored 1
    ${EndIf}
    ; Started on its own before Brisbolt gave the settings back: removing
    ; Brisbolt now would leave the changed values with no way back.
    ${If} $SavedOriginals == 1
    ${AndIf} $INSTDIR != ""
    ${AndIf} ${FileExists} "$INSTDIR\brisbolt.exe"
        MessageBox MB_OK|MB_ICONEXCLAMATION \
            "Brisbolt still keeps the network settings it found before its first change.$\r$\n$\r$\nPlease uninstall it with $\"Uninstall Brisbolt$\" in the Start menu or from Add/Remove Programs, so that it puts them back first." \
            /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    ; Started from Add/Remove Programs, Brisbolt ends on its own; a copy
    ; left in the tray is asked to.
    Call un.CloseBrisbolt
    ${If} $INSTDIR != ""
        ; Brisbolt started this uninstaller and may still be ending.
        ${For} $1 1 20
            Delete "$INSTDIR\brisbolt.exe"
            ${IfNot} ${FileExists} "$INSTDIR\brisbolt.exe"
                ${Break}
            ${EndIf}
            Sleep 250
        ${Next}
        Delete /REBOOTOK "$INSTDIR\brisbolt.exe"
        Delete "$INSTDIR\brbhelp.htm"
        RMDir "$INSTDIR"
    ${EndIf}

    Delete "${MENU_FOLDER}\Brisbolt.lnk"
    Delete "${MENU_FOLDER}\Brisbolt Help.lnk"
    Delete "${MENU_FOLDER}\Uninstall Brisbolt.lnk"
    RMDir "${MENU_FOLDER}"

    DeleteRegValue HKLM "${RUN_KEY}" "brisbolt"
    DeleteRegKey HKLM "${ARP_KEY}"
    ; The program's keys go, unless they still hold originals that nothing
    ; could give back (Brisbolt's file was gone already): then the saved set
    ; stays, the rest goes.
    ${If} $SavedOriginals == 0
        DeleteRegKey HKLM "${PROGRAM_KEY}"
        DeleteRegKey /ifempty HKLM "${MAKER_KEY}"
        DeleteRegKey HKCU "${PROGRAM_KEY}"
        DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
    ${Else}
        DeleteRegValue HKLM "${PROGRAM_KEY}" "installdir"
        DetailPrint "Kept HKEY_LOCAL_MACHINE\${ORIGINALS_KEY} and HKEY_CURRENT_USER\${PROGRAM_KEY}: they hold the network settings found before Brisbolt's first change."
    ${EndIf}

    Delete /REBOOTOK "$WINDIR\${UNINSTALLER}"

    ; Only when Brisbolt has just written the original network settings
    ; back: Windows reads them at start only.
    ${If} $SavedOriginals == 0
    ${AndIf} $Restored == 1
        DetailPrint "Windows must be restarted to bring the original network settings back into force."
        MessageBox MB_OK|MB_ICONINFORMATION \
            "Brisbolt has been removed.$\r$\n$\r$\nWindows must be restarted to bring the original network settings back into force. Please restart Windows now." \
            /SD IDOK
    ${ElseIf} $SavedOriginals == 0
        DetailPrint "Brisbolt has been removed."
    ${EndIf}
SectionEnd
