#include "sweep/SweepRun.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "framework/ImageList.h"
#include "sweep/SweepReport.h"
#include "tray/SimpleTaskTray.h"

namespace {

// One frame: the icon made from the list is handed to the tray, which may
// have to give it to the shell again (a shell restart in the pause between
// frames) and so keeps it until the next. A frame that cannot be made or
// shown is skipped; the animation goes on.
void ShowFrame(const TSweepTray& tray, const TImageList& frames, int index) {
  try {
    TOwnedIcon frame = frames.GetIcon(index);
    if (frame) tray.Frame(std::move(frame));
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

TSweepTray SweepTrayOf(TSimpleTaskTray& tray) {
  return {[&tray](const std::string& text, const std::string& title, TTrayMessageIcon icon) {
            tray.ShowBalloon(text, title, icon, tsBalloon);
          },
          [&tray](TOwnedIcon frame) { tray.ChangeIcon(std::move(frame)); },
          [&tray](HICON icon) { tray.ChangeIcon(icon); }, [&tray] { tray.HideBalloon(); }};
}

void TSweepRun::Run(int percent, const std::string& title, HICON normalIcon, TSimpleTaskTray& tray) {
  if (FRunning) return;
  // Made again at another size: a change of scaling gives the icon's slot
  // another size, which the tray asks after the shell's "TaskbarCreated".
  if (!FFrames || FFrames->ImageSize() != tray.IconSize()) FFrames = System.LoadFrames(tray.IconSize());
  Run(percent, title, normalIcon, SweepTrayOf(tray), FFrames.get());
}

void TSweepRun::Run(int percent, const std::string& title, HICON normalIcon, const TSweepTray& tray,
                    const TImageList* frames) {
  if (FRunning) return;
  FRunning = true;
  FTray = tray;
  FAbandoned = false;
  FIconRestored = false;
  FNormalIcon = normalIcon;
  try {
    Sweep(percent, title, frames);
  } catch (...) {
    FWorker.reset();
    FRunning = false;
    throw;
  }
  FWorker.reset();
  FRunning = false;
}

// After each tray call the run looks whether a request in that call
// abandoned it, and if so takes no further step.
void TSweepRun::Sweep(int percent, const std::string& title, const TImageList* frames) {
  const MEMORYSTATUS before = ReadMemoryStatus(System.Memory);
  const SIZE_T size = SweepSize(before.dwTotalPhys, percent);
  const SIZE_T committable = std::min(size, CommitBudget(System.CommitStatus));
  FTray.Balloon(StartReport(Now(), before, percent, size, UserSeparators(System.Locale)), title, tiInfo);
  if (FAbandoned) return;

  // From the worker's start to the restored icon every error is swallowed
  // and ends that stretch at once: the report still comes, and says what
  // was swept.
  try {
    FWorker = std::make_unique<TSweepThread>(committable, System.VirtualMemory);
    Animate(frames);
    if (FAbandoned) return;
    RestoreIcon();
    if (FAbandoned) return;
  } catch (...) {
  }
  // The worker always ends, so this wait does; its memory is back by then.
  const std::uint64_t swept = FWorker ? FWorker->Join() : 0;
  FWorker.reset();
  const std::string report =
      CompletionReport(Now(), ReadMemoryStatus(System.Memory), size, swept, UserSeparators(System.Locale));
  FTray.HideBalloon();
  if (FAbandoned) return;
  FTray.Balloon(report, title, CompletionIcon(size, swept));
}

// One frame and its pause at a time, the worker's flag tested before every
// frame so a worker already done shows none.
void TSweepRun::Animate(const TImageList* frames) {
  int index = 0;
  while (!FWorker->Done()) {
    if (frames) {
      ShowFrame(FTray, *frames, index);
      if (FAbandoned) return;
      if (++index >= frames->Count()) index = 0;
    }
    System.Pause(SweepFramePause);
  }
}

void TSweepRun::RestoreIcon() {
  FIconRestored = true;
  try {
    FTray.Icon(FNormalIcon);
  } catch (...) {
  }
}

void TSweepRun::Abandon() {
  if (!FRunning || FAbandoned) return;
  FAbandoned = true;
  if (!FWorker) return;  // not started yet, or already joined
  // Windows holds a logoff for a program that takes seconds to answer, and a
  // large sweep's fill takes that long: the fill ends at its next chunk, and
  // the request is answered once what it got is given back.
  FWorker->Stop();
  FWorker->Join();
  if (!FIconRestored) RestoreIcon();
}

SYSTEMTIME TSweepRun::Now() const {
  SYSTEMTIME now{};
  System.Clock(&now);
  return now;
}
