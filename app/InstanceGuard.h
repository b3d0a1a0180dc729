#pragma once
#include <string>

class TApplication;

// Tests and takes the single-instance mutex. True when another process
// already holds the name, also one that may not be opened from here; then no
// handle to it is kept.
bool IsAlreadyRunning(const std::string& name);

// Closes this instance's handle to the mutex, so that a copy started next
// can take the name while this process is still ending.
void ReleaseInstanceGuard();

// Takes the mutex again after ReleaseInstanceGuard, when the copy could not be
// started after all. False when another instance took the name meanwhile.
bool RetakeInstanceGuard();

// Runs one instance under the guard: property on the application window,
// main window, message loop. False when another instance holds the name.
bool RunGuardedInstance(TApplication& app);
