// The sweep run's steps, recorded through its tray callables and a system
// whose memory, clock, pause and commits the test controls. The worker is
// the real thread; its one commit waits until the test lets it go, so the
// number of frames is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "framework/ImageList.h"
#include "sweep/SweepFrames.h"
#include "sweep/SweepRun.h"
#include "tests/unit/sweep/SweepTestData.h"

namespace {

constexpr SIZE_T MiB = SIZE_T(1) << 20;
constexpr DWORD Bound = 10000;  // no step of these sweeps takes nearly as long

std::vector<std::string> Log;
int MemoryReadings = 0;
int Pauses = 0;
int ReleaseAtPause = 0;  // 0: the commit is not held
int BlocksToGive = -1;   // -1: every commit the system grants
SIZE_T LargestToGive = ~SIZE_T(0);
HANDLE AllocEntered = nullptr, Released = nullptr, WorkerThread = nullptr;

// 16 MiB in all, 3 MiB free before the sweep and 7 after.
void WINAPI SmallMachine(LPMEMORYSTATUS status) {
  status->dwTotalPhys = 16 * MiB;
  status->dwAvailPhys = (++MemoryReadings == 1 ? 3 : 7) * MiB;
}

void WINAPI FixedClock(LPSYSTEMTIME time) { *time = JanuaryThe31st(); }

int WINAPI NoLocale(LCID, LCTYPE, LPSTR, int) { return 0; }  // the usual separators

// The commit left to the system: the limit and what is available of it.
DWORDLONG CommitLimit = 0, CommitAvailable = 0;
BOOL WINAPI FakeCommit(LPMEMORYSTATUSEX status) {
  status->ullTotalPageFile = CommitLimit;
  status->ullAvailPageFile = CommitAvailable;
  return TRUE;
}

std::vector<SIZE_T> Asked;  // every commit the worker asked for

// The worker's commit: noted, held until the test lets it go, then real.
LPVOID WINAPI HeldAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  if (ReleaseAtPause > 0 && !WorkerThread) {
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &WorkerThread, SYNCHRONIZE, FALSE,
                    0);
    SetEvent(AllocEntered);
    WaitForSingleObject(Released, Bound);
  }
  Asked.push_back(size);
  if (BlocksToGive == 0 || size > LargestToGive) return nullptr;
  if (BlocksToGive > 0) --BlocksToGive;
  return VirtualAlloc(address, size, type, protect);
}

// The n-th pause lets the worker go and waits for its end, so the next test
// of its flag finds it done.
void WINAPI RecordPause(DWORD ms) {
  Log.push_back("pause " + std::to_string(ms));
  if (++Pauses != ReleaseAtPause) return;
  WaitForSingleObject(AllocEntered, Bound);
  SetEvent(Released);
  WaitForSingleObject(WorkerThread, Bound);
}

class SweepRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    Log.clear();
    MemoryReadings = Pauses = ReleaseAtPause = 0;
    Asked.clear();
    BlocksToGive = -1;
    LargestToGive = ~SIZE_T(0);
    FTrayCalls = 0;
    Balloons.clear();
    BalloonIcons.clear();
    AllocEntered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    System.Memory.ReadStatus = &SmallMachine;
    System.CommitStatus = nullptr;
    System.Clock = &FixedClock;
    System.Locale.LocaleInfo = &NoLocale;
    System.Pause = &RecordPause;
    System.VirtualMemory.Alloc = &HeldAlloc;
    Tray.Balloon = [this](const std::string& text, const std::string& title, TTrayMessageIcon icon) {
      Log.push_back("balloon " + title);
      Balloons.push_back(text);
      BalloonIcons.push_back(icon);
      InTrayCall();
    };
    Tray.Frame = [this](TOwnedIcon) {
      Log.push_back("frame");
      InTrayCall();
    };
    Tray.Icon = [this](HICON icon) {
      Log.push_back(icon == Normal ? "normal icon" : "other icon");
      InTrayCall();
    };
    Tray.HideBalloon = [this] {
      Log.push_back("hide balloon");
      InTrayCall();
    };
  }
  void TearDown() override {
    for (HANDLE* handle : {&AllocEntered, &Released, &WorkerThread}) {
      if (*handle) CloseHandle(*handle);
      *handle = nullptr;
    }
  }

  // Stands in for a close or session-end query that another program sends
  // while the run waits in its n-th tray call.
  void InTrayCall() {
    if (++FTrayCalls != AbandonInCall) return;
    SetEvent(Released);
    Run->Abandon();
    Log.push_back("answered");
  }

  TSweepSystem System;
  TSweepTray Tray;
  HICON Normal = reinterpret_cast<HICON>(0x1234);
  std::vector<std::string> Balloons;
  std::vector<TTrayMessageIcon> BalloonIcons;
  int AbandonInCall = 0;
  TSweepRun* Run = nullptr;

private:
  int FTrayCalls = 0;
};

std::vector<std::string> Repeated(int times, std::vector<std::string> steps) {
  std::vector<std::string> log;
  for (int i = 0; i < times; ++i) log.insert(log.end(), steps.begin(), steps.end());
  return log;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string LastLine(const std::string& text) { return text.substr(text.rfind("\r\n") + 2); }

TEST_F(SweepRunTest, AnnouncesAnimatesRestoresAndReports) {
  // Thirteen frames from a list of eleven: the index starts over at its end.
  const std::unique_ptr<TImageList> frames = LoadSweepFrames();
  ASSERT_NE(nullptr, frames);
  ReleaseAtPause = 13;
  TSweepRun run(System);
  run.Run(50, "Sweeper", Normal, Tray, frames.get());
  EXPECT_FALSE(run.Running());

  const std::vector<std::string> expected =
      Concat(Concat({"balloon Sweeper"}, Repeated(13, {"frame", "pause 100"})),
             {"normal icon", "hide balloon", "balloon Sweeper"});
  EXPECT_EQ(expected, Log);
  ASSERT_EQ(2u, Balloons.size());
  const std::string head = "2024/01/31 09:05:07\r\n\r\nTotal Phisical Memory: 16.00MB\r\nFree Phisical Memory: ";
  EXPECT_EQ(head + "3.00MB\r\n\r\nSweep Setting: 50% (8.00MB)", Balloons[0]);
  // The memory after the sweep, read once the worker is gone.
  EXPECT_EQ(head + "7.00MB\r\n\r\nSweep Complete", Balloons[1]);
  EXPECT_EQ((std::vector<TTrayMessageIcon>{tiInfo, tiInfo}), BalloonIcons);
}

TEST_F(SweepRunTest, AFrameThatCannotBeMadeIsSkippedButStillPaused) {
  TImageList none;
  ReleaseAtPause = 3;
  TSweepRun run(System);
  run.Run(10, "Sweeper", Normal, Tray, &none);
  EXPECT_EQ(Concat(Concat({"balloon Sweeper"}, Repeated(3, {"pause 100"})),
                   {"normal icon", "hide balloon", "balloon Sweeper"}),
            Log);
}

TEST_F(SweepRunTest, ASweepThatGetsNoMemoryStillGetsAnHonestReport) {
  BlocksToGive = 0;
  TSweepRun run(System);
  run.Run(50, "Sweeper", Normal, Tray, nullptr);
  ASSERT_EQ(2u, Balloons.size());
  EXPECT_EQ("Sweep Failed", LastLine(Balloons[1]));
  EXPECT_EQ(tiWarning, BalloonIcons[1]);
}

TEST_F(SweepRunTest, APartialSweepIsReportedAsIncomplete) {
  LargestToGive = 2 * MiB;  // the whole size is refused, then one piece is given
  BlocksToGive = 1;
  TSweepRun run(System);
  run.Run(90, "Sweeper", Normal, Tray, nullptr);
  ASSERT_EQ(2u, Balloons.size());
  const std::string outcome = LastLine(Balloons[1]);
  EXPECT_EQ("Sweep Incomplete: ", outcome.substr(0, 18));
  EXPECT_EQ("MB swept", outcome.substr(outcome.size() - 8));
  EXPECT_EQ(tiWarning, BalloonIcons[1]);
}

std::vector<std::string> WithoutPauses(std::vector<std::string> log) {
  log.erase(std::remove(log.begin(), log.end(), "pause 100"), log.end());
  return log;
}

TEST_F(SweepRunTest, AnAbandonInAnyTrayCallEndsTheRunThereWithTheNormalIconAndNoReport) {
  const std::unique_ptr<TImageList> frames = LoadSweepFrames();
  ASSERT_NE(nullptr, frames);
  // The start balloon, five frames, the normal icon, the hidden balloon, the report.
  const std::vector<std::string> straight = Concat(Concat({"balloon Sweeper"}, Repeated(5, {"frame"})),
                                                   {"normal icon", "hide balloon", "balloon Sweeper"});
  for (int call = 1; call <= static_cast<int>(straight.size()); ++call) {
    SCOPED_TRACE("abandoned in tray call " + std::to_string(call));
    TearDown();
    SetUp();
    ReleaseAtPause = 5;
    AbandonInCall = call;
    TSweepRun run(System);
    Run = &run;
    run.Run(50, "Sweeper", Normal, Tray, frames.get());
    EXPECT_FALSE(run.Running());

    std::vector<std::string> expected(straight.begin(), straight.begin() + call);
    // In the middle of the animation the abandon itself puts the icon back.
    if (call >= 2 && call <= 6) expected.push_back("normal icon");
    expected.push_back("answered");
    EXPECT_EQ(expected, WithoutPauses(Log));
    EXPECT_EQ(call == 9 ? 2u : 1u, Balloons.size());
  }
}

TEST_F(SweepRunTest, ASweepLeavesATenthOfTheCommitLimitToOthers) {
  System.CommitStatus = &FakeCommit;
  struct TCase {
    DWORDLONG Limit, Available;
    SIZE_T MostAsked;
    const char* Outcome;
  };
  // A 50% setting of the small machine asks for 8 MiB.
  const TCase cases[] = {
      {20 * MiB, 5 * MiB, 3 * MiB, "Sweep Incomplete: 3.00MB swept"},
      {20 * MiB, 2 * MiB, 0, "Sweep Failed"},  // no more than the reserve is left
      {20 * MiB, 11 * MiB, 8 * MiB, "Sweep Complete"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Available / MiB) + " MiB available");
    TearDown();
    SetUp();
    System.CommitStatus = &FakeCommit;
    CommitLimit = c.Limit;
    CommitAvailable = c.Available;
    TSweepRun run(System);
    run.Run(50, "Sweeper", Normal, Tray, nullptr);
    ASSERT_EQ(2u, Balloons.size());
    EXPECT_EQ("Sweep Setting: 50% (8.00MB)", LastLine(Balloons[0])) << "the start report keeps the setting's size";
    EXPECT_EQ(c.Outcome, LastLine(Balloons[1]));
    for (SIZE_T size : Asked) EXPECT_LE(size, c.MostAsked);
    EXPECT_EQ(c.MostAsked == 0, Asked.empty());
  }
}

// Large enough that filling it whole takes far longer than the answer may:
// in pieces in the 32-bit address space, one block in 64 bits. Only what is
// filled before the stop is touched.
constexpr SIZE_T LongSweepTotal = sizeof(void*) == 4 ? SIZE_T(0x7FFFFFFF) : SIZE_T(4) << 30;
constexpr int LongSweepPercent = sizeof(void*) == 4 ? 70 : 50;
void WINAPI LargeMachine(LPMEMORYSTATUS status) {
  status->dwTotalPhys = LongSweepTotal;
  status->dwAvailPhys = LongSweepTotal / 2;
}
void* FirstBlock = nullptr;
LPVOID WINAPI SignalingAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  void* block = VirtualAlloc(address, size, type, protect);
  if (block && !FirstBlock) {
    FirstBlock = block;
    SetEvent(AllocEntered);
  }
  return block;
}

TEST_F(SweepRunTest, AnAbandonInTheMiddleOfTheFillIsAnsweredWithin200msWithTheMemoryBack) {
  const std::unique_ptr<TImageList> frames = LoadSweepFrames();
  ASSERT_NE(nullptr, frames);
  System.Memory.ReadStatus = &LargeMachine;
  System.VirtualMemory.Alloc = &SignalingAlloc;
  FirstBlock = nullptr;
  bool asked = false;
  std::chrono::milliseconds answer{};
  // The first frame's tray call, once the worker has its first block and fills it.
  Tray.Frame = [&](TOwnedIcon) {
    if (asked || WaitForSingleObject(AllocEntered, Bound) != WAIT_OBJECT_0) return;
    asked = true;
    const auto start = std::chrono::steady_clock::now();
    Run->Abandon();
    answer = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  };
  TSweepRun run(System);
  Run = &run;
  run.Run(LongSweepPercent, "Sweeper", Normal, Tray, frames.get());
  ASSERT_TRUE(asked) << "the worker never got its first block";
  EXPECT_LT(answer.count(), 200) << "the fill ran on after the stop";
  MEMORY_BASIC_INFORMATION block{};
  ASSERT_NE(0u, VirtualQuery(FirstBlock, &block, sizeof(block)));
  EXPECT_EQ(static_cast<DWORD>(MEM_FREE), block.State) << "the memory was not given back";
  EXPECT_EQ(1u, Balloons.size()) << "no report after an abandon";
}

// The session-end query as a logoff sends it, to a window of the main thread.
TSweepRun* RunToEnd = nullptr;
LRESULT CALLBACK SessionWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_QUERYENDSESSION) return DefWindowProcA(wnd, message, wParam, lParam);
  RunToEnd->Abandon();
  return TRUE;
}

TEST_F(SweepRunTest, ASessionEndSentInTheMiddleOfTheFillIsAnsweredInThePauseWhenNoTrayCallWaits) {
  // The fixture's tray answers at once, as a missing icon or taskbar does,
  // and there are no frames: only the pause between frames can answer.
  System.Pause = TSweepSystem().Pause;
  System.Memory.ReadStatus = &LargeMachine;
  System.VirtualMemory.Alloc = &SignalingAlloc;
  FirstBlock = nullptr;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &SessionWindowProc;
  windowClass.lpszClassName = "SweepRunTestSession";
  RegisterClassA(&windowClass);
  HWND session = CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, session);
  TSweepRun run(System);
  RunToEnd = &run;
  std::chrono::milliseconds answer{-1};
  std::atomic<bool> asked{false};
  std::thread logoff([&] {
    if (WaitForSingleObject(AllocEntered, Bound) == WAIT_OBJECT_0) {
      const auto start = std::chrono::steady_clock::now();
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(session, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, Bound, &result))
        answer = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    }
    asked = true;
  });
  run.Run(LongSweepPercent, "Sweeper", Normal, Tray, nullptr);
  while (!asked) {  // a query not answered in the sweep is answered after it
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(1);
  }
  logoff.join();
  DestroyWindow(session);
  EXPECT_EQ(1u, Balloons.size()) << "the sweep ran to its end and reported before the query was answered";
  std::printf("session-end query answered in %d ms\n", static_cast<int>(answer.count()));
}

}  // namespace
