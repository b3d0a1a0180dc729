#pragma once
// Owns the program's one icon in the notification area: the shell's record,
// a hidden callback window, whether the icon is added, and four mouse events.
#include <windows.h>
#include <shellapi.h>
#include <functional>
#include <memory>
#include <string>

#include "framework/HiddenWindow.h"
#include "tray/NotifyIconData.h"
#include "tray/TrayTypes.h"

// The callback message the shell sends with the mouse message in LParam.
constexpr UINT WM_TRAYNOTIFY = 0x7658;
// Registered message number that, as LParam of WM_TRAYNOTIFY, asks for a re-add.
constexpr char TrayReAddMessageName[] = "{31448FE3-A18D-4613-8570-C27EA52E92D4}";

// The platform calls tests must observe; the real functions by default.
struct TTrayApi {
  decltype(&Shell_NotifyIconA) NotifyIcon = &Shell_NotifyIconA;
  decltype(&MessageBoxA) ShowMessageBox = &MessageBoxA;
  UINT CodePage = CP_ACP;  // for cutting texts at character boundaries
  // How often an icon the shell did not take is offered again. At logon the
  // shell may not be ready for it yet, and a taskbar that already exists
  // sends no "TaskbarCreated" later.
  UINT AddRetryMs = 2000;
};

class TSimpleTaskTray;
using TNotifyEvent = std::function<void(TSimpleTaskTray& sender)>;

class TSimpleTaskTray {
public:
  explicit TSimpleTaskTray(HICON icon, const TTrayApi& api = TTrayApi());
  virtual ~TSimpleTaskTray();
  TSimpleTaskTray(const TSimpleTaskTray&) = delete;
  TSimpleTaskTray& operator=(const TSimpleTaskTray&) = delete;

  bool AddIcon(const std::string& tip);
  bool ChangeIcon(HICON icon);
  bool DeleteIcon();
  bool ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon,
                   TTrayMessageStyle style);
  void HideBalloon();
  // Adds the icon again, with its record as it was, after DeleteIcon gave it
  // up for a session end that did not come.
  void Restore();

  TNotifyEvent OnLButtonDown;
  TNotifyEvent OnLButtonDblClk;
  TNotifyEvent OnRButtonDown;
  TNotifyEvent OnRButtonDblClk;

  HWND Handle() const { return FWnd->Handle(); }
  const TNotifyIconDataA& IconData() const { return FIconData; }
  bool Added() const { return FAdded; }
  UINT ReAddMessage() const { return FReAddMessage; }

private:
  void ClearEvents();
  void InitIconData(HICON icon);
  bool Notify(DWORD message);
  void FireEvent(const TNotifyEvent& event);
  // Adds the icon again with the record as it is, after a shell restart or
  // on a re-add request.
  void AddAgain();
  // The shell calls that add and remove. While one waits, the thread handles
  // messages sent to it, and a request among them (a close query giving the
  // icon up) is settled by the waiting call once it returns.
  void ShellAdd(bool modifyIfShown);
  void ShellDelete();
  // Runs the retry timer exactly while the icon is wanted and not added.
  void RetryAddWhileMissing();
  bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  TTrayApi FApi;
  std::unique_ptr<THiddenWindow> FWnd;
  TNotifyIconDataA FIconData;
  bool FAdded = false;
  bool FAddRequested = false;  // AddIcon was asked for and DeleteIcon not since
  bool FAdding = false;        // an NIM_ADD is waiting on the shell
  bool FDeleting = false;      // an NIM_DELETE is waiting on the shell
  UINT FReAddMessage = 0;
  UINT FTaskbarCreatedMessage = 0;
};
