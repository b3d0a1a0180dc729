#pragma once
// One reading of the system's memory status, through a seam so tests and
// benches can size what the program sees.
#include <windows.h>

struct TMemoryStatusApi {
  decltype(&::GlobalMemoryStatus) ReadStatus = &::GlobalMemoryStatus;
};

// One reading into a record zeroed and sized first, as the call expects.
MEMORYSTATUS ReadMemoryStatus(const TMemoryStatusApi& api = TMemoryStatusApi());
