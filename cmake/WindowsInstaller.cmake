# The Windows setup program, made by CPack's NSIS generator beside the zip,
# from the same install rules: the program and its two images in one folder
# under Program Files, a Start-menu shortcut that starts the program in that
# folder (it reads its images from the folder it starts in), and an entry in
# "Apps & features". Include before include(CPack).

# The NSIS commands below hold quotes and dollars that must reach CPack as written.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Corvex_Settings)
set(CPACK_PACKAGE_VENDOR Corvex)
set(CPACK_PACKAGE_VERSION ${CORVEX_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Corvex_Settings)
# One key for every version, so a newer setup finds and replaces an older one.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Corvex_Settings)
set(CPACK_NSIS_PACKAGE_NAME Corvex_Settings)
set(CPACK_NSIS_DISPLAY_NAME Corvex_Settings)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/Corvex_Settings.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/Corvex_Settings.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Corvex_Settings.exe)
set(CPACK_NSIS_CONTACT "settings@corvex.example")
set(CPACK_NSIS_URL_INFO_ABOUT "https://corvex.example/settings")

# The shortcut is written here rather than from CPACK_PACKAGE_EXECUTABLES,
# whose shortcut points into bin\ and takes whatever output folder is current
# as its working folder.
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetOutPath \"$INSTDIR\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Corvex_Settings.lnk\" \"$INSTDIR\\Corvex_Settings.exe\" \"\" \"$INSTDIR\\Corvex_Settings.exe\" 0")
# The uninstaller removes the program's key under the vendor's, not the
# vendor's key that it leaves empty.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete \"$SMPROGRAMS\\$MUI_TEMP\\Corvex_Settings.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
# "Apps & features" shows the size from EstimatedSize, in KiB, and reads its
# flags as numbers, where CPack writes them as text.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"EstimatedSize\" $0
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"NoModify\" 1
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"NoRepair\" 1")

# Debian's makensis makes 32-bit installers unless told otherwise; the program
# is 64-bit, and so is its setup. It stores no file times, which would make
# each build's setup differ; installed files take the time of installing. CMake's own template gets the target and the
# setup's version block after its first line (which carries a byte-order mark).
set(template_dir ${CMAKE_BINARY_DIR}/nsis-template)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
string(FIND "${template}" "\n" first_line_end)
string(SUBSTRING "${template}" 0 ${first_line_end} first_line)
math(EXPR rest_start "${first_line_end} + 1")
string(SUBSTRING "${template}" ${rest_start} -1 rest)
# The program draws itself at each monitor's scale with functions that Windows
# has from 10 version 1607 (build 14393) on: the setup refuses an older one
# before it changes anything, an earlier install included.
set(windows_version_check [[Function .onInit
  ${IfNot} ${AtLeastBuild} 14393
    MessageBox MB_OK|MB_ICONSTOP "Corvex_Settings needs Windows 10 version 1607 or later." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
]])
string(REPLACE "Function .onInit\n" "${windows_version_check}" rest "${rest}")
file(WRITE ${template_dir}/NSIS.template.in "${first_line}
  Target amd64-unicode
  SetDateSave off
  !include \"FileFunc.nsh\"
  !include \"LogicLib.nsh\"
  !include \"WinVer.nsh\"
  VIProductVersion \"${PROJECT_VERSION}.0\"
  VIFileVersion \"${PROJECT_VERSION}.0\"
  VIAddVersionKey /LANG=1033 \"ProductName\" \"@CPACK_NSIS_PACKAGE_NAME@\"
  VIAddVersionKey /LANG=1033 \"CompanyName\" \"@CPACK_PACKAGE_VENDOR@\"
  VIAddVersionKey /LANG=1033 \"FileDescription\" \"@CPACK_NSIS_PACKAGE_NAME@ Setup\"
  VIAddVersionKey /LANG=1033 \"FileVersion\" \"@CPACK_PACKAGE_VERSION@\"
  VIAddVersionKey /LANG=1033 \"ProductVersion\" \"@CPACK_PACKAGE_VERSION@\"
  VIAddVersionKey /LANG=1033 \"OriginalFilename\" \"@CPACK_OUTPUT_FILE_NAME@\"
${rest}")
list(PREPEND CMAKE_MODULE_PATH ${template_dir})

# The zip and the setup share the install rules but not their names.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CorvexPackageNames.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} [[
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME Corvex_Settings-${CPACK_PACKAGE_VERSION}-win64-setup)
else()
    set(CPACK_PACKAGE_FILE_NAME Corvex_Settings-${CPACK_PACKAGE_VERSION}-win64)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
]])
set(CPACK_GENERATOR ZIP NSIS)
