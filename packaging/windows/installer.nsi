; SPDX-FileCopyrightText: 2026 the fieldcalc developers
; SPDX-License-Identifier: MIT

; Per-user installer for fieldcalc: no administrator rights, installs to
; %LOCALAPPDATA%\Programs\fieldcalc, a Start-menu shortcut, and an entry in
; Apps & features. /S installs and uninstalls silently.
; makensis -DVERSION=1.0.0 -DSTAGE=folder-with-the-files -DICON=fieldcalc.ico -DOUTFILE=setup.exe installer.nsi
; (tools/windows-build.sh does it)

; A 64-bit installer for a 64-bit program: no WOW64 folder or registry redirection.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define APP_ID "io.github.fieldcalc.fieldcalc"
!define APP_NAME "ZK光机幅面粗略计算"
!define PUBLISHER "the fieldcalc developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\fieldcalc"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "fieldcalc ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "fieldcalc"
VIAddVersionKey /LANG=0 "FileDescription" "${APP_NAME} 安装程序"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}. MIT License."

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\fieldcalc.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the default; Windows' own UI language picks otherwise.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Section "fieldcalc"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}/fieldcalc.exe"
    File "${STAGE}/fieldcalc-cli.exe"
    File "${STAGE}/LICENSE"
    File "${STAGE}/README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\fieldcalc.exe" "" "$INSTDIR\fieldcalc.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\fieldcalc.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    Delete "$INSTDIR\fieldcalc.exe"
    Delete "$INSTDIR\fieldcalc-cli.exe"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
