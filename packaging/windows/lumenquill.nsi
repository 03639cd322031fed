; The installer of Lumenquill for 64-bit Windows, in Japanese. tools/windows/make-packages.sh
; builds it with makensis -INPUTCHARSET UTF8 and these definitions:
;   VERSION       the program's version (1.21)
;   VERSION_QUAD  the same in four numbers, for the version resource (1.21.0.0)
;   STAGE         the folder holding lumenquill.exe, lumenquill-info.exe and readme.txt
;   OUTFILE       the installer to write
;   LICENSE_FILE  (optional) a licence text, shown on a page of its own and installed
;
; Per-machine (Program Files, HKLM) or per-user (%LOCALAPPDATA%\Programs, HKCU): an administrator
; chooses on the first page, or with /AllUsers or /CurrentUser on the command line; anyone else
; installs for himself. Every registry entry is written under SHCTX, which MultiUser points at HKLM
; or HKCU for the chosen mode.
;
; The uninstaller removes every file, shortcut and registry entry the installer wrote and keeps
; the user's settings (lumenquill.ini beside the program, %APPDATA%\Lumenquill\lumenquill.ini),
; and with them the folders holding them, unless its checkbox is ticked or /REMOVESETTINGS is
; given (with /S, for a silent uninstall).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Lumenquill"
!define PUBLISHER "Lumenquill"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The context-menu verb of PDF files, whatever program opens them.
!define PDF_SHELL_KEY "Software\Classes\SystemFileAssociations\.pdf\shell"
!define PDF_VERB_KEY "${PDF_SHELL_KEY}\Lumenquill.ConvertToText"
!define SHORTCUT_NAME "${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; A later installer and the uninstaller find the mode and the folder of the installation here.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define MUI_ABORTWARNING
; The program's own icon for the installer and the uninstaller, when the windows' sources hold it.
!define PROGRAM_ICON "${__FILEDIR__}\..\..\src\win32ui\images\lumenquill.ico"
!if /FileExists "${PROGRAM_ICON}"
  !define MUI_ICON "${PROGRAM_ICON}"
  !define MUI_UNICON "${PROGRAM_ICON}"
!endif
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\lumenquill.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\readme.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_TEXT "説明書 (readme.txt) を表示する"

!insertmacro MUI_PAGE_WELCOME
!ifdef LICENSE_FILE
  !insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!endif
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Section "!${PRODUCT} 本体" SecProgram
  SectionIn RO
  ; What an earlier installation added and the components below may now leave out.
  Delete "$SMPROGRAMS\${SHORTCUT_NAME}"
  Delete "$SENDTO\${SHORTCUT_NAME}"
  DeleteRegKey SHCTX "${PDF_VERB_KEY}"
  SetOutPath "$INSTDIR"
  File "${STAGE}\lumenquill.exe"
  File "${STAGE}\lumenquill-info.exe"
  File "${STAGE}\readme.txt"
  !ifdef LICENSE_FILE
    File "/oname=license.txt" "${LICENSE_FILE}"
  !endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; "Programs and Features". The uninstaller is told the mode it was installed in.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumenquill.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "スタート メニュー" SecStartMenu
  CreateShortcut "$SMPROGRAMS\${SHORTCUT_NAME}" "$INSTDIR\lumenquill.exe" "" \
    "$INSTDIR\lumenquill.exe" 0 SW_SHOWNORMAL "" "PDFファイルのテキストを抽出します"
SectionEnd

; Windows has no "Send to" folder for all users: the shortcut goes to the installing user's.
Section "「送る」メニュー" SecSendTo
  CreateShortcut "$SENDTO\${SHORTCUT_NAME}" "$INSTDIR\lumenquill.exe" "" \
    "$INSTDIR\lumenquill.exe" 0 SW_SHOWNORMAL "" "PDFファイルのテキストを抽出します"
SectionEnd

Section "PDFの右クリック「テキストに変換」" SecContextMenu
  WriteRegStr SHCTX "${PDF_VERB_KEY}" "" "テキストに変換"
  WriteRegStr SHCTX "${PDF_VERB_KEY}" "Icon" "$INSTDIR\lumenquill.exe,0"
  WriteRegStr SHCTX "${PDF_VERB_KEY}\command" "" '"$INSTDIR\lumenquill.exe" "%1"'
  ; SHCNE_ASSOCCHANGED: Explorer rereads the verbs at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "プログラム (lumenquill.exe、lumenquill-info.exe) と説明書 (readme.txt)。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} "スタート メニューに ${PRODUCT} を追加します。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSendTo} "エクスプローラーの「送る」メニューに ${PRODUCT} を追加します。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecContextMenu} "PDFファイルの右クリック メニューに「テキストに変換」を追加します。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "-un.${PRODUCT}"
  Delete "$INSTDIR\lumenquill.exe"
  Delete "$INSTDIR\lumenquill-info.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\license.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${SHORTCUT_NAME}"
  Delete "$SENDTO\${SHORTCUT_NAME}"

  DeleteRegKey SHCTX "${PDF_VERB_KEY}"
  ; The keys above the verb, when nothing else is left in them.
  DeleteRegKey /ifempty SHCTX "${PDF_SHELL_KEY}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\SystemFileAssociations\.pdf"
  DeleteRegKey /ifempty SHCTX "Software\Classes\SystemFileAssociations"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.設定ファイル (lumenquill.ini) も削除する" SecUnSettings
  Delete "$INSTDIR\lumenquill.ini"
  ; The user's own settings folder, even when the program was installed for all users.
  SetShellVarContext current
  Delete "$APPDATA\${PRODUCT}\lumenquill.ini"
  RMDir "$APPDATA\${PRODUCT}"
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd

; Last, so that the folder goes only when nothing of the user's is left in it.
Section "-un.folder"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} "設定ファイルも削除します。チェックしなければ設定は残り、再インストール後もそのまま使われます。"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
