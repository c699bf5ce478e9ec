# Cross-compiles for 32-bit Windows with MinGW-w64. The -win32 compilers, not
# the -posix ones: those link the static winpthread library, which imports
# GetTickCount64, and Windows XP refuses to load an image that imports it. The
# program and its tests are built alike, so what the tests run is what ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static, so an executable needs no DLL beyond the system's; ASLR, DEP
# and terminal-server awareness marked in every image.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware")

# ctest runs the Windows executables under Wine, each build in its own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh;${CMAKE_BINARY_DIR}/wine")
