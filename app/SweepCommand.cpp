#include "app/SweepCommand.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "app/SweepReport.h"

namespace {

// One frame: the icon made from the list is handed to the shell, which keeps
// its own copy, and released at once. A frame that cannot be made or shown
// is skipped; the animation goes on.
void ShowFrame(TSweepHost& host, int index) {
  try {
    TOwnedIcon frame = host.Frame(index);
    if (frame) host.ChangeIcon(frame.Get());
  } catch (...) {
  }
}

// Frames until the worker is done, the flag tested before every frame so a
// worker already done shows none. The main thread handles no messages
// meanwhile, so no second sweep can start while this one runs.
void AnimateUntilDone(const TSweepWorker& worker, TSweepHost& host) {
  int index = 0;
  while (!worker.Done()) {
    ShowFrame(host, index);
    host.Pause(SweepFramePause);
    if (++index >= host.FrameCount()) index = 0;
  }
}

}  // namespace

SIZE_T SweepSize(SIZE_T total, int percent) {
  const double ratio = percent / 100.0;
  const long double size = static_cast<long double>(total) * ratio;
  // 2^(bits of SIZE_T), exactly: the first count SIZE_T cannot hold.
  const long double limit = std::ldexp(1.0L, std::numeric_limits<SIZE_T>::digits);
  if (!(size >= 0 && size < limit)) throw std::range_error("The sweep size is out of range");
  return static_cast<SIZE_T>(size);
}

void RunSweepCommand(int percent, const std::string& title, HICON normalIcon, TSweepHost& host) {
  const MEMORYSTATUS before = host.MemoryStatus();
  const SIZE_T size = SweepSize(before.dwTotalPhys, percent);
  host.ShowBalloon(StartReport(host.Now(), before, percent, size, host.Separators()), title, tiInfo);

  std::uint64_t swept = 0;
  {
    std::unique_ptr<TSweepWorker> worker;
    try {
      worker = host.StartWorker(size);
      AnimateUntilDone(*worker, host);
      host.ChangeIcon(normalIcon);
    } catch (...) {
      // Swallowed: the report below still comes, and says what was swept.
    }
    // The worker always ends, so this wait does; its memory is back by then.
    if (worker) swept = worker->Join();
  }

  const MEMORYSTATUS after = host.MemoryStatus();
  const std::string report = CompletionReport(host.Now(), after, size, swept, host.Separators());
  host.HideBalloon();
  host.ShowBalloon(report, title, CompletionIcon(size, swept));
}
