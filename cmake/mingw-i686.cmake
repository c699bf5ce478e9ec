# Cross-compiles for 32-bit Windows with MinGW-w64: the build that ships. The
# program and its tests are built alike, so what the tests run is what ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUELLIX_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
