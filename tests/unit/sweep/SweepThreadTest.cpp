// The sweep worker, for real under Wine: the address space of this process
// is what the program has, so the sizes met in use are tried here, as far as
// they take a moment; the real address space at full size is tried by the
// long runs (tests/stress).
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "sweep/SweepReport.h"
#include "sweep/SweepThread.h"
#include "sweep/ZeroFill.h"
#include "tests/unit/sweep/SweepThreadFixture.h"

namespace {

LPVOID WINAPI FailingAlloc(LPVOID, SIZE_T, DWORD, DWORD) { return nullptr; }

TEST_F(SweepThreadTest, SizeZeroWritesNothingAndEnds) {
  EXPECT_EQ(0u, SweepOnThread(0, FRecording));
  EXPECT_TRUE(Blocks.empty());
}

TEST_F(SweepThreadTest, FillsExactlySizesThatAreNotMultiplesOf16OrOfAPageWithEitherStoreWidth) {
  // Tails of 1, 9 and 3 bytes, the last one after a chunk boundary.
  for (const TZeroFill fill : {&ZeroFill16, &ZeroFill4}) {
    for (const SIZE_T size : {SIZE_T(1), SIZE_T(12345), SIZE_T(4 * MiB + 4099)}) {
      SCOPED_TRACE(std::to_string(size) + (fill == &ZeroFill4 ? " bytes in 4-byte stores" : " bytes in 16-byte stores"));
      Blocks.clear();
      FRecording.Zero = fill;
      EXPECT_EQ(size, SweepOnThread(size, FRecording));
      ASSERT_EQ(1u, Blocks.size());
      ExpectAllGivenBack();
    }
  }
}

// The fill's first touch of a guard page asks it to stop, as a close would
// at that moment.
constexpr SIZE_T GuardOffset = 5 * MiB;
std::atomic<bool> StopAtGuard{false};
LONG CALLBACK StopOnGuardPage(PEXCEPTION_POINTERS info) {
  if (info->ExceptionRecord->ExceptionCode != STATUS_GUARD_PAGE_VIOLATION) return EXCEPTION_CONTINUE_SEARCH;
  StopAtGuard = true;
  return EXCEPTION_CONTINUE_EXECUTION;  // the guard is gone once touched
}
LPVOID WINAPI GuardedAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD) {
  char* block = static_cast<char*>(RecordAlloc(address, size, type, PAGE_READWRITE));  // a guard cannot be uncached
  DWORD old = 0;
  if (block) VirtualProtect(block + GuardOffset, 4096, PAGE_READWRITE | PAGE_GUARD, &old);
  return block;
}

TEST_F(SweepThreadTest, AStopInTheMiddleOfTheFillEndsItAtTheEndOfItsFourMiBChunk) {
  FRecording.Alloc = &GuardedAlloc;
  StopAtGuard = false;
  PVOID handler = AddVectoredExceptionHandler(1, &StopOnGuardPage);
  const std::uint64_t swept = SweepMemory(64 * MiB, FRecording, &StopAtGuard);
  RemoveVectoredExceptionHandler(handler);
  ASSERT_EQ(1u, Blocks.size());
  EXPECT_EQ(8 * MiB, swept) << "the chunk from 4 to 8 MiB had the stop";
  EXPECT_EQ(8 * MiB, Blocks[0].Zeroed);
  EXPECT_TRUE(Blocks[0].Released);
}

TEST_F(SweepThreadTest, AStopAskedForEndsTheFillAndGivesEverythingBack) {
  const std::atomic<bool> stop{true};
  EXPECT_EQ(0u, SweepMemory(10 * MiB, FRecording, &stop));
  EXPECT_EQ(std::vector<SIZE_T>{10 * MiB}, Asked) << "no pieces after a stop";
  ASSERT_EQ(1u, Blocks.size());
  EXPECT_TRUE(Blocks[0].Released);
}

TEST_F(SweepThreadTest, TwoGiBEndsAtOnceWithNothingWritten) {
  if (sizeof(void*) != 4) GTEST_SKIP() << OnlyIn32Bits;
  EXPECT_EQ(0u, SweepOnThread(0x80000000u, FRecording));
  EXPECT_EQ(std::vector<SIZE_T>{0x80000000u}, Asked) << "no pieces for a size that can never fit";
  EXPECT_TRUE(Blocks.empty());
}

TEST_F(SweepThreadTest, SweepsInHalvingPiecesWhenOneBlockCannotBeHad) {
  // Only blocks up to 3 MiB are given: 10 MiB fail, 5 fail, 2.5 MiB pieces fit.
  LargestToGive = 3 * MiB;
  EXPECT_EQ(10u * MiB, SweepOnThread(10 * MiB, FRecording));
  EXPECT_EQ(10 * MiB, Asked.front());
  EXPECT_EQ(4u, Blocks.size());
  ExpectAllGivenBack();

  // Below the smallest piece nothing more is tried, and what was had counts.
  Blocks.clear();
  Asked.clear();
  LargestToGive = MiB / 2;
  EXPECT_EQ(0u, SweepOnThread(10 * MiB, FRecording));
  for (SIZE_T size : Asked) EXPECT_GE(size, SmallestSweepPiece);
}

// Each size asked for, and nothing given: what the commit limit does to a
// 64-bit process asking for more than the system can back.
LPVOID WINAPI RefusingAlloc(LPVOID, SIZE_T size, DWORD, DWORD) {
  Asked.push_back(size);
  return nullptr;
}

TEST_F(SweepThreadTest, SixtyFourBitSizesAreAskedWholeThenInPieces) {
  if (sizeof(void*) != 8) GTEST_SKIP() << "a 32-bit process cannot hold the size";
  TVirtualMemoryApi refusing;
  refusing.Alloc = &RefusingAlloc;
  const SIZE_T size = static_cast<SIZE_T>((std::uint64_t(5) << 30) + 12345);
  EXPECT_EQ(0u, SweepOnThread(size, refusing));
  ASSERT_GT(Asked.size(), 2u);
  EXPECT_EQ(size, Asked[0]) << "the one block is asked for whole, not cut to 32 bits";
  EXPECT_EQ(SIZE_T(5) << 29, Asked[1]) << "then halves, on 64 KiB boundaries";
  EXPECT_EQ(SmallestSweepPiece, Asked.back());
}

TEST_F(SweepThreadTest, EveryCommitFailingIsReportedAsFailed) {
  TVirtualMemoryApi failing;
  failing.Alloc = &FailingAlloc;
  const std::uint32_t size = 100 * MiB;
  const std::uint64_t swept = SweepOnThread(size, failing);
  EXPECT_EQ(0u, swept);
  MEMORYSTATUS status{};
  const std::string report = CompletionReport(SYSTEMTIME{}, status, size, swept, TLocaleSeparators());
  EXPECT_EQ("Sweep Failed", report.substr(report.size() - 12));
  EXPECT_EQ(tiWarning, CompletionIcon(size, swept));
}

}  // namespace
