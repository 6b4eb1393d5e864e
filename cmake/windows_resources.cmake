# The Windows program's resources: the icon, rendered from data/wobblux.svg at the sizes Explorer,
# the taskbar and the Start menu ask for, in one .ico, and the version information.
find_program(WOBBLUX_RSVG_CONVERT rsvg-convert REQUIRED)  # package librsvg2-bin
find_program(WOBBLUX_ICOTOOL icotool REQUIRED)            # package icoutils

set(icon_folder ${PROJECT_BINARY_DIR}/data/ico)
set(WOBBLUX_ICO ${PROJECT_BINARY_DIR}/data/wobblux.ico)
set(svg ${PROJECT_SOURCE_DIR}/data/wobblux.svg)
set(render_commands)
set(ico_arguments)
foreach(size 16 24 32 48 64 128 256)
  set(png ${icon_folder}/${size}.png)
  list(APPEND render_commands COMMAND ${WOBBLUX_RSVG_CONVERT} --width=${size} --height=${size}
       --output=${png} ${svg})
  # The largest as PNG inside the .ico, as Windows reads it since Vista; the others as bitmaps,
  # which every reader of .ico files understands.
  if(size EQUAL 256)
    list(APPEND ico_arguments --raw=${png})
  else()
    list(APPEND ico_arguments ${png})
  endif()
endforeach()
add_custom_command(
  OUTPUT ${WOBBLUX_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_folder}
  ${render_commands}
  COMMAND ${WOBBLUX_ICOTOOL} --create --output=${WOBBLUX_ICO} ${ico_arguments}
  DEPENDS ${svg}
  COMMENT "Rendering the Windows icon"
  VERBATIM)

# Wrapped in a target of its own: the screen saver's folder, too, makes its resources from it.
add_custom_target(wobblux_icon DEPENDS ${WOBBLUX_ICO})

# wobblux_windows_resources(TARGET FILE DESCRIPTION [EXTRA]): gives a program of the build its
# icon and version information, under the file name FILE, with the resource script text EXTRA
# at the end.
function(wobblux_windows_resources target file description)
  set(WOBBLUX_RC_FILE ${file})
  set(WOBBLUX_RC_DESCRIPTION ${description})
  set(WOBBLUX_RC_EXTRA "${ARGN}")
  set(rc ${PROJECT_BINARY_DIR}/data/${file}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/data/wobblux.rc.in ${rc} @ONLY)
  # windres reads the icon while compiling the resource script.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${WOBBLUX_ICO})
  add_dependencies(${target} wobblux_icon)
  target_sources(${target} PRIVATE ${rc})
endfunction()

wobblux_windows_resources(wobblux wobblux.exe
                          "Wobblux: jelly sheet, darts and a spark fountain in a 3-D tank")
