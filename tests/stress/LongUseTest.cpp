// Weeks of use in a few minutes: hundreds of sweeps through the real command
// and main window, with information windows opened and closed in between.
// Every sweep must report as the first did, and the handles the program
// holds and its private memory must end where they started.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/DummyMainForm.h"
#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"
#include "framework/Application.h"
#include "base/Owned.h"
#include "info/InfoForm.h"
#include "tests/unit/app/RecordingShell.h"

namespace {

struct THandleCounts {
  long Kernel, Icons, Menus, GdiObjects, ImageLists, Windows;
  bool operator==(const THandleCounts& o) const {
    return Kernel == o.Kernel && Icons == o.Icons && Menus == o.Menus && GdiObjects == o.GdiObjects &&
           ImageLists == o.ImageLists && Windows == o.Windows;
  }
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

THandleCounts Counts() {
  long windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&windows));
  return {TLiveHandles<THandleTraits>::Count, TLiveHandles<TIconTraits>::Count, TLiveHandles<TMenuTraits>::Count,
          TLiveHandles<TGdiObjectTraits>::Count, TLiveHandles<TImageListTraits>::Count, windows};
}

std::string Describe(const THandleCounts& c) {
  char text[160];
  std::snprintf(text, sizeof(text), "kernel %ld, icons %ld, menus %ld, GDI %ld, image lists %ld, windows %ld", c.Kernel,
                c.Icons, c.Menus, c.GdiObjects, c.ImageLists, c.Windows);
  return text;
}

// Committed private memory, counted by walking the address space: Wine
// leaves the private-bytes figure of GetProcessMemoryInfo at 0.
SIZE_T PrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return total;
}

std::string LastLine(const std::string& text) {
  std::size_t at = text.rfind('\n');
  return at == std::string::npos ? text : text.substr(at + 1);
}

std::string Sweep(TDummyMainForm& form, TMenuItem& setting) {
  form.Menu10Click(setting);
  return LastLine(LastIconRecord.szInfo);
}

// The sweeps are sized as on a machine of 2 GiB, what the 32-bit program
// sees under Wine: the 64-bit one would otherwise sweep shares of the real
// memory, and a machine without swap kills processes rather than page them out.
void WINAPI TwoGiBMachine(LPMEMORYSTATUS status) {
  GlobalMemoryStatus(status);
  status->dwTotalPhys = 0x7FFFFFFF;
}

// Opens an information window and closes it with a key, as a user would.
void OpenAndCloseInformationWindow(TApplication& app) {
  app.Defer([] {
    HWND form = FindWindowA("TInfoForm", nullptr);
    if (form) PostMessageA(form, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ShowInfo(app);
}

}  // namespace

TEST(LongUse, SweepsAndInformationWindowsLeaveNothingBehind) {
  TApplication app;
  TInstanceGuard guard(InstanceKey);  // never taken: only a restart uses it
  TDummyMainForm form(app, guard, RecordingTrayApi());
  ASSERT_NE(nullptr, form.TrayIcon);
  form.Sweep.System.Memory.ReadStatus = &TwoGiBMachine;

  // One of each first: what is made once and kept (fonts of the system,
  // the first thread's leftovers) is not a leak.
  const std::string first10 = Sweep(form, form.MenuSweepSetting(10));
  const std::string first40 = Sweep(form, form.MenuSweepSetting(40));
  OpenAndCloseInformationWindow(app);
  const THandleCounts before = Counts();
  const SIZE_T privateBefore = PrivateBytes();
  std::printf("first reports: 10%% \"%s\", 40%% \"%s\"\n", first10.c_str(), first40.c_str());
  std::printf("before: %s, private %lu KB\n", Describe(before).c_str(),
              static_cast<unsigned long>(privateBefore / 1024));

  int informationWindows = 0;
  for (int i = 1; i <= 200; ++i) {
    ASSERT_EQ(first10, Sweep(form, form.MenuSweepSetting(10))) << "10% sweep " << i;
    if (i % 4 == 0) {
      OpenAndCloseInformationWindow(app);
      ++informationWindows;
    }
    if (i % 10 == 0) {
      ASSERT_EQ(first40, Sweep(form, form.MenuSweepSetting(40))) << "40% sweep after " << i;
    }
  }
  EXPECT_EQ(50, informationWindows);

  const THandleCounts after = Counts();
  const SIZE_T privateAfter = PrivateBytes();
  std::printf("after 200 sweeps at 10%%, 20 at 40%%, 50 information windows: %s, private %lu KB\n",
              Describe(after).c_str(), static_cast<unsigned long>(privateAfter / 1024));
  EXPECT_TRUE(before == after) << Describe(before) << " -> " << Describe(after);
  // Tolerance: one MiB of heap that the C runtime may keep for reuse.
  EXPECT_LE(privateAfter, privateBefore + 1024 * 1024);
}
