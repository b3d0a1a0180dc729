// The sweep worker, for real under Wine: the address space of this process
// is what the program has, so the sizes met in use are tried here.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

#include "sweep/SweepReport.h"
#include "sweep/SweepThread.h"

namespace {

constexpr std::uint32_t MiB = 1u << 20;
// What GlobalMemoryStatus reports for the total under Wine: 2 GiB - 1.
constexpr std::uint32_t WineTotal = 0x7FFFFFFFu;

std::uint64_t SweepOnThread(SIZE_T size, const TVirtualMemoryApi& api = TVirtualMemoryApi()) {
  TSweepThread worker(size, api);
  const std::uint64_t swept = worker.Join();
  EXPECT_TRUE(worker.Done());
  return swept;
}

// A recording seam over the real calls. Every committed block is filled
// with a marker first and checked when it is given back: the sweep must
// have zeroed exactly its size and nothing past it.
struct TBlockRecord {
  void* Address;
  SIZE_T Size;
  bool Decommitted, Released, ZeroedExactly;
};
std::vector<TBlockRecord> Blocks;
std::vector<SIZE_T> Asked;
SIZE_T LargestToGive = ~SIZE_T(0);
constexpr unsigned char Marker = 0xA5;

SIZE_T CommittedSize(SIZE_T size) { return (size + 4095) / 4096 * 4096; }

LPVOID WINAPI RecordAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  Asked.push_back(size);
  if (size > LargestToGive) return nullptr;
  void* block = VirtualAlloc(address, size, type, protect);
  if (block) {
    std::memset(block, Marker, CommittedSize(size));
    Blocks.push_back({block, size, false, false, false});
  }
  return block;
}

BOOL WINAPI RecordFree(LPVOID address, SIZE_T size, DWORD type) {
  for (TBlockRecord& block : Blocks) {
    if (block.Address != address) continue;
    if (type == MEM_DECOMMIT) {
      const unsigned char* bytes = static_cast<const unsigned char*>(address);
      bool exact = size == block.Size;
      for (SIZE_T i = 0; exact && i < CommittedSize(block.Size); ++i)
        exact = bytes[i] == (i < block.Size ? 0 : Marker);
      block.ZeroedExactly = exact;
      block.Decommitted = true;
    } else if (type == MEM_RELEASE) {
      // Releasing needs the whole reservation, given by size 0.
      block.Released = size == 0 && block.Decommitted;
    }
  }
  return VirtualFree(address, size, type);
}

LPVOID WINAPI FailingAlloc(LPVOID, SIZE_T, DWORD, DWORD) { return nullptr; }

class SweepThreadTest : public ::testing::Test {
protected:
  void SetUp() override {
    Blocks.clear();
    Asked.clear();
    LargestToGive = ~SIZE_T(0);
    FRecording.Alloc = &RecordAlloc;
    FRecording.Free = &RecordFree;
  }
  void ExpectAllGivenBack() {
    for (const TBlockRecord& block : Blocks) {
      EXPECT_TRUE(block.ZeroedExactly) << block.Size;
      EXPECT_TRUE(block.Released) << block.Size;
    }
  }
  TVirtualMemoryApi FRecording;
};

TEST_F(SweepThreadTest, SizeZeroWritesNothingAndEnds) {
  EXPECT_EQ(0u, SweepOnThread(0, FRecording));
  EXPECT_TRUE(Blocks.empty());
}

TEST_F(SweepThreadTest, FillsExactlyASizeThatIsNotAPageMultiple) {
  EXPECT_EQ(12345u, SweepOnThread(12345, FRecording));
  ASSERT_EQ(1u, Blocks.size());
  ExpectAllGivenBack();
}

TEST_F(SweepThreadTest, AStopAskedForEndsTheFillAndGivesEverythingBack) {
  const std::atomic<bool> stop{true};
  EXPECT_EQ(0u, SweepMemory(10 * MiB, FRecording, &stop));
  EXPECT_EQ(std::vector<SIZE_T>{10 * MiB}, Asked) << "no pieces after a stop";
  ASSERT_EQ(1u, Blocks.size());
  EXPECT_TRUE(Blocks[0].Released);
}

// The 32-bit program's address space holds 2 GiB in all.
constexpr const char* OnlyIn32Bits = "a rule of the 32-bit address space";

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

// The real address space: 40% of what Wine reports as total is beyond any
// one free range, so pieces are used; 90% reaches what the ranges hold.
TEST_F(SweepThreadTest, FortyAndNinetyPercentOfTwoGiBSweepInPieces) {
  if (sizeof(void*) != 4) GTEST_SKIP() << OnlyIn32Bits;
  const std::uint32_t forty = static_cast<std::uint32_t>(WineTotal * 0.4);
  const std::uint64_t sweptForty = SweepOnThread(forty, FRecording);
  EXPECT_EQ(forty, sweptForty);
  EXPECT_GT(Blocks.size(), 1u) << "one block of 40% was not expected to fit";
  ExpectAllGivenBack();
  std::printf("[   NOTE   ] 40%%: %u of %u bytes in %u blocks\n", static_cast<unsigned>(sweptForty), forty,
              static_cast<unsigned>(Blocks.size()));

  Blocks.clear();
  const std::uint32_t ninety = static_cast<std::uint32_t>(WineTotal * 0.9);
  const std::uint64_t sweptNinety = SweepOnThread(ninety, FRecording);
  EXPECT_GT(sweptNinety, ninety / 2) << "pieces should reach well past one free range";
  EXPECT_LE(sweptNinety, ninety);
  ExpectAllGivenBack();
  std::printf("[   NOTE   ] 90%%: %u of %u bytes in %u blocks\n", static_cast<unsigned>(sweptNinety), ninety,
              static_cast<unsigned>(Blocks.size()));
}

TEST_F(SweepThreadTest, TwentySweepsInARowLeakNoAddressSpace) {
  if (sizeof(void*) != 4) GTEST_SKIP() << OnlyIn32Bits;
  const std::uint32_t forty = static_cast<std::uint32_t>(WineTotal * 0.4);
  const std::uint64_t first = SweepOnThread(forty);
  EXPECT_GT(first, 0u);
  for (int round = 2; round <= 20; ++round) EXPECT_EQ(first, SweepOnThread(forty)) << "round " << round;
}

}  // namespace
