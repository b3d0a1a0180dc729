#include "framework/Application.h"

#include "base/AnsiPath.h"
#include "base/ApplicationTitle.h"
#include "base/Error.h"
#include "framework/Window.h"

namespace {

// Private message that tells the application window to run one deferred call.
constexpr UINT WM_APP_RUN_DEFERRED = WM_APP + 0x101;

// The application window's timer that ends the wait for the end of the session.
constexpr UINT_PTR SessionEndTimer = 1;

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
      // A quit reaches a window procedure only through a loop that is not
      // ours: Wine's menu loop dispatches a quit posted to a window, which
      // was then lost with the menu left open. It asks to end, as a close.
      case WM_QUIT:
      case WM_CLOSE:
        FApp.CloseMainForm();
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
  FWindow = std::make_unique<TApplicationWindow>(*this);
  FLoop.OnQuitRequest = [this] { CloseMainForm(); };
  FPreviousReport = SetExceptionReport([this](const std::string& message) { ShowException(message); });
}

TApplication::~TApplication() {
  SetExceptionReport(std::move(FPreviousReport));
  FWindow.reset();
}

HWND TApplication::Handle() const { return FWindow ? FWindow->Handle() : nullptr; }

void TApplication::ShowException(const std::string& message) {
  // Owned by the window the user works in, which then waits for the answer:
  // owned by the hidden application window, the report left the window
  // behind it usable, and a second click on a failing link stacked a second.
  HWND active = GetActiveWindow();
  FApi.ShowMessageBox(active ? active : Handle(), ErrorReportText(message).c_str(), FTitle.c_str(),
                      MB_OK | MB_ICONERROR);
}

void TApplication::Run(TForm& mainForm) {
  FMainForm = &mainForm;
  mainForm.SetMainForm(true);
  // An end decided before the loop (a session that ended, a close of the
  // main form while it was made) ends it as soon as it starts.
  if (mainForm.ClosedBeforeLoop()) Terminate();
  if (!Terminated() && ShowMainForm) mainForm.Show();
  while (FLoop.HandleMessage()) {
  }
  mainForm.SetMainForm(false);
  FMainForm = nullptr;
  FDeferred.clear();
}

// A close request to the program as a whole, whichever way it came.
void TApplication::CloseMainForm() {
  if (FMainForm && !Terminated()) FMainForm->Close();
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
  // Windows asks every top-level window, and so this program several times
  // in one round: the main form's close query answers for all of them.
  if (FSessionEndAwaited) return true;
  if (FMainForm && !FMainForm->CloseQuery()) return false;
  FSessionEndAwaited = true;
  SetTimer(Handle(), SessionEndTimer, SessionEndWait, nullptr);
  return true;
}

void TApplication::EndSession(bool ending) {
  const bool awaited = FSessionEndAwaited;
  FSessionEndAwaited = false;
  KillTimer(Handle(), SessionEndTimer);
  if (ending) {
    Terminate();
  } else if (awaited && FMainForm) {
    FMainForm->SessionEndCancelled();
  }
}
