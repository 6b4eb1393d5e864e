# Installation in the GNU layout and the Debian package (cpack -G DEB).
#
# Besides the program this installs what a desktop expects of it: the menu entry, the icon
# (the hand-drawn SVG and PNG renderings of it made here at build time), the manual page,
# the software-centre data, and the copyright file and changelog Debian requires.
include(GNUInstallDirs)

set(WOBBLUX_DATA ${PROJECT_SOURCE_DIR}/data)
set(WOBBLUX_GENERATED ${PROJECT_BINARY_DIR}/data)

find_program(WOBBLUX_GZIP gzip REQUIRED)

# The icons are rendered for installing and packing only: building and running the program needs
# no renderer, so without one the rule that would render them says what to install instead.
find_program(WOBBLUX_RSVG_CONVERT rsvg-convert)  # package librsvg2-bin
if(NOT WOBBLUX_RSVG_CONVERT)
  message(STATUS "rsvg-convert (librsvg2-bin) not found: the program builds, its icons do not")
  set(missing ${PROJECT_BINARY_DIR}/rsvg_convert_missing.cmake)
  file(WRITE ${missing} "message(FATAL_ERROR \"Rendering the icons needs rsvg-convert: install librsvg2-bin\")\n")
  set(WOBBLUX_RSVG_CONVERT ${CMAKE_COMMAND} -P ${missing})
endif()

# The version is the project's; a release is not made before the changelog has its entry.
file(STRINGS ${WOBBLUX_DATA}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^wobblux \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/changelog does not begin with an entry for version ${PROJECT_VERSION}")
endif()

# PNG icons at the sizes menus and software centres ask for.
set(icon_svg ${WOBBLUX_DATA}/wobblux.svg)
set(generated_files)
foreach(size 48 128 256)
  set(png ${WOBBLUX_GENERATED}/icons/${size}x${size}/wobblux.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${WOBBLUX_GENERATED}/icons/${size}x${size}
    COMMAND ${WOBBLUX_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND generated_files ${png})
endforeach()

# gzip -n stores neither the file name nor its time, so the result depends on the text only.
function(wobblux_gzip source output)
  cmake_path(REMOVE_EXTENSION output LAST_ONLY OUTPUT_VARIABLE plain)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND ${WOBBLUX_GZIP} -n -9 -f ${plain}
    DEPENDS ${source}
    VERBATIM)
endfunction()

configure_file(${WOBBLUX_DATA}/wobblux.6.in ${WOBBLUX_GENERATED}/man/wobblux.6 @ONLY)
wobblux_gzip(${WOBBLUX_GENERATED}/man/wobblux.6 ${WOBBLUX_GENERATED}/man/gz/wobblux.6.gz)
wobblux_gzip(${WOBBLUX_DATA}/changelog ${WOBBLUX_GENERATED}/doc/changelog.gz)
list(APPEND generated_files ${WOBBLUX_GENERATED}/man/gz/wobblux.6.gz
     ${WOBBLUX_GENERATED}/doc/changelog.gz)
add_custom_target(wobblux_data ALL DEPENDS ${generated_files})

install(TARGETS wobblux RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The screen saver: XScreenSaver's hack where Debian keeps hacks, its description for
# XScreenSaver's settings, and the entry through which MATE's and Xfce's screen savers list it.
install(TARGETS wobblux_saver RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${WOBBLUX_DATA}/xscreensaver/wobblux.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${WOBBLUX_DATA}/xscreensaver/wobblux.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES ${WOBBLUX_DATA}/wobblux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${WOBBLUX_DATA}/org.wobblux.Wobblux.metainfo.xml.in
               ${WOBBLUX_GENERATED}/org.wobblux.Wobblux.metainfo.xml @ONLY)
install(FILES ${WOBBLUX_GENERATED}/org.wobblux.Wobblux.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${WOBBLUX_GENERATED}/man/gz/wobblux.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${WOBBLUX_DATA}/copyright ${WOBBLUX_GENERATED}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. Its Depends line is worked out from the libraries the program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wobblux)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Wobblux developers")
set(CPACK_PACKAGE_CONTACT "Wobblux developers <wobblux@wobblux.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jelly sheet, darts and a spark fountain in a 3-D tank")
# CPack puts the summary above this as the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Wobblux is a small interactive animation in one window. A translucent,
open-topped tank holds a quivering jelly sheet of point masses on damped
springs, five pyramid darts that wander, leap and flee, and an hourglass
from which a fountain of sparks swirls upward while the sheet is excited.
.
Dragging with the mouse turns the view or moves it nearer; the space bar or
the right mouse button excites the sheet.")
# Not "games": Debian keeps games in /usr/games, and this is an animation to watch.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The hack runs only where XScreenSaver (or MATE's or Xfce's screen saver) runs it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # wobblux_<version>_<arch>.deb
# CPack takes the architecture of the machine it runs on; a cross build packs another's.
if(CMAKE_CROSSCOMPILING)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
  else()
    message(FATAL_ERROR "No Debian architecture known for ${CMAKE_SYSTEM_PROCESSOR}")
  endif()
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
