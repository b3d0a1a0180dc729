#pragma once
// Windows as the DPI seam poses it: the system DPI, told only to a thread
// made system-aware, and an unaware thread's own small-icon metric.
#include <utility>

#include "tray/TrayIconSize.h"

namespace {

const HANDLE Unaware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));
UINT SystemDpi = 96;
bool SwitchRefused = false;
HANDLE ThreadContext = Unaware;
HANDLE WINAPI FakeSetThreadAwareness(HANDLE context) {
  return SwitchRefused ? nullptr : std::exchange(ThreadContext, context);
}
UINT WINAPI FakeSystemDpi() { return ThreadContext == Unaware ? 96 : SystemDpi; }
int WINAPI FakeMetricForDpi(int, UINT dpi) { return MulDiv(16, static_cast<int>(dpi), 96); }
int WINAPI VirtualisedMetric(int) { return 16; }
TDpiApi FakeDpiApi(decltype(&GetSystemMetrics) metric = &VirtualisedMetric) {
  return TDpiApi{&FakeSetThreadAwareness, &FakeSystemDpi, &FakeMetricForDpi, metric};
}

}  // namespace
