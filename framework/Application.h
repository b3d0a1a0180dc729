#pragma once
// The application object: a hidden top-level application window that owns
// every form, the message loop that runs until the main form has closed,
// end-of-session handling, deferred commands and the default error report.
#include <windows.h>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "framework/ExceptionReport.h"
#include "framework/Form.h"
#include "framework/MessageLoop.h"

struct TApplicationApi {
  decltype(&MessageBoxA) ShowMessageBox = &MessageBoxA;
};

class TApplication {
public:
  // Installs the application's error report for as long as it lives.
  explicit TApplication(const TApplicationApi& api = TApplicationApi());
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The default error report: a message box with the title as caption; the
  // program goes on.
  void ShowException(const std::string& message);

  HWND Handle() const;
  const std::string& Title() const { return FTitle; }
  HICON Icon() const { return FIcon; }

  // What every form of the program is made with: the application window
  // owns it, and the application's loop runs it.
  TFormContext FormContext() { return TFormContext{Handle(), FLoop}; }

  // Whether Run shows the main form when the loop starts.
  bool ShowMainForm = true;

  // Runs the message loop until the main form has closed or the session
  // ended. A quit message the program did not post itself is a close request.
  void Run(TForm& mainForm);
  TForm* MainForm() const { return FMainForm; }
  void Terminate() { FLoop.Terminate(); }
  bool Terminated() const { return FLoop.Terminated(); }

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

  // Runs the call later from the message loop. The posted message carries no
  // command itself, so a message forged by another process runs nothing.
  void Defer(std::function<void()> call);

private:
  class TApplicationWindow;
  void RunNextDeferred();
  void CloseMainForm();

  TApplicationApi FApi;
  std::string FTitle;
  HICON FIcon = nullptr;  // shared resource icon: never destroyed
  TMessageLoop FLoop;
  std::unique_ptr<TApplicationWindow> FWindow;
  TExceptionReport FPreviousReport;
  TForm* FMainForm = nullptr;
  bool FSessionEndAwaited = false;
  std::deque<std::function<void()>> FDeferred;
};
