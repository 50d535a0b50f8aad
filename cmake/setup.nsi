; The Windows setup program (makensis 3.08), made by scripts/build-windows.sh --package from the
; same installed files as the zip. makensis is given:
;   STAGE       the folder of installed files (cmake --install), copied whole into $INSTDIR
;   UNINSTALL   an include file that deletes exactly those files and their folders
;   VERSION     the version as the program shows it (1.10.0008); FILE_VERSION as Windows does
;   ARCH        win64 or win32; SIZE_KB the installed size; ICON the program's icon
;   PUBLISHER   the publisher's name; OUTFILE the setup program to write
;   SIGN        (optional) a command that signs the file named by its last argument in place
;
; Per user by default, into %LOCALAPPDATA%\Programs, without administrator rights; /AllUsers
; installs into Program Files (from an elevated prompt), /S is silent, /D= sets the folder.
; An installation that cannot write a file fails with exit code 2; what it wrote before stays.
; The shortcut's working folder is Documents, so the program's file dialogs open there.
ManifestDPIAware true
; A file that cannot be written (a read-only folder, a program still running) stops the
; installation: the user may retry or cancel, and a silent installation cancels (exit code 2).
AllowSkipFiles off
SetCompressor /SOLID lzma

!if "${ARCH}" == "win64"
    ; A 64-bit setup program for the 64-bit build: it sees the 64-bit Program Files and registry.
    Target amd64-unicode
    !define PRODUCT "KT-9 Configuration Tool"
    !define MULTIUSER_USE_PROGRAMFILES64
!else
    ; The 32-bit build may sit beside the 64-bit one: its folder, shortcut and entry are its own.
    Target x86-unicode
    !define PRODUCT "KT-9 Configuration Tool (32-bit)"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the fallback; Japanese is taken on a Japanese Windows.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString USAGE ${LANG_ENGLISH} "Installs ${PRODUCT} ${VERSION}.$\n$\n\
setup.exe [/AllUsers | /CurrentUser] [/S] [/D=folder]$\n$\n\
/CurrentUser  for the current user only, into %LOCALAPPDATA%\Programs (the default; no administrator rights needed)$\n\
/AllUsers  for every user of the PC, into Program Files (run it as an administrator)$\n\
/S  silent: no window, no question$\n\
/D=folder  installs into that folder; last on the command line, without quotes$\n$\n\
The switches are case-sensitive: /S, not /s.$\n\
The uninstaller removes the installation in its own folder and takes /S as well; started silently, it returns at once and finishes in the background."
LangString USAGE ${LANG_JAPANESE} "${PRODUCT} ${VERSION} をインストールします。$\n$\n\
setup.exe [/AllUsers | /CurrentUser] [/S] [/D=フォルダー]$\n$\n\
/CurrentUser  現在のユーザーのみ。%LOCALAPPDATA%\Programs にインストールします (既定。管理者権限は不要です)$\n\
/AllUsers  この PC のすべてのユーザー。Program Files にインストールします (管理者として実行してください)$\n\
/S  サイレント: ウィンドウも質問も表示しません$\n\
/D=フォルダー  そのフォルダーにインストールします。コマンドラインの最後に、引用符なしで指定します$\n$\n\
スイッチは大文字と小文字を区別します (/S。/s は無効です)。$\n\
アンインストーラーは自分のフォルダーにあるインストールを削除し、/S も受け付けます。サイレントで起動するとすぐに戻り、削除はその後に完了します。"
LangString NOT_A_FOLDER ${LANG_ENGLISH} "$R1 is a file, not a folder: give /D= a folder."
LangString NOT_A_FOLDER ${LANG_JAPANESE} "$R1 はフォルダーではなくファイルです。/D= にはフォルダーを指定してください。"
LangString NEEDS_ADMIN ${LANG_ENGLISH} "${PRODUCT} is installed for all users: run the uninstaller as an administrator."
LangString NEEDS_ADMIN ${LANG_JAPANESE} "${PRODUCT} はすべてのユーザー用にインストールされています。アンインストーラーを管理者として実行してください。"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

!ifdef SIGN
    !finalize '${SIGN} "%1"' = 0
    !uninstfinalize '${SIGN} "%1"' = 0
!endif

Function .onInit
    ; /? prints the usage and ends.
    ${GetParameters} $0
    ${GetOptions} $0 "/?" $1
    ${IfNot} ${Errors}
        MessageBox MB_OK|MB_ICONINFORMATION "$(USAGE)"
        Quit
    ${EndIf}
    ; The install mode sets the default folder; a folder given with /D= wins over it.
    StrCpy $R0 $INSTDIR
    !insertmacro MULTIUSER_INIT
    ${If} $R0 != ""
        StrCpy $INSTDIR $R0
    ${EndIf}
    ; NSIS drops a /D= that names a file and would install into the default folder: the
    ; process's own command line still has it (after the last " /D="), and such a file is refused.
    System::Call 'kernel32::GetCommandLine() t .r1'
    StrLen $2 $1
    ${Do}
        IntOp $2 $2 - 1
        ${IfThen} $2 < 0 ${|} ${ExitDo} ${|}
        StrCpy $3 $1 4 $2
        ${If} $3 S== " /D="
            IntOp $2 $2 + 4
            StrCpy $R1 $1 "" $2
            ${If} ${FileExists} "$R1"
            ${AndIfNot} ${FileExists} "$R1\*.*"
                MessageBox MB_OK|MB_ICONSTOP "$(NOT_A_FOLDER)" /SD IDOK
                SetErrorLevel 2
                Quit
            ${EndIf}
            ${ExitDo}
        ${EndIf}
    ${Loop}
FunctionEnd

; The installation to remove is the one in the uninstaller's own folder: NSIS starts an
; uninstaller with $INSTDIR set to that folder, and MULTIUSER_UNINIT replaces it with the folder the
; registry names. The mode follows the uninstall entry that names this folder, all users first.
Var OwnFolder
Var OwnEntry
Function un.onInit
    StrCpy $OwnFolder $INSTDIR
    !insertmacro MULTIUSER_UNINIT
    StrCpy $INSTDIR $OwnFolder
    StrCpy $OwnEntry ""
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        ${If} $MultiUser.Privileges != "Admin"
        ${AndIf} $MultiUser.Privileges != "Power"
            MessageBox MB_OK|MB_ICONSTOP "$(NEEDS_ADMIN)" /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        Call un.MultiUser.InstallMode.AllUsers
        StrCpy $OwnEntry HKLM
    ${ElseIf} $1 == $INSTDIR
        Call un.MultiUser.InstallMode.CurrentUser
        StrCpy $OwnEntry HKCU
    ${EndIf}
FunctionEnd

Section
    ClearErrors
    SetOutPath "$INSTDIR"
    ${If} ${Errors}
        DetailPrint "$INSTDIR cannot be made"
        Abort
    ${EndIf}
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    ${If} ${Errors}
        DetailPrint "$INSTDIR\${UNINSTALLER} cannot be written"
        Abort
    ${EndIf}

    ; The working folder of a shortcut is the current folder when it is made. For all users it is
    ; each user's own Documents, which the shell expands when the shortcut starts; SetOutPath
    ; makes no folder of a path that does not start at a root, it only fails to enter it.
    ${If} $MultiUser.InstallMode == AllUsers
        SetOutPath "%USERPROFILE%\Documents"
    ${Else}
        SetOutPath "$DOCUMENTS"
    ${EndIf}
    CreateShortcut "${SHORTCUT}" "$INSTDIR\kt9-config.exe" "" "$INSTDIR\kt9-config.exe" 0
    SetOutPath "$INSTDIR"
    ClearErrors

    ; One entry for the product: installing again overwrites its values.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${FILE_VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kt9-config.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${If} ${Errors}
        DetailPrint "The uninstall entry cannot be written"
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
        Abort
    ${EndIf}
SectionEnd

; A failed installation ends with a non-zero exit code, also when it is silent.
Function .onInstFailed
    SetErrorLevel 2
FunctionEnd

; Removes what the installer made and nothing else: files the user put into the folder keep it.
Section "Uninstall"
    !include "${UNINSTALL}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ; The entry and the shortcut belong to the installation the entry names: another folder's
    ; uninstaller leaves them.
    ${If} $OwnEntry != ""
        Delete "${SHORTCUT}"
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
