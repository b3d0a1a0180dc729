// Size texts and the memory lines made of them, with the separators they use.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "info/MemoryTexts.h"
#include "base/SizeText.h"

namespace {

TLocaleSeparators English() { return TLocaleSeparators{",", ".", "/", ":"}; }
TLocaleSeparators German() { return TLocaleSeparators{".", ",", ".", ":"}; }

TEST(SizeTextTest, RoundsHalvesToTheEvenNeighbourAndGroupsWithTheGivenSeparators) {
  const TLocaleSeparators none{"", ".", "/", ":"};
  const struct {
    std::int64_t Bytes;
    decltype(&FormatMB) Format;
    TLocaleSeparators Separators;
    const char* Expected;
  } rows[] = {
      {0, &FormatMB, English(), "0.00MB"},
      {1048575, &FormatMB, English(), "1.00MB"},
      {1572864, &FormatMB, English(), "2.00MB"},  // 1.5
      {2621440, &FormatMB, English(), "2.00MB"},  // 2.5
      {3670016, &FormatMB, English(), "4.00MB"},  // 3.5
      {524288, &FormatMB, English(), "0.00MB"},   // 0.5
      {524289, &FormatMB, English(), "1.00MB"},   // just over the half
      {1536, &FormatKB, English(), "2.00KB"},
      {2560, &FormatKB, English(), "2.00KB"},
      // In threes, up to the largest count.
      {536870912, &FormatMB, English(), "512.00MB"},
      {2147483648LL, &FormatMB, English(), "2,048.00MB"},
      {4294967295LL, &FormatMB, English(), "4,096.00MB"},
      {1073741824, &FormatKB, English(), "1,048,576.00KB"},
      {4294967295LL, &FormatKB, English(), "4,194,304.00KB"},
      {999 * 1024, &FormatKB, English(), "999.00KB"},
      {1000 * 1024, &FormatKB, English(), "1,000.00KB"},
      {1073741824, &FormatMB, German(), "1.024,00MB"},
      {1073741824, &FormatKB, none, "1048576.00KB"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.Expected, row.Format(row.Bytes, row.Separators)) << row.Bytes;
}

// The separators as a fake GetLocaleInfoA gives them, per item asked for.
const char* FakeThousand = "'";
const char* FakeDecimal = ",";
int WINAPI FakeLocaleInfo(LCID, LCTYPE type, LPSTR data, int size) {
  const char* value = nullptr;
  switch (type) {
    case LOCALE_STHOUSAND: value = FakeThousand; break;
    case LOCALE_SDECIMAL: value = FakeDecimal; break;
    case LOCALE_SDATE: value = "-"; break;
    case LOCALE_STIME: value = "."; break;
    default: return 0;
  }
  if (!value) return 0;  // the system cannot give it
  const int length = static_cast<int>(std::strlen(value)) + 1;
  if (length > size) return 0;
  std::memcpy(data, value, length);
  return length;
}

TEST(SizeTextTest, ReadsTheUserSeparatorsWhenATextIsMade) {
  TLocaleApi api;
  api.LocaleInfo = &FakeLocaleInfo;
  FakeThousand = "'";
  TLocaleSeparators separators = UserSeparators(api);
  EXPECT_EQ("'", separators.Thousand);
  EXPECT_EQ(",", separators.Decimal);
  EXPECT_EQ("-", separators.Date);
  EXPECT_EQ(".", separators.Time);
  EXPECT_EQ("1'024,00MB", FormatMB(1073741824, separators));

  // A separator the system cannot give keeps the usual one.
  FakeThousand = nullptr;
  EXPECT_EQ(",", UserSeparators(api).Thousand);
  // An empty thousands separator is the user's choice; an empty decimal one
  // would make 1 GiB "102400MB", so the usual one stands in.
  FakeThousand = "";
  FakeDecimal = "";
  separators = UserSeparators(api);
  EXPECT_EQ("", separators.Thousand);
  EXPECT_EQ(".", separators.Decimal);
  EXPECT_EQ("1024.00MB", FormatMB(1073741824, separators));
  FakeThousand = "'";
  FakeDecimal = ",";
}

// One fixed reading, recording that the record came zeroed and sized.
bool StatusCameClean = false;
void WINAPI FakeGlobalMemoryStatus(LPMEMORYSTATUS status) {
  MEMORYSTATUS clean;
  std::memset(&clean, 0, sizeof(clean));
  clean.dwLength = sizeof(void*) == 4 ? 32 : 56;  // the record at the platform's size
  StatusCameClean = std::memcmp(status, &clean, sizeof(clean)) == 0;
  status->dwTotalPhys = 1u << 30;
  status->dwAvailPhys = 256u << 20;
  status->dwTotalPageFile = 4294967295u;
  status->dwAvailPageFile = 1536;
  status->dwTotalVirtual = 2147352576u;
  status->dwAvailVirtual = 0;
}

TEST(MemoryTextsTest, GivesAvailableThenTotalInKilobytesFromOneReading) {
  TMemoryStatusApi api;
  api.ReadStatus = &FakeGlobalMemoryStatus;
  std::string physical, pagingFile, virtualMemory;
  GetMemoryTexts(physical, pagingFile, virtualMemory, api, English());
  EXPECT_TRUE(StatusCameClean);
  EXPECT_EQ("free physical memory:262,144.00KB/1,048,576.00KB", physical);
  EXPECT_EQ("free paging file    :2.00KB/4,194,304.00KB", pagingFile);
  EXPECT_EQ("free virtual memory :0.00KB/2,097,024.00KB", virtualMemory);
}

void WINAPI FakeLargeMemoryStatus(LPMEMORYSTATUS status) {
  status->dwTotalPhys = static_cast<SIZE_T>(std::uint64_t(24) << 30);
  status->dwAvailPhys = static_cast<SIZE_T>(std::uint64_t(5) << 32);
  status->dwTotalVirtual = static_cast<SIZE_T>(std::uint64_t(128) << 40);
}

// A 24 GiB machine once showed 3,712,224.00KB in all: cut to 32 bits.
TEST(MemoryTextsTest, SixtyFourBitCountsAreShownInFull) {
  if (sizeof(SIZE_T) < 8) GTEST_SKIP() << "a 32-bit process has no counts past 4 GiB";
  TMemoryStatusApi api;
  api.ReadStatus = &FakeLargeMemoryStatus;
  std::string physical, pagingFile, virtualMemory;
  GetMemoryTexts(physical, pagingFile, virtualMemory, api, English());
  EXPECT_EQ("free physical memory:20,971,520.00KB/25,165,824.00KB", physical);
  EXPECT_EQ("free virtual memory :0.00KB/137,438,953,472.00KB", virtualMemory);
}

}  // namespace
