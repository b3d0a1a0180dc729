#include "framework/Form.h"

#include <exception>
#include <vector>


namespace {

bool IsKeyMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP;
}

struct TThreadWindows {
  HWND Except;
  std::vector<HWND> Disabled;
  std::exception_ptr Error;  // what stopped the enumeration
};

// Called back through EnumThreadWindows, which no exception may cross: a
// window that cannot be recorded (no memory) is left enabled and the
// enumeration stops, so every window disabled is one that will be enabled.
BOOL CALLBACK DisableOne(HWND wnd, LPARAM param) noexcept {
  auto* windows = reinterpret_cast<TThreadWindows*>(param);
  if (wnd == windows->Except || !IsWindowVisible(wnd) || !IsWindowEnabled(wnd)) return TRUE;
  try {
    windows->Disabled.push_back(wnd);
  } catch (...) {
    windows->Error = std::current_exception();
    return FALSE;
  }
  EnableWindow(wnd, FALSE);
  return TRUE;
}

// Disables the thread's other visible, enabled top-level windows for as long
// as it lives, and enables them again however the showing ends. When not
// all of them can be disabled, none stays disabled and the error is raised:
// a showing that leaves other windows usable would not be modal.
class TModalDisabler {
public:
  explicit TModalDisabler(HWND modal) : FWindows{modal, {}, nullptr} {
    EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&FWindows));
    if (FWindows.Error) {
      EnableAgain();
      std::rethrow_exception(FWindows.Error);
    }
  }
  ~TModalDisabler() { EnableAgain(); }
  TModalDisabler(const TModalDisabler&) = delete;
  TModalDisabler& operator=(const TModalDisabler&) = delete;

private:
  void EnableAgain() noexcept {
    for (auto it = FWindows.Disabled.rbegin(); it != FWindows.Disabled.rend(); ++it) {
      if (IsWindow(*it)) EnableWindow(*it, TRUE);
    }
    FWindows.Disabled.clear();
  }

  TThreadWindows FWindows;
};

}  // namespace

TForm::TForm(const TFormContext& context)
    : FOwner(context.Owner),
      FLoop(context.Loop),
      FKeyPreviewFilter(FLoop.AddFilter([this](const MSG& msg) { return PreTranslateMessage(msg); })) {}

TForm::~TForm() { FLoop.RemoveFilter(FKeyPreviewFilter); }

void TForm::CreateForm(TWindowParams params) {
  params.Parent = FOwner;
  CreateHandle(params);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

void TForm::Close() {
  if (!CloseQuery()) return;
  if (FModal) {
    FModalEnded = true;
  } else if (FIsMainForm) {
    FLoop.Terminate();
  } else {
    // A close sent while the window is made (the main form's first tray
    // icon waits on a slow shell at logon) comes before its loop: the loop
    // must end as soon as it starts, or the program runs on unreachable.
    FClosedBeforeLoop = true;
    Hide();
  }
}

void TForm::ShowModal() {
  HWND previouslyActive = GetActiveWindow();
  {
    TModalDisabler disabler(Handle());
    FModal = true;
    FModalEnded = false;
    Show();
    FormShow();
    SetForegroundWindow(Handle());
    while (!FModalEnded && FLoop.HandleMessage()) {
    }
    FModal = false;
  }
  // Hidden only once the others are enabled again: hiding the active window
  // hands the activation to the next window that can take it, and while
  // they are still disabled that is some other program's.
  Hide();
  // Only a window the user can see takes the activation back; the hidden
  // main window, active after the tray menu, has no use for it.
  if (previouslyActive && IsWindow(previouslyActive) && IsWindowVisible(previouslyActive))
    SetActiveWindow(previouslyActive);
}

bool TForm::PreTranslateMessage(const MSG& msg) {
  if (!KeyPreview || !IsKeyMessage(msg.message) || !Handle() || GetAncestor(msg.hwnd, GA_ROOT) != Handle())
    return false;
  PreviewKey(msg.message, msg.wParam);
  return true;
}

void TForm::PreviewKey(UINT msg, WPARAM key) {
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
    FormKeyDown(key);
  } else {
    FormKeyUp(key);
  }
}

void TForm::Show() {
  FClosedBeforeLoop = false;
  ShowWindow(Handle(), SW_SHOW);
}

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

LRESULT TForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_QUIT:  // dispatched by a loop that is not ours (see the application window)
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
      // The owner decides, whichever of the program's windows Windows asks.
      if (FOwner) return SendMessageA(FOwner, msg, wParam, lParam);
      return msg == WM_QUERYENDSESSION ? TRUE : 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      // Our loops hand keys to a previewing form before dispatch; this
      // catches keys that another loop (a message box's) dispatched.
      if (KeyPreview) {
        PreviewKey(msg, wParam);
        return 0;
      }
      break;
    default:
      break;
  }
  return TWindow::HandleMessage(msg, wParam, lParam);
}
