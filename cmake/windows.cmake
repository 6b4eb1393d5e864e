# What the Windows cross build (cmake/x86_64-w64-mingw32.cmake) needs besides the compiler:
# freeglut built from its source as a static library, GoogleTest built from Debian's sources,
# and wine, under which CTest runs the test programs.

# freeglut is built once per machine and kept outside the build folder, so that a new build
# folder neither downloads nor compiles it again.
set(WOBBLUX_FREEGLUT_VERSION 3.4.0)
if(DEFINED ENV{XDG_CACHE_HOME})
  set(default_cache $ENV{XDG_CACHE_HOME}/wobblux)
else()
  set(default_cache $ENV{HOME}/.cache/wobblux)
endif()
set(WOBBLUX_WINDOWS_CACHE ${default_cache} CACHE PATH
    "Where the freeglut source and its Windows build are kept between builds")
set(freeglut_prefix ${WOBBLUX_WINDOWS_CACHE}/freeglut-${WOBBLUX_FREEGLUT_VERSION}-${WOBBLUX_MINGW_TRIPLET})

# Runs a step of the freeglut build; stops the configuration with its output if it fails.
function(wobblux_freeglut_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "freeglut: ${what} failed:\n${output}")
  endif()
endfunction()

if(NOT EXISTS ${freeglut_prefix}/lib/libglut.a)
  # Two builds configuring at once must not both build into the same folder.
  file(MAKE_DIRECTORY ${WOBBLUX_WINDOWS_CACHE})
  file(LOCK ${WOBBLUX_WINDOWS_CACHE}/freeglut.lock GUARD FILE TIMEOUT 600)
endif()
if(NOT EXISTS ${freeglut_prefix}/lib/libglut.a)
  message(STATUS "Building freeglut ${WOBBLUX_FREEGLUT_VERSION} for Windows into ${freeglut_prefix}")
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/fetch_freeglut_source.sh ${WOBBLUX_WINDOWS_CACHE}
    RESULT_VARIABLE status OUTPUT_VARIABLE tarball OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "freeglut: could not fetch its verified source (see above)")
  endif()
  set(work ${WOBBLUX_WINDOWS_CACHE}/freeglut-work)
  file(REMOVE_RECURSE ${work} ${freeglut_prefix})
  file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${work})
  # glut.h is installed only in place of GLUT (the program includes <GL/glut.h>); the library
  # is then named libglut.a.
  wobblux_freeglut_step(configuration
    ${CMAKE_COMMAND} -S ${work}/freeglut-${WOBBLUX_FREEGLUT_VERSION} -B ${work}/build
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${work}/install -DFREEGLUT_BUILD_STATIC_LIBS=ON
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_GLES=OFF
    -DFREEGLUT_REPLACE_GLUT=ON)
  cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
  wobblux_freeglut_step(build ${CMAKE_COMMAND} --build ${work}/build --parallel ${cores})
  wobblux_freeglut_step(installation ${CMAKE_COMMAND} --install ${work}/build)
  # Its licence asks for its notice in every copy: the packages carry it.
  file(COPY_FILE ${work}/freeglut-${WOBBLUX_FREEGLUT_VERSION}/COPYING ${work}/install/COPYING)
  # Moved into place whole, so an interrupted build never leaves a half-made library behind.
  file(RENAME ${work}/install ${freeglut_prefix})
  file(REMOVE_RECURSE ${work})
endif()

find_package(FreeGLUT ${WOBBLUX_FREEGLUT_VERSION} EXACT REQUIRED CONFIG PATHS ${freeglut_prefix}
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
# The target the program links elsewhere.
add_library(GLUT::GLUT INTERFACE IMPORTED)
target_link_libraries(GLUT::GLUT INTERFACE FreeGLUT::freeglut_static)
# Natively <GL/glut.h> is on the compiler's own path; here it must be added for every file that
# calls the toolkit, also those that do not link it (the drawing code, the tests' recording fake).
# Without FREEGLUT_STATIC the header would declare its functions as imports from a DLL.
include_directories(${freeglut_prefix}/include)
add_compile_definitions(FREEGLUT_STATIC)
# The tests link the drawing code against a recording fake that defines the GL and toolkit
# functions itself, which the headers must let it do. _GDI32_ declares GL's functions as plain
# ones instead of DLL imports (the program reaches opengl32.dll through its import library's
# stubs), and without the atexit hack freeglut's header does not rename glutInit and
# glutCreateWindow to inline wrappers, which only a freeglut DLL needs.
add_compile_definitions(_GDI32_ GLUT_DISABLE_ATEXIT_HACK)

enable_language(RC)  # the icon and version resource (cmake/windows_resources.cmake)

# One file that needs only Windows' own DLLs: the C++ runtime, libgcc and winpthread inside.
add_link_options(-static -static-libgcc -static-libstdc++)
# The linker writes the time of the link into every program's header (SOURCE_DATE_EPOCH if set):
# a zero instead, so the same sources always link to the same bytes. (The packages' copies are
# stripped, and strip writes the header's time anew: see packaging_windows.cmake.)
add_link_options(-Wl,--no-insert-timestamp)

# GoogleTest from Debian's sources, compiled with this toolchain.
if(WOBBLUX_BUILD_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # It defines GTest::gtest_main, the target the tests link, itself.
  add_subdirectory(/usr/src/googletest/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Every program of the tests runs under wine, in a prefix of this build folder's own made at build
# time (about 25 s), quietly, and with no dialog offering to install .NET or a browser engine.
if(WOBBLUX_BUILD_TESTS)
  find_program(WOBBLUX_WINE wine REQUIRED)  # packages wine and wine64
  set(WOBBLUX_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/wine_run.sh.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                 WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
  # The stamp is written last, so an interrupted start makes the prefix again from scratch.
  set(stamp ${PROJECT_BINARY_DIR}/wine-prefix.made)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${WOBBLUX_WINE_PREFIX}
    COMMAND ${PROJECT_BINARY_DIR}/wine-run wineboot -i
    COMMAND ${PROJECT_BINARY_DIR}/wine-run wineserver -w
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    COMMENT "Making the wine prefix the tests run in"
    VERBATIM)
  add_custom_target(wine_prefix ALL DEPENDS ${stamp})
endif()
