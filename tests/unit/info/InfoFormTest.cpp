// The information window: its layout and its modal showing, for real (windows under Wine) but without a user.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "info/AnyKeyClose.h"
#include "info/InfoForm.h"
#include "info/InfoFormColours.h"

namespace {

// A colour scheme for the colour seam to pose as.
struct TTheme {
  const char* Name;
  bool HighContrast;
  COLORREF Window, WindowText, HotLight;
};
const TTheme* Theme = nullptr;

BOOL WINAPI ThemeParametersInfo(UINT action, UINT, PVOID param, UINT) {
  if (action != SPI_GETHIGHCONTRAST) return FALSE;
  static_cast<HIGHCONTRASTA*>(param)->dwFlags = HCF_AVAILABLE | (Theme->HighContrast ? HCF_HIGHCONTRASTON : 0);
  return TRUE;
}

DWORD WINAPI ThemeSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW: return Theme->Window;
    case COLOR_WINDOWTEXT: return Theme->WindowText;
    case COLOR_HOTLIGHT: return Theme->HotLight;
    default: return RGB(128, 128, 128);
  }
}

}  // namespace

TEST(InfoFormColours, EveryTextIsReadableOnThePanelWhateverTheScheme) {
  const TTheme themes[] = {
      {"default", false, RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 102, 204)},
      {"High Contrast Black", true, RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0)},
      {"High Contrast White", true, RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 159)},
      {"classic, light window text", false, RGB(0, 0, 64), RGB(255, 255, 224), RGB(0, 255, 255)},
  };
  TColourApi api;
  api.ParametersInfo = &ThemeParametersInfo;
  api.SysColor = &ThemeSysColor;
  for (const TTheme& theme : themes) {
    Theme = &theme;
    const TInfoFormColours colours = InfoFormColours(api);
    for (COLORREF text : {colours.Text, colours.ActionLink, colours.WebLink})
      EXPECT_GE(ContrastRatio(text, colours.Panel), 4.5) << theme.Name << ": text 0x" << std::hex << text;
  }
  EXPECT_DOUBLE_EQ(21.0, ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)));
  // Without high contrast the panel and the links keep their own colours
  // whatever the scheme, and window text readable on white is kept.
  const TTheme grey{"grey windows", false, RGB(192, 192, 192), RGB(0, 64, 0), RGB(0, 0, 255)};
  Theme = &grey;
  const TInfoFormColours colours = InfoFormColours(api);
  EXPECT_EQ(RGB(255, 255, 255), colours.Panel);
  EXPECT_EQ(RGB(0, 64, 0), colours.Text);
  EXPECT_EQ(RGB(128, 0, 0), colours.ActionLink);
  EXPECT_EQ(RGB(0, 0, 128), colours.WebLink);
  Theme = nullptr;
}

namespace {

RECT BoundsOf(TControl& control) { return control.BoundsRect(); }

}  // namespace

TEST(InfoForm, IsBuiltWithItsTextsSizedToItsPanelAndCentred) {
  TApplication app;
  TInfoForm form(app);
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

TEST(InfoForm, AnyKeyClosesButAKeyChordIsTakenWhole) {
  auto closesAfter = [](std::initializer_list<std::pair<bool, WPARAM>> keys) {
    TAnyKeyClose close;
    std::vector<bool> answers;
    for (auto key : keys) answers.push_back(key.first ? close.KeyDown(key.second) : close.KeyUp(key.second));
    return answers;
  };
  const bool down = true, up = false;
  using Answers = std::vector<bool>;
  EXPECT_EQ(Answers{true}, closesAfter({{down, 'Q'}}));
  EXPECT_EQ(Answers{true}, closesAfter({{down, VK_ESCAPE}}));
  // A modifier alone closes when released, however long it repeated.
  EXPECT_EQ((Answers{false, false, true}), closesAfter({{down, VK_SHIFT}, {down, VK_SHIFT}, {up, VK_SHIFT}}));
  EXPECT_EQ((Answers{false, true}), closesAfter({{down, VK_LWIN}, {up, VK_LWIN}}));
  // Alt+F4 closes at the F4, which the window keeps.
  EXPECT_EQ((Answers{false, true}), closesAfter({{down, VK_MENU}, {down, VK_F4}}));
  // Two modifiers: at the release of the last.
  EXPECT_EQ((Answers{false, false, false, true}),
            closesAfter({{down, VK_CONTROL}, {down, VK_SHIFT}, {up, VK_SHIFT}, {up, VK_CONTROL}}));
  // Releases of keys pressed before the window opened are not its own.
  EXPECT_EQ((Answers{false, false}), closesAfter({{up, VK_MENU}, {up, 'Q'}}));
}

TEST(InfoForm, AltF4ClosesTheSecondWindowOnlyAndTheFirstIsActiveAgain) {
  TApplication app;
  TInfoForm first(app), second(app);
  first.Show();
  // Opened from the tray menu, whose owner, the hidden main window, was
  // made the foreground window for the menu.
  SetForegroundWindow(app.Handle());
  bool firstDisabledMeanwhile = false, openAfterAlt = false;
  HWND label = second.LblExeName->Handle();  // keys reach the form first
  app.Defer([&] {
    firstDisabledMeanwhile = !IsWindowEnabled(first.Handle());
    PostMessageA(label, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    app.Defer([&] {
      openAfterAlt = IsWindowVisible(second.Handle()) != FALSE;
      PostMessageA(label, WM_SYSKEYDOWN, VK_F4, 0x20000001);
    });
  });
  second.ShowModal();
  EXPECT_TRUE(firstDisabledMeanwhile);
  EXPECT_TRUE(openAfterAlt);
  EXPECT_FALSE(IsWindowVisible(second.Handle()));
  EXPECT_TRUE(IsWindowEnabled(first.Handle()));
  EXPECT_EQ(first.Handle(), GetActiveWindow());
}

TEST(InfoForm, AModifierReleasedInAnotherWindowIsForgottenAndALaterTapCloses) {
  TApplication app;
  TInfoForm form(app);
  HWND label = form.LblExeName->Handle();
  bool stayedOpen = false;
  app.Defer([&] {
    PostMessageA(label, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    app.Defer([&] {
      // Alt+Tab: another window is activated, and Alt is released there.
      HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr, nullptr,
                                   nullptr);
      SetActiveWindow(other);
      DestroyWindow(other);
      PostMessageA(label, WM_KEYDOWN, VK_SHIFT, 1);
      PostMessageA(label, WM_KEYUP, VK_SHIFT, 0xC0000001);
      app.Defer([&] {
        stayedOpen = true;
        form.Close();
      });
    });
  });
  form.ShowModal();
  EXPECT_FALSE(stayedOpen);
}

TEST(InfoForm, AKeyDispatchedByAnotherLoopClosesItToo) {
  TApplication app;
  TInfoForm form(app);
  // A message box's own loop dispatches keys straight to the window.
  app.Defer([&] { SendMessageA(form.Handle(), WM_KEYDOWN, 'Q', 0); });
  form.ShowModal();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(InfoForm, ModalShowingEndsWhenTheApplicationIsAskedToEnd) {
  TApplication app;
  TInfoForm form(app);
  app.Defer([&] { app.Terminate(); });
  form.ShowModal();
  EXPECT_TRUE(app.Terminated());
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // left for the outer loop
}
