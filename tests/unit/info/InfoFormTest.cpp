// The information window: its layout and its modal showing, for real (windows under Wine) but without a user.
#include <gtest/gtest.h>

#include <string>

#include "framework/Application.h"
#include "info/InfoForm.h"

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
