# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix thread model, for std::thread),
# running the built programs and tests under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#         -DSFML_SOURCE=/path/to/SFML-2.5.1-src.tar.gz
# and, for a game built on the Windows SDK, with -DCMAKE_PREFIX_PATH=/path/to/the/sdk.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TW_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TW_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TW_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TW_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TW_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
# SFML's prebuilt libraries lie in its source tree and the SDK wherever it was unpacked,
# outside the root path.
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# The tree's CMakeLists.txt runs the built programs and tests under Wine (scripts/wine-run.sh).
