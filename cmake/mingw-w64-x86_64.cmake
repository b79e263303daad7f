# Cross build of Tallix.exe and the Windows test programs with MinGW-w64 GCC.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALLIX_MINGW_PREFIX x86_64-w64-mingw32)
# The POSIX-threads variant: GoogleTest and std::mutex need it.
set(CMAKE_C_COMPILER   ${TALLIX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALLIX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TALLIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALLIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
