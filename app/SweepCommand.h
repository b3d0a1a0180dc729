#pragma once
// The sweep command: announce, sweep on a worker while the tray icon runs its
// animation, put the icon back and report. Written against TSweepHost so
// that tests can record every step.
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>

#include "app/SweepWorker.h"
#include "framework/Owned.h"
#include "info/LocaleSeparators.h"
#include "tray/TrayTypes.h"

// What the command uses of the program around it.
class TSweepHost {
public:
  virtual ~TSweepHost() = default;

  // The tray icon.
  virtual void ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon) = 0;
  virtual void ChangeIcon(HICON icon) = 0;
  virtual void HideBalloon() = 0;

  // The animation frames.
  virtual int FrameCount() const = 0;
  virtual TOwnedIcon Frame(int index) const = 0;

  // The system: memory, clock, separators, the pause between frames.
  virtual MEMORYSTATUS MemoryStatus() = 0;
  virtual SYSTEMTIME Now() = 0;
  virtual TLocaleSeparators Separators() = 0;
  virtual void Pause(DWORD milliseconds) = 0;

  // Starts a worker sweeping size bytes. May raise when none can be started.
  virtual std::unique_ptr<TSweepWorker> StartWorker(SIZE_T size) = 0;
};

// The pause after each frame; the end of a sweep is noticed at most this late
// (plus the time to show one frame).
constexpr DWORD SweepFramePause = 100;

// total x percent / 100, cut to whole bytes. The product is formed in the
// widest floating point there is. Raises std::range_error for a result the
// process could not address (outside SIZE_T), which no setting up to 100%
// of a count the system gives can reach.
SIZE_T SweepSize(SIZE_T total, int percent);

// One sweep of percent of the total physical memory, from its start report
// to its completion report. normalIcon is the icon the tray shows when no
// sweep runs; title is the balloons' caption.
//
// Every tray call waits on the shell, and a thread waiting in a send handles
// the messages sent to it: a request that has to see the sweep over before it
// is answered (a close, the end of the session) arrives in the middle of one
// of these calls and calls Finish from there, which takes the run on from
// where it stands. Each step is claimed before it is taken, so however the
// calls nest no step runs twice and the steps keep their order.
class TSweepRun {
public:
  TSweepRun(int percent, std::string title, HICON normalIcon, TSweepHost& host);
  TSweepRun(const TSweepRun&) = delete;
  TSweepRun& operator=(const TSweepRun&) = delete;

  // Takes every step not taken yet and returns when all have been taken. The
  // step an outer call took may still be in its tray call then (at worst the
  // completion report, already handed to the shell), so the tray must outlive
  // the run.
  void Finish();

private:
  enum class TStep { Announce, StartWorker, Animate, RestoreIcon, Conclude, HideBalloon, Report, Ended };

  void Announce();
  void StartWorker();
  void Animate();
  void RestoreIcon();
  void Conclude();

  const int FPercent;
  const std::string FTitle;
  const HICON FNormalIcon;
  TSweepHost& FHost;
  TStep FStep = TStep::Announce;
  SIZE_T FSize = 0;
  int FFrame = 0;
  std::unique_ptr<TSweepWorker> FWorker;
  std::string FReport;
  TTrayMessageIcon FReportIcon = tiInfo;
};

// Runs one sweep from start to end.
void RunSweepCommand(int percent, const std::string& title, HICON normalIcon, TSweepHost& host);
