#pragma once
// The sweep command's surroundings in the running program: the tray icon
// object, the frame list, the system's memory status, clock and locale, and
// a real worker thread.
#include "app/SweepCommand.h"
#include "info/MemoryTexts.h"

class TImageList;
class TSimpleTaskTray;

class TTraySweepHost : public TSweepHost {
public:
  // The tray may be null (no icon object at the time): its calls are skipped.
  // Without frames (null) the sweep runs and reports; the icon stays still.
  TTraySweepHost(TSimpleTaskTray* tray, const TImageList* frames,
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
  TSimpleTaskTray* FTray;
  const TImageList* FFrames;
  TMemoryStatusApi FMemory;
};
