#pragma once
// The memory status and the three memory lines of the information window.
#include <windows.h>
#include <string>

#include "info/LocaleSeparators.h"

struct TMemoryStatusApi {
  decltype(&::GlobalMemoryStatus) ReadStatus = &::GlobalMemoryStatus;
};

// One reading into a record zeroed and sized first, as the call expects.
MEMORYSTATUS ReadMemoryStatus(const TMemoryStatusApi& api = TMemoryStatusApi());

// From one reading, each line as available amount, slash, total, in KB:
// "free physical memory:262,144.00KB/1,048,576.00KB". The labels are all 21
// characters long so the colons line up when the lines stand one under another.
void GetMemoryTexts(std::string& physical, std::string& pagingFile, std::string& virtualMemory,
                    const TMemoryStatusApi& api = TMemoryStatusApi(),
                    const TLocaleSeparators& separators = UserSeparators());
