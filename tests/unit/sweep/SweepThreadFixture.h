#pragma once
// The sweep worker's tests' common ground: a recording seam over the real
// commits, and the sizes the program meets under Wine.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

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
  SIZE_T Zeroed;  // how many bytes from the start were zero when it was given back
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
    Blocks.push_back({block, size, false, false, false, 0});
  }
  return block;
}

BOOL WINAPI RecordFree(LPVOID address, SIZE_T size, DWORD type) {
  for (TBlockRecord& block : Blocks) {
    if (block.Address != address) continue;
    if (type == MEM_DECOMMIT) {
      const unsigned char* bytes = static_cast<const unsigned char*>(address);
      while (block.Zeroed < block.Size && bytes[block.Zeroed] == 0) ++block.Zeroed;
      bool exact = size == block.Size && block.Zeroed == block.Size;
      for (SIZE_T i = block.Size; exact && i < CommittedSize(block.Size); ++i) exact = bytes[i] == Marker;
      block.ZeroedExactly = exact;
      block.Decommitted = true;
    } else if (type == MEM_RELEASE) {
      // Releasing needs the whole reservation, given by size 0.
      block.Released = size == 0 && block.Decommitted;
    }
  }
  return VirtualFree(address, size, type);
}

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

// The 32-bit program's address space holds 2 GiB in all.
constexpr const char* OnlyIn32Bits = "a rule of the 32-bit address space";

}  // namespace
