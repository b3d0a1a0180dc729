#include "framework/Application.h"

#include <exception>

#include "framework/AnsiPath.h"
#include "framework/ApplicationTitle.h"
#include "framework/Error.h"
#include "framework/Form.h"
#include "framework/Window.h"

namespace {

TApplication* CurrentApplication = nullptr;

// Private message that tells the application window to run one deferred call.
constexpr UINT WM_APP_RUN_DEFERRED = WM_APP + 0x101;

// The application window's timer that ends the wait for the end of the session.
constexpr UINT_PTR SessionEndTimer = 1;

// DispatchMessage calls the LParam of a WM_TIMER as a timer procedure. The
// program sets no timer procedures, so such a message can only come from
// another process, pointing anywhere: it is dropped, never called.
void DispatchSafely(const MSG& msg) {
  if (msg.message == WM_TIMER && msg.lParam != 0) return;
  if (TForm* form = TForm::KeyPreviewTarget(msg)) {
    try {
      form->PreviewKey(msg.message, msg.wParam);
    } catch (...) {
      TApplication::HandleException();
    }
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

class TApplication::TApplicationWindow : public TWindow {
public:
  explicit TApplicationWindow(TApplication& app) : FApp(app) {
    TWindowParams params;
    params.ClassName = "TApplication";
    params.Title = app.Title();
    // Never made visible, so the program never gets a taskbar button.
    params.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.Icon = app.Icon();
    params.NeverShown = true;
    CreateHandle(params);
  }

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_CLOSE:
        if (TForm* mainForm = FApp.MainForm()) mainForm->Close();
        return 0;
      case WM_QUERYENDSESSION:
        return FApp.QueryEndSession() ? TRUE : FALSE;
      case WM_ENDSESSION:
        FApp.EndSession(wParam != FALSE);
        return 0;
      case WM_TIMER:
        if (wParam != SessionEndTimer) break;
        // No end of the session came: it goes on.
        if (FApp.FSessionEndAwaited) FApp.EndSession(false);
        return 0;
      case WM_APP_RUN_DEFERRED:
        FApp.RunNextDeferred();
        return 0;
      default:
        break;
    }
    return TWindow::HandleMessage(msg, wParam, lParam);
  }

private:
  TApplication& FApp;
};

TApplication::TApplication(const TApplicationApi& api) : FApi(api) {
  FTitle = ApplicationTitleFromPath(ModuleFileName());
  FIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  CurrentApplication = this;
  try {
    FWindow = std::make_unique<TApplicationWindow>(*this);
  } catch (...) {
    CurrentApplication = nullptr;
    throw;
  }
}

TApplication::~TApplication() {
  FWindow.reset();
  if (CurrentApplication == this) CurrentApplication = nullptr;
}

TApplication* TApplication::Current() { return CurrentApplication; }

HWND TApplication::Handle() const { return FWindow ? FWindow->Handle() : nullptr; }

void TApplication::HandleException() {
  std::string message;
  try {
    throw;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  if (TApplication* app = Current()) {
    app->ShowException(message);
  } else {
    MessageBoxA(nullptr, ErrorReportText(message).c_str(), nullptr, MB_OK | MB_ICONERROR);
  }
}

void TApplication::ShowException(const std::string& message) {
  // Owned by the window the user works in, which then waits for the answer:
  // owned by the hidden application window, the report left the window
  // behind it usable, and a second click on a failing link stacked a second.
  HWND active = GetActiveWindow();
  FApi.ShowMessageBox(active ? active : Handle(), ErrorReportText(message).c_str(), FTitle.c_str(),
                      MB_OK | MB_ICONERROR);
  KeepQuit();  // the box's loop may have taken it
}

void TApplication::Run(TForm& mainForm) {
  FMainForm = &mainForm;
  FTerminated = false;
  if (ShowMainForm) mainForm.Show();
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) >= 0) {
    if (got) {
      DispatchSafely(msg);
      KeepQuit();
    } else if (FTerminated) {
      break;
    } else {
      // A quit the program did not post: another program asks it to end.
      // It ends as after any close request, its close query deciding, so
      // the icon goes and nothing is left half done.
      try {
        mainForm.Close();
      } catch (...) {
        HandleException();
      }
    }
  }
  FMainForm = nullptr;
  FDeferred.clear();
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::KeepQuit() {
  // Posting the quit again is harmless: a thread has one quit flag, not a
  // queue of quit messages.
  if (FTerminated) PostQuitMessage(0);
}

bool TApplication::HandleMessage() {
  MSG msg;
  BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got <= 0) {
    // Leave the quit for the outer loop, which has to end as well.
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  DispatchSafely(msg);
  return true;
}

void TApplication::Defer(std::function<void()> call) {
  FDeferred.push_back(std::move(call));
  PostMessageA(Handle(), WM_APP_RUN_DEFERRED, 0, 0);
}

void TApplication::RunNextDeferred() {
  if (FDeferred.empty()) return;
  std::function<void()> call = std::move(FDeferred.front());
  FDeferred.pop_front();
  call();
}

bool TApplication::QueryEndSession() {
  if (FMainForm && !FMainForm->CloseQuery()) return false;
  FSessionEndAwaited = true;
  SetTimer(Handle(), SessionEndTimer, SessionEndWait, nullptr);
  return true;
}

void TApplication::EndSession(bool ending) {
  FSessionEndAwaited = false;
  KillTimer(Handle(), SessionEndTimer);
  if (ending) {
    Terminate();
  } else if (FMainForm) {
    FMainForm->SessionEndCancelled();
  }
}
