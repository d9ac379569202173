# Cross build for 32-bit Windows, where the game itself runs, with MinGW-w64 (Debian's
# posix-threads flavour). The same sources and resources as the 64-bit build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORVO_MINGW_PREFIX i686-w64-mingw32)
# SSE2 for the arithmetic, as every Windows that runs on 32 bits since Windows 8 requires:
# floating point then rounds exactly as in the 64-bit build (no x87 extended precision), so
# the float and time texts are the same byte for byte, and the key search's 16-byte blocks
# are one register.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
