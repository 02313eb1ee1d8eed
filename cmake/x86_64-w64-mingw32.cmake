# Cross-build for 64-bit Windows with MinGW-w64. The program ships as a 32-bit build; this one
# runs the Windows tests on machines that cannot run 32-bit programs. Debian's "wine" starts
# the 32-bit loader whenever it is installed, so the 64-bit one is named directly.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUORVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(QUORVEL_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
