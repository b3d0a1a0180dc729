#pragma once
// Sweeping memory: commit, zero-fill and give back a number of bytes, so the
// system takes that much physical memory from other processes and then has
// it free.
#include <windows.h>
#include <atomic>
#include <cstdint>

#include "sweep/ZeroFill.h"

struct TVirtualMemoryApi {
  decltype(&VirtualAlloc) Alloc = &VirtualAlloc;
  decltype(&VirtualFree) Free = &VirtualFree;
  TZeroFill Zero = ZeroFillForThisProcessor();
};

// The smallest piece tried when one block of the whole size cannot be had.
constexpr SIZE_T SmallestSweepPiece = SIZE_T(1) << 20;

// Tries one block of the whole size first. When that fails (a 32-bit process
// seldom finds one free range as large as a third of its 2 GiB - under Wine
// the largest is ~600 MiB -, and a 64-bit one can meet the commit limit), the
// size is swept in pieces of halving size, down to SmallestSweepPiece: each
// piece is filled as it is got and all are kept until the total is reached
// or nothing more can be had. A 32-bit process never tries pieces for 2 GiB
// or more, which its address space cannot hold. Every block is decommitted
// and released before this returns, also when it returns by an exception.
// A stop flag, when given, is read between chunks of the fill (every 4 MiB):
// once it is set no more is filled or got. Returns the bytes swept.
std::uint64_t SweepMemory(SIZE_T size, const TVirtualMemoryApi& api = TVirtualMemoryApi(),
                          const std::atomic<bool>* stop = nullptr);
