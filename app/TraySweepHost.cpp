#include "app/TraySweepHost.h"

#include "app/SweepThread.h"
#include "framework/ImageList.h"
#include "info/MemoryTexts.h"
#include "tray/SimpleTaskTray.h"

void TTraySweepHost::ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon) {
  if (FTray) FTray->ShowBalloon(text, title, icon, tsBalloon);
}

void TTraySweepHost::ChangeIcon(HICON icon) {
  if (FTray) FTray->ChangeIcon(icon);
}

void TTraySweepHost::HideBalloon() {
  if (FTray) FTray->HideBalloon();
}

int TTraySweepHost::FrameCount() const { return FFrames ? FFrames->Count() : 0; }

TOwnedIcon TTraySweepHost::Frame(int index) const { return FFrames ? FFrames->GetIcon(index) : TOwnedIcon(); }

MEMORYSTATUS TTraySweepHost::MemoryStatus() { return ReadMemoryStatus(FMemory); }

SYSTEMTIME TTraySweepHost::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now;
}

TLocaleSeparators TTraySweepHost::Separators() { return UserSeparators(); }

void TTraySweepHost::Pause(DWORD milliseconds) { Sleep(milliseconds); }

std::unique_ptr<TSweepWorker> TTraySweepHost::StartWorker(SIZE_T size) {
  return std::make_unique<TSweepThread>(size);
}
