// Notices a new icon in Wine's tray window, for the start-up times of
// bench/footprint.sh. Prints "ready" once it has counted the icons shown,
// then "icon" as soon as there is one more, polling every millisecond, and
// ends. Exit code 1 when none came within the time given (milliseconds,
// 20000 by default).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

int VisibleTrayIcons() {
  int count = 0;
  HWND tray = nullptr;
  while ((tray = FindWindowExA(nullptr, tray, "__winex11_standalone_tray", nullptr)) != nullptr) {
    HWND icon = nullptr;
    while ((icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr)) != nullptr) {
      if (IsWindowVisible(icon)) ++count;
    }
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD timeout = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20000;
  const int before = VisibleTrayIcons();
  std::printf("ready\n");
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout) {
    if (VisibleTrayIcons() > before) {
      std::printf("icon\n");
      std::fflush(stdout);
      return 0;
    }
    Sleep(1);
  }
  return 1;
}
