// The sweep worker over the real address space of a 32-bit process, at the
// sizes the program sweeps: seconds of filling each, so among the long runs.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/unit/sweep/SweepThreadFixture.h"

namespace {

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
