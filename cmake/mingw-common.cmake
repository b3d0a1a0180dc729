# Shared by the two toolchain files: cross-compiles for Windows with the
# mingw-w64 compilers of SWEEPER_MINGW_TRIPLE. The -posix flavour is the one
# whose libstdc++ has std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${SWEEPER_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SWEEPER_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${SWEEPER_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SWEEPER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the test executables through this architecture's Wine, with the
# build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
