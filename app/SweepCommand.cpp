#include "app/SweepCommand.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

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

}  // namespace

SIZE_T SweepSize(SIZE_T total, int percent) {
  const double ratio = percent / 100.0;
  const long double size = static_cast<long double>(total) * ratio;
  // 2^(bits of SIZE_T), exactly: the first count SIZE_T cannot hold.
  const long double limit = std::ldexp(1.0L, std::numeric_limits<SIZE_T>::digits);
  if (!(size >= 0 && size < limit)) throw std::range_error("The sweep size is out of range");
  return static_cast<SIZE_T>(size);
}

TSweepRun::TSweepRun(int percent, std::string title, HICON normalIcon, TSweepHost& host)
    : FPercent(percent), FTitle(std::move(title)), FNormalIcon(normalIcon), FHost(host) {}

void TSweepRun::Finish() {
  for (;;) {
    switch (FStep) {
      case TStep::Announce: Announce(); break;
      case TStep::StartWorker: StartWorker(); break;
      case TStep::Animate: Animate(); break;
      case TStep::RestoreIcon: RestoreIcon(); break;
      case TStep::Conclude: Conclude(); break;
      case TStep::HideBalloon:
        FStep = TStep::Report;
        FHost.HideBalloon();
        break;
      case TStep::Report:
        FStep = TStep::Ended;
        FHost.ShowBalloon(FReport, FTitle, FReportIcon);
        break;
      case TStep::Ended: return;
    }
  }
}

void TSweepRun::Announce() {
  const MEMORYSTATUS before = FHost.MemoryStatus();
  FSize = SweepSize(before.dwTotalPhys, FPercent);
  FStep = TStep::StartWorker;
  FHost.ShowBalloon(StartReport(FHost.Now(), before, FPercent, FSize, FHost.Separators()), FTitle, tiInfo);
}

// From the worker's start to the restored icon every error is swallowed and
// ends that stretch at once: the report still comes, and says what was swept.
void TSweepRun::StartWorker() {
  FStep = TStep::Animate;
  try {
    FWorker = FHost.StartWorker(FSize);
  } catch (...) {
    FStep = TStep::Conclude;
  }
}

// One frame and its pause, the worker's flag tested before every frame so a
// worker already done shows none.
void TSweepRun::Animate() {
  try {
    if (FWorker->Done()) {
      FStep = TStep::RestoreIcon;
      return;
    }
    const int index = FFrame;
    if (++FFrame >= FHost.FrameCount()) FFrame = 0;
    ShowFrame(FHost, index);
    // A call nested in that frame may have taken the sweep further.
    if (FStep == TStep::Animate) FHost.Pause(SweepFramePause);
  } catch (...) {
    FStep = TStep::Conclude;
  }
}

void TSweepRun::RestoreIcon() {
  FStep = TStep::Conclude;
  try {
    FHost.ChangeIcon(FNormalIcon);
  } catch (...) {
  }
}

void TSweepRun::Conclude() {
  FStep = TStep::HideBalloon;
  std::uint64_t swept = 0;
  if (FWorker) {
    // The worker always ends, so this wait does; its memory is back by then.
    swept = FWorker->Join();
    FWorker.reset();
  }
  const MEMORYSTATUS after = FHost.MemoryStatus();
  FReport = CompletionReport(FHost.Now(), after, FSize, swept, FHost.Separators());
  FReportIcon = CompletionIcon(FSize, swept);
}

void RunSweepCommand(int percent, const std::string& title, HICON normalIcon, TSweepHost& host) {
  TSweepRun(percent, title, normalIcon, host).Finish();
}
