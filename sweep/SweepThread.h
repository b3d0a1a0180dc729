#pragma once
// The sweep worker: sweeps a given size on a thread of its own, so that the
// main thread can animate the tray icon meanwhile.
#include <windows.h>
#include <atomic>
#include <cstdint>

#include "base/Owned.h"
#include "sweep/MemorySweep.h"

class TSweepThread {
public:
  // Starts the sweep at once. Raises EError when no thread can be made.
  explicit TSweepThread(SIZE_T size, const TVirtualMemoryApi& api = TVirtualMemoryApi());
  ~TSweepThread();  // waits for the thread
  TSweepThread(const TSweepThread&) = delete;
  TSweepThread& operator=(const TSweepThread&) = delete;

  // True once the memory has been given back; polled by the run.
  bool Done() const { return FDone.load(std::memory_order_acquire); }
  // Asks the fill to end at its next chunk, for a request that must not
  // wait for the whole sweep; what was got is given back.
  void Stop() { FStop.store(true, std::memory_order_relaxed); }
  std::uint64_t Join();  // the bytes swept

private:
  static unsigned WINAPI ThreadEntry(void* self);
  void Execute();

  // Set once, after every block has been given back, on every path: the
  // run's wait has no other way out. Written with release so that the
  // owner, reading with acquire, sees the memory already back.
  std::atomic<bool> FDone{false};

  SIZE_T FSize = 0;
  TVirtualMemoryApi FApi;
  std::atomic<bool> FStop{false};
  std::uint64_t FSwept = 0;  // written before FDone, read after it
  TOwnedHandle FThread;
};
