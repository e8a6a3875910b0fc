# Cross-compiles for Windows with MinGW-w64, for the processor that the
# including toolchain file sets in CMAKE_SYSTEM_PROCESSOR (i686, x86_64).
# Programs are linked statically so they run under Wine and on Windows
# without extra DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(PAK_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER   ${PAK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PAK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${PAK_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PAK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests of Windows programs run under Wine (see tests/wine/run.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/run.sh)
