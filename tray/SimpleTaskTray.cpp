#include "tray/SimpleTaskTray.h"

#include <cstring>
#include <utility>

#include "base/AnsiText.h"
#include "base/SystemLibrary.h"

namespace {
constexpr UINT IconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr UINT BalloonTimeoutMs = 3000;
constexpr UINT NotifyIconVersion = 3;
constexpr UINT_PTR AddRetryTimer = 1;
}  // namespace

decltype(&Shell_NotifyIconGetRect) LookUpShellIconRect() {
  // Shell32 is loaded already: the icon's other calls are imported from it.
  return ProcAddress<decltype(&Shell_NotifyIconGetRect)>(GetModuleHandleA("shell32.dll"), "Shell_NotifyIconGetRect");
}

BOOL WINAPI AllowMessageFromShell(HWND wnd, UINT message) {
  // User32 is loaded already: the program's windows are imported from it.
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  if (const auto allowForWindow =
          ProcAddress<decltype(&ChangeWindowMessageFilterEx)>(user32, "ChangeWindowMessageFilterEx"))
    return allowForWindow(wnd, message, MSGFLT_ALLOW, nullptr);
  if (const auto allowForProcess = ProcAddress<decltype(&ChangeWindowMessageFilter)>(user32, "ChangeWindowMessageFilter"))
    return allowForProcess(message, MSGFLT_ADD);
  return TRUE;
}

TSimpleTaskTray::TSimpleTaskTray(HICON icon, const TTrayApi& api) : FApi(api) {
  ClearEvents();
  FReAddMessage = RegisterWindowMessageA(TrayReAddMessageName);
  // Sent by the shell when its notification area is (re-)created: at logon,
  // possibly after this program has started, and after an Explorer restart.
  FTaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  FWnd = std::make_unique<THiddenWindow>(
      [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return WndProc(msg, wParam, lParam, result); });
  FApi.AllowMessage(FWnd->Handle(), FTaskbarCreatedMessage);
  FAdded = false;
  FIconSize = AskIconSize();
  InitIconData(icon);
}

TSimpleTaskTray::~TSimpleTaskTray() {
  DeleteIcon();
  FWnd.reset();
  ClearEvents();
}

void TSimpleTaskTray::ClearEvents() {
  OnLButtonDown = nullptr;
  OnLButtonDblClk = nullptr;
  OnRButtonDown = nullptr;
  OnRButtonDblClk = nullptr;
  OnContextMenu = nullptr;
  OnKeySelect = nullptr;
  OnIconSizeChange = nullptr;
}

void TSimpleTaskTray::InitIconData(HICON icon) {
  std::memset(&FIconData, 0, sizeof(FIconData));
  FIconData.cbSize = sizeof(FIconData);
  FIconData.hWnd = FWnd->Handle();
  FIconData.uID = 0;
  FIconData.uCallbackMessage = WM_TRAYNOTIFY;
  FIconData.hIcon = icon;
}

bool TSimpleTaskTray::Notify(DWORD message) {
  ++FShellCallsUnderWay;
  const bool taken = FApi.NotifyIcon(message, reinterpret_cast<PNOTIFYICONDATAA>(&FIconData)) != FALSE;
  if (--FShellCallsUnderWay == 0) FRetiredIcons.clear();
  // A shell that takes an add holds the icon to the first version; one that
  // refuses it (it still shows the icon) keeps the version it had.
  if (taken && message == NIM_ADD) FVersion = 0;
  if (taken && message == NIM_SETVERSION) FVersion = NotifyIconVersion;
  return taken;
}

bool TSimpleTaskTray::AddIcon(const std::string& tip) {
  if (FAdded || FAdding) return true;
  FAddRequested = true;
  CopyAnsiCut(FIconData.szTip, tip, FApi.CodePage);
  ShellAdd(false);
  return FAdded;
}

bool TSimpleTaskTray::ChangeIcon(HICON icon) { return ShowIcon(icon, TOwnedIcon()); }

bool TSimpleTaskTray::ChangeIcon(TOwnedIcon icon) {
  const HICON shown = icon.Get();
  return ShowIcon(shown, std::move(icon));
}

bool TSimpleTaskTray::ShowIcon(HICON icon, TOwnedIcon held) {
  // Recorded whether or not the icon is added: the retry, a re-add after a
  // shell restart and Restore send the record as it is, and it must name
  // the latest icon, alive.
  FIconData.hIcon = icon;
  if (FHeldIcon) FRetiredIcons.push_back(std::move(FHeldIcon));
  FHeldIcon = std::move(held);
  if (FShellCallsUnderWay == 0) FRetiredIcons.clear();
  if (!FAdded) return false;
  FIconData.uFlags = IconFlags;
  return Notify(NIM_MODIFY);
}

bool TSimpleTaskTray::DeleteIcon() {
  // Given up on purpose (the program or the session ends): neither the retry
  // nor a restarted shell may bring it back, whatever the shell answers.
  FAddRequested = false;
  RetryAddWhileMissing();
  // Asked for inside a shell call of our own: that call removes the icon
  // once it returns (an add in flight would otherwise leave it behind).
  if (FAdding || FDeleting) return true;
  if (!FAdded) return true;
  ShellDelete();
  return !FAdded;
}

void TSimpleTaskTray::ShellAdd(bool modifyIfShown) {
  FIconData.uFlags = IconFlags;
  FAdding = true;
  // A shell that still shows the icon refuses the add; then a successful
  // modify proves the icon is there.
  FAdded = Notify(NIM_ADD) || (modifyIfShown && Notify(NIM_MODIFY));
  FAdding = false;
  if (FAdded && !FAddRequested) ShellDelete();
  RetryAddWhileMissing();
}

void TSimpleTaskTray::ShellDelete() {
  FDeleting = true;
  if (Notify(NIM_DELETE)) FAdded = false;
  FDeleting = false;
  // A restore asked for meanwhile is brought back by the retry.
  RetryAddWhileMissing();
}

bool TSimpleTaskTray::ShowBalloon(const std::string& text, const std::string& title, TTrayMessageIcon icon,
                                  TTrayMessageStyle style) {
  if (style == tsNormal) {
    FApi.ShowMessageBox(nullptr, text.c_str(), title.c_str(), MB_OK | TrayMessageBoxFlags[icon] | MB_SYSTEMMODAL);
    return true;
  }
  if (!FAdded) return false;
  FIconData.uFlags = NIF_INFO;
  CopyAnsiCut(FIconData.szInfo, text, FApi.CodePage);
  FIconData.uTimeoutOrVersion = BalloonTimeoutMs;
  CopyAnsiCut(FIconData.szInfoTitle, title, FApi.CodePage);
  FIconData.dwInfoFlags = TrayBalloonFlags[icon];
  Notify(NIM_MODIFY);
  FIconData.uTimeoutOrVersion = NotifyIconVersion;
  return Notify(NIM_SETVERSION);
}

void TSimpleTaskTray::HideBalloon() {
  FIconData.uFlags = NIF_INFO;
  FIconData.szInfo[0] = '\0';
  Notify(NIM_MODIFY);
}

void TSimpleTaskTray::FireEvent(const TNotifyEvent& event) {
  if (event) event(*this);
}

void TSimpleTaskTray::Restore() {
  FAddRequested = true;
  if (!FAdded) AddAgain();
}

void TSimpleTaskTray::AddAgain() {
  // Inside an add or delete of our own, the call that waits settles it.
  if (FAdding || FDeleting) return;
  ShellAdd(true);
}

void TSimpleTaskTray::RetryAddWhileMissing() {
  // Read after the shell call returns: a close query handled while the call
  // waited may have given the icon up meanwhile.
  if (FAddRequested && !FAdded)
    SetTimer(FWnd->Handle(), AddRetryTimer, FApi.AddRetryMs, nullptr);
  else
    KillTimer(FWnd->Handle(), AddRetryTimer);
}

bool TSimpleTaskTray::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (msg == FTaskbarCreatedMessage) {
    const int size = AskIconSize();
    if (size != FIconSize) {
      FIconSize = size;
      FireEvent(OnIconSizeChange);
    }
    if (FAddRequested) AddAgain();
    return true;
  }
  if (msg == WM_TIMER && wParam == AddRetryTimer) {
    // A timed-out add may have shown the icon after all: AddAgain then
    // finds it through the modify.
    if (FAddRequested && !FAdded) AddAgain();
    return true;
  }
  if (msg != WM_TRAYNOTIFY) return false;
  // LParam is compared as a whole 32-bit value, never used as a pointer.
  ShellNotified(static_cast<UINT>(lParam));
  return true;
}

void TSimpleTaskTray::ShellNotified(UINT what) {
  // A version-3 right click comes as press, release and WM_CONTEXTMENU. The
  // press already opened the menu (a menu opened there may take the release,
  // and then nothing follows), so only the WM_CONTEXTMENU right after the
  // release of a reported press belongs to it. The state moves before an
  // event fires: the rest of the click may arrive inside the menu the event
  // opens.
  const TRightClick click = FRightClick;
  if (what == WM_RBUTTONDOWN || what == WM_RBUTTONDBLCLK)
    FRightClick = FVersion >= NotifyIconVersion ? TRightClick::Pressed : TRightClick::None;
  else if (what == WM_RBUTTONUP)
    FRightClick = click == TRightClick::Pressed ? TRightClick::Released : TRightClick::None;
  else if (what == WM_CONTEXTMENU)
    FRightClick = TRightClick::None;

  switch (what) {
    case WM_LBUTTONDOWN: FireEvent(OnLButtonDown); break;
    case WM_LBUTTONDBLCLK: FireEvent(OnLButtonDblClk); break;
    case WM_RBUTTONDOWN: FireEvent(OnRButtonDown); break;
    case WM_RBUTTONDBLCLK: FireEvent(OnRButtonDblClk); break;
    case WM_CONTEXTMENU:
      if (click != TRightClick::Released) FireEvent(OnContextMenu);
      break;
    case NIN_KEYSELECT: FireEvent(OnKeySelect); break;
    default:
      if (what == FReAddMessage && FAdded) AddAgain();
      break;
  }
}

int TSimpleTaskTray::AskIconSize() const { return TrayArtSize(TraySlotSize(FApi.Dpi)); }

bool TSimpleTaskTray::IconRect(RECT& rect) const {
  if (!FApi.IconRect) return false;
  NOTIFYICONIDENTIFIER icon{};
  icon.cbSize = sizeof(icon);
  icon.hWnd = FIconData.hWnd;
  icon.uID = FIconData.uID;
  return SUCCEEDED(FApi.IconRect(&icon, &rect));
}
