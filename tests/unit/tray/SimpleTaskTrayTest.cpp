// The tray icon object against a recording shell: every call and the
// record's bytes at the moment of the call.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/unit/IconWidth.h"
#include "tests/unit/MessageBoxRecorder.h"
#include "tests/unit/TestPump.h"
#include "tests/unit/tray/FakeDpi.h"
#include "tray/SimpleTaskTray.h"

namespace {

TOwnedIcon SquareIcon(int size) {
  const std::vector<BYTE> bits(size * size / 8, 0);
  return TOwnedIcon(CreateIcon(GetModuleHandleA(nullptr), size, size, 1, 1, bits.data(), bits.data()));
}

struct TShellCall {
  DWORD Message;
  TNotifyIconDataA Data;
  int IconWidthAtEnd;  // of the icon the record named, as the call returns
};

std::vector<TShellCall> Calls;
std::vector<BOOL> Answers;  // answers for the next calls; TRUE when empty
std::function<void()> InNextCall;  // what happens while the next call waits

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAA data) {
  TShellCall call{message, {}, 0};
  std::memcpy(&call.Data, data, sizeof(call.Data));
  if (auto during = std::exchange(InNextCall, nullptr)) during();
  call.IconWidthAtEnd = IconWidth(call.Data.hIcon);
  Calls.push_back(call);
  if (Answers.empty()) return TRUE;
  BOOL answer = Answers.front();
  Answers.erase(Answers.begin());
  return answer;
}

std::vector<std::pair<HWND, UINT>> Allowed;  // each message let through the integrity filter
BOOL WINAPI RecordAllow(HWND wnd, UINT message) {
  Allowed.emplace_back(wnd, message);
  return TRUE;
}

const HICON IconA = reinterpret_cast<HICON>(0x1234);
const HICON IconB = reinterpret_cast<HICON>(0x5678);

class TrayIconTest : public ::testing::Test {
protected:
  void SetUp() override {
    Calls.clear();
    Answers.clear();
    Boxes.clear();
    Allowed.clear();
    InNextCall = nullptr;
    Api.NotifyIcon = &RecordNotify;
    Api.ShowMessageBox = &RecordMessageBox;
    Api.AllowMessage = &RecordAllow;
  }

  LRESULT Send(TSimpleTaskTray& tray, UINT msg, LPARAM lParam) { return SendMessageA(tray.Handle(), msg, 0, lParam); }

  TTrayApi Api;
};

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

}  // namespace

TEST_F(TrayIconTest, ConstructionFillsTheRecordWithoutAddingTheIcon) {
  TSimpleTaskTray tray(IconA, Api);
  EXPECT_TRUE(Calls.empty());
  EXPECT_FALSE(tray.Added());
  tray.AddIcon("Sweeper.exe");
  ASSERT_EQ(1u, Calls.size());
  const TNotifyIconDataA& d = Calls[0].Data;
  EXPECT_EQ(sizeof(void*) == 4 ? 488u : 504u, d.cbSize);
  EXPECT_EQ(tray.Handle(), d.hWnd);
  EXPECT_NE(nullptr, tray.Handle());
  EXPECT_EQ(0u, d.uID);
  EXPECT_EQ(WM_TRAYNOTIFY, d.uCallbackMessage);
  EXPECT_EQ(IconA, d.hIcon);
  // The hidden window is a top-level tool window, so broadcasts reach it.
  EXPECT_EQ(nullptr, GetParent(tray.Handle()));
  EXPECT_TRUE(GetWindowLongA(tray.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(tray.Handle()));
}

TEST_F(TrayIconTest, AddIconOnceKeepsTheFirstTip) {
  TSimpleTaskTray tray(IconA, Api);
  EXPECT_TRUE(tray.AddIcon("Sweeper.exe"));
  ASSERT_EQ(1u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), Calls[0].Message);
  EXPECT_EQ(7u, Calls[0].Data.uFlags);
  EXPECT_STREQ("Sweeper.exe", Calls[0].Data.szTip);

  EXPECT_TRUE(tray.AddIcon("Other.exe"));
  EXPECT_EQ(1u, Calls.size());
  tray.ChangeIcon(IconB);
  EXPECT_STREQ("Sweeper.exe", Calls.back().Data.szTip);
}

TEST_F(TrayIconTest, FailedAddLeavesIconChangesAndBalloonsSkipped) {
  TSimpleTaskTray tray(IconA, Api);
  Answers = {FALSE};
  EXPECT_FALSE(tray.AddIcon("Sweeper.exe"));
  EXPECT_FALSE(tray.Added());

  EXPECT_FALSE(tray.ChangeIcon(IconB));
  EXPECT_FALSE(tray.ShowBalloon("text", "title", tiInfo, tsBalloon));
  EXPECT_EQ(1u, Calls.size());
  // The next add, when the taskbar comes, offers the record as it was, with
  // the icon changed to since.
  Send(tray, RegisterWindowMessageA("TaskbarCreated"), 0);
  ASSERT_EQ(2u, Calls.size());
  Calls[0].Data.hIcon = IconB;
  EXPECT_EQ(0, std::memcmp(&Calls[0].Data, &Calls[1].Data, sizeof(Calls[0].Data)));

  // The message-box style needs no icon.
  EXPECT_TRUE(tray.ShowBalloon("text", "title", tiWarning, tsNormal));
  ASSERT_EQ(1u, Boxes.size());
  EXPECT_EQ("text", Boxes[0].Text);
  EXPECT_EQ("title", Boxes[0].Caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL), Boxes[0].Flags);
}

TEST_F(TrayIconTest, TextsAreCutToTheirFieldsAtCharacterBoundaries) {
  TSimpleTaskTray tray(IconA, Api);
  tray.AddIcon(std::string(200, 't'));
  tray.ShowBalloon(std::string(300, 'b'), std::string(100, 'h'), tiInfo, tsBalloon);
  const TNotifyIconDataA d = Calls.back().Data;
  EXPECT_EQ(std::string(127, 't'), d.szTip);
  EXPECT_EQ(std::string(255, 'b'), d.szInfo);
  EXPECT_EQ(std::string(63, 'h'), d.szInfoTitle);

  // In code page 932 "表" is 0x95 0x5C: an odd limit must not split it.
  Api.CodePage = 932;
  TSimpleTaskTray dbcs(IconA, Api);
  const std::string hyou = "\x95\x5C";
  dbcs.AddIcon(Repeat(hyou, 100));
  dbcs.ShowBalloon(Repeat(hyou, 200), Repeat(hyou, 50), tiInfo, tsBalloon);
  const TNotifyIconDataA& j = Calls.back().Data;
  EXPECT_EQ(Repeat(hyou, 63), j.szTip);
  EXPECT_EQ(Repeat(hyou, 127), j.szInfo);
  EXPECT_EQ(Repeat(hyou, 31), j.szInfoTitle);
  // A single-byte character before them moves the boundary by one.
  TSimpleTaskTray mixed(IconA, Api);
  mixed.AddIcon("a" + Repeat(hyou, 100));
  EXPECT_EQ("a" + Repeat(hyou, 63), std::string(Calls.back().Data.szTip));
}

TEST_F(TrayIconTest, BalloonSendsTextThenVersionAndIconChangesSendIconFlags) {
  TSimpleTaskTray tray(IconA, Api);
  tray.AddIcon("Sweeper.exe");
  Calls.clear();
  Answers = {FALSE, TRUE};  // the modify's answer is ignored
  EXPECT_TRUE(tray.ShowBalloon("report", "Sweeper", tiError, tsBalloon));
  ASSERT_EQ(2u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), Calls[0].Message);
  EXPECT_EQ(static_cast<UINT>(NIF_INFO), Calls[0].Data.uFlags);
  EXPECT_STREQ("report", Calls[0].Data.szInfo);
  EXPECT_STREQ("Sweeper", Calls[0].Data.szInfoTitle);
  EXPECT_EQ(3000u, Calls[0].Data.uTimeoutOrVersion);
  EXPECT_EQ(static_cast<DWORD>(NIIF_ERROR), Calls[0].Data.dwInfoFlags);
  EXPECT_EQ(static_cast<DWORD>(NIM_SETVERSION), Calls[1].Message);
  EXPECT_EQ(3u, Calls[1].Data.uTimeoutOrVersion);

  Answers = {TRUE, FALSE};
  EXPECT_FALSE(tray.ShowBalloon("report", "Sweeper", tiInfo, tsBalloon));
  EXPECT_EQ(static_cast<DWORD>(NIIF_INFO), Calls.back().Data.dwInfoFlags);

  // After a balloon, a frame change sends icon, message and tip only.
  Calls.clear();
  EXPECT_TRUE(tray.ChangeIcon(IconB));
  ASSERT_EQ(1u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), Calls[0].Message);
  EXPECT_EQ(7u, Calls[0].Data.uFlags);
  EXPECT_EQ(IconB, Calls[0].Data.hIcon);
  EXPECT_STREQ("Sweeper.exe", Calls[0].Data.szTip);
}

TEST_F(TrayIconTest, HideBalloonModifiesEvenWhenNotAdded) {
  TSimpleTaskTray tray(IconA, Api);
  tray.ShowBalloon("shown", "kept", tiInfo, tsBalloon);  // not added: changes nothing
  tray.HideBalloon();
  ASSERT_EQ(1u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), Calls[0].Message);
  EXPECT_EQ(static_cast<UINT>(NIF_INFO), Calls[0].Data.uFlags);
  EXPECT_STREQ("", Calls[0].Data.szInfo);
}

TEST_F(TrayIconTest, DeleteClearsAddedAndTheDestructorDeletesOnce) {
  {
    TSimpleTaskTray tray(IconA, Api);
    EXPECT_TRUE(tray.DeleteIcon());  // not added: no call
    EXPECT_TRUE(Calls.empty());
    tray.AddIcon("Sweeper.exe");
    EXPECT_TRUE(tray.DeleteIcon());
    EXPECT_FALSE(tray.Added());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), Calls.back().Message);
    tray.AddIcon("Sweeper.exe");
    Calls.clear();
  }
  ASSERT_EQ(1u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), Calls[0].Message);
}

// The shell may be handed the icon again at any time: after a shell restart
// between two frames, by the retry of a refused add, or inside the very call
// that shows a frame (the run's end puts the normal icon back from there).
TEST_F(TrayIconTest, EveryShellCallNamesTheLatestIconAliveUntilItReturns) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  const TOwnedIcon normal = SquareIcon(32);
  const struct {
    const char* Case;
    BOOL FirstAdd;
    bool NormalIconInFrameCall;
    int Expected;
  } rows[] = {{"shell restart between frames", TRUE, false, 24},
              {"retry of a refused add", FALSE, false, 24},
              {"normal icon put back inside a frame's call", TRUE, true, 32}};
  Api.AddRetryMs = 10;
  for (const auto& row : rows) {
    Calls.clear();
    TSimpleTaskTray tray(normal.Get(), Api);
    Answers = {row.FirstAdd};
    tray.AddIcon("Sweeper.exe");
    tray.ChangeIcon(SquareIcon(16));
    if (row.NormalIconInFrameCall) InNextCall = [&] { tray.ChangeIcon(normal.Get()); };
    tray.ChangeIcon(SquareIcon(24));
    for (const TShellCall& call : Calls) EXPECT_NE(0, call.IconWidthAtEnd) << row.Case << ": a dead icon in a call";
    Calls.clear();
    if (row.FirstAdd) Send(tray, taskbarCreated, 0);
    PumpUntil([&] { return !Calls.empty(); }, 5000);
    ASSERT_FALSE(Calls.empty()) << row.Case;
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), Calls[0].Message) << row.Case;
    EXPECT_EQ(row.Expected, Calls[0].IconWidthAtEnd) << row.Case;
  }
}

namespace {
int WINAPI UnscaledMetric(int) { return 20; }  // Windows 7 with XP-style scaling at 120 DPI
}  // namespace

TEST_F(TrayIconTest, TheIconSizeIsTheLargestArtThatFitsTheSlotAtTheSystemDpi) {
  const struct {
    const char* Case;
    bool DpiCalls, Refused;
    UINT Dpi;
    decltype(&GetSystemMetrics) Metric;
    int Expected;
  } rows[] = {{"100%", true, false, 96, &VirtualisedMetric, 16},
              {"125%", true, false, 120, &VirtualisedMetric, 20},
              {"150%", true, false, 144, &VirtualisedMetric, 24},
              {"175%", true, false, 168, &VirtualisedMetric, 24},
              {"200%", true, false, 192, &VirtualisedMetric, 32},
              {"250%", true, false, 240, &VirtualisedMetric, 32},
              {"before Windows 10 1607", false, false, 144, &VirtualisedMetric, 16},
              {"before 1607, unscaled", false, false, 120, &UnscaledMetric, 20},
              {"switch refused", true, true, 144, &VirtualisedMetric, 16}};
  for (const auto& row : rows) {
    SystemDpi = row.Dpi;
    SwitchRefused = row.Refused;
    Api.Dpi = row.DpiCalls ? FakeDpiApi(row.Metric) : TDpiApi{nullptr, nullptr, nullptr, row.Metric};
    TSimpleTaskTray tray(IconA, Api);
    EXPECT_EQ(row.Expected, tray.IconSize()) << row.Case;
    EXPECT_EQ(Unaware, ThreadContext) << row.Case << ": the thread was left aware";
  }
}

TEST_F(TrayIconTest, CallbackMessageFiresOnlyTheFourMouseEvents) {
  TSimpleTaskTray tray(IconA, Api);
  std::vector<std::string> fired;
  tray.OnLButtonDown = [&](TSimpleTaskTray& s) { fired.push_back(&s == &tray ? "ldown" : "?"); };
  tray.OnLButtonDblClk = [&](TSimpleTaskTray&) { fired.push_back("ldbl"); };
  tray.OnRButtonDown = [&](TSimpleTaskTray&) { fired.push_back("rdown"); };
  for (LPARAM l : {0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x200, 0, -1, 0x10201}) Send(tray, WM_TRAYNOTIFY, l);
  // Mouse messages under another message number do nothing either.
  SendMessageA(tray.Handle(), WM_USER, 0, WM_RBUTTONDOWN);
  EXPECT_EQ((std::vector<std::string>{"ldown", "ldbl", "rdown"}), fired);  // 0x206 is unset
  EXPECT_TRUE(Calls.empty());
}

TEST_F(TrayIconTest, ReAddRequestAddsAgainOnlyWhileAddedAndAShownIconStaysAdded) {
  TSimpleTaskTray tray(IconA, Api);
  Send(tray, WM_TRAYNOTIFY, RegisterWindowMessageA(TrayReAddMessageName));
  EXPECT_TRUE(Calls.empty());

  tray.AddIcon("Sweeper.exe");
  Calls.clear();
  Answers = {FALSE, TRUE};  // the shell still shows the icon: it refuses the add, takes the modify
  Send(tray, WM_TRAYNOTIFY, RegisterWindowMessageA(TrayReAddMessageName));
  ASSERT_EQ(2u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), Calls[0].Message);
  EXPECT_STREQ("Sweeper.exe", Calls[0].Data.szTip);
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), Calls[1].Message);
  EXPECT_TRUE(tray.Added());
  // So balloons and frames still reach the icon, and the end removes it.
  Calls.clear();
  EXPECT_TRUE(tray.ChangeIcon(IconB));
  EXPECT_TRUE(tray.ShowBalloon("report", "Sweeper", tiInfo, tsBalloon));
  EXPECT_EQ(3u, Calls.size());

  // Gone from the shell: the add alone brings it back.
  Calls.clear();
  Send(tray, WM_TRAYNOTIFY, RegisterWindowMessageA(TrayReAddMessageName));
  ASSERT_EQ(1u, Calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), Calls[0].Message);
  EXPECT_TRUE(tray.Added());
}

TEST_F(TrayIconTest, ShellRestartBringsTheIconBack) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  {
    // Started before the notification area existed: the add failed.
    TSimpleTaskTray tray(IconA, Api);
    // An elevated copy hears of the restart only if it let the message through.
    EXPECT_EQ((std::vector<std::pair<HWND, UINT>>{{tray.Handle(), taskbarCreated}}), Allowed);
    Answers = {FALSE};
    tray.AddIcon("Sweeper.exe");
    Send(tray, taskbarCreated, 0);
    EXPECT_TRUE(tray.Added());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), Calls.back().Message);
    EXPECT_STREQ("Sweeper.exe", Calls.back().Data.szTip);
  }
  {
    // The shell still shows the icon: its add fails, a modify proves it is there.
    TSimpleTaskTray tray(IconA, Api);
    tray.AddIcon("Sweeper.exe");
    tray.ChangeIcon(IconB);
    Calls.clear();
    Answers = {FALSE, TRUE};
    Send(tray, taskbarCreated, 0);
    ASSERT_EQ(2u, Calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), Calls[1].Message);
    EXPECT_EQ(IconB, Calls[1].Data.hIcon);
    EXPECT_TRUE(tray.Added());
  }
  {
    // Nothing asked for an icon: nothing is added.
    TSimpleTaskTray tray(IconA, Api);
    Calls.clear();
    Send(tray, taskbarCreated, 0);
    EXPECT_TRUE(Calls.empty());
  }
}

TEST_F(TrayIconTest, HiddenWindowNeverBlocksTheEndOfASessionAndOutlivesCloseRequests) {
  TSimpleTaskTray tray(IconA, Api);
  EXPECT_EQ(TRUE, Send(tray, WM_QUERYENDSESSION, 0));
  // A close request from anyone leaves the window that the icon's clicks go to.
  EXPECT_EQ(0, Send(tray, WM_CLOSE, 0));
  EXPECT_EQ(0, SendMessageA(tray.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0));
  EXPECT_TRUE(IsWindow(tray.Handle()));
  bool clicked = false;
  tray.OnRButtonDown = [&](TSimpleTaskTray&) { clicked = true; };
  Send(tray, WM_TRAYNOTIFY, WM_RBUTTONDOWN);
  EXPECT_TRUE(clicked);
}

TEST_F(TrayIconTest, AnIconTheShellRefusedIsOfferedAgainUntilTakenUnlessGivenUp) {
  Api.AddRetryMs = 10;
  {
    // At logon the shell is not ready yet: the add and one retry (its add
    // and its modify) fail, the next retry's add is taken.
    TSimpleTaskTray tray(IconA, Api);
    Answers = {FALSE, FALSE, FALSE};
    EXPECT_FALSE(tray.AddIcon("Sweeper.exe"));
    PumpUntil([&] { return tray.Added(); }, 5000);
    ASSERT_TRUE(tray.Added());
    ASSERT_EQ(4u, Calls.size());
    const DWORD expected[] = {NIM_ADD, NIM_ADD, NIM_MODIFY, NIM_ADD};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(expected[i], Calls[i].Message) << "call " << i;
    EXPECT_STREQ("Sweeper.exe", Calls[3].Data.szTip);
    Calls.clear();
    PumpFor(100);
    EXPECT_TRUE(Calls.empty()) << "retried after the icon was added";
  }
  {
    // The icon given up (the program or the session ends) is not offered
    // again, not even by a restarted shell.
    Calls.clear();
    TSimpleTaskTray tray(IconA, Api);
    Answers = {FALSE};
    tray.AddIcon("Sweeper.exe");
    EXPECT_TRUE(tray.DeleteIcon());
    PumpFor(100);
    Send(tray, RegisterWindowMessageA("TaskbarCreated"), 0);
    EXPECT_EQ(1u, Calls.size()) << "added an icon that was given up";
  }
}

TEST_F(TrayIconTest, EveryWayOfAskingForTheMenuAsksOnceInEitherVersion) {
  TSimpleTaskTray tray(IconA, Api);
  int requests = 0;
  auto ask = [&](TSimpleTaskTray&) { ++requests; };
  tray.OnRButtonDown = ask;
  tray.OnContextMenu = ask;
  tray.OnKeySelect = ask;
  auto requestsFrom = [&](std::initializer_list<LPARAM> sequence) {
    requests = 0;
    for (LPARAM what : sequence) Send(tray, WM_TRAYNOTIFY, what);
    return requests;
  };
  const LPARAM down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, menu = WM_CONTEXTMENU;
  tray.AddIcon("Sweeper.exe");
  // Version 0: a right click, and the keyboard's request too, is press and release.
  EXPECT_EQ(1, requestsFrom({down, up}));

  tray.ShowBalloon("report", "Sweeper", tiInfo, tsBalloon);  // sets version 3
  EXPECT_EQ(1, requestsFrom({menu})) << "Shift+F10 right after a version-0 click";
  EXPECT_EQ(1, requestsFrom({down, up, menu})) << "a right click";
  EXPECT_EQ(1, requestsFrom({NIN_KEYSELECT})) << "Enter";
  EXPECT_EQ(1, requestsFrom({down, up, menu, WM_RBUTTONDBLCLK, up, menu})) << "a right double click";
  // A menu opened at the press may take the release: nothing else of the
  // click comes, and the keyboard's next request is its own.
  EXPECT_EQ(2, requestsFrom({down, menu})) << "a press, then Shift+F10";
  EXPECT_EQ(0, requestsFrom({WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT})) << "a left click";
  // The rest of the click arrives inside the menu its press opened.
  tray.OnRButtonDown = [&](TSimpleTaskTray&) {
    ++requests;
    Send(tray, WM_TRAYNOTIFY, up);
    Send(tray, WM_TRAYNOTIFY, menu);
  };
  EXPECT_EQ(1, requestsFrom({down})) << "a click relayed into the open menu";
  tray.OnRButtonDown = ask;

  // A restarted shell takes the icon back at version 0 until the next balloon.
  Send(tray, RegisterWindowMessageA("TaskbarCreated"), 0);
  EXPECT_EQ(1, requestsFrom({down, up}));
  tray.ShowBalloon("report", "Sweeper", tiInfo, tsBalloon);
  EXPECT_EQ(1, requestsFrom({menu})) << "Shift+F10 after a shell restart";
}

namespace {

// A shell that, while it handles one call, has the thread handle a request
// sent to it meanwhile, as a waiting Shell_NotifyIconA does.
TSimpleTaskTray* NestedTray = nullptr;
DWORD NestInside = 0;
std::function<void(TSimpleTaskTray&)> NestedRequest;

BOOL WINAPI NestingNotify(DWORD message, PNOTIFYICONDATAA data) {
  const BOOL answer = RecordNotify(message, data);
  if (message == NestInside && NestedTray && NestedRequest) {
    auto request = std::move(NestedRequest);
    NestedRequest = nullptr;
    request(*NestedTray);
  }
  return answer;
}

std::vector<DWORD> Messages() {
  std::vector<DWORD> messages;
  for (const TShellCall& call : Calls) messages.push_back(call.Message);
  return messages;
}

}  // namespace

TEST_F(TrayIconTest, ARequestMadeWhileTheShellWaitsIsSettledWhenItReturns) {
  Api.NotifyIcon = &NestingNotify;
  Api.AddRetryMs = 10;
  TSimpleTaskTray tray(IconA, Api);
  NestedTray = &tray;
  // A close query inside the add: the icon must not stay after the program
  // agreed to end.
  NestInside = NIM_ADD;
  NestedRequest = [](TSimpleTaskTray& t) { EXPECT_TRUE(t.DeleteIcon()); };
  tray.AddIcon("Sweeper.exe");
  EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_DELETE}), Messages());
  EXPECT_FALSE(tray.Added());

  // A second removal inside the removal waits for it instead of calling the
  // shell again; a restore there (the session goes on) is brought back.
  tray.Restore();
  Calls.clear();
  NestInside = NIM_DELETE;
  NestedRequest = [](TSimpleTaskTray& t) {
    EXPECT_TRUE(t.DeleteIcon());
    t.Restore();
  };
  tray.DeleteIcon();
  EXPECT_EQ((std::vector<DWORD>{NIM_DELETE}), Messages());
  PumpUntil([&] { return tray.Added(); }, 5000);
  EXPECT_TRUE(tray.Added()) << "a restore asked for during the removal was lost";
  NestedTray = nullptr;
}
