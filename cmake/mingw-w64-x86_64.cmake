# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DVEK_CORE_ONLY=ON -DVEK_GTEST_SOURCE=/usr/src/googletest
#
# The posix flavour, because its libstdc++ has std::thread and std::mutex;
# the win32 flavour of GCC 12 has neither.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VEK_MINGW_TRIPLET}-windres)

# Headers and libraries from the target's tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VEK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libstdc++, libgcc, winpthread) linked in, so an
# executable runs on its own: nothing to copy beside it, no PATH to set.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# With Wine installed, ctest in the build folder runs the tests under it.
find_program(VEK_WINE NAMES wine)
if(VEK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEK_WINE})
endif()
