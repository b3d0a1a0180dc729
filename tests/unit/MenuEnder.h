#pragma once
// Ends any popup menu the thread opens while it lives, from a timer, so that
// a test that opens one (on purpose or not) never waits for a hand, and
// remembers where the last one was.
#include <windows.h>

class TMenuEnder {
public:
  TMenuEnder() : FTimer(SetTimer(nullptr, 0, 50, &EndOpenMenu)) {
    FOpened = false;
    FOpenedAt = RECT{-1, -1, -1, -1};
  }
  ~TMenuEnder() { KillTimer(nullptr, FTimer); }
  TMenuEnder(const TMenuEnder&) = delete;
  TMenuEnder& operator=(const TMenuEnder&) = delete;

  bool Opened() const { return FOpened; }
  // The screen rectangle of the last menu ended; -1 everywhere while none was.
  RECT OpenedAt() const { return FOpenedAt; }

private:
  // A timer procedure has no object: the one ender alive keeps its findings here.
  static VOID CALLBACK EndOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    FOpened = true;
    GetWindowRect(menu, &FOpenedAt);
    EndMenu();
  }
  inline static bool FOpened = false;
  inline static RECT FOpenedAt{-1, -1, -1, -1};
  UINT_PTR FTimer;
};
