#pragma once
// The sweep worker: sweeps a given size on a thread of its own, so that the
// main thread can animate the tray icon meanwhile.
#include <windows.h>
#include <atomic>
#include <cstdint>

#include "app/MemorySweep.h"
#include "app/SweepWorker.h"
#include "framework/Owned.h"

class TSweepThread : public TSweepWorker {
public:
  // Starts the sweep at once. Raises EError when no thread can be made.
  explicit TSweepThread(SIZE_T size, const TVirtualMemoryApi& api = TVirtualMemoryApi());
  // Waits for the thread to end.
  ~TSweepThread() override;
  TSweepThread(const TSweepThread&) = delete;
  TSweepThread& operator=(const TSweepThread&) = delete;

  bool Done() const override { return FDone.load(std::memory_order_acquire); }
  std::uint64_t Join() override;

  // Set once, after every block has been given back, on every path: the
  // command's wait has no other way out. Written with release so that the
  // owner, reading with acquire, sees the memory already back.
  std::atomic<bool> FDone{false};

private:
  static unsigned WINAPI ThreadEntry(void* self);
  void Execute();

  SIZE_T FSize = 0;
  TVirtualMemoryApi FApi;
  std::uint64_t FSwept = 0;  // written before FDone, read after it
  TOwnedHandle FThread;
};
