// The sweep command's steps, recorded through a host that stands in for the
// tray, the frame list, the clock and the worker.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/SweepCommand.h"
#include "app/SweepReport.h"
#include "tests/unit/SweepTestData.h"

namespace {

constexpr std::uint32_t MiB = 1u << 20;

// A worker that is done after a given number of polls.
class TScriptedWorker : public TSweepWorker {
public:
  TScriptedWorker(int pollsBeforeDone, std::uint64_t swept, std::vector<std::string>& log)
      : FPollsLeft(pollsBeforeDone), FSwept(swept), FLog(log) {}
  ~TScriptedWorker() override { FLog.push_back("destroy worker"); }
  bool Done() const override { return FPollsLeft-- <= 0; }
  std::uint64_t Join() override {
    FLog.push_back("join");
    return FSwept;
  }

private:
  mutable int FPollsLeft;
  std::uint64_t FSwept;
  std::vector<std::string>& FLog;
};

class TRecordingHost : public TSweepHost {
public:
  std::vector<std::string> Log;
  int Frames = 11;
  int PollsBeforeDone = 0;
  std::uint64_t SweptBytes = ~std::uint64_t(0);  // the whole size unless set
  bool WorkerFails = false;
  int UnmakeableFrame = -1;
  std::uint32_t WorkerSize = 0;
  std::vector<std::string> Balloons;
  std::vector<TTrayMessageIcon> BalloonIcons;
  int MemoryReadings = 0;

  void ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon) override {
    Log.push_back("balloon " + title);
    Balloons.push_back(text);
    BalloonIcons.push_back(icon);
  }
  void ChangeIcon(HICON icon) override {
    // The newest first: a handle value may come again once its icon is gone.
    for (std::size_t i = Made.size(); i-- > 0;) {
      if (Made[i] == icon) {
        Log.push_back("frame " + std::to_string(FrameIndices[i]));
        return;
      }
    }
    Log.push_back(icon == Normal ? "normal icon" : "other icon");
  }
  void HideBalloon() override { Log.push_back("hide balloon"); }
  int FrameCount() const override { return Frames; }
  TOwnedIcon Frame(int index) const override {
    if (index == UnmakeableFrame) throw std::runtime_error("no frame");
    TOwnedIcon icon(CreateIcon(nullptr, 16, 16, 1, 1, AndBits, XorBits));
    Made.push_back(icon.Get());
    FrameIndices.push_back(index);
    return icon;
  }
  MEMORYSTATUS MemoryStatus() override {
    MEMORYSTATUS status{};
    status.dwTotalPhys = 1u << 30;
    status.dwAvailPhys = (++MemoryReadings == 1 ? 300 : 700) * MiB;
    return status;
  }
  SYSTEMTIME Now() override { return JanuaryThe31st(); }
  TLocaleSeparators Separators() override { return UsualSeparators(); }
  void Pause(DWORD milliseconds) override { Log.push_back("pause " + std::to_string(milliseconds)); }
  std::unique_ptr<TSweepWorker> StartWorker(SIZE_T size) override {
    WorkerSize = size;
    if (WorkerFails) throw std::runtime_error("no thread");
    Log.push_back("start worker");
    return std::make_unique<TScriptedWorker>(PollsBeforeDone, SweptBytes == ~std::uint64_t(0) ? size : SweptBytes,
                                             Log);
  }

  HICON Normal = reinterpret_cast<HICON>(0x1234);

private:
  // The icon each frame was made as, and the frame's index.
  mutable std::vector<HICON> Made;
  mutable std::vector<int> FrameIndices;
  static const BYTE AndBits[32];
  static const BYTE XorBits[32];
};
const BYTE TRecordingHost::AndBits[32] = {};
const BYTE TRecordingHost::XorBits[32] = {};

std::vector<std::string> Frames(std::initializer_list<int> indices) {
  std::vector<std::string> log;
  for (int index : indices) {
    log.push_back("frame " + std::to_string(index));
    log.push_back("pause 100");
  }
  return log;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(SweepCommandTest, AnnouncesAnimatesRestoresAndReports) {
  TRecordingHost host;
  host.Frames = 3;
  host.PollsBeforeDone = 7;
  RunSweepCommand(50, "Sweeper", host.Normal, host);

  const std::vector<std::string> expected =
      Concat(Concat({"balloon Sweeper", "start worker"}, Frames({0, 1, 2, 0, 1, 2, 0})),
             {"normal icon", "join", "destroy worker", "hide balloon", "balloon Sweeper"});
  EXPECT_EQ(expected, host.Log);
  EXPECT_EQ(512 * MiB, host.WorkerSize);
  ASSERT_EQ(2u, host.Balloons.size());
  const std::string head = "2024/01/31 09:05:07\r\n\r\nTotal Phisical Memory: 1,024.00MB\r\nFree Phisical Memory: ";
  EXPECT_EQ(head + "300.00MB\r\n\r\nSweep Setting: 50% (512.00MB)", host.Balloons[0]);
  // The memory after the sweep, read once the worker is gone.
  EXPECT_EQ(head + "700.00MB\r\n\r\nSweep Complete", host.Balloons[1]);
  EXPECT_EQ((std::vector<TTrayMessageIcon>{tiInfo, tiInfo}), host.BalloonIcons);
}

TEST(SweepCommandTest, AWorkerDoneBeforeTheFirstTestGivesNoFrame) {
  TRecordingHost host;
  host.PollsBeforeDone = 0;
  RunSweepCommand(10, "Sweeper", host.Normal, host);
  EXPECT_EQ((std::vector<std::string>{"balloon Sweeper", "start worker", "normal icon", "join", "destroy worker",
                                      "hide balloon", "balloon Sweeper"}),
            host.Log);
}

TEST(SweepCommandTest, AFrameThatCannotBeMadeIsSkippedButStillPaused) {
  TRecordingHost host;
  host.PollsBeforeDone = 4;
  host.UnmakeableFrame = 1;
  RunSweepCommand(10, "Sweeper", host.Normal, host);
  const std::vector<std::string> expected = Concat(
      Concat({"balloon Sweeper", "start worker", "frame 0", "pause 100", "pause 100"}, Frames({2, 3})),
      {"normal icon", "join", "destroy worker", "hide balloon", "balloon Sweeper"});
  EXPECT_EQ(expected, host.Log);
}

TEST(SweepCommandTest, AWorkerThatCannotStartStillGetsAnHonestReport) {
  TRecordingHost host;
  host.WorkerFails = true;
  RunSweepCommand(50, "Sweeper", host.Normal, host);
  EXPECT_EQ((std::vector<std::string>{"balloon Sweeper", "hide balloon", "balloon Sweeper"}), host.Log);
  ASSERT_EQ(2u, host.Balloons.size());
  EXPECT_NE(std::string::npos, host.Balloons[1].find("\r\n\r\nSweep Failed"));
  EXPECT_EQ(tiWarning, host.BalloonIcons[1]);
}

TEST(SweepCommandTest, APartialSweepIsReportedAsIncomplete) {
  TRecordingHost host;
  host.SweptBytes = 300 * MiB;
  RunSweepCommand(90, "Sweeper", host.Normal, host);
  ASSERT_EQ(2u, host.Balloons.size());
  const std::string& report = host.Balloons[1];
  EXPECT_EQ("Sweep Incomplete: 300.00MB swept", report.substr(report.rfind("\r\n") + 2));
  EXPECT_EQ(tiWarning, host.BalloonIcons[1]);
}

// Stands in for a close or session-end query that another program sends while
// the sweep waits in its n-th tray call: it takes the run to its end and only
// then is answered.
class TNestingHost : public TRecordingHost {
public:
  int NestInCall = 0;
  TSweepRun* Run = nullptr;

  void ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon) override {
    TRecordingHost::ShowBalloon(text, title, icon);
    InTrayCall();
  }
  void ChangeIcon(HICON icon) override {
    TRecordingHost::ChangeIcon(icon);
    InTrayCall();
  }
  void HideBalloon() override {
    TRecordingHost::HideBalloon();
    InTrayCall();
  }

private:
  void InTrayCall() {
    if (++FCalls != NestInCall) return;
    Run->Finish();
    Log.push_back("answered");
  }
  int FCalls = 0;
};

std::vector<std::string> WithoutPauses(std::vector<std::string> log) {
  log.erase(std::remove(log.begin(), log.end(), "pause 100"), log.end());
  return log;
}

TEST(SweepCommandTest, ARequestInTheMiddleOfAnyTrayCallIsAnsweredOnceTheWholeSweepHasRunOnce) {
  TRecordingHost straight;
  straight.Frames = 3;
  straight.PollsBeforeDone = 5;
  RunSweepCommand(50, "Sweeper", straight.Normal, straight);
  const std::vector<std::string> steps = WithoutPauses(straight.Log);
  // Two balloons, five frames, the normal icon, the hidden balloon.
  const int trayCalls = 9;

  for (int call = 1; call <= trayCalls; ++call) {
    SCOPED_TRACE("request in tray call " + std::to_string(call));
    TNestingHost host;
    host.Frames = 3;
    host.PollsBeforeDone = 5;
    host.NestInCall = call;
    TSweepRun run(50, "Sweeper", host.Normal, host);
    host.Run = &run;
    run.Finish();
    // Answered after the completion report, and the interrupted call took no
    // step after it.
    ASSERT_EQ("answered", host.Log.back());
    host.Log.pop_back();
    EXPECT_EQ(steps, WithoutPauses(host.Log));
    EXPECT_EQ(straight.Balloons, host.Balloons);
  }
}

}  // namespace
