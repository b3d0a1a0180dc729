// Messages that another program can send or post to any window of ours:
// creation and destruction messages outside the window's own creation and
// destruction, requests to show windows that are never shown, and clicks on
// links that were never pressed.
#include <gtest/gtest.h>

#include <memory>

#include "framework/HiddenWindow.h"
#include "framework/Label.h"
#include "tests/unit/PlainForm.h"

namespace {

std::string TextOf(HWND wnd) {
  char text[64] = "";
  GetWindowTextA(wnd, text, sizeof(text));
  return text;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Forms with no owner, on a loop that never runs.
TMessageLoop Loop;
TFormContext Context() { return TFormContext{nullptr, Loop}; }

}  // namespace

TEST(ForgedMessages, LifetimeMessagesFromOthersLeaveTheWindowBoundAndWhole) {
  TPlainForm form(Context());
  HWND wnd = form.Handle();
  TPlainForm other(Context());
  CREATESTRUCTA forged{};
  forged.lpCreateParams = &other;
  forged.lpszName = "forged";
  for (UINT msg : {WM_NCDESTROY, WM_DESTROY}) {
    EXPECT_EQ(0, SendMessageA(wnd, msg, 0, 0));
    PostMessageA(wnd, msg, 0, 0);
  }
  SendMessageA(wnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&forged));
  SendMessageA(wnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&forged));
  MSG msg;
  while (PeekMessageA(&msg, wnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

  EXPECT_EQ(wnd, form.Handle());
  EXPECT_EQ(&form, TWindow::FromHandle(wnd));
  EXPECT_EQ("plain", TextOf(wnd));  // the default processing would have freed or replaced it
}

TEST(ForgedMessages, DestroyingAWindowStillUnbindsItAndItsChildren) {
  auto form = std::make_unique<TPlainForm>(Context());
  HWND wnd = form->Handle();
  TLabel label(wnd, RECT{0, 0, 50, 16}, "child");
  EXPECT_EQ(0, SendMessageA(label.Handle(), WM_CLOSE, 0, 0));  // a control is never closed on its own
  ASSERT_TRUE(IsWindow(label.Handle()));
  form.reset();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(nullptr, label.Handle());
}

TEST(ForgedMessages, ALinkActsOnlyOnAPressAndReleaseOnItself) {
  TPlainForm form(Context());
  TLabel link(form.Handle(), RECT{0, 0, 50, 16}, "link");
  TLabel elsewhere(form.Handle(), RECT{0, 20, 50, 36}, "elsewhere");
  TLabel hidden(form.Handle(), RECT{0, 40, 50, 56}, "hidden", false);
  form.Show();
  int clicks = 0;
  link.OnClick = [&](TLabel&) { ++clicks; };
  hidden.OnClick = [&](TLabel&) { ++clicks; };
  auto send = [](TLabel& label, UINT msg, LPARAM at) { SendMessageA(label.Handle(), msg, 0, at); };

  send(link, WM_LBUTTONUP, At(1, 1));  // a release alone
  send(elsewhere, WM_LBUTTONDOWN, At(1, 1));
  send(link, WM_LBUTTONUP, At(1, 1));  // pressed elsewhere, released here
  send(link, WM_LBUTTONDOWN, At(1, 1));
  send(link, WM_LBUTTONUP, At(1, 500));  // pressed here, released outside
  send(link, WM_LBUTTONDOWN, At(1, 1));
  ReleaseCapture();  // the press was cancelled (another window took the mouse)
  send(link, WM_LBUTTONUP, At(1, 1));
  SendMessageA(hidden.Handle(), WM_SETREDRAW, TRUE, 0);  // sets the window's visible flag
  send(hidden, WM_LBUTTONDOWN, At(1, 1));
  send(hidden, WM_LBUTTONUP, At(1, 1));
  EXPECT_EQ(0, clicks);

  send(link, WM_LBUTTONDOWN, At(1, 1));
  EXPECT_EQ(link.Handle(), GetCapture());
  send(link, WM_LBUTTONUP, At(2, 2));
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(nullptr, GetCapture());
}

TEST(ForgedMessages, AWindowThatIsNeverShownStaysHidden) {
  THiddenWindow hidden(nullptr);
  HWND wnd = hidden.Handle();
  SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);  // the default processing sets the visible flag
  EXPECT_FALSE(IsWindowVisible(wnd));
  SendMessageA(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsWindowVisible(wnd));
  ShowWindow(wnd, SW_SHOWNORMAL);  // another program may call this on our windows
  EXPECT_FALSE(IsWindowVisible(wnd));
  SetWindowPos(wnd, nullptr, 10, 10, 100, 100, SWP_SHOWWINDOW | SWP_NOZORDER);
  EXPECT_FALSE(IsWindowVisible(wnd));
}
