#include "app/DummyMainForm.h"

#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"
#include "app/SweepCommand.h"
#include "app/TraySweepHost.h"
#include "framework/AnsiPath.h"
#include "framework/Error.h"
#include "framework/Application.h"
#include "framework/Placement.h"
#include "info/InfoForm.h"
#include "info/ShellActions.h"
#include "resources/FrameIds.h"

namespace {
constexpr int FormWidth = 200;
constexpr int FormHeight = 100;
}  // namespace

TDummyMainForm::TDummyMainForm(TApplication& app) : FApp(app) {
  BuildMenu();
  TWindowParams params;
  params.ClassName = "TDummyMainForm";
  params.Title = "DummyMainForm";
  params.Style = WS_OVERLAPPEDWINDOW;
  // Never shown; placed as a form centred on the work area would be.
  POINT origin = CenteredOrigin(PrimaryWorkArea(), FormWidth, FormHeight);
  params.Left = origin.x;
  params.Top = origin.y;
  params.Width = FormWidth;
  params.Height = FormHeight;
  params.NeverShown = true;
  CreateForm(params);
  FormCreate();
}

TDummyMainForm::~TDummyMainForm() {
  TrayIcon.reset();
  DestroyHandle();
}

void TDummyMainForm::BuildMenu() {
  TMenuItem& root = PopupMenu.Items();
  MenuAbout = &root.Add("About This Program...");
  MenuRebootThisProgram = &root.Add("Reboot This Program...");
  MenuSweep = &root.Add("Sweeeeep");
  TMenuItem** sweepItems[] = {&Menu90, &Menu80, &Menu70, &Menu60, &Menu50, &Menu40, &Menu30, &Menu20, &Menu10};
  int percent = 90;
  for (TMenuItem** item : sweepItems) {
    *item = &MenuSweep->Add(std::to_string(percent) + "%", percent);
    (*item)->OnClick = [this](TMenuItem& sender) { Menu10Click(sender); };
    percent -= 10;
  }
  Menu50->Default = true;
  MenuExit = &root.Add("Exit");

  MenuAbout->OnClick = [this](TMenuItem& sender) { MenuAboutClick(sender); };
  MenuRebootThisProgram->OnClick = [this](TMenuItem& sender) { MenuRebootThisProgramClick(sender); };
  MenuExit->OnClick = [this](TMenuItem& sender) { MenuExitClick(sender); };
}

HICON TDummyMainForm::NormalIcon() const { return FSmallIcon ? FSmallIcon : FApp.Icon(); }

void TDummyMainForm::FormCreate() {
  FApp.ShowMainForm = false;
  ShowWindow(FApp.Handle(), SW_HIDE);

  ExtractIconExA(ModuleFileName().c_str(), 0, nullptr, &FSmallIcon, 1);
  CreateTrayIcon();
}

void TDummyMainForm::CreateTrayIcon() {
  TrayIcon = std::make_unique<TSimpleTaskTray>(NormalIcon());
  TrayIcon->OnLButtonDblClk = [this](TSimpleTaskTray& sender) { TrayIconLButtonDblClk(sender); };
  TrayIcon->OnRButtonDown = [this](TSimpleTaskTray& sender) { TrayIconRButtonDown(sender); };
  TrayIcon->AddIcon(ExtractFileName(ModuleFileName()));
}

void TDummyMainForm::FormSessionEndCancelled() {
  // The close query gave the icon up when Windows asked about ending the
  // session; another program refused, so the session goes on and the
  // program must stay reachable.
  if (!TrayIcon) CreateTrayIcon();
}

void TDummyMainForm::FormCloseQuery(bool& canClose) {
  (void)canClose;  // never refused
  TrayIcon.reset();
}

void TDummyMainForm::TrayIconLButtonDblClk(TSimpleTaskTray&) { SetForegroundWindow(Handle()); }

void TDummyMainForm::TrayIconRButtonDown(TSimpleTaskTray&) {
  // The menu only closes on a click elsewhere if its owner is in the foreground.
  SetForegroundWindow(Handle());
  // The cursor, not the message's coordinates: those are wrong for negative
  // positions on multi-monitor desktops.
  POINT cursor{};
  GetCursorPos(&cursor);
  PopupMenu.Popup(cursor.x, cursor.y, Handle());
}

void TDummyMainForm::MenuAboutClick(TMenuItem&) { ShowInfo(); }

void TDummyMainForm::MenuRebootThisProgramClick(TMenuItem&) {
  const std::string exePath = ModuleFileName();
  // The new copy tests the mutex while this process may still be ending
  // (removing a tray icon alone can take seconds); closing our handle first
  // lets it take over instead of finding the name taken and giving up.
  ReleaseInstanceGuard();
  ShellOpen(Handle(), exePath, InstanceKey);
  Close();
}

const TImageList* TDummyMainForm::AnimationFrames() {
  // Made at the first sweep, not at start: the image list brings in the
  // common controls library, about 2.5 MB of resident memory that an idle
  // tray program has no use for.
  if (!ImageList1) {
    try {
      auto frames = std::make_unique<TImageList>();
      if (frames->AddStrip(GetModuleHandleA(nullptr), IDB_SWEEP_FRAMES, IDB_SWEEP_FRAME_MASKS))
        ImageList1 = std::move(frames);
    } catch (const EError&) {
      // Without its frames a sweep still runs and reports; the icon stays still.
    }
  }
  return ImageList1.get();
}

void TDummyMainForm::Menu10Click(TMenuItem& sender) {
  TTraySweepHost host(TrayIcon.get(), AnimationFrames());
  RunSweepCommand(sender.Tag, FApp.Title(), NormalIcon(), host);
}

void TDummyMainForm::MenuExitClick(TMenuItem&) { Close(); }
