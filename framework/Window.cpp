#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/Error.h"

namespace {

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
  HWND wnd = CreateWindowExA(params.ExStyle, params.ClassName, params.Title.c_str(), params.Style, params.Left,
                             params.Top, params.Width, params.Height, params.Parent, nullptr,
                             GetModuleHandleA(nullptr), this);
  if (!wnd) throw EError("Cannot create window " + std::string(params.ClassName));
}

void TWindow::DestroyHandle() {
  if (FHandle) DestroyWindow(FHandle);  // WM_NCDESTROY clears FHandle
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(FHandle, msg, wParam, lParam);
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

  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    TApplication::HandleException();
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
  }
  return result;
}
