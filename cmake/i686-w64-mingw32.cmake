# Cross-build for 32-bit Windows with MinGW-w64: the program as it ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORVEL_MINGW_TRIPLET i686-w64-mingw32)
set(QUORVEL_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
