#include "sweep/SweepReport.h"

#include "base/Digits.h"
#include "base/SizeText.h"

namespace {

std::string TwoDigits(unsigned value) { return PaddedDigits(value % 100, 2); }

// The lines both reports begin with. "Phisical" is the program's own
// spelling, the one its users have always read: kept on purpose.
std::string MemoryHead(const SYSTEMTIME& now, const MEMORYSTATUS& status, const TLocaleSeparators& separators) {
  return DateTimeText(now, separators) + "\r\n\r\n" +
         "Total Phisical Memory: " + FormatMB(status.dwTotalPhys, separators) + "\r\n" +
         "Free Phisical Memory: " + FormatMB(status.dwAvailPhys, separators) + "\r\n\r\n";
}

}  // namespace

std::string DateTimeText(const SYSTEMTIME& time, const TLocaleSeparators& separators) {
  const std::string year = PaddedDigits(time.wYear % 10000, 4);
  const std::string& date = separators.Date;
  const std::string& clock = separators.Time;
  return year + date + TwoDigits(time.wMonth) + date + TwoDigits(time.wDay) + " " + TwoDigits(time.wHour) + clock +
         TwoDigits(time.wMinute) + clock + TwoDigits(time.wSecond);
}

std::string StartReport(const SYSTEMTIME& now, const MEMORYSTATUS& status, int percent, std::uint64_t size,
                        const TLocaleSeparators& separators) {
  return MemoryHead(now, status, separators) + "Sweep Setting: " + std::to_string(percent) + "% (" +
         FormatMB(size, separators) + ")";
}

std::string CompletionReport(const SYSTEMTIME& now, const MEMORYSTATUS& status, std::uint64_t size,
                             std::uint64_t swept, const TLocaleSeparators& separators) {
  std::string outcome;
  if (swept >= size) {
    outcome = "Sweep Complete";
  } else if (swept > 0) {
    outcome = "Sweep Incomplete: " + FormatMB(swept, separators) + " swept";
  } else {
    outcome = "Sweep Failed";
  }
  return MemoryHead(now, status, separators) + outcome;
}

TTrayMessageIcon CompletionIcon(std::uint64_t size, std::uint64_t swept) {
  return swept >= size ? tiInfo : tiWarning;
}
