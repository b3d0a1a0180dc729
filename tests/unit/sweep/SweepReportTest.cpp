// The balloon reports byte for byte, with a fixed clock and separators.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "sweep/SweepRun.h"
#include "sweep/SweepReport.h"
#include "tests/unit/sweep/SweepTestData.h"

namespace {

constexpr std::uint32_t MiB = 1u << 20;

MEMORYSTATUS Status(DWORD total, DWORD free) {
  MEMORYSTATUS status{};
  status.dwLength = sizeof(status);
  status.dwTotalPhys = total;
  status.dwAvailPhys = free;
  return status;
}

const TLocaleSeparators Usual = UsualSeparators();
const std::string Head =
    "2024/01/31 09:05:07\r\n\r\nTotal Phisical Memory: 1,024.00MB\r\nFree Phisical Memory: 300.00MB\r\n\r\n";

TEST(SweepReportTest, DateAndTimeUseTheUserSeparators) {
  EXPECT_EQ("2024/01/31 09:05:07", DateTimeText(JanuaryThe31st(), Usual));
  EXPECT_EQ("2024.01.31 09-05-07", DateTimeText(JanuaryThe31st(), TLocaleSeparators{",", ".", ".", "-"}));
  EXPECT_EQ("0999/12/01 23:59:59", DateTimeText(LocalTimeAt(999, 12, 1, 23, 59, 59), Usual));
}

TEST(SweepReportTest, StartReportForFiftyAndNinetyPercent) {
  const MEMORYSTATUS status = Status(1u << 30, 300 * MiB);
  EXPECT_EQ(536870912u, SweepSize(status.dwTotalPhys, 50));
  EXPECT_EQ(Head + "Sweep Setting: 50% (512.00MB)",
            StartReport(JanuaryThe31st(), status, 50, SweepSize(status.dwTotalPhys, 50), Usual));
  // Nine tenths of 1 GiB is 921.6 MiB, cut to whole bytes.
  EXPECT_EQ(966367641u, SweepSize(status.dwTotalPhys, 90));
  EXPECT_EQ(Head + "Sweep Setting: 90% (922.00MB)",
            StartReport(JanuaryThe31st(), status, 90, SweepSize(status.dwTotalPhys, 90), Usual));
}

TEST(SweepReportTest, SweepSizeCoversEverySettingAndRefusesWhatCannotFit) {
  EXPECT_EQ(214748364u, SweepSize(0x7FFFFFFFu, 10));
  EXPECT_EQ(4294967295u, SweepSize(0xFFFFFFFFu, 100));
  // Past what the process can address, whatever its width.
  const SIZE_T largest = std::numeric_limits<SIZE_T>::max();
  EXPECT_EQ(largest, SweepSize(largest, 100));
  EXPECT_THROW(SweepSize(largest, 101), std::range_error);
  EXPECT_THROW(SweepSize(0xFFFFFFFFu, -1), std::range_error);
}

// A 64-bit process reads the machine's real memory: nothing may be cut to
// 32 bits on the way to the balloon (a 24 GiB machine once showed a 10%
// setting of 363MB).
TEST(SweepReportTest, SixtyFourBitFiguresAreNeverCut) {
  if (sizeof(SIZE_T) < 8) GTEST_SKIP() << "a 32-bit process has no counts past 4 GiB";
  const std::uint64_t GiB = std::uint64_t(1) << 30;
  MEMORYSTATUS status{};
  status.dwLength = sizeof(status);
  status.dwTotalPhys = static_cast<SIZE_T>(24 * GiB);
  status.dwAvailPhys = static_cast<SIZE_T>(20 * GiB + 300 * MiB);
  const SIZE_T size = SweepSize(status.dwTotalPhys, 10);
  EXPECT_EQ(2576980377u, size);
  const std::string head =
      "2024/01/31 09:05:07\r\n\r\nTotal Phisical Memory: 24,576.00MB\r\nFree Phisical Memory: 20,780.00MB\r\n\r\n";
  EXPECT_EQ(head + "Sweep Setting: 10% (2,458.00MB)", StartReport(JanuaryThe31st(), status, 10, size, Usual));
  EXPECT_EQ(head + "Sweep Incomplete: 5,120.00MB swept",
            CompletionReport(JanuaryThe31st(), status, 8 * GiB, 5 * GiB, Usual));
}

TEST(SweepReportTest, CompletionReportSaysHowTheSweepWent) {
  const MEMORYSTATUS status = Status(1u << 30, 300 * MiB);
  const std::uint32_t size = 512 * MiB;
  EXPECT_EQ(Head + "Sweep Complete", CompletionReport(JanuaryThe31st(), status, size, size, Usual));
  EXPECT_EQ(tiInfo, CompletionIcon(size, size));

  EXPECT_EQ(Head + "Sweep Incomplete: 300.00MB swept",
            CompletionReport(JanuaryThe31st(), status, size, 300 * MiB, Usual));
  EXPECT_EQ(tiWarning, CompletionIcon(size, 300 * MiB));

  EXPECT_EQ(Head + "Sweep Failed", CompletionReport(JanuaryThe31st(), status, size, 0, Usual));
  EXPECT_EQ(tiWarning, CompletionIcon(size, 0));

  // Nothing to sweep is nothing missed.
  EXPECT_EQ(Head + "Sweep Complete", CompletionReport(JanuaryThe31st(), status, 0, 0, Usual));
  EXPECT_EQ(tiInfo, CompletionIcon(0, 0));
}

TEST(SweepReportTest, TheLongestReportsFitTheBalloonText) {
  const MEMORYSTATUS largest = Status(0xFFFFFFFFu, 0xFFFFFFFFu);
  EXPECT_EQ(125u, StartReport(JanuaryThe31st(), largest, 90, 0xFFFFFFFFu, Usual).size());
  EXPECT_EQ(108u, CompletionReport(JanuaryThe31st(), largest, 1, 1, Usual).size());
  // The longest of all: an incomplete sweep, with three-byte separators,
  // the most the locale allows.
  const TLocaleSeparators widest{"abc", "def", "ghi", "jkl"};
  const std::string incomplete = CompletionReport(JanuaryThe31st(), largest, 0xFFFFFFFFu, 0xFFFFFFFEu, widest);
  EXPECT_LE(StartReport(JanuaryThe31st(), largest, 90, 0xFFFFFFFFu, widest).size(), 255u);
  EXPECT_LE(incomplete.size(), 255u);
}

}  // namespace
