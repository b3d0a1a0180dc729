# The 32-bit program: never large-address aware (the i686 linker's
# default), so it sees the 2 GiB its sweeps are sized for.
set(SWEEPER_ARCH x86)
set(SWEEPER_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
