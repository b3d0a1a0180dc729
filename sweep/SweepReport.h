#pragma once
// The texts of the sweep command's two balloon reports.
#include <windows.h>
#include <cstdint>
#include <string>

#include "base/LocaleSeparators.h"
#include "tray/TrayTypes.h"

// "yyyy/mm/dd hh:nn:ss" on the 24-hour clock, every "/" written as the
// user's date separator and every ":" as the time separator.
std::string DateTimeText(const SYSTEMTIME& time, const TLocaleSeparators& separators);

// The date and time, the total and free physical memory, and the setting
// with the size it sweeps.
std::string StartReport(const SYSTEMTIME& now, const MEMORYSTATUS& status, int percent, std::uint64_t size,
                        const TLocaleSeparators& separators);

// The date and time, the memory after the sweep, and how the sweep went:
// "Sweep Complete" only when the whole size was swept.
std::string CompletionReport(const SYSTEMTIME& now, const MEMORYSTATUS& status, std::uint64_t size,
                             std::uint64_t swept, const TLocaleSeparators& separators);

// A sweep that fell short is reported with the warning icon.
TTrayMessageIcon CompletionIcon(std::uint64_t size, std::uint64_t swept);
