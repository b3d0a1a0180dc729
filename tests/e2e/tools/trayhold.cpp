// Keeps one tray icon of its own alive while the end-to-end tests run. On a
// bare X server Wine hides its tray window when the last icon goes and waits
// ~2 s for a window manager that never comes; with this icon there, the
// program's own icon is never the last one.
#include <windows.h>
#include <shellapi.h>

int main() {
  HWND wnd = CreateWindowExA(0, "STATIC", "trayhold", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = wnd;
  data.uID = 1;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  lstrcpyA(data.szTip, "trayhold");
  Shell_NotifyIconA(NIM_ADD, &data);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  Shell_NotifyIconA(NIM_DELETE, &data);
  return 0;
}
