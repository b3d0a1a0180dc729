#pragma once
// Wine's shell with the last icon record it was given: what a test reads of
// the main window's tray icon.
#include <cstring>

#include "tray/SimpleTaskTray.h"

namespace {

TNotifyIconDataA LastIconRecord{};

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAA data) {
  std::memcpy(&LastIconRecord, data, sizeof(LastIconRecord));
  return Shell_NotifyIconA(message, data);
}

TTrayApi RecordingTrayApi() {
  TTrayApi api;
  api.NotifyIcon = &RecordingShell;
  return api;
}

}  // namespace
