#include "sweep/CommitBudget.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "base/SystemLibrary.h"

TMemoryStatusEx SystemMemoryStatusEx() {
  return ProcAddress<TMemoryStatusEx>(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx");
}

SIZE_T CommitBudget(TMemoryStatusEx readStatus) {
  constexpr SIZE_T unlimited = std::numeric_limits<SIZE_T>::max();
  if (!readStatus) return unlimited;
  MEMORYSTATUSEX status;
  std::memset(&status, 0, sizeof(status));
  status.dwLength = sizeof(status);
  if (!readStatus(&status)) return unlimited;
  // A tenth of the limit is left to everybody else.
  const std::uint64_t reserve = status.ullTotalPageFile / 10;
  if (status.ullAvailPageFile <= reserve) return 0;
  const std::uint64_t budget = status.ullAvailPageFile - reserve;
  // A 32-bit process may be told of more commit than it can address.
  return budget < unlimited ? static_cast<SIZE_T>(budget) : unlimited;
}
