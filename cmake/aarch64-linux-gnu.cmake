# Cross build for 64-bit ARM Linux with Debian's cross compiler (crossbuild-essential-arm64),
# against Debian's arm64 libraries installed side by side with the native ones (multiarch:
# headers in /usr/include, libraries in /usr/lib/aarch64-linux-gnu, which CMake searches since
# the compiler reports that library architecture). The tests run under qemu-aarch64.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# FindGLUT asks pkg-config first: it must read the arm64 .pc files, not the native ones.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# CTest runs the test programs, and the end-to-end tests the program, under the emulator (these
# machines have no binfmt_misc to do it by themselves). With multiarch libc6:arm64 installed, its
# own loader must start the program: qemu's -L would pair the cross toolchain's loader with
# multiarch's libc, which hangs at the first thread. Packing the program needs no emulator.
find_program(WOBBLUX_QEMU_AARCH64 qemu-aarch64)  # package qemu-user
if(NOT WOBBLUX_QEMU_AARCH64)
  message(STATUS "qemu-aarch64 (qemu-user) not found: the arm64 tests cannot run")
elseif(EXISTS /lib/ld-linux-aarch64.so.1)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WOBBLUX_QEMU_AARCH64})
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WOBBLUX_QEMU_AARCH64} -L /usr/aarch64-linux-gnu)
endif()
