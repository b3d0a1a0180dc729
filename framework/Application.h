#pragma once
// The application object: a hidden top-level application window that owns
// every form, the message loop that runs until the main form has closed,
// end-of-session handling, deferred commands and the default error report.
#include <windows.h>
#include <deque>
#include <functional>
#include <memory>
#include <string>

class TForm;

struct TApplicationApi {
  decltype(&MessageBoxA) ShowMessageBox = &MessageBoxA;
};

class TApplication {
public:
  explicit TApplication(const TApplicationApi& api = TApplicationApi());
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The application of this process, or null before it exists.
  static TApplication* Current();

  // Call inside a catch block: shows the caught error in the default error
  // report (message box with the title as caption) and lets the program go on.
  static void HandleException();
  void ShowException(const std::string& message);

  HWND Handle() const;
  const std::string& Title() const { return FTitle; }
  HICON Icon() const { return FIcon; }

  // Whether Run shows the main form when the loop starts.
  bool ShowMainForm = true;

  // Runs the message loop until the main form has closed or the session
  // ended. A quit message the program did not post itself is a close request.
  void Run(TForm& mainForm);
  TForm* MainForm() const { return FMainForm; }
  // The one decision that the program ends: every loop of ours reads the
  // flag after each message, so nothing queued before it runs after it.
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // The end of the session, decided here for every window that Windows asks.
  // Whether the session may end: the main form's close query answers. After
  // a yes the program waits for the end of the session.
  bool QueryEndSession();
  // The session ends (ending) or goes on after all.
  void EndSession(bool ending);
  // How long the program waits, after agreeing to end the session, for the
  // session to end before it takes it as going on after all: a query alone,
  // which any program can send, must not leave it unreachable for good.
  DWORD SessionEndWait = 10000;

  // Waits for and dispatches one message. Returns false once the program
  // ends: every loop, the outer one and the modal ones, then ends.
  bool HandleMessage();

  // Runs the call later from the message loop. The posted message carries no
  // command itself, so a message forged by another process runs nothing.
  void Defer(std::function<void()> call);

private:
  class TApplicationWindow;
  void RunNextDeferred();

  TApplicationApi FApi;
  std::string FTitle;
  HICON FIcon = nullptr;  // shared resource icon: never destroyed
  std::unique_ptr<TApplicationWindow> FWindow;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FSessionEndAwaited = false;
  std::deque<std::function<void()>> FDeferred;
};
