# What both MinGW-w64 toolchains share; each sets QUELLIX_MINGW_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR, then includes this. The -win32 compilers, not the
# -posix ones: those link the static winpthread library, which imports
# GetTickCount64, and Windows XP refuses to load an image that imports it.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUELLIX_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QUELLIX_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${QUELLIX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUELLIX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static, so an executable needs no DLL beyond the system's; ASLR, DEP
# and terminal-server awareness marked in every image.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware")

# ctest runs the Windows executables under Wine, each build in its own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh;${CMAKE_BINARY_DIR}/wine")
