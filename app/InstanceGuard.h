#pragma once
// The single-instance guard: a named mutex whose existence alone says that an
// instance runs in this logon session.
#include <windows.h>
#include <string>

class TApplication;

class TInstanceGuard {
public:
  explicit TInstanceGuard(std::string name) : FName(std::move(name)) {}
  // Lets the name go as the process ends.
  ~TInstanceGuard() { Release(); }
  TInstanceGuard(const TInstanceGuard&) = delete;
  TInstanceGuard& operator=(const TInstanceGuard&) = delete;

  // Takes the name, also again after Release. False when another process
  // holds it, also one whose mutex may not be opened from here, or when an
  // object that is not a mutex has the name; then no handle to it is kept.
  bool Take();
  // Closes this instance's handle, so that a copy started next can take the
  // name while this process is still ending.
  void Release();

private:
  std::string FName;
  HANDLE FMutex = nullptr;
};

// Runs one instance under the guard: property on the application window,
// main window, message loop. False when another instance holds the name.
bool RunGuardedInstance(TApplication& app, TInstanceGuard& guard);
