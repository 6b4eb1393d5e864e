# Cross build for 64-bit Windows with Debian's mingw-w64 (GCC, the POSIX thread model: the
# win32 one has no std::thread, which GoogleTest needs). The program is linked statically,
# freeglut included, so that it needs nothing but Windows' own DLLs. Its tests run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WOBBLUX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WOBBLUX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WOBBLUX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${WOBBLUX_MINGW_TRIPLET}-windres)

# Headers and libraries of the target only; the build's tools are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${WOBBLUX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
