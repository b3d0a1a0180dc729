#include "app/InstanceGuard.h"

#include "app/DummyMainForm.h"
#include "app/InstanceKey.h"
#include "framework/Application.h"

namespace {

// Removes the window property however the run ends.
class TInstanceProperty {
public:
  explicit TInstanceProperty(HWND wnd) : FWnd(wnd) {
    SetPropA(FWnd, InstanceKey, reinterpret_cast<HANDLE>(InstanceMarker));
  }
  ~TInstanceProperty() { RemovePropA(FWnd, InstanceKey); }
  TInstanceProperty(const TInstanceProperty&) = delete;
  TInstanceProperty& operator=(const TInstanceProperty&) = delete;

private:
  HWND FWnd;
};

}  // namespace

bool TInstanceGuard::Take() {
  if (FMutex) return true;
  HANDLE mutex = CreateMutexA(nullptr, TRUE, FName.c_str());
  const DWORD error = GetLastError();
  // A copy under another account or integrity level (an elevated one) holds
  // the name with rights this one lacks: the name is taken all the same. So
  // it is when an object of another kind (a semaphore, an event) squats on
  // it: no mutex can be made under that name, by this copy or any other.
  const bool noMutexUnderName = !mutex && (error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_HANDLE);
  if (error == ERROR_ALREADY_EXISTS || noMutexUnderName) {
    if (mutex) CloseHandle(mutex);
    return false;
  }
  FMutex = mutex;
  return true;
}

void TInstanceGuard::Release() {
  if (FMutex) {
    CloseHandle(FMutex);
    FMutex = nullptr;
  }
}

bool RunGuardedInstance(TApplication& app, TInstanceGuard& guard) {
  if (!guard.Take()) return false;
  TInstanceProperty property(app.Handle());
  TDummyMainForm mainForm(app, guard);
  app.Run(mainForm);
  return true;
}
