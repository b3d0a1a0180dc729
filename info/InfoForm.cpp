#include "info/InfoForm.h"

#include <initializer_list>

#include "base/AnsiPath.h"
#include "framework/Placement.h"
#include "base/WidePath.h"
#include "info/FileVersion.h"
#include "info/InfoFormColours.h"
#include "info/InfoFormTexts.h"
#include "info/MemoryTexts.h"
#include "shell/ShellActions.h"
#include "shell/Shortcut.h"
#include "shell/ShellFolders.h"
#include "info/WindowsVersion.h"

namespace {

constexpr int PanelBorderWidth = 10;
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Plain texts of this project.
const char CreditLine[] = "Frees physical memory";
const char WebAddress[] = "https://sweeper.example.org/";
const char MailAddress[] = "sweeper@example.org";

RECT Bounds(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

void MakeLink(TLabel& label) {
  TFontDescription underlined;
  underlined.Underline = true;
  label.SetFont(underlined);
  label.SetHandCursor(true);
}

}  // namespace

TInfoForm::TInfoForm(TApplication& app)
    : TForm(app.FormContext()), FApp(app), FExePath(ModuleFileName()), FExeFile(WideModuleFileName()) {
  // Placed and sized once its texts are known (FormCreate).
  TWindowParams params;
  params.ClassName = "TInfoForm";
  params.Title = "InfoForm";
  params.Style = FormStyle;
  params.Background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  CreateForm(params);
  KeyPreview = true;
  CreateControls();
  FormCreate();
}

// Destroying the window destroys the controls' windows with it; the control
// objects then only let go of their handles.
TInfoForm::~TInfoForm() { DestroyHandle(); }

void TInfoForm::CreateControls() {
  PnlBack = std::make_unique<TPanel>(Handle(), Bounds(8, 8, 241, 225), InfoFormColours().Panel, PanelBorderWidth);
  HWND panel = PnlBack->Handle();
  AppIcon = std::make_unique<TImage>(panel, Bounds(8, 8, 32, 32), FApp.Icon());

  LblExeName = std::make_unique<TLabel>(panel, Bounds(56, 8, 152, 32), "");
  TFontDescription large;
  large.Height = -27;
  LblExeName->SetFont(large);
  LblExeName->SetHandCursor(true);
  LblExeName->OnClick = [this](TLabel& sender) { LblExeNameClick(sender); };

  LblExeVersion = std::make_unique<TLabel>(panel, Bounds(56, 40, 84, 16), "");
  lblComment = std::make_unique<TLabel>(panel, Bounds(56, 56, 125, 16), CreditLine);

  LblLaunchOnStartup = std::make_unique<TLabel>(panel, Bounds(56, 80, 172, 16), "Create Shortcut into \"Startup\"");
  MakeLink(*LblLaunchOnStartup);
  LblLaunchOnStartup->OnClick = [this](TLabel& sender) { LblLaunchOnStartupClick(sender); };

  LblOpenFolderIn = std::make_unique<TLabel>(panel, Bounds(56, 96, 166, 16), "Open Folder This Program in");
  MakeLink(*LblOpenFolderIn);
  LblOpenFolderIn->OnClick = [this](TLabel& sender) { LblOpenStartupClick(sender); };

  LblOpenStartup = std::make_unique<TLabel>(panel, Bounds(56, 112, 87, 16), "Open \"Startup\"");
  MakeLink(*LblOpenStartup);
  LblOpenStartup->OnClick = [this](TLabel& sender) { LblOpenStartupClick(sender); };

  lblURL = std::make_unique<TLabel>(panel, Bounds(8, 136, 160, 16), WebAddress);
  MakeLink(*lblURL);
  lblURL->SetCentredVertically(true);
  lblURL->OnClick = [this](TLabel& sender) { lblURLClick(sender); };

  lblMail = std::make_unique<TLabel>(panel, Bounds(8, 152, 87, 16), MailAddress);
  MakeLink(*lblMail);
  lblMail->SetCentredVertically(true);
  lblMail->OnClick = [this](TLabel& sender) { lblMailClick(sender); };

  LblOsVersion = std::make_unique<TLabel>(panel, Bounds(8, 176, 78, 16), "");

  // Never shown: the Desktop shortcut cannot be made from the window.
  LblLaunchOnDesktop =
      std::make_unique<TLabel>(panel, Bounds(120, 184, 178, 16), "Create Shortcut into \"Desktop\"", false);
  MakeLink(*LblLaunchOnDesktop);
  LblLaunchOnDesktop->OnClick = [this](TLabel& sender) { LblLaunchOnStartupClick(sender); };

  LblMemPhys = std::make_unique<TLabel>(panel, Bounds(8, 192, 76, 16), "");

  for (TControl* control : std::initializer_list<TControl*>{
           AppIcon.get(), LblExeName.get(), LblExeVersion.get(), lblComment.get(), LblLaunchOnStartup.get(),
           LblOpenFolderIn.get(), LblOpenStartup.get(), lblURL.get(), lblMail.get(), LblOsVersion.get(),
           LblLaunchOnDesktop.get(), LblMemPhys.get()})
    PnlBack->AddControl(*control);
  ApplyColours();
}

void TInfoForm::ApplyColours() {
  const TInfoFormColours colours = InfoFormColours();
  PnlBack->SetColor(colours.Panel);
  for (TLabel* label : {LblExeName.get(), LblExeVersion.get(), lblComment.get(), LblOsVersion.get(), LblMemPhys.get()})
    label->SetColor(colours.Text);
  for (TLabel* label :
       {LblLaunchOnStartup.get(), LblOpenFolderIn.get(), LblOpenStartup.get(), LblLaunchOnDesktop.get()})
    label->SetColor(colours.ActionLink);
  for (TLabel* label : {lblURL.get(), lblMail.get()}) label->SetColor(colours.WebLink);
}

void TInfoForm::FormCreate() {
  SetWindowTextA(Handle(), (FApp.Title() + " - InfoForm").c_str());
  LblExeName->SetCaption(ExtractFileName(FExePath));
  LblOsVersion->SetCaption(OsVersionLabelText(GetSafeWindowsVersionText()));
  std::string physical, pagingFile, virtualMemory;
  GetMemoryTexts(physical, pagingFile, virtualMemory);
  LblMemPhys->SetCaption(physical);
  LblExeVersion->SetCaption(VersionLabelText(GetFileVersionText(FExeFile)));
  SizeToContents();
  CenterInWorkArea();
}

void TInfoForm::SizeToContents() {
  PnlBack->AutoSizeToContents();
  RECT panel = PnlBack->BoundsRect();
  PnlBack->SetBounds(0, 0, panel.right - panel.left, panel.bottom - panel.top);
  RECT outer{0, 0, panel.right - panel.left, panel.bottom - panel.top};
  AdjustWindowRectEx(&outer, GetWindowLongA(Handle(), GWL_STYLE), FALSE, GetWindowLongA(Handle(), GWL_EXSTYLE));
  SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TInfoForm::CenterInWorkArea() {
  RECT window;
  GetWindowRect(Handle(), &window);
  POINT origin = CenteredOrigin(PrimaryWorkArea(), window.right - window.left, window.bottom - window.top);
  SetWindowPos(Handle(), nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TInfoForm::FormKeyDown(WPARAM key) {
  if (FCloseKeys.KeyDown(key)) Close();
}

void TInfoForm::FormKeyUp(WPARAM key) {
  if (FCloseKeys.KeyUp(key)) Close();
}

LRESULT TInfoForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The panel covers the whole client area; erasing under it would only flicker.
  if (msg == WM_ERASEBKGND) return 0;
  // Sent to every top-level window when the colours or the high-contrast
  // setting change; both may come while the window is open, and are only
  // acted on once every control has been made.
  if ((msg == WM_SYSCOLORCHANGE || msg == WM_SETTINGCHANGE) && LblMemPhys) ApplyColours();
  if (msg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) FCloseKeys.ActivationLost();
  return TForm::HandleMessage(msg, wParam, lParam);
}

HWND TInfoForm::LaunchOwner() const { return FApp.MainForm() ? FApp.MainForm()->Handle() : FApp.Handle(); }

void TInfoForm::LblExeNameClick(TLabel&) { ShowFileProperties(LaunchOwner(), FExeFile); }

void TInfoForm::lblURLClick(TLabel&) { ShellOpen(LaunchOwner(), WebLink(lblURL->Caption())); }

void TInfoForm::lblMailClick(TLabel&) {
  ShellOpen(LaunchOwner(), MailLink(lblMail->Caption(), ExtractFileName(FExePath)));
}

void TInfoForm::LblLaunchOnStartupClick(TLabel& sender) {
  const TWideText name = ExtractFileNameWithoutExtension(FExeFile);
  if (&sender == LblLaunchOnStartup.get()) {
    CreateShortcutIn(LaunchOwner(), sfStartup, name);
  } else if (&sender == LblLaunchOnDesktop.get()) {
    CreateShortcutIn(LaunchOwner(), sfDesktop, name);
  }
}

void TInfoForm::LblOpenStartupClick(TLabel& sender) {
  if (&sender == LblOpenStartup.get()) {
    OpenSpecialFolder(LaunchOwner(), sfStartup);
  } else if (&sender == LblOpenFolderIn.get()) {
    ShellOpen(LaunchOwner(), ExtractFilePath(FExeFile));
  }
}

void ShowInfo(TApplication& app) {
  auto form = std::make_unique<TInfoForm>(app);
  form->ShowModal();
}
