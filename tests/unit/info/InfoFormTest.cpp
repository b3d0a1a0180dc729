// The information window: its worked-out texts, its layout and its modal
// showing, for real (windows under Wine) but without a user.
#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "framework/AutoSize.h"
#include "info/InfoForm.h"
#include "info/InfoFormTexts.h"

TEST(InfoFormTexts, OnlyTheFirstCaseSensitiveMicrosoftGoes) {
  EXPECT_EQ("Windows XP Professional Service Pack 2 (Build 2600)",
            OsVersionLabelText("Microsoft Windows XP Professional Service Pack 2 (Build 2600)"));
  EXPECT_EQ("Windows", OsVersionLabelText("Microsoft Windows"));
  EXPECT_EQ("Windows NT product family? Professional ", OsVersionLabelText("Windows NT product family? Professional "));
  EXPECT_EQ("Unknown", OsVersionLabelText("Unknown"));
  EXPECT_EQ("microsoft Windows", OsVersionLabelText("microsoft Windows"));
  EXPECT_EQ("A Microsoft B", OsVersionLabelText("A Microsoft Microsoft B"));
  EXPECT_EQ("Windows NT Version 4.0 (Build 1381 : )", OsVersionLabelText("Windows NT Version 4.0 (Build 1381 : )"));
}

TEST(InfoFormTexts, MailAndWebLinksAreEscapedAsAUrlRequires) {
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5Bprog.exe%5D%20user", MailLink("me@example.org", "prog.exe"));
  // A file name must not add a header to the mail ...
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5Ba%26cc%3Dx%40y.exe%5D%20user",
            MailLink("me@example.org", "a&cc=x@y.exe"));
  EXPECT_EQ("MailTo:a%3Fb%26c%25@example.org?subject=from%20%5B%23%2B%3F.exe%5D%20user",
            MailLink("a?b&c%@example.org", "#+?.exe"));
  // ... and letters beyond ASCII go as UTF-8: "表示" of code page 932, "é" of 1252.
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5B%E8%A1%A8%E7%A4%BA.exe%5D%20user",
            MailLink("me@example.org", "\x95\x5C\x8E\xA6.exe", 932));
  EXPECT_EQ("MailTo:me@example.org?subject=from%20%5Bcaf%C3%A9.exe%5D%20user",
            MailLink("me@example.org", "caf\xE9.exe", 1252));

  // A web address keeps its separators and loses only what no URL may hold.
  EXPECT_EQ("https://sweeper.example.org/", WebLink("https://sweeper.example.org/"));
  EXPECT_EQ("https://example.org/a?b=c&d=%41#e", WebLink("https://example.org/a?b=c&d=%41#e"));
  EXPECT_EQ("https://example.org/a%20%22b%22/caf%C3%A9", WebLink("https://example.org/a \"b\"/caf\xE9", 1252));
}

TEST(InfoFormTexts, VersionLabel) {
  EXPECT_EQ("Ver.0.5.5.6", VersionLabelText("0.5.5.6"));
  EXPECT_EQ("Ver.", VersionLabelText(""));
}

TEST(PanelSizing, DesignLayoutMovesVisibleControlsByTwoAndIgnoresTheHiddenLabel) {
  auto at = [](int l, int t, int w, int h, bool visible = true) { return TSizedControl{{l, t, l + w, t + h}, visible}; };
  std::vector<TSizedControl> design = {
      at(8, 8, 32, 32),    at(56, 8, 152, 32),  at(56, 40, 84, 16),   at(56, 56, 125, 16),
      at(56, 80, 172, 16), at(56, 96, 166, 16), at(56, 112, 87, 16),  at(8, 136, 160, 16),
      at(8, 152, 87, 16),  at(8, 176, 78, 16),  at(120, 184, 178, 16, false), at(8, 192, 76, 16)};
  TContentsLayout layout = LayoutToContents(design, 10);
  EXPECT_EQ(2, layout.ShiftX);
  EXPECT_EQ(2, layout.ShiftY);
  EXPECT_EQ(228 - 8 + 20, layout.Width);  // widest: 56 + 172; the hidden 120 + 178 does not count
  EXPECT_EQ(208 - 8 + 20, layout.Height);
  EXPECT_EQ(20, LayoutToContents({at(0, 0, 5, 5, false)}, 10).Width);
}

namespace {

RECT BoundsOf(TControl& control) { return control.BoundsRect(); }

}  // namespace

TEST(InfoForm, IsBuiltWithItsTextsSizedToItsPanelAndCentred) {
  TApplication app;
  TInfoForm form;
  char title[64] = "";
  GetWindowTextA(form.Handle(), title, sizeof(title));
  EXPECT_STREQ("unit_tests - InfoForm", title);
  EXPECT_EQ("unit_tests.exe", form.LblExeName->Caption());
  EXPECT_EQ("Ver.0.5.5.6", form.LblExeVersion->Caption());
  EXPECT_EQ(0u, form.LblMemPhys->Caption().find("free physical memory:"));
  EXPECT_NE(0u, form.LblOsVersion->Caption().find("Microsoft "));
  EXPECT_EQ("Create Shortcut into \"Startup\"", form.LblLaunchOnStartup->Caption());
  EXPECT_EQ("Open \"Startup\"", form.LblOpenStartup->Caption());
  EXPECT_EQ("Open Folder This Program in", form.LblOpenFolderIn->Caption());

  // The panel fills the client area exactly; controls moved 2 right and down.
  RECT client;
  GetClientRect(form.Handle(), &client);
  RECT panel = BoundsOf(*form.PnlBack);
  EXPECT_EQ(0, panel.left);
  EXPECT_EQ(0, panel.top);
  EXPECT_EQ(client.right, panel.right);
  EXPECT_EQ(client.bottom, panel.bottom);
  EXPECT_EQ(10, BoundsOf(*form.AppIcon).left);
  EXPECT_EQ(10, BoundsOf(*form.AppIcon).top);
  EXPECT_EQ(58, BoundsOf(*form.LblExeName).left);
  EXPECT_FALSE(IsWindowVisible(form.LblLaunchOnDesktop->Handle()));
  EXPECT_EQ(120, BoundsOf(*form.LblLaunchOnDesktop).left);
  EXPECT_EQ(184, BoundsOf(*form.LblLaunchOnDesktop).top);
  // Every visible label lies inside the panel's border.
  for (TLabel* label : {form.LblOsVersion.get(), form.LblMemPhys.get(), form.lblURL.get()}) {
    RECT r = BoundsOf(*label);
    EXPECT_LE(r.right, panel.right - 10);
    EXPECT_LE(r.bottom, panel.bottom - 10);
  }

  // Centred in a rectangle of the work area's size at the screen origin.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT window;
  GetWindowRect(form.Handle(), &window);
  EXPECT_EQ((work.right - work.left - (window.right - window.left)) / 2, window.left);
  EXPECT_EQ((work.bottom - work.top - (window.bottom - window.top)) / 2, window.top);
  EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST(InfoForm, AnyKeyEndsTheModalShowingAndOtherWindowsAreEnabledAgain) {
  TApplication app;
  TInfoForm first;
  TInfoForm second;
  first.Show();
  bool firstDisabledMeanwhile = false;
  app.Defer([&] {
    firstDisabledMeanwhile = !IsWindowEnabled(first.Handle());
    PostMessageA(second.LblExeName->Handle(), WM_KEYDOWN, VK_SHIFT, 0);  // reaches the form first
  });
  second.ShowModal();
  EXPECT_TRUE(firstDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(first.Handle()));
  EXPECT_FALSE(IsWindowVisible(second.Handle()));
}

TEST(InfoForm, AKeyDispatchedByAnotherLoopClosesItToo) {
  TApplication app;
  TInfoForm form;
  // A message box's own loop dispatches keys straight to the window.
  app.Defer([&] { SendMessageA(form.Handle(), WM_KEYDOWN, 'Q', 0); });
  form.ShowModal();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(InfoForm, ModalShowingEndsWhenTheApplicationIsAskedToEnd) {
  TApplication app;
  TInfoForm form;
  app.Defer([&] { app.Terminate(); });
  form.ShowModal();
  EXPECT_TRUE(app.Terminated());
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // left for the outer loop
}
