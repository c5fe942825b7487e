; The Windows installer: a per-user install without administrator rights into the user's local
; programs folder, a Start-menu entry, an entry in the list of installed programs, and an
; uninstaller that removes only what was installed. The learner's own files live in
; Documents\Marelto (the installed program plays from there) and are never touched.
; makensis -INPUTCHARSET UTF8 -DVERSION=1.0.1 -DICON=marelto.ico -DFILES=install.nsh
;          -DUNFILES=uninstall.nsh -DOUTFILE=Marelto-1.0.1-setup.exe marelto.nsi
; (FILES and UNFILES list the staged folder's files, written by scripts/package-windows.)
Unicode true
; A 64-bit installer for the 64-bit program (it also runs where only 64-bit Windows programs
; can, as under Debian's wine64).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINST "Software\Microsoft\Windows\CurrentVersion\Uninstall\Marelto"
!define PUBLISHER "The Marelto developers"

Name "Marelto"
Caption "Marelto ${VERSION} セットアップ"
UninstallCaption "Marelto アンインストール"
BrandingText "Marelto ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Marelto"
InstallDirRegKey HKCU "${UNINST}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Marelto"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "Marelto セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "国旗と、その国の首都・地域・公用語を覚える練習ソフト Marelto ${VERSION} を、このユーザー用にインストールします。管理者の権限はいりません。$\r$\n$\r$\n成績・設定・復習ファイルは ドキュメント\Marelto に保存され、アンインストールや新しい版のインストールでも消えません。"
!define MUI_FINISHPAGE_TEXT "Marelto をインストールしました。スタートメニューの「Marelto」から起動できます。$\r$\n$\r$\n成績・設定・復習ファイルは ドキュメント\Marelto に保存されます。"
!define MUI_FINISHPAGE_RUN "$INSTDIR\marelto.exe"
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Marelto のプログラムをこのコンピューターから削除します。$\r$\nドキュメント\Marelto にある成績・設定・復習ファイルと図鑑の問題ファイルは削除せずに残します。"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Marelto"
    SetShellVarContext current
    ; A version installed before goes first, through its own uninstaller, which knows its files:
    ; the program is replaced whole, and the learner's files are not among them.
    IfFileExists "$INSTDIR\Uninstall.exe" 0 fresh
        ExecWait '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
        Delete "$INSTDIR\Uninstall.exe"
    fresh:
    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Marelto.lnk" "$INSTDIR\marelto.exe" "" "$INSTDIR\marelto.exe" 0 \
        SW_SHOWNORMAL "" "国旗と首都・地域・公用語の練習"

    WriteRegStr HKCU "${UNINST}" "DisplayName" "Marelto"
    WriteRegStr HKCU "${UNINST}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINST}" "DisplayIcon" "$INSTDIR\marelto.exe,0"
    WriteRegStr HKCU "${UNINST}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINST}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINST}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINST}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    DetailPrint "ドキュメント\Marelto の成績・設定・復習ファイルと図鑑の問題ファイルは残します。"
    ; Only the files this version installed, and their folders once empty: whatever else lies
    ; here stays.
    !include "${UNFILES}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Marelto.lnk"
    DeleteRegKey HKCU "${UNINST}"
SectionEnd
