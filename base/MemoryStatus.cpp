#include "base/MemoryStatus.h"

#include <cstring>

MEMORYSTATUS ReadMemoryStatus(const TMemoryStatusApi& api) {
  MEMORYSTATUS status;
  std::memset(&status, 0, sizeof(status));
  status.dwLength = sizeof(status);
  api.ReadStatus(&status);
  return status;
}
