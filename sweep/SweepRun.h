#pragma once
// The sweep command's run: announce, sweep on a worker while the tray icon
// runs its animation, put the icon back and report.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>

#include "base/LocaleSeparators.h"
#include "base/Owned.h"
#include "base/MemoryStatus.h"
#include "framework/SentMessageWait.h"
#include "sweep/CommitBudget.h"
#include "sweep/MemorySweep.h"
#include "sweep/SweepFrames.h"
#include "sweep/SweepThread.h"
#include "tray/TrayTypes.h"

class TSimpleTaskTray;

// What the run uses of the tray icon: the program's icon (SweepTrayOf), or
// a test's record.
struct TSweepTray {
  std::function<void(const std::string& text, const std::string& title, TTrayMessageIcon icon)> Balloon;
  // Shows an animation frame; the tray keeps it alive from then on.
  std::function<void(TOwnedIcon frame)> Frame;
  // Shows the program's own icon again.
  std::function<void(HICON icon)> Icon;
  std::function<void()> HideBalloon;
};

// What the run uses of the system: the real functions unless a test or a
// bench sizes the sweeps or records the steps.
struct TSweepSystem {
  TMemoryStatusApi Memory;
  TMemoryStatusEx CommitStatus = SystemMemoryStatusEx();
  decltype(&::Sleep) Pause = &WaitAnsweringSentMessages;
  decltype(&::GetLocalTime) Clock = &::GetLocalTime;
  TLocaleApi Locale;
  TVirtualMemoryApi VirtualMemory;
  decltype(&LoadSweepFrames) LoadFrames = &LoadSweepFrames;
};

// The run's calls on the program's tray icon. The icon object lives as long
// as the main window, which no message destroys: a run may hold it.
TSweepTray SweepTrayOf(TSimpleTaskTray& tray);

// The pause after each frame; the end of a sweep is noticed at most this late
// (plus the time to show one frame).
constexpr DWORD SweepFramePause = 100;

// total x percent / 100, cut to whole bytes. The product is formed in the
// widest floating point there is. Raises std::range_error for a result the
// process could not address (outside SIZE_T), which no setting up to 100%
// of a count the system gives can reach.
SIZE_T SweepSize(SIZE_T total, int percent);

// A request that has to see the sweep over before it is answered (a close,
// the end of the session) is sent to the main thread, which handles it in
// the pause between frames or inside a tray call (a thread waiting in a send
// handles the messages sent to it; a shell that answers at once, or no
// shell at all, leaves only the pause), and calls Abandon from there. The
// run then stops the worker's fill at its next chunk, waits for it to give
// everything back, puts the normal icon back and reports nothing; the
// interrupted run takes no step after the call it was in.
class TSweepRun {
public:
  explicit TSweepRun(const TSweepSystem& system = TSweepSystem()) : System(system) {}
  TSweepRun(const TSweepRun&) = delete;
  TSweepRun& operator=(const TSweepRun&) = delete;

  // One sweep of percent of the total physical memory, from its start report
  // to its completion report, over the program's tray icon. It commits no
  // more than the commit budget read at its start: a setting that asks for
  // more sweeps that much, and the report says it was incomplete. normalIcon
  // is the icon the tray shows when no sweep runs; title is the balloons'
  // caption. The animation's frames, of the tray's icon size, are made at
  // the first sweep, not at start: the image list brings in the common controls library, about
  // 2.5 MB of resident memory that an idle tray program has no use for.
  // Does nothing while a run is in progress.
  void Run(int percent, const std::string& title, HICON normalIcon, TSimpleTaskTray& tray);
  // The same over any tray; without frames (null) the icon stays still.
  void Run(int percent, const std::string& title, HICON normalIcon, const TSweepTray& tray,
           const TImageList* frames);
  // True from the start of Run to its return: the one "busy sweeping" state.
  bool Running() const { return FRunning; }
  // Ends the run in progress at once, without its report; nothing otherwise.
  // Returns within a chunk's fill and the give-back, whatever the size.
  void Abandon();

  TSweepSystem System;

private:
  void Sweep(int percent, const std::string& title, const TImageList* frames);
  void Animate(const TImageList* frames);
  void RestoreIcon();
  SYSTEMTIME Now() const;

  TSweepTray FTray;  // the running sweep's
  std::unique_ptr<TImageList> FFrames;  // null until the first sweep, or while they cannot be had
  bool FRunning = false;
  bool FAbandoned = false;
  bool FIconRestored = false;
  HICON FNormalIcon = nullptr;
  std::unique_ptr<TSweepThread> FWorker;
};
