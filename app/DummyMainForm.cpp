#include "app/DummyMainForm.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"
#include "app/SweepSettings.h"
#include "base/AnsiPath.h"
#include "base/WidePath.h"
#include "framework/Application.h"
#include "framework/Placement.h"
#include "info/InfoForm.h"
#include "shell/ShellActions.h"
#include "tray/TrayMenu.h"

namespace {

constexpr int FormWidth = 200;
constexpr int FormHeight = 100;

}  // namespace

TDummyMainForm::TDummyMainForm(TApplication& app, TInstanceGuard& guard, const TTrayApi& trayApi)
    : TForm(app.FormContext()), FApp(app), FGuard(guard) {
  BuildMenu();
  TWindowParams params;
  params.ClassName = "TDummyMainForm";
  params.Title = "DummyMainForm";
  // No system menu: Alt+Space would open one in the middle of the screen
  // for a window that is never shown.
  params.Style = WS_POPUP;
  // Never shown; placed as a form centred on the work area would be.
  POINT origin = CenteredOrigin(PrimaryWorkArea(), FormWidth, FormHeight);
  params.Left = origin.x;
  params.Top = origin.y;
  params.Width = FormWidth;
  params.Height = FormHeight;
  params.NeverShown = true;
  CreateForm(params);
  FormCreate(trayApi);
}

TDummyMainForm::~TDummyMainForm() {
  // The icon goes while the tray object still lives: removing it waits on
  // the shell, and the messages sent meanwhile (a close, a session-end
  // query) reach handlers that use the tray. Gone once, it is not removed
  // again, so nothing waits once the object is being destroyed.
  if (TrayIcon) TrayIcon->DeleteIcon();
  TrayIcon.reset();
  DestroyHandle();
}

void TDummyMainForm::BuildMenu() {
  TMenuItem& root = PopupMenu.Items();
  MenuAbout = &root.Add("About This Program...");
  MenuRebootThisProgram = &root.Add("Reboot This Program...");
  MenuSweep = &root.Add("Sweeeeep");
  for (const TSweepSetting& setting : SweepSettings) {
    TMenuItem& item = MenuSweep->Add(setting.Caption, setting.Percent);
    item.Default = setting.Default;
    item.OnClick = [this](TMenuItem& sender) { Menu10Click(sender); };
    MenuSweepSettings.push_back(&item);
  }
  MenuExit = &root.Add("Exit");

  MenuAbout->OnClick = [this](TMenuItem& sender) { MenuAboutClick(sender); };
  MenuRebootThisProgram->OnClick = [this](TMenuItem& sender) { MenuRebootThisProgramClick(sender); };
  MenuExit->OnClick = [this](TMenuItem& sender) { MenuExitClick(sender); };
}

TMenuItem& TDummyMainForm::MenuSweepSetting(int percent) const {
  for (TMenuItem* item : MenuSweepSettings)
    if (item->Tag == percent) return *item;
  throw std::out_of_range("No sweep setting of " + std::to_string(percent) + "%");
}

HICON TDummyMainForm::NormalIcon() {
  const int size = TrayIcon ? TrayIcon->IconSize() : TrayArtSizes[0];
  auto [entry, first] = FSmallIcon.try_emplace(size);
  if (first)
    entry->second.Reset(
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  return entry->second ? entry->second.Get() : FApp.Icon();
}

void TDummyMainForm::FormCreate(const TTrayApi& trayApi) {
  FApp.ShowMainForm = false;
  ShowWindow(FApp.Handle(), SW_HIDE);
  CreateTrayIcon(trayApi);
}

void TDummyMainForm::CreateTrayIcon(const TTrayApi& api) {
  // The tray asks its icon size as it is made; the icon follows.
  TrayIcon = std::make_unique<TSimpleTaskTray>(nullptr, api);
  TrayIcon->ChangeIcon(NormalIcon());
  TrayIcon->OnLButtonDblClk = [this](TSimpleTaskTray& sender) { TrayIconLButtonDblClk(sender); };
  TrayIcon->OnRButtonDown = [this](TSimpleTaskTray& sender) { TrayIconRButtonDown(sender); };
  TrayIcon->OnContextMenu = [this](TSimpleTaskTray& sender) { TrayIconContextMenu(sender); };
  // Enter or Space on the icon came as right-button messages before the
  // icon's first balloon set version 3, and so opened the menu; it still
  // does. The menu is all this program offers, and a left click's nothing
  // would leave the key dead.
  TrayIcon->OnKeySelect = [this](TSimpleTaskTray& sender) { TrayIconContextMenu(sender); };
  TrayIcon->OnIconSizeChange = [this](TSimpleTaskTray& sender) { TrayIconIconSizeChange(sender); };
  TrayIcon->AddIcon(ExtractFileName(ModuleFileName()));
}

void TDummyMainForm::FormSessionEndCancelled() {
  // The close query gave the icon up when the session was to end; it goes
  // on after all, and the program must stay reachable.
  if (TrayIcon) TrayIcon->Restore();
}

void TDummyMainForm::FormCloseQuery(bool& canClose) {
  (void)canClose;  // never refused
  // A close asked for in the middle of a sweep (a session-end query sent
  // while the sweep waits on the shell) stops the sweep, and is answered
  // once the worker has ended and its memory is back.
  Sweep.Abandon();
  if (TrayIcon) TrayIcon->DeleteIcon();
}

// Clicks that arrive in the middle of a sweep are not acted on: a menu opened
// there would hold the sweep and could start another one.
void TDummyMainForm::TrayIconLButtonDblClk(TSimpleTaskTray&) {
  if (Sweep.Running()) return;
  SetForegroundWindow(Handle());
}

void TDummyMainForm::TrayIconRButtonDown(TSimpleTaskTray&) {
  if (MenuMayOpen()) RunLater(PopupTrayMenu(PopupMenu, Handle()));
}

// A request for the menu from the keyboard. (The WM_CONTEXTMENU that ends a
// right click is not one: the tray leaves it out, the press opened the menu.)
void TDummyMainForm::TrayIconContextMenu(TSimpleTaskTray& sender) {
  if (MenuMayOpen()) RunLater(PopupTrayMenuAtIcon(PopupMenu, Handle(), sender));
}

// A sweep shows its frames and puts its icon back at its end; the icon of the
// new size follows that (Menu10Click).
void TDummyMainForm::TrayIconIconSizeChange(TSimpleTaskTray& sender) {
  if (!Sweep.Running()) sender.ChangeIcon(NormalIcon());
}

// Nor once the program is ending: a click sent while its icon is being
// removed would open a menu whose choice nothing runs.
bool TDummyMainForm::MenuMayOpen() const { return !Sweep.Running() && !FApp.Terminated(); }

void TDummyMainForm::RunLater(TMenuItem* chosen) {
  if (chosen && chosen->OnClick && !FApp.Terminated()) FApp.Defer([chosen] { chosen->OnClick(*chosen); });
}

// Commands reach here only from the message loop, so not in the middle of a
// sweep; should one come there all the same, it starts nothing new, and a
// close abandons the sweep.
void TDummyMainForm::MenuAboutClick(TMenuItem&) {
  if (Sweep.Running()) return;
  ShowInfo(FApp);
}

void TDummyMainForm::MenuRebootThisProgramClick(TMenuItem&) {
  Sweep.Abandon();
  // The new copy tests the mutex while this process may still be ending
  // (removing a tray icon alone can take seconds); closing our handle first
  // lets it take over instead of finding the name taken and giving up.
  FGuard.Release();
  std::exception_ptr notStarted;
  try {
    StartProgram(Handle(), WideModuleFileName(), InstanceKey);
  } catch (...) {
    notStarted = std::current_exception();
  }
  // No copy started (the file was moved, or its path is too long): this
  // instance stays, with its icon, and the report says why. Should another
  // instance have taken the name meanwhile, that one serves the user.
  if (notStarted && FGuard.Take()) std::rethrow_exception(notStarted);
  Close();
}

void TDummyMainForm::Menu10Click(TMenuItem& sender) {
  if (Sweep.Running() || !TrayIcon) return;
  const HICON normalIcon = NormalIcon();
  Sweep.Run(sender.Tag, FApp.Title(), normalIcon, *TrayIcon);
  if (NormalIcon() != normalIcon) TrayIcon->ChangeIcon(NormalIcon());
}

void TDummyMainForm::MenuExitClick(TMenuItem&) { Close(); }
