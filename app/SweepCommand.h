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

// Runs one sweep of percent of the total physical memory. normalIcon is the
// icon the tray shows when no sweep runs; title is the balloons' caption.
void RunSweepCommand(int percent, const std::string& title, HICON normalIcon, TSweepHost& host);
