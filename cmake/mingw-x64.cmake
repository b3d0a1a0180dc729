# The 64-bit program, for the 64-bit Windows nearly everyone runs: it sees
# and sweeps the machine's real memory.
set(SWEEPER_ARCH x64)
set(SWEEPER_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
