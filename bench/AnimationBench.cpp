// CPU of the sweep animation, run under Wine by bench/footprint.sh: what
// the main thread spends while the real sweep command animates the real tray
// icon with the real frames, against a bare loop that only hands the next
// ready-made frame to the shell every 100 ms. A commit that takes a fixed
// time keeps the sweep going long enough to measure, and a small size keeps
// the filling, which runs on the worker's own thread, out of the figure.
// Prints "animation command|bare SECONDS CPU_MS FRAMES" lines.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "framework/ImageList.h"
#include "resources/FrameIds.h"
#include "sweep/SweepRun.h"
#include "tray/SimpleTaskTray.h"

namespace {

constexpr DWORD RunMs = 8000;

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ThreadCpuMs() {
  FILETIME created, ended, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) return 0;
  auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// A machine of 16 MiB, and a commit that takes the whole run: the worker is
// busy for RunMs, and its fill is too small to count.
void WINAPI SmallMachine(LPMEMORYSTATUS status) {
  GlobalMemoryStatus(status);
  status->dwTotalPhys = SIZE_T(16) << 20;
}
LPVOID WINAPI SlowAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  Sleep(RunMs);
  return VirtualAlloc(address, size, type, protect);
}

void Report(const char* what, double seconds, double cpuMs, int frames) {
  std::printf("animation %s %.3f %.1f %d\n", what, seconds, cpuMs, frames);
}

}  // namespace

int main() {
  TImageList frames;
  frames.AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES_16, IDB_SWEEP_FRAME_MASKS_16);
  HICON normal = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  auto tray = std::make_unique<TSimpleTaskTray>(normal);
  if (!tray->AddIcon("animation_bench")) std::fprintf(stderr, "animation_bench: the tray icon was not added\n");

  {
    int shownFrames = 0;
    TSweepSystem system;
    system.Memory.ReadStatus = &SmallMachine;
    system.VirtualMemory.Alloc = &SlowAlloc;
    TSweepTray counted = SweepTrayOf(*tray);
    counted.Frame = [&](TOwnedIcon frame) {
      tray->ChangeIcon(std::move(frame));
      ++shownFrames;
    };
    TSweepRun run(system);
    const double start = Seconds(), cpu = ThreadCpuMs();
    run.Run(10, "animation_bench", normal, counted, &frames);
    Report("command", Seconds() - start, ThreadCpuMs() - cpu, shownFrames);
  }

  std::vector<TOwnedIcon> icons;
  for (int i = 0; i < frames.Count(); ++i) icons.push_back(frames.GetIcon(i));
  const double start = Seconds(), cpu = ThreadCpuMs();
  int shown = 0;
  for (DWORD begun = GetTickCount(); GetTickCount() - begun < RunMs; ++shown) {
    tray->ChangeIcon(icons[shown % icons.size()].Get());
    Sleep(SweepFramePause);
  }
  Report("bare", Seconds() - start, ThreadCpuMs() - cpu, shown);
  return 0;
}
