#include "sweep/MemorySweep.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// Uncached, so the fill goes to memory itself rather than into the caches.
constexpr DWORD SweepProtection = PAGE_READWRITE | PAGE_NOCACHE;
// A 32-bit process without the large-address flag has 2 GiB of address
// space in all; a block of that size or more can never be had, whole or in
// pieces. A 64-bit process's space is far larger than any memory to sweep.
constexpr std::uint64_t AddressSpaceSize = sizeof(void*) == 4 ? std::uint64_t(1) << 31 : ~std::uint64_t(0);
// Reservations start on 64 KiB boundaries: pieces of whole 64 KiB leave no
// unusable holes behind them.
constexpr SIZE_T AllocationGranularity = SIZE_T(64) << 10;
// The fill goes in chunks of this size, the stop flag read before each, so a
// request to end is seen within one chunk's time: ~10 ms at the uncached rate
// of 16-byte stores, ~40 ms with the 4-byte fallback. A multiple of 16, so
// every chunk but the last is all 16-byte stores.
constexpr SIZE_T FillChunk = SIZE_T(4) << 20;

// The blocks got so far. Each is decommitted and its range released when it
// is given back: a range left reserved stays lost to the process, and after
// a few sweeps nothing could be committed any more.
class TSweptBlocks {
public:
  TSweptBlocks(const TVirtualMemoryApi& api, const std::atomic<bool>* stop) : FApi(api), FStop(stop) {}
  ~TSweptBlocks() { GiveBack(); }
  TSweptBlocks(const TSweptBlocks&) = delete;
  TSweptBlocks& operator=(const TSweptBlocks&) = delete;

  // Commits and zero-fills one block; false when it cannot be had or the
  // fill was stopped.
  bool Sweep(SIZE_T size) {
    // Room first, so that keeping the block cannot fail once it is committed.
    FBlocks.reserve(FBlocks.size() + 1);
    void* block = FApi.Alloc(nullptr, size, MEM_COMMIT, SweepProtection);
    if (!block) return false;
    FBlocks.push_back(TBlock{block, size});
    // One sequential pass; the stores' width is the fill's speed on
    // uncached memory (sweep/ZeroFill.h).
    for (SIZE_T filled = 0; filled < size;) {
      if (Stopped()) return false;
      const SIZE_T chunk = std::min(FillChunk, size - filled);
      FApi.Zero(static_cast<char*>(block) + filled, chunk);
      filled += chunk;
      FSwept += chunk;
    }
    return true;
  }

  bool Stopped() const { return FStop && FStop->load(std::memory_order_relaxed); }

  void GiveBack() {
    for (const TBlock& block : FBlocks) {
      FApi.Free(block.Address, block.Size, MEM_DECOMMIT);
      FApi.Free(block.Address, 0, MEM_RELEASE);
    }
    FBlocks.clear();
  }

  std::uint64_t Swept() const { return FSwept; }

private:
  struct TBlock {
    void* Address;
    SIZE_T Size;
  };
  TVirtualMemoryApi FApi;
  const std::atomic<bool>* FStop;
  std::vector<TBlock> FBlocks;
  std::uint64_t FSwept = 0;
};

SIZE_T HalvedPiece(SIZE_T piece) {
  return std::max(SmallestSweepPiece, piece / 2 / AllocationGranularity * AllocationGranularity);
}

void SweepInPieces(TSweptBlocks& blocks, SIZE_T size) {
  SIZE_T remaining = size;
  SIZE_T piece = HalvedPiece(size);
  while (remaining > 0 && !blocks.Stopped()) {
    const SIZE_T want = std::min(piece, remaining);
    if (blocks.Sweep(want)) {
      remaining -= want;
    } else if (want > SmallestSweepPiece) {
      piece = HalvedPiece(want);
    } else {
      break;  // not even the smallest piece is left
    }
  }
}

}  // namespace

std::uint64_t SweepMemory(SIZE_T size, const TVirtualMemoryApi& api, const std::atomic<bool>* stop) {
  if (size == 0) return 0;
  TSweptBlocks blocks(api, stop);
  try {
    if (!blocks.Sweep(size) && !blocks.Stopped() && size < AddressSpaceSize) SweepInPieces(blocks, size);
  } catch (const std::bad_alloc&) {
    // No room left to note one more block: what was swept so far still counts.
  }
  blocks.GiveBack();
  return blocks.Swept();
}
