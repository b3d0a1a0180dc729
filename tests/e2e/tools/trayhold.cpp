// Keeps one tray icon of its own alive while the end-to-end tests run. On a
// bare X server Wine hides its tray window when the last icon goes and waits
// ~2 s for a window manager that never comes; with this icon there, the
// program's own icon is never the last one.
// trayhold.exe MODULE SIZE shows MODULE's icon MAINICON at SIZE pixels
// instead: a reference for what the shell draws of an icon of that size.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

int main(int argc, char** argv) {
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  if (argc == 3) {
    const int size = std::atoi(argv[2]);
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    icon = module ? static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, size, size, 0)) : nullptr;
    if (!icon) return 2;
  }
  HWND wnd = CreateWindowExA(0, "STATIC", "trayhold", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = wnd;
  data.uID = 1;
  data.uFlags = NIF_ICON | NIF_TIP;
  data.hIcon = icon;
  lstrcpyA(data.szTip, "trayhold");
  Shell_NotifyIconA(NIM_ADD, &data);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  Shell_NotifyIconA(NIM_DELETE, &data);
  return 0;
}
