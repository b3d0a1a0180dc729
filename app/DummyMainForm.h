#pragma once
// The hidden main window: owns the tray menu, the tray icon object and the
// program's small icon. It is never shown; closing it ends the program.
#include <windows.h>
#include <map>
#include <memory>
#include <vector>

#include "framework/Form.h"
#include "framework/PopupMenu.h"
#include "sweep/SweepRun.h"
#include "tray/SimpleTaskTray.h"

class TApplication;
class TInstanceGuard;

class TDummyMainForm : public TForm {
public:
  // The guard is the one this instance runs under; the restart lets it go.
  // The tray icon talks to the shell through trayApi.
  TDummyMainForm(TApplication& app, TInstanceGuard& guard, const TTrayApi& trayApi = TTrayApi());
  ~TDummyMainForm() override;

  TPopupMenu PopupMenu;
  TMenuItem* MenuAbout = nullptr;
  TMenuItem* MenuRebootThisProgram = nullptr;
  TMenuItem* MenuSweep = nullptr;
  // One item for each row of SweepSettings, in its order; Tag is the percent.
  std::vector<TMenuItem*> MenuSweepSettings;
  // The item of the setting that sweeps percent; throws std::out_of_range
  // for a percent no setting has.
  TMenuItem& MenuSweepSetting(int percent) const;
  TMenuItem* MenuExit = nullptr;

  // The one tray icon object, from FormCreate until the window is
  // destroyed. The close query only takes its icon away: a sweep on the
  // stack below the query may still be inside one of its calls.
  std::unique_ptr<TSimpleTaskTray> TrayIcon;

  // The sweep command's run over the tray icon, with the animation frames
  // it makes at its first sweep. Its Running() is the one "busy sweeping"
  // state that every entry point reads: messages sent to the thread are
  // handled in the middle of a sweep, so a click or command can arrive
  // while one runs. Tests size its sweeps through its System.
  TSweepRun Sweep;

  void TrayIconLButtonDblClk(TSimpleTaskTray& sender);
  void TrayIconRButtonDown(TSimpleTaskTray& sender);
  void TrayIconContextMenu(TSimpleTaskTray& sender);
  void TrayIconIconSizeChange(TSimpleTaskTray& sender);
  void MenuAboutClick(TMenuItem& sender);
  void MenuRebootThisProgramClick(TMenuItem& sender);
  // Every sweep setting's click: sweeps the sender's Tag percent.
  void Menu10Click(TMenuItem& sender);
  void MenuExitClick(TMenuItem& sender);

protected:
  void FormCreate(const TTrayApi& trayApi);
  void FormCloseQuery(bool& canClose) override;
  void FormSessionEndCancelled() override;

private:
  void BuildMenu();
  void CreateTrayIcon(const TTrayApi& api);
  // Whether a click on the icon may open the menu now.
  bool MenuMayOpen() const;
  // Runs the chosen item's click later, from the message loop.
  void RunLater(TMenuItem* chosen);
  // The icon the tray shows when no sweep runs, at the tray's icon size.
  HICON NormalIcon();

  TApplication& FApp;
  TInstanceGuard& FGuard;
  // The executable's small icon at each size the tray has asked for, made
  // once and kept while the window lives: a sweep that runs on, or a shell
  // call under way, may still name one of another size. An entry is null
  // where the icon cannot be had.
  std::map<int, TOwnedIcon> FSmallIcon;
};
