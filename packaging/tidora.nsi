; Tidora's installer, one per architecture, made by scripts/package:
;
;   makensis -DVERSION=2.04 -DVERSION_NUMBERS=2.4.0.0 -DARCH=x64|x86 -DPAYLOAD=<folder>
;            -DICON=<tidora.ico> -DOUTFILE=<setup.exe> tidora.nsi
;
; PAYLOAD holds tidora.exe (this installer's own architecture), help.chm, README.txt, LICENSE.txt
; and THIRD-PARTY.txt. A standard user installs for themselves, with no administrator prompt, to
; %LocalAppData%\Programs\Tidora; an elevated one may install for all users with /allusers.
;
;   setup.exe [/S] [/allusers] [/D=folder]      /S: silent; /D: the folder, last and unquoted
;   uninstall.exe [/S] [/allusers]              as Apps & features starts it

Unicode true
; The x64 installer is itself a 64-bit program: it installs without the 32-bit file system and
; registry redirection, and a 32-bit Windows refuses to start it at all, with its own message
; that this version is not compatible and an x86 or x64 version is needed.
!if ${ARCH} == "x64"
  Target amd64-unicode
!endif
ManifestDPIAware true
SetCompressor /SOLID lzma
; Per user needs no rights; /allusers checks for them itself rather than asking for elevation.
RequestExecutionLevel user

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define PRODUCT "Tidora"
!define PUBLISHER "The Tidora authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidora"
!define SETTINGS_KEY "Software\Tidora"
; The exit code of a silent /allusers run without the rights for it.
!define EXIT_NEEDS_ADMIN 740  ; ERROR_ELEVATION_REQUIRED

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup (${ARCH})"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${PUBLISHER}. MIT licence."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tidora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PAYLOAD}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; 1 when installing for all users: the registry root, the shell folders and the uninstaller's
; arguments follow it.
Var AllUsers

; Sets AllUsers from /allusers, and refuses it to a user without administrator rights.
!macro ChooseScope un
Function ${un}ChooseScope
  StrCpy $AllUsers 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/allusers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Installing or removing ${PRODUCT} for all users needs \
          administrator rights: start this program as administrator, or leave out /allusers to \
          install it for yourself alone." /SD IDOK
      SetErrorLevel ${EXIT_NEEDS_ADMIN}
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseScope ""
!insertmacro ChooseScope "un."

!macro WriteUninstallValue type name value
  ${If} $AllUsers == 1
    WriteReg${type} HKLM "${UNINSTALL_KEY}" "${name}" "${value}"
  ${Else}
    WriteReg${type} HKCU "${UNINSTALL_KEY}" "${name}" "${value}"
  ${EndIf}
!macroend

Function .onInit
  Call ChooseScope
  ; /D= sets INSTDIR before this runs: only fill in the default when it did not.
  ${If} $INSTDIR == ""
    ${If} $AllUsers == 1
!if ${ARCH} == "x64"
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
!else
      StrCpy $INSTDIR "$PROGRAMFILES32\${PRODUCT}"
!endif
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Tidora"
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\tidora.exe"
  File "${PAYLOAD}\help.chm"
  File "${PAYLOAD}\README.txt"
  File "${PAYLOAD}\LICENSE.txt"
  File "${PAYLOAD}\THIRD-PARTY.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Started in the folder of its own files, as from the portable zip.
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tidora.exe" "" "$INSTDIR\tidora.exe" 0 \
      SW_SHOWNORMAL "" "Erase traces and repair browser settings"

  ${If} $AllUsers == 1
    StrCpy $0 "$\"$INSTDIR\uninstall.exe$\" /allusers"
  ${Else}
    StrCpy $0 "$\"$INSTDIR\uninstall.exe$\""
  ${EndIf}
  !insertmacro WriteUninstallValue Str "DisplayName" "${PRODUCT}"
  !insertmacro WriteUninstallValue Str "DisplayVersion" "${VERSION}"
  !insertmacro WriteUninstallValue Str "Publisher" "${PUBLISHER}"
  !insertmacro WriteUninstallValue Str "DisplayIcon" "$INSTDIR\tidora.exe,0"
  !insertmacro WriteUninstallValue Str "InstallLocation" "$INSTDIR"
  !insertmacro WriteUninstallValue Str "UninstallString" "$0"
  !insertmacro WriteUninstallValue Str "QuietUninstallString" "$0 /S"
  !insertmacro WriteUninstallValue DWORD "NoModify" 1
  !insertmacro WriteUninstallValue DWORD "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntFmt $1 "0x%08X" $1
  !insertmacro WriteUninstallValue DWORD "EstimatedSize" "$1"
SectionEnd

Function un.onInit
  Call un.ChooseScope
FunctionEnd

; Takes away exactly what the installer put there. The folder goes only when nothing else is in
; it, so that a user's own winapp2.ini beside the program stays.
Section "Uninstall"
  Delete "$INSTDIR\tidora.exe"
  Delete "$INSTDIR\help.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ${If} $AllUsers == 1
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${Else}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  ; The user's own settings go only when they say so; a silent uninstall keeps them.
  ClearErrors
  EnumRegKey $0 HKCU "${SETTINGS_KEY}" 0  ; the error flag: no such key
  ${IfNot} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Also delete your ${PRODUCT} settings \
        (HKEY_CURRENT_USER\${SETTINGS_KEY})?$\r$\n$\r$\nKeep them if you will install \
        ${PRODUCT} again." /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  keep_settings:
  ${EndIf}
SectionEnd
