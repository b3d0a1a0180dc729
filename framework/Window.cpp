#include "framework/Window.h"

#include <algorithm>
#include <vector>

#include "base/Error.h"
#include "framework/ExceptionReport.h"

namespace {

// The windows being destroyed through their objects right now (every window
// lives on the main thread). A window's own destruction, or that of its
// parent or owner, is the only one that may unbind it from its object:
// Windows destroys children and owned windows inside the DestroyWindow of
// their parent or owner.
std::vector<HWND>& WindowsBeingDestroyed() {
  static std::vector<HWND> windows;
  return windows;
}

HWND ParentOrOwner(HWND wnd) {
  return (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : GetWindow(wnd, GW_OWNER);
}

bool IsBeingDestroyed(HWND wnd) {
  const std::vector<HWND>& destroying = WindowsBeingDestroyed();
  for (HWND w = wnd; w; w = ParentOrOwner(w)) {
    if (std::find(destroying.begin(), destroying.end(), w) != destroying.end()) return true;
  }
  return false;
}

void RegisterClassOnce(const TWindowParams& params, WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(instance, params.ClassName, &existing)) return;

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = params.ClassStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = params.Icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = params.Background;
  wc.lpszClassName = params.ClassName;
  if (!RegisterClassExA(&wc)) throw EError("Cannot register window class " + std::string(params.ClassName));
}

}  // namespace

TWindow::~TWindow() { DestroyHandle(); }

TWindow* TWindow::FromHandle(HWND wnd) {
  if (!wnd || GetWindowLongPtrA(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&StaticWndProc)) return nullptr;
  return reinterpret_cast<TWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

void TWindow::CreateHandle(const TWindowParams& params) {
  RegisterClassOnce(params, &StaticWndProc);
  FNeverShown = params.NeverShown;
  FCreating = true;
  HWND wnd = CreateWindowExA(params.ExStyle, params.ClassName, params.Title.c_str(), params.Style, params.Left,
                             params.Top, params.Width, params.Height, params.Parent, nullptr,
                             GetModuleHandleA(nullptr), this);
  FCreating = false;
  if (!wnd) throw EError("Cannot create window " + std::string(params.ClassName));
}

void TWindow::DestroyHandle() {
  if (!FHandle) return;
  std::vector<HWND>& destroying = WindowsBeingDestroyed();
  destroying.push_back(FHandle);
  DestroyWindow(FHandle);  // WM_NCDESTROY clears FHandle
  destroying.pop_back();
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The default processing of a close request destroys the window behind its
  // object's back. Objects decide their windows' lives; forms and the
  // application window handle the request themselves.
  if (msg == WM_CLOSE) return 0;
  if (FNeverShown) {
    // The default processing of WM_SETREDRAW sets the visible flag, and any
    // program can send it; every other way of showing a window passes
    // through the position change, where the showing is taken out.
    if (msg == WM_SETREDRAW) return 0;
    if (msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    // After a tray click the hidden main window is the foreground window, so
    // the user's next Alt+F4 goes to it and would end the program unseen.
    // The program ends through its menu or a close request, not this.
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return 0;
  }
  return DefWindowProcA(FHandle, msg, wParam, lParam);
}

// Creation and destruction messages outside the window's own creation and
// destruction come from someone else (any process can send or post them).
// They reach neither the object nor the default processing, which would
// unbind the object, or free the window's text and scroll bars while the
// window lives on.
bool TWindow::IsForgedLifetimeMessage(const TWindow& self, UINT msg) {
  switch (msg) {
    case WM_NCCREATE:
    case WM_CREATE:
      return !self.FCreating;
    case WM_DESTROY:
    case WM_NCDESTROY:
      return !IsBeingDestroyed(self.FHandle);
    default:
      return false;
  }
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  // Only the window's own creation binds it to its object: a WM_NCCREATE sent
  // later (by another process, say) carries no pointer of ours.
  if (msg == WM_NCCREATE && !self) {
    self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->FHandle = wnd;
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);
  if (IsForgedLifetimeMessage(*self, msg)) return 0;
  // No window of ours is a list or combo box, so it has no item text to give.
  // Answered with the error here, never by the default processing: sent in
  // wide characters by another program, Wine hands an ANSI window these with
  // a buffer of its own and, unless the answer is an error, reads it back as
  // text and writes that far past the caller's buffer (a crash under Wine 8).
  if (msg == LB_GETTEXT) return LB_ERR;
  if (msg == CB_GETLBTEXT) return CB_ERR;

  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    ReportCurrentException();
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
  }
  return result;
}
