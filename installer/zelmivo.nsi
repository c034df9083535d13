; Per-user setup of Zelmivo: no administrator rights, the program under the
; user's own LocalAppData\Programs, shortcuts and the "App e funzionalità"
; entry under HKCU. Built by installer/CMakeLists.txt, which passes:
;   VERSION       the product version, e.g. 1.0.0
;   FILE_VERSION  the same in four parts, e.g. 1.0.0.0
;   PROGRAM       the zelmivo.exe to install
;   ICON          the program's icon file
;   OUTFILE       the setup to write
Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Zelmivo"
!define PUBLISHER "Orvo Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "disinstalla.exe"
!define SHORTCUT "${PRODUCT}.lnk"
!define GUIDE_SHORTCUT "Guida di ${PRODUCT}.lnk"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; A running Zelmivo holds this name for the user's session (one copy per
; session). Its main window carries the mark: the window class alone, which
; every window of the program's toolkit shares, cannot tell it.
!define RUNNING_NAME "Local\Zelmivo.Catalogo"
!define WINDOW_CLASS "Window"
!define WINDOW_MARK "Zelmivo.FinestraPrincipale"
!define SYNCHRONIZE_ACCESS 0x00100000
; A silent setup waits this many quarters of a second for Zelmivo to close.
!define CLOSE_WAIT_STEPS 60

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PUBLISHER}"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1040 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1040 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PRODUCT}"
VIAddVersionKey /LANG=1040 "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\zelmivo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

;-- A running Zelmivo would keep its program file and rewrite its catalogue:
; the setup and the uninstaller first have it closed. The interactive ones
; ask the user; a silent one asks the program itself and gives up, with exit
; code 2, if it is still there after a short wait (it may be asking the user
; something of its own).
!macro CLOSE_ZELMIVO UN
; $R0 becomes 1 while a Zelmivo runs in this session.
Function ${UN}IsZelmivoRunning
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE_ACCESS}, i 0, w "${RUNNING_NAME}") p .R0'
    ${If} $R0 P<> 0
        System::Call 'kernel32::CloseHandle(p R0)'
        StrCpy $R0 1
    ${EndIf}
FunctionEnd

; Posts WM_CLOSE to every top-level window with the main window's mark.
Function ${UN}AskZelmivoToClose
    StrCpy $R1 0
    ${Do}
        FindWindow $R1 "${WINDOW_CLASS}" "" "" $R1
        ${IfThen} $R1 P= 0 ${|} ${ExitDo} ${|}
        System::Call 'user32::GetPropW(p R1, w "${WINDOW_MARK}") p .R2'
        ${If} $R2 P<> 0
            System::Call 'user32::PostMessageW(p R1, i ${WM_CLOSE}, p 0, p 0)'
        ${EndIf}
    ${Loop}
FunctionEnd

Function ${UN}CloseZelmivo
    Call ${UN}IsZelmivoRunning
    ${IfThen} $R0 <> 1 ${|} Return ${|}
    ${If} ${Silent}
        Call ${UN}AskZelmivoToClose
        StrCpy $R3 0
        ${DoWhile} $R3 < ${CLOSE_WAIT_STEPS}
            Sleep 250
            Call ${UN}IsZelmivoRunning
            ${IfThen} $R0 <> 1 ${|} Return ${|}
            IntOp $R3 $R3 + 1
        ${Loop}
        SetErrorLevel 2
        Quit
    ${EndIf}
    ${Do}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} è in esecuzione.$\r$\n$\r$\nChiudi ${PRODUCT}, poi scegli Riprova per continuare, oppure Annulla per uscire." \
            IDRETRY retry
        SetErrorLevel 1
        Quit
    retry:
        Call ${UN}IsZelmivoRunning
    ${LoopWhile} $R0 = 1
FunctionEnd
!macroend
!insertmacro CLOSE_ZELMIVO ""
!insertmacro CLOSE_ZELMIVO "un."

Function .onInit
    Call CloseZelmivo
FunctionEnd

Function un.onInit
    Call un.CloseZelmivo
FunctionEnd

Section "${PRODUCT} (necessario)" SectionProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "/oname=zelmivo.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\zelmivo.exe"
    File "/oname=LEGGIMI.txt" "${GUIDE}"
    CreateShortCut "$SMPROGRAMS\${GUIDE_SHORTCUT}" "$INSTDIR\LEGGIMI.txt"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelmivo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KiB, as "App e funzionalità" reads it.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Collegamento sul desktop" SectionDesktop
    CreateShortCut "$DESKTOP\${SHORTCUT}" "$INSTDIR\zelmivo.exe"
SectionEnd

; The catalogue in LocalAppData\Zelmivo\Dati is the user's own: it stays.
Section "Uninstall"
    Delete "$INSTDIR\zelmivo.exe"
    Delete "$INSTDIR\LEGGIMI.txt"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$SMPROGRAMS\${GUIDE_SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
SectionEnd
