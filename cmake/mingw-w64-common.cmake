# What both MinGW-w64 cross builds share; the toolchain file of each sets ORVO_MINGW_PREFIX.
set(CMAKE_C_COMPILER   ${ORVO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${ORVO_MINGW_PREFIX}-windres)
set(CMAKE_STRIP        ${ORVO_MINGW_PREFIX}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the Windows test programs under Wine; Wine picks its 32-bit or 64-bit loader
# from the program itself, and one prefix serves both.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
