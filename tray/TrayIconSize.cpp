#include "tray/TrayIconSize.h"

#include "base/SystemLibrary.h"

namespace {

// DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, whose declaration needs Windows 10 as
// the headers' target.
const HANDLE SystemAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-2));

}  // namespace

TDpiApi LookUpDpiApi() {
  // User32 is loaded already: the program's windows are imported from it.
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  TDpiApi api;
  api.SetThreadAwareness = ProcAddress<decltype(api.SetThreadAwareness)>(user32, "SetThreadDpiAwarenessContext");
  api.SystemDpi = ProcAddress<decltype(api.SystemDpi)>(user32, "GetDpiForSystem");
  api.MetricForDpi = ProcAddress<decltype(api.MetricForDpi)>(user32, "GetSystemMetricsForDpi");
  return api;
}

int TraySlotSize(const TDpiApi& api) {
  // Windows 10 1607 and later, and 11: the shell draws the notification area
  // at the system DPI, which it tells an unaware thread as 96. The thread is
  // made system-aware for the question alone, and the small-icon size asked
  // for that DPI: 20 at 120 DPI, 24 at 144, 32 at 192. (LoadIconMetric would
  // not do: it sizes by the calling thread, 16 here, and gives no number for
  // the frames.) Wine 8 has these calls too.
  if (api.SetThreadAwareness && api.SystemDpi && api.MetricForDpi) {
    if (const HANDLE previous = api.SetThreadAwareness(SystemAware)) {
      const int size = api.MetricForDpi(SM_CXSMICON, api.SystemDpi());
      api.SetThreadAwareness(previous);
      if (size > 0) return size;
    }
  }
  // Earlier Windows, as before: what the program is told. XP, and Vista and
  // 7 with XP-style scaling, tell the real size (20 at 120 DPI on 7); DPI
  // virtualisation (Vista and 7 above 120 DPI, 8 and 8.1) tells 16, and the
  // shell stretches the icon. Wine does not virtualise: the scaled size.
  return api.Metric(SM_CXSMICON);
}

int TrayArtSize(int slot) {
  int chosen = TrayArtSizes[0];
  for (int size : TrayArtSizes)
    if (size <= slot) chosen = size;
  return chosen;
}
