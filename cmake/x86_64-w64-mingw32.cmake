# Cross-build for 64-bit Windows with MinGW-w64 (posix thread model, so std::thread works). The
# program ships as a 32-bit build; this one runs the Windows tests on machines that cannot run
# 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The test executables run under 64-bit Wine; CTest starts them through it. Debian's "wine"
# starts the 32-bit loader whenever it is installed, so the 64-bit one is named directly.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
