# A 64-bit build of the same sources, for one purpose: running the Windows tests
# and the end-to-end runs under 64-bit Wine on a host that cannot run 32-bit
# programs, and so no 32-bit Wine. What ships is the i686 build; this one's
# images are tests only.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUELLIX_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
