# Shared by the two toolchain files: cross-compiles for Windows with the
# mingw-w64 compilers of SWEEPER_MINGW_TRIPLE, of the thread model
# SWEEPER_THREAD_MODEL. The -posix compilers (the default) have the
# std::thread and std::mutex that GoogleTest needs; the program itself is
# built with the -win32 ones (see CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)

if(NOT SWEEPER_THREAD_MODEL)
  set(SWEEPER_THREAD_MODEL posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SWEEPER_THREAD_MODEL)
set(CMAKE_C_COMPILER   ${SWEEPER_MINGW_TRIPLE}-gcc-${SWEEPER_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${SWEEPER_MINGW_TRIPLE}-g++-${SWEEPER_THREAD_MODEL})
set(CMAKE_RC_COMPILER  ${SWEEPER_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SWEEPER_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the test executables through this architecture's Wine, with the
# build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
