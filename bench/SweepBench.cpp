// Sweep benchmark, run under Wine by scripts/run-bench.sh:
// - the real worker sweeping 256 MiB and 1 GiB (the latter in pieces): fill
//   rate over its commit-to-release span, the best of three;
// - the 4-byte fallback fill of the same memory;
// - the real run over the real tray icon and frames: how long after the
//   worker's end the run notices it and puts the normal icon back.
// Prints "worker MIB SECONDS" lines that the script sets against the native
// fill, and readable lines for the rest.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "sweep/SweepFrames.h"
#include "sweep/SweepRun.h"
#include "sweep/SweepThread.h"
#include "tray/SimpleTaskTray.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The span from the first commit asked for to the last release done.
double FirstCommit = 0, LastRelease = 0;
int BlocksGot = 0;
LPVOID WINAPI TimedAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  if (FirstCommit == 0) FirstCommit = Seconds();
  LPVOID block = VirtualAlloc(address, size, type, protect);
  if (block) ++BlocksGot;
  return block;
}
BOOL WINAPI TimedFree(LPVOID address, SIZE_T size, DWORD type) {
  BOOL freed = VirtualFree(address, size, type);
  LastRelease = Seconds();
  return freed;
}

void BenchWorker(std::uint32_t mib) {
  TVirtualMemoryApi api;
  api.Alloc = &TimedAlloc;
  api.Free = &TimedFree;
  double best = 1e9, bestWhole = 1e9;
  std::uint64_t swept = 0;
  for (int run = 0; run < 3; ++run) {
    FirstCommit = LastRelease = 0;
    BlocksGot = 0;
    const double start = Seconds();
    TSweepThread worker(mib << 20, api);
    swept = worker.Join();
    const double whole = Seconds() - start;
    if (LastRelease - FirstCommit < best) best = LastRelease - FirstCommit;
    if (whole < bestWhole) bestWhole = whole;
  }
  std::printf("worker %u %.6f\n", static_cast<unsigned>(mib), best);
  std::printf("  %u MiB: swept %llu bytes in %d block(s), thread start to join %.1f ms\n",
              static_cast<unsigned>(mib), static_cast<unsigned long long>(swept), BlocksGot, bestWhole * 1000);
}

// The 4-byte fallback in the worker's place. Under Wine the block is cached,
// so the width shows little here; on a real PC's uncached block it is the
// fill's speed (sweep/ZeroFill.h).
void BenchFourByteFill(std::uint32_t mib) {
  TVirtualMemoryApi api;
  api.Zero = &ZeroFill4;
  const double start = Seconds();
  TSweepThread worker(SIZE_T(mib) << 20, api);
  const std::uint64_t swept = worker.Join();
  std::printf("  4-byte stores %u MiB: %.2f GB/s (for comparison only)\n", static_cast<unsigned>(mib),
              swept / (Seconds() - start) / 1e9);
}

// Sized as on a machine of 2 GiB, what the 32-bit program sees under Wine,
// whatever this machine has: a 64-bit sweep of 50% of the real memory would
// make a machine without swap kill processes.
void WINAPI TwoGiBMachine(LPMEMORYSTATUS status) {
  GlobalMemoryStatus(status);
  status->dwTotalPhys = 0x7FFFFFFF;
}

// The run over the real tray icon and frames, timed where it notices the
// end: the worker's last release marks the moment it is done, the restored
// normal icon the moment the run has seen it.
void BenchNoticing() {
  const std::unique_ptr<TImageList> frames = LoadSweepFrames();
  HICON normal = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  TSimpleTaskTray tray(normal);
  const bool added = tray.AddIcon("sweep_bench");
  double noticedAt = 0;
  TSweepSystem system;
  system.Memory.ReadStatus = &TwoGiBMachine;
  system.VirtualMemory.Alloc = &TimedAlloc;
  system.VirtualMemory.Free = &TimedFree;
  TSweepTray timed = SweepTrayOf(tray);
  timed.Balloon = [](const std::string&, const std::string&, TTrayMessageIcon) {};
  timed.HideBalloon = [] {};
  timed.Icon = [&](HICON icon) {
    tray.ChangeIcon(icon);
    noticedAt = Seconds();
  };
  TSweepRun run(system);
  double worst = 0, sum = 0;
  // Settings of different sizes, so the ends fall at different points of a
  // frame's pause.
  const int settings[] = {10, 20, 30, 40, 50, 10, 20, 30};
  const int runs = sizeof(settings) / sizeof(settings[0]);
  for (int percent : settings) {
    run.Run(percent, "sweep_bench", normal, timed, frames.get());
    const double late = noticedAt - LastRelease;
    sum += late;
    if (late > worst) worst = late;
  }
  std::printf("  command notices the end %.1f ms late on average, %.1f ms at worst (%d sweeps of 10-50%%, tray icon %s)\n",
              sum / runs * 1000, worst * 1000, runs, added ? "shown" : "not shown");
}

}  // namespace

int main() {
  BenchWorker(256);
  BenchWorker(1024);
  BenchFourByteFill(256);
  BenchNoticing();
  return 0;
}
