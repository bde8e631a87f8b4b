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

!define PRODUCT "Brisbolt"
!define MAKER "Corvelle"
!define PROGRAM_KEY "Software\Corvelle\Brisbolt"
!define MAKER_KEY "Software\Corvelle"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brisbolt"
!define UNINSTALLER "unbrb.exe"
!define MENU_FOLDER "$SMPROGRAMS\Brisbolt"

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

Section "Brisbolt (required)" SecProgram
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "/oname=brisbolt.exe" "${PROGRAM}"
    File "/oname=brbhelp.htm" "${HELP_PAGE}"
    ; Brisbolt's help buttons open the page from here.
    WriteRegStr HKLM "${PROGRAM_KEY}" "installdir" "$INSTDIR"

    WriteUninstaller "$WINDIR\${UNINSTALLER}"

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\Brisbolt.lnk" "$INSTDIR\brisbolt.exe"
    CreateShortcut "${MENU_FOLDER}\Brisbolt Help.lnk" "$INSTDIR\brbhelp.htm"
    CreateShortcut "${MENU_FOLDER}\Uninstall Brisbolt.lnk" "$INSTDIR\brisbolt.exe" "/UNINSTALL"

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
SectionEnd

Section "Start Brisbolt with Windows" SecAutostart
    ; "/S": the short display, then the tray; nothing is changed at start.
    WriteRegStr HKLM "${RUN_KEY}" "brisbolt" '"$INSTDIR\brisbolt.exe" /S'
SectionEnd

Function .onInit
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

; 1 while Brisbolt still keeps the settings it found before its first change.
Var SavedOriginals

Function un.onInit
    ; The uninstaller lives in the Windows folder: where Brisbolt went is
    ; only known from the installer's note.
    ReadRegStr $INSTDIR HKLM "${PROGRAM_KEY}" "installdir"
    StrCpy $SavedOriginals 0
    ClearErrors
    ReadRegDWORD $0 HKCU "${PROGRAM_KEY}" "Orig_ttl_TF"
    ${IfNot} ${Errors}
        StrCpy $SavedOriginals 1
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
    DeleteRegKey HKLM "${PROGRAM_KEY}"
    DeleteRegKey /ifempty HKLM "${MAKER_KEY}"
    ; Brisbolt's own record goes too, unless it still holds originals that
    ; nothing could give back (Brisbolt's file was gone already).
    ${If} $SavedOriginals == 0
        DeleteRegKey HKCU "${PROGRAM_KEY}"
        DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
    ${Else}
        DetailPrint "Kept HKEY_CURRENT_USER\${PROGRAM_KEY}: it holds the network settings found before Brisbolt's first change."
    ${EndIf}

    Delete /REBOOTOK "$WINDIR\${UNINSTALLER}"
SectionEnd
