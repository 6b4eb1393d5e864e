# Installation and packages of the Windows build: an NSIS installer and a zip.
#
# Both hold the program (one file, freeglut and the C++ runtime inside), the same program as a
# screen saver (wobblux.scr), its licence, a short read-me and the notices of what it contains. The installer adds a Start menu link and an entry
# in Windows' installed programs, both with the program's icon, and an uninstaller.
install(TARGETS wobblux wobblux_saver RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/data/windows-readme.txt DESTINATION . RENAME README.txt)
install(FILES ${freeglut_prefix}/COPYING DESTINATION licences RENAME freeglut.txt)
install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright
        DESTINATION licences RENAME mingw-w64.txt)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME Wobblux)
set(CPACK_PACKAGE_VENDOR "Wobblux developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jelly sheet, darts and a spark fountain in a 3-D tank")
set(CPACK_PACKAGE_FILE_NAME wobblux-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Wobblux)
set(CPACK_PACKAGE_EXECUTABLES wobblux Wobblux)  # the Start menu link
# The program lies in the installation folder itself, not in bin\ as CPack's links assume.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# strip writes a new time stamp into each program's header: SOURCE_DATE_EPOCH, which
# scripts/package sets to the last commit's time, or else the time of packing.
set(CPACK_STRIP_FILES ON)
# The installer is named ...-setup.exe, the zip keeps the plain name.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack_windows_names.cmake)

set(CPACK_NSIS_PACKAGE_NAME Wobblux)
set(CPACK_NSIS_DISPLAY_NAME Wobblux)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${WOBBLUX_ICO})
set(CPACK_NSIS_MUI_UNIICON ${WOBBLUX_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME wobblux.exe)  # the installed-programs entry's icon
set(CPACK_NSIS_MUI_FINISHPAGE_RUN wobblux.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Screen Saver Settings lists the screen savers in Windows' system folder: the installer puts a
# copy of wobblux.scr there, and the uninstaller takes it away. (A 64-bit installer's $SYSDIR is
# System32 itself, not the 32-bit programs' SysWOW64.)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "CopyFiles /SILENT '$INSTDIR\\wobblux.scr' '$SYSDIR'")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Delete '$SYSDIR\\wobblux.scr'")
# makensis builds a 32-bit installer unless told otherwise; a 64-bit program gets a 64-bit one.
find_program(WOBBLUX_MAKENSIS makensis REQUIRED)  # package nsis
configure_file(${PROJECT_SOURCE_DIR}/cmake/makensis_amd64.sh.in ${PROJECT_BINARY_DIR}/makensis-amd64
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_NSIS_EXECUTABLE ${PROJECT_BINARY_DIR}/makensis-amd64)
include(CPack)
