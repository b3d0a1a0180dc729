// Program entry: one instance per logon session; a copy started by the
// restart command waits once for the old instance to go.
#include <windows.h>

#include <exception>

#include "app/CommandLine.h"
#include "app/DllSearchPath.h"
#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"
#include "framework/Application.h"
#include "base/Error.h"
#include "shell/ComApartment.h"

namespace {
constexpr DWORD RestartWaitMs = 1000;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearchPath();
  try {
    TApplication app;
    TComApartment com;
    TInstanceGuard guard(InstanceKey);
    if (!RunGuardedInstance(app, guard) && FirstArgument(GetCommandLineA()) == InstanceKey) {
      Sleep(RestartWaitMs);
      RunGuardedInstance(app, guard);
    }
    return 0;
  } catch (const std::exception& e) {
    // Only the creation of the main window can get here; nothing else is left to run.
    MessageBoxA(nullptr, ErrorReportText(e.what()).c_str(), nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
  }
}
