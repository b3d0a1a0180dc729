#pragma once
// Owns the program's one icon in the notification area: the shell's record,
// a hidden callback window, whether the icon is added, four mouse events and
// the shell's requests for the icon's menu.
#include <windows.h>
#include <shellapi.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Owned.h"
#include "framework/HiddenWindow.h"
#include "tray/NotifyIconData.h"
#include "tray/TrayIconSize.h"
#include "tray/TrayTypes.h"

// The callback message the shell sends with the mouse message in LParam.
constexpr UINT WM_TRAYNOTIFY = 0x7658;
// Registered message number that, as LParam of WM_TRAYNOTIFY, asks for a re-add.
constexpr char TrayReAddMessageName[] = "{31448FE3-A18D-4613-8570-C27EA52E92D4}";

// Shell_NotifyIconGetRect where the shell has it (Windows 7 and later), else null.
decltype(&Shell_NotifyIconGetRect) LookUpShellIconRect();

// Lets a registered message from a process of lower integrity through to the
// window: an elevated copy receives no "TaskbarCreated" from Explorer
// otherwise, and its icon never comes back after Explorer restarts. For the
// window alone where Windows can (7 and later), for the process on Vista;
// Windows XP filters nothing. Looked up, never imported.
BOOL WINAPI AllowMessageFromShell(HWND wnd, UINT message);

// The platform calls tests must observe; the real functions by default.
struct TTrayApi {
  decltype(&Shell_NotifyIconA) NotifyIcon = &Shell_NotifyIconA;
  // Looked up, never imported: the program must load where it is missing.
  // Wine 8 has it but answers E_NOTIMPL.
  decltype(&Shell_NotifyIconGetRect) IconRect = LookUpShellIconRect();
  decltype(&MessageBoxA) ShowMessageBox = &MessageBoxA;
  decltype(&AllowMessageFromShell) AllowMessage = &AllowMessageFromShell;
  TDpiApi Dpi = LookUpDpiApi();
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
  // Shows icon, or records it for the next add while the icon is not added
  // (then returns false). The caller keeps icon alive for as long as the
  // tray may name it: the program's own icon.
  bool ChangeIcon(HICON icon);
  // The same for an icon made for the moment (an animation frame): the tray
  // keeps it alive until another replaces it, since the shell may be handed
  // it again at any time (a re-add, the retry, a restored icon).
  bool ChangeIcon(TOwnedIcon icon);
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
  // Once the icon is version 3 the shell asks for its menu with
  // WM_CONTEXTMENU: alone from the keyboard (Shift+F10, the menu key), and
  // after the button messages of a right click. Fired for a request that no
  // right press has already reported through OnRButtonDown.
  TNotifyEvent OnContextMenu;
  // Enter or Space on the icon chosen with the keyboard, at version 3. (The
  // NIN_SELECT that goes with a left click is not reported: the click's
  // button messages are.)
  TNotifyEvent OnKeySelect;
  // The slot's size changed (asked again after every "TaskbarCreated", which
  // Windows 10 and 11 send after a change of scaling): an icon changed from
  // here goes with the re-add that follows.
  TNotifyEvent OnIconSizeChange;

  // The size to draw the icon at, one of TrayArtSizes: asked at creation and
  // after every "TaskbarCreated".
  int IconSize() const { return FIconSize; }

  HWND Handle() const { return FWnd->Handle(); }
  bool Added() const { return FAdded; }
  // The icon's place on the screen, where the shell can tell (Windows 7 and
  // later, and only while the icon is shown).
  bool IconRect(RECT& rect) const;

private:
  void ClearEvents();
  // The art size for the slot the shell has now.
  int AskIconSize() const;
  void InitIconData(HICON icon);
  bool Notify(DWORD message);
  // Records icon (held: the tray's own, or none) and shows it where added.
  bool ShowIcon(HICON icon, TOwnedIcon held);
  void FireEvent(const TNotifyEvent& event);
  // Acts on what the shell reports in the callback message's LParam.
  void ShellNotified(UINT what);
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
  // The icon the record names, where the tray owns it. One it replaces while
  // a shell call is under way (from a message handled inside that call) may
  // still be named by that call, and lives until the outermost call returns.
  TOwnedIcon FHeldIcon;
  std::vector<TOwnedIcon> FRetiredIcons;
  int FShellCallsUnderWay = 0;
  bool FAdded = false;
  bool FAddRequested = false;  // AddIcon was asked for and DeleteIcon not since
  bool FAdding = false;        // an NIM_ADD is waiting on the shell
  bool FDeleting = false;      // an NIM_DELETE is waiting on the shell
  UINT FReAddMessage = 0;
  UINT FTaskbarCreatedMessage = 0;
  int FIconSize = 16;
  // The version the shell holds the icon to: 0 from each add until a
  // NIM_SETVERSION is taken.
  UINT FVersion = 0;
  // Where a version-3 right click is: pressed (and reported), released, so
  // that its WM_CONTEXTMENU comes next and is already answered.
  enum class TRightClick { None, Pressed, Released };
  TRightClick FRightClick = TRightClick::None;
};
