#pragma once
// The three memory lines of the information window.
#include <windows.h>
#include <string>

#include "base/LocaleSeparators.h"
#include "base/MemoryStatus.h"

// From one reading, each line as available amount, slash, total, in KB:
// "free physical memory:262,144.00KB/1,048,576.00KB". The labels are all 21
// characters long so the colons line up when the lines stand one under another.
void GetMemoryTexts(std::string& physical, std::string& pagingFile, std::string& virtualMemory,
                    const TMemoryStatusApi& api = TMemoryStatusApi(),
                    const TLocaleSeparators& separators = UserSeparators());
