#pragma once
// Ends any popup menu the thread opens while it lives, from a timer, so that a
// test that opens one never waits for a hand. OpenedAt is where the last one
// was: empty while none opened.
#include <windows.h>

class TMenuEnder {
public:
  TMenuEnder() { OpenedAt = RECT{}; }
  ~TMenuEnder() { KillTimer(nullptr, FTimer); }
  TMenuEnder(const TMenuEnder&) = delete;
  TMenuEnder& operator=(const TMenuEnder&) = delete;
  inline static RECT OpenedAt;

private:
  static VOID CALLBACK EndOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &OpenedAt);
    EndMenu();
  }
  UINT_PTR FTimer = SetTimer(nullptr, 0, 50, &EndOpenMenu);
};
