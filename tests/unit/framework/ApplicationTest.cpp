// The application object: its message loop, close queries, the end of the
// session and the default error report.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <thread>

#include "base/Error.h"
#include "base/Owned.h"
#include "framework/Application.h"
#include "tests/unit/MessageBoxRecorder.h"
#include "tests/unit/PlainForm.h"
#include "tests/unit/TestPump.h"

namespace {

// Counts its close queries and session ends, consents as told, and answers
// WM_USER with an error.
class TTestForm : public TPlainForm {
public:
  using TPlainForm::TPlainForm;
  int CloseQueries = 0;
  bool Consent = true;
  int SessionEndsCancelled = 0;

protected:
  void FormCloseQuery(bool& canClose) override {
    ++CloseQueries;
    canClose = Consent;
  }
  void FormSessionEndCancelled() override { ++SessionEndsCancelled; }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_USER) throw EError("Cannot do that");
    return TForm::HandleMessage(msg, wParam, lParam);
  }
};

class ApplicationTest : public ::testing::Test {
protected:
  void SetUp() override {
    Boxes.clear();
    Api.ShowMessageBox = &RecordMessageBox;
  }
  TApplicationApi Api;
};

}  // namespace

TEST_F(ApplicationTest, CloseRequestToTheApplicationWindowEndsTheLoop) {
  TApplication app(Api);
  EXPECT_EQ("unit_tests", app.Title());
  char title[64] = "";
  GetWindowTextA(app.Handle(), title, sizeof(title));
  EXPECT_STREQ("unit_tests", title);
  EXPECT_NE(nullptr, app.Icon());
  EXPECT_FALSE(IsWindowVisible(app.Handle()));

  TTestForm form(app.FormContext());
  EXPECT_EQ(app.Handle(), GetWindow(form.Handle(), GW_OWNER));
  app.ShowMainForm = false;
  PostMessageA(app.Handle(), WM_CLOSE, 0, 0);
  app.Run(form);  // returns only because the close ended the loop
  EXPECT_EQ(1, form.CloseQueries);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(ApplicationTest, RefusedCloseKeepsTheLoopRunningAndSessionEndAsksTheMainForm) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  form.Consent = false;
  app.Defer([&] {
    form.Close();
    EXPECT_FALSE(app.Terminated());
    EXPECT_EQ(FALSE, SendMessageA(app.Handle(), WM_QUERYENDSESSION, 0, 0));
    form.Consent = true;
    EXPECT_EQ(TRUE, SendMessageA(app.Handle(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(app.Handle(), WM_ENDSESSION, TRUE, 0);
  });
  app.Run(form);
  EXPECT_EQ(3, form.CloseQueries);
}

TEST_F(ApplicationTest, ErrorsInHandlersGoToTheDefaultReportAndTheProgramGoesOn) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  PostMessageA(form.Handle(), WM_USER, 0, 0);
  app.Defer([] { throw std::runtime_error("Disk full"); });
  // A timer message whose LParam points anywhere must never be called.
  PostMessageA(form.Handle(), WM_TIMER, 1, 0x1234);
  PostMessageA(app.Handle(), WM_CLOSE, 0, 0);
  app.Run(form);
  ASSERT_EQ(2u, Boxes.size());
  EXPECT_EQ("Cannot do that.", Boxes[0].Text);
  EXPECT_EQ("Disk full.", Boxes[1].Text);
  for (const TBoxCall& box : Boxes) {
    EXPECT_EQ("unit_tests", box.Caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), box.Flags);
  }
}

TEST_F(ApplicationTest, TheErrorReportBelongsToTheActiveWindow) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  app.Defer([&] { throw EError("Nothing active"); });
  app.Defer([&] {
    SetActiveWindow(form.Handle());
    throw EError("Behind the form");
  });
  PostMessageA(app.Handle(), WM_CLOSE, 0, 0);
  app.Run(form);
  // The window the user works in waits for the answer; with none active the
  // application window owns the report.
  ASSERT_EQ(2u, Boxes.size());
  EXPECT_EQ(app.Handle(), Boxes[0].Owner);
  EXPECT_EQ(form.Handle(), Boxes[1].Owner);
}

TEST_F(ApplicationTest, DeferredCallsRunOnceEach) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  int runs = 0;
  app.Defer([&] { ++runs; });
  // A forged "run deferred" message finds nothing queued.
  PostMessageA(app.Handle(), WM_APP + 0x101, 0, 0);
  PostMessageA(app.Handle(), WM_APP + 0x101, 0, 0);
  PostMessageA(app.Handle(), WM_CLOSE, 0, 0);
  app.Run(form);
  EXPECT_EQ(1, runs);
}

TEST_F(ApplicationTest, AQuitTakenByANestedLoopStillEndsTheLoop) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  app.Defer([&] {
    form.Close();
    // A nested loop that takes the quit for itself, as Wine's menu loop does.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  });
  // Should the quit be lost, the loop would wait for ever: end it from outside
  // after a while, and say so.
  std::atomic<bool> rescued{false};
  const DWORD loopThread = GetCurrentThreadId();
  TOwnedHandle loopEnded(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::thread watchdog([&] {
    if (WaitForSingleObject(loopEnded.Get(), 5000) == WAIT_TIMEOUT) {
      rescued = true;
      PostThreadMessageA(loopThread, WM_QUIT, 0, 0);
    }
  });
  app.Run(form);
  SetEvent(loopEnded.Get());
  watchdog.join();
  EXPECT_FALSE(rescued);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(ApplicationTest, ASessionEndQueryWithNoEndAfterItCountsAsASessionThatGoesOn) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  app.SessionEndWait = 50;
  app.Defer([&] {
    // Answered, then the session goes on as Windows says: nothing more later.
    EXPECT_EQ(TRUE, SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(app.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(1, form.SessionEndsCancelled);
    PumpFor(300);
    EXPECT_EQ(1, form.SessionEndsCancelled);
    // A query alone, as any program can send it: after the wait the session
    // counts as going on.
    EXPECT_EQ(TRUE, SendMessageA(app.Handle(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(1, form.SessionEndsCancelled);
    PumpFor(300);
    EXPECT_EQ(2, form.SessionEndsCancelled);
    EXPECT_FALSE(app.Terminated());
    PostMessageA(app.Handle(), WM_CLOSE, 0, 0);
  });
  app.Run(form);
  EXPECT_EQ(3, form.CloseQueries);
}

TEST_F(ApplicationTest, AQuitFromAnotherProgramIsACloseRequestThatTheCloseQueryDecides) {
  TApplication app(Api);
  TTestForm form(app.FormContext());
  app.ShowMainForm = false;
  form.Consent = false;
  PostMessageA(form.Handle(), WM_QUIT, 0, 0);
  app.Defer([&] {
    EXPECT_EQ(1, form.CloseQueries);  // refused: the loop runs on
    form.Consent = true;
    PostMessageA(app.Handle(), WM_QUIT, 0, 0);
  });
  app.Run(form);
  EXPECT_EQ(2, form.CloseQueries);
  EXPECT_TRUE(app.Terminated());
}

namespace {
// Every allocation on the thread named here fails, as with the address space used up.
std::atomic<DWORD> AllocationsFailOnThread{0};
}  // namespace

void* operator new(std::size_t size) {
  if (AllocationsFailOnThread == GetCurrentThreadId()) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

TEST_F(ApplicationTest, AModalShowingThatCannotRecordTheWindowsItDisablesLeavesEveryWindowEnabled) {
  TApplication app(Api);
  TTestForm other(app.FormContext()), modal(app.FormContext());
  other.Show();
  bool raised = false;
  AllocationsFailOnThread = GetCurrentThreadId();
  try {
    modal.ShowModal();
  } catch (const std::bad_alloc&) {
    raised = true;
  }
  AllocationsFailOnThread = 0;
  EXPECT_TRUE(raised);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  EXPECT_FALSE(IsWindowVisible(modal.Handle()));
}
