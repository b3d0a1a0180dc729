// The hidden main window for real: its menu, its tray icon and its close.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/DummyMainForm.h"
#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"
#include "app/SweepSettings.h"
#include "framework/Application.h"
#include "sweep/SweepFrames.h"
#include "tests/unit/IconWidth.h"
#include "tests/unit/app/RecordingShell.h"
#include "tests/unit/tray/FakeDpi.h"
#include "tests/unit/MenuEnder.h"
#include "tests/unit/TestPump.h"

namespace {

struct TItem {
  std::string Caption;
  ULONG_PTR Tag;
  bool Default;
  HMENU SubMenu;
};

TItem ItemAt(HMENU menu, UINT position) {
  char caption[64] = "";
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING | MIIM_DATA | MIIM_STATE | MIIM_SUBMENU;
  info.dwTypeData = caption;
  info.cch = sizeof(caption);
  GetMenuItemInfoA(menu, position, TRUE, &info);
  return {caption, info.dwItemData, (info.fState & MFS_DEFAULT) != 0, info.hSubMenu};
}

// The name is never taken here: the form only lets it go on a restart.
TInstanceGuard Guard(InstanceKey);

// A machine of 64 MiB, so that a sweep through the form takes a moment.
void WINAPI SmallMachine(LPMEMORYSTATUS status) {
  GlobalMemoryStatus(status);
  status->dwTotalPhys = SIZE_T(64) << 20;
}

// A slow shell: while it removes the icon, Windows and other programs send
// the main window what they would at the end of a session.
HWND MainWindow = nullptr;
std::vector<DWORD> ShellCalls;
BOOL WINAPI SlowShell(DWORD message, PNOTIFYICONDATAA) {
  ShellCalls.push_back(message);
  if (message == NIM_DELETE && MainWindow) {
    HWND wnd = MainWindow;
    MainWindow = nullptr;
    SendMessageA(wnd, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(wnd, WM_ENDSESSION, FALSE, 0);
    SendMessageA(wnd, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

// Wine hands a fault inside a window procedure back as an answer of 0; seen
// here before anything can swallow it.
LONG AccessViolations = 0;
LONG CALLBACK CountAccessViolation(PEXCEPTION_POINTERS info) {
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++AccessViolations;
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

TEST(DummyMainForm, BuildsTheTrayMenuAndIconAndReleasesThemOnClose) {
  TApplication app;
  TDummyMainForm form(app, Guard, RecordingTrayApi());
  EXPECT_FALSE(app.ShowMainForm);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
  char title[64] = "";
  GetWindowTextA(form.Handle(), title, sizeof(title));
  EXPECT_STREQ("DummyMainForm", title);

  ASSERT_NE(nullptr, form.TrayIcon);
  EXPECT_STREQ("unit_tests.exe", LastIconRecord.szTip);
  EXPECT_NE(nullptr, LastIconRecord.hIcon);
  EXPECT_TRUE(static_cast<bool>(form.TrayIcon->OnRButtonDown));
  EXPECT_TRUE(static_cast<bool>(form.TrayIcon->OnLButtonDblClk));
  EXPECT_FALSE(static_cast<bool>(form.TrayIcon->OnLButtonDown));
  EXPECT_FALSE(static_cast<bool>(form.TrayIcon->OnRButtonDblClk));

  std::vector<TMenuItem*> commands;
  TOwnedMenu menu = form.PopupMenu.BuildMenu(commands);
  ASSERT_EQ(4, GetMenuItemCount(menu.Get()));
  const char* top[] = {"&About This Program...", "&Reboot This Program...", "&Sweeeeep", "&Exit"};
  for (UINT i = 0; i < 4; ++i) {
    TItem item = ItemAt(menu.Get(), i);
    EXPECT_EQ(top[i], item.Caption);
    EXPECT_EQ(0u, item.Tag);
    EXPECT_FALSE(item.Default);
    EXPECT_EQ(i == 2, item.SubMenu != nullptr);
  }
  // The settings as the table has them, each caption naming its own share.
  HMENU sweep = ItemAt(menu.Get(), 2).SubMenu;
  ASSERT_EQ(static_cast<int>(std::size(SweepSettings)), GetMenuItemCount(sweep));
  for (UINT i = 0; i < std::size(SweepSettings); ++i) {
    const TSweepSetting& setting = SweepSettings[i];
    TItem item = ItemAt(sweep, i);
    EXPECT_EQ(setting.Caption, item.Caption);
    EXPECT_EQ("&" + std::to_string(setting.Percent) + "%", item.Caption);
    EXPECT_EQ(static_cast<ULONG_PTR>(setting.Percent), item.Tag);
    EXPECT_EQ(setting.Default, item.Default);
    EXPECT_EQ(form.MenuSweepSettings[i], commands[3 + i]);
  }

  // Two close queries in a row take the icon away once; the object stays
  // for whatever may still be inside one of its calls.
  EXPECT_TRUE(form.TrayIcon->Added());
  EXPECT_TRUE(form.CloseQuery());
  ASSERT_NE(nullptr, form.TrayIcon);
  EXPECT_FALSE(form.TrayIcon->Added());
  EXPECT_TRUE(form.CloseQuery());
}

TEST(DummyMainForm, IconComesBackWhenTheSessionDoesNotEndAfterAll) {
  TApplication app;
  TDummyMainForm form(app, Guard, RecordingTrayApi());
  // The application decides for the main form of its running loop.
  app.Defer([&] {
    EXPECT_EQ(TRUE, SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(form.TrayIcon->Added());
    SendMessageA(form.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(form.TrayIcon->Added());
    EXPECT_STREQ("unit_tests.exe", LastIconRecord.szTip);
    EXPECT_TRUE(static_cast<bool>(form.TrayIcon->OnRButtonDown));
    EXPECT_FALSE(app.Terminated());
    form.Close();
  });
  app.Run(form);
}

int FramesMade = 0;
std::unique_ptr<TImageList> CountedFrames(int size) {
  ++FramesMade;
  return LoadSweepFrames(size);
}

TEST(DummyMainForm, SweepCommandMakesTheFramesOnceAtItsFirstRunAndReports) {
  TApplication app;
  TDummyMainForm form(app, Guard, RecordingTrayApi());
  form.Sweep.System.Memory.ReadStatus = &SmallMachine;
  form.Sweep.System.LoadFrames = &CountedFrames;
  FramesMade = 0;
  form.Menu10Click(form.MenuSweepSetting(10));
  form.Menu10Click(form.MenuSweepSetting(20));
  EXPECT_EQ(1, FramesMade);
  const std::string report = LastIconRecord.szInfo;
  EXPECT_EQ("Sweep Complete", report.substr(report.rfind('\n') + 1));
}

// A shell that records the width of every icon it is shown.
std::vector<int> IconWidthsShown;
BOOL WINAPI WidthRecordingShell(DWORD message, PNOTIFYICONDATAA data) {
  if (data->uFlags & NIF_ICON) IconWidthsShown.push_back(IconWidth(data->hIcon));
  return RecordingShell(message, data);
}

TEST(DummyMainForm, IconAndFramesAreOfTheSlotsSizeAgainAfterAChangeOfScaling) {
  TApplication app;
  TTrayApi api;
  api.NotifyIcon = &WidthRecordingShell;
  api.Dpi = FakeDpiApi();
  SystemDpi = 120;
  TDummyMainForm form(app, Guard, api);
  form.Sweep.System.Memory.ReadStatus = &SmallMachine;
  SystemDpi = 192;  // a change of scaling, which "TaskbarCreated" follows
  SendMessageA(form.TrayIcon->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  form.Menu10Click(form.MenuSweepSetting(10));
  ASSERT_FALSE(IconWidthsShown.empty());
  EXPECT_EQ(20, IconWidthsShown.front()) << "the first add";
  for (std::size_t i = 1; i < IconWidthsShown.size(); ++i) EXPECT_EQ(32, IconWidthsShown[i]) << "icon " << i;
}

// A tool closing windows while the shell is slow to take the first icon.
BOOL WINAPI CloseDuringFirstAdd(DWORD message, PNOTIFYICONDATAA) {
  if (message == NIM_ADD) SendMessageA(FindWindowA("TDummyMainForm", nullptr), WM_CLOSE, 0, 0);
  return TRUE;
}

TEST(DummyMainForm, AnEndDecidedBeforeTheLoopEndsItAsSoonAsItStarts) {
  for (const bool closedWhileMade : {true, false}) {
    SCOPED_TRACE(closedWhileMade ? "a close while the first icon is added" : "the application ended before the loop");
    TApplication app;
    TTrayApi closing;
    if (closedWhileMade) closing.NotifyIcon = &CloseDuringFirstAdd;
    TDummyMainForm form(app, Guard, closing);
    if (!closedWhileMade) app.Terminate();
    bool loopRan = false;
    app.Defer([&] {
      loopRan = true;
      form.Close();
    });
    app.Run(form);
    EXPECT_FALSE(loopRan) << "the program ran on after its end was decided";
    EXPECT_TRUE(app.Terminated());
  }
}

TEST(DummyMainForm, ExitClosesTheMainWindowAndEndsTheLoop) {
  TApplication app;
  TDummyMainForm form(app, Guard);
  app.Defer([&] { form.MenuExitClick(*form.MenuExit); });
  app.Run(form);
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(form.TrayIcon->Added());
}

TEST(DummyMainForm, AltSpaceAndAltF4OnTheHiddenWindowOpenNothingAndEndNothing) {
  TApplication app;
  TDummyMainForm form(app, Guard);
  // After a tray click the hidden window is the foreground window and gets
  // the user's next keys, as the keyboard delivers them after translation.
  const LPARAM altDown = 0x20000000;
  TMenuEnder menus;
  SendMessageA(form.Handle(), WM_SYSCHAR, VK_SPACE, altDown);
  SendMessageA(form.Handle(), WM_SYSKEYDOWN, VK_F4, altDown);
  PumpFor(200);  // the system command may come posted
  EXPECT_TRUE(IsRectEmpty(&menus.OpenedAt)) << "Alt+Space opened a system menu";
  EXPECT_TRUE(form.TrayIcon->Added()) << "Alt+F4 closed the main window";
}

TEST(DummyMainForm, MessagesSentWhileTheIconIsRemovedAtDestructionFindTheTray) {
  TApplication app;
  TTrayApi slow;
  slow.NotifyIcon = &SlowShell;
  ShellCalls.clear();
  AccessViolations = 0;
  PVOID handler = AddVectoredExceptionHandler(1, &CountAccessViolation);
  {
    TDummyMainForm form(app, Guard, slow);
    MainWindow = form.Handle();
  }
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(0, AccessViolations);
  EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_DELETE}), ShellCalls) << "removed twice, or added again";
}
