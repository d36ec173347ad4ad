# Cross-compiling the Qt-free part of KORV for 64-bit Windows with Debian's mingw-w64 (the
# POSIX-threads flavour, which std::thread and std::filesystem need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KORV_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs run without the compiler's runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests run the Windows programs under Wine; Debian keeps wine64 out of PATH.
find_program(KORV_WINE64 NAMES wine64 PATHS /usr/lib/wine)
if(KORV_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORV_WINE64})
endif()
