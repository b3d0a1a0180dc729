#include "info/MemoryTexts.h"

#include "base/SizeText.h"

namespace {

// The counts are SIZE_T: 32 bits in a 32-bit process, the full 64 in a 64-bit one.
std::string MemoryLine(const char* label, SIZE_T available, SIZE_T total, const TLocaleSeparators& separators) {
  return label + FormatKB(available, separators) + "/" + FormatKB(total, separators);
}

}  // namespace

void GetMemoryTexts(std::string& physical, std::string& pagingFile, std::string& virtualMemory,
                    const TMemoryStatusApi& api, const TLocaleSeparators& separators) {
  const MEMORYSTATUS status = ReadMemoryStatus(api);
  physical = MemoryLine("free physical memory:", status.dwAvailPhys, status.dwTotalPhys, separators);
  pagingFile = MemoryLine("free paging file    :", status.dwAvailPageFile, status.dwTotalPageFile, separators);
  virtualMemory = MemoryLine("free virtual memory :", status.dwAvailVirtual, status.dwTotalVirtual, separators);
}
