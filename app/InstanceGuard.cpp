#include "app/InstanceGuard.h"

#include <windows.h>

#include "app/DummyMainForm.h"
#include "app/InstanceKey.h"
#include "framework/Application.h"

namespace {

// Held on purpose for the life of the process: only the name's existence
// matters, and the system closes the handle when the process ends.
HANDLE InstanceMutex = nullptr;

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

bool IsAlreadyRunning(const std::string& name) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
  DWORD error = GetLastError();
  // A copy under another account or integrity level (an elevated one) holds
  // the name with rights this one lacks: the name is taken all the same.
  if (error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED)) {
    if (mutex) CloseHandle(mutex);
    return true;
  }
  if (mutex) {
    if (InstanceMutex) CloseHandle(InstanceMutex);
    InstanceMutex = mutex;
  }
  return false;
}

void ReleaseInstanceGuard() {
  if (InstanceMutex) {
    CloseHandle(InstanceMutex);
    InstanceMutex = nullptr;
  }
}

bool RetakeInstanceGuard() { return !IsAlreadyRunning(InstanceKey); }

bool RunGuardedInstance(TApplication& app) {
  if (IsAlreadyRunning(InstanceKey)) return false;
  TInstanceProperty property(app.Handle());
  TDummyMainForm mainForm(app);
  app.Run(mainForm);
  return true;
}
