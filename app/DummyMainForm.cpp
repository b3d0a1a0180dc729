#include "app/DummyMainForm.h"

#include "app/InstanceGuard.h"
#include "app/InstanceKey.h"
#include "app/SweepCommand.h"
#include "app/TraySweepHost.h"
#include "framework/AnsiPath.h"
#include "framework/Error.h"
#include "framework/Application.h"
#include "framework/Placement.h"
#include "framework/WidePath.h"
#include "info/InfoForm.h"
#include "info/ShellActions.h"
#include "resources/FrameIds.h"

namespace {

constexpr int FormWidth = 200;
constexpr int FormHeight = 100;

// Marks a sweep as the one in progress for as long as it runs, however it ends.
class TSweepInProgress {
public:
  TSweepInProgress(TSweepRun*& current, TSweepRun& run) : FCurrent(current) { FCurrent = &run; }
  ~TSweepInProgress() { FCurrent = nullptr; }
  TSweepInProgress(const TSweepInProgress&) = delete;
  TSweepInProgress& operator=(const TSweepInProgress&) = delete;

private:
  TSweepRun*& FCurrent;
};

}  // namespace

TDummyMainForm::TDummyMainForm(TApplication& app) : FApp(app) {
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

  ExtractIconExW(WideModuleFileName().c_str(), 0, nullptr, &FSmallIcon, 1);
  CreateTrayIcon();
}

void TDummyMainForm::CreateTrayIcon() {
  TrayIcon = std::make_unique<TSimpleTaskTray>(NormalIcon());
  TrayIcon->OnLButtonDblClk = [this](TSimpleTaskTray& sender) { TrayIconLButtonDblClk(sender); };
  TrayIcon->OnRButtonDown = [this](TSimpleTaskTray& sender) { TrayIconRButtonDown(sender); };
  AddTrayIcon();
}

void TDummyMainForm::AddTrayIcon() { TrayIcon->AddIcon(ExtractFileName(ModuleFileName())); }

void TDummyMainForm::FormSessionEndCancelled() {
  // The close query gave the icon up when the session was to end; it goes
  // on after all, and the program must stay reachable.
  AddTrayIcon();
}

void TDummyMainForm::FinishSweep() {
  if (FSweep) FSweep->Finish();
}

void TDummyMainForm::FormCloseQuery(bool& canClose) {
  (void)canClose;  // never refused
  // A close asked for in the middle of a sweep (a session-end query sent
  // while the sweep waits on the shell) is answered once the sweep is over.
  FinishSweep();
  TrayIcon->DeleteIcon();
}

// Clicks that arrive in the middle of a sweep are not acted on: a menu opened
// there would hold the sweep and could start another one.
void TDummyMainForm::TrayIconLButtonDblClk(TSimpleTaskTray&) {
  if (FSweep) return;
  SetForegroundWindow(Handle());
}

void TDummyMainForm::TrayIconRButtonDown(TSimpleTaskTray&) {
  if (FSweep) return;
  // The menu only closes on a click elsewhere if its owner is in the foreground.
  SetForegroundWindow(Handle());
  // The cursor, not the message's coordinates: those are wrong for negative
  // positions on multi-monitor desktops.
  POINT cursor{};
  GetCursorPos(&cursor);
  PopupMenu.Popup(cursor.x, cursor.y, Handle());
}

// Commands reach here only from the message loop, so not in the middle of a
// sweep; should one come there all the same, it starts nothing new, and a
// close waits for the sweep's end.
void TDummyMainForm::MenuAboutClick(TMenuItem&) {
  if (FSweep) return;
  ShowInfo();
}

void TDummyMainForm::MenuRebootThisProgramClick(TMenuItem&) {
  FinishSweep();
  // The new copy tests the mutex while this process may still be ending
  // (removing a tray icon alone can take seconds); closing our handle first
  // lets it take over instead of finding the name taken and giving up.
  ReleaseInstanceGuard();
  try {
    StartProgram(Handle(), WideModuleFileName(), InstanceKey);
  } catch (...) {
    // No copy started (the file was moved, or its path is too long): this
    // instance stays, with its icon, and the report says why. Should another
    // instance have taken the name meanwhile, that one serves the user.
    if (RetakeInstanceGuard()) throw;
  }
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
  if (FSweep) return;
  TTraySweepHost host(TrayIcon, AnimationFrames(), MemoryStatusApi);
  TSweepRun run(sender.Tag, FApp.Title(), NormalIcon(), host);
  TSweepInProgress inProgress(FSweep, run);
  run.Finish();
}

void TDummyMainForm::MenuExitClick(TMenuItem&) { Close(); }
