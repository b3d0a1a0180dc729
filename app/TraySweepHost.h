#pragma once
// The sweep command's surroundings in the running program: the tray icon
// object, the frame list, the system's memory status, clock and locale, and
// a real worker thread.
#include <memory>

#include "app/SweepCommand.h"
#include "info/MemoryTexts.h"

class TImageList;
class TSimpleTaskTray;

class TTraySweepHost : public TSweepHost {
public:
  // The tray object is looked up at each call, never kept: a call waits on
  // the shell and handles sent messages meanwhile, and what they do to the
  // owner's tray object must not leave the sweep holding a stale one. No
  // object at the time: the call is skipped. Without frames (null) the sweep
  // runs and reports; the icon stays still.
  TTraySweepHost(const std::unique_ptr<TSimpleTaskTray>& tray, const TImageList* frames,
                 const TMemoryStatusApi& memory = TMemoryStatusApi())
      : FTray(tray), FFrames(frames), FMemory(memory) {}

  void ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon) override;
  void ChangeIcon(HICON icon) override;
  void HideBalloon() override;
  int FrameCount() const override;
  TOwnedIcon Frame(int index) const override;
  MEMORYSTATUS MemoryStatus() override;
  SYSTEMTIME Now() override;
  TLocaleSeparators Separators() override;
  void Pause(DWORD milliseconds) override;
  std::unique_ptr<TSweepWorker> StartWorker(SIZE_T size) override;

private:
  const std::unique_ptr<TSimpleTaskTray>& FTray;
  const TImageList* FFrames;
  TMemoryStatusApi FMemory;
};
