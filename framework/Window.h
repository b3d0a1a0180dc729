#pragma once
// Base of every window object. The static window procedure finds the object
// through GWLP_USERDATA (set at WM_NCCREATE from lpCreateParams, cleared at
// WM_NCDESTROY) and forwards to HandleMessage. Only the window's own creation
// and destruction bind and unbind it: the same messages from anyone else
// change nothing. No C++ exception ever leaves the window procedure: it goes
// to the installed error report.
#include <windows.h>
#include <string>

struct TWindowParams {
  const char* ClassName = nullptr;
  std::string Title;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  HWND Parent = nullptr;  // owner for top-level windows
  HICON Icon = nullptr;
  HBRUSH Background = nullptr;
  UINT ClassStyle = 0;
  // For windows that exist only to receive messages: nothing shows them,
  // whatever message or call asks.
  bool NeverShown = false;
};

class TWindow {
public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return FHandle; }

  // The object behind a window of ours, or null for any other window.
  static TWindow* FromHandle(HWND wnd);

protected:
  // Registers the class on first use and creates the window; call it from
  // the most derived constructor, once the object can take messages.
  void CreateHandle(const TWindowParams& params);
  void DestroyHandle();

  // Unhandled messages get the default window processing, except a close
  // request, which is answered with 0 and destroys nothing.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static bool IsForgedLifetimeMessage(const TWindow& self, UINT msg);
  HWND FHandle = nullptr;
  bool FCreating = false;  // inside CreateWindowExA for this object
  bool FNeverShown = false;
};
