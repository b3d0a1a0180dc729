#pragma once
// The shell's icon record in the form Windows 2000 and later accept (488
// bytes in a 32-bit process, 504 in a 64-bit one: the same fields, with the
// handles at pointer width), spelled out so its size and offsets are checked
// here rather than depending on which fields the SDK headers add for newer
// systems.
#include <windows.h>
#include <shellapi.h>
#include <cstddef>

struct TNotifyIconDataA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  CHAR szInfo[256];
  UINT uTimeoutOrVersion;  // balloon time-out before NIM_MODIFY, version before NIM_SETVERSION
  CHAR szInfoTitle[64];
  DWORD dwInfoFlags;
};

// Where each field lies, for the pointer width being built.
struct TNotifyIconLayout {
  std::size_t Size, hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip, dwState, dwStateMask, szInfo,
      uTimeoutOrVersion, szInfoTitle, dwInfoFlags;
};
constexpr TNotifyIconLayout NotifyIconLayout32{488, 4, 8, 12, 16, 20, 24, 152, 156, 160, 416, 420, 484};
constexpr TNotifyIconLayout NotifyIconLayout64{504, 8, 16, 20, 24, 32, 40, 168, 172, 176, 432, 436, 500};
// The handles are pointer-sized, and in 64-bit they are aligned to 8 bytes.
constexpr TNotifyIconLayout NotifyIconLayout = sizeof(void*) == 4 ? NotifyIconLayout32 : NotifyIconLayout64;

static_assert(sizeof(TNotifyIconDataA) == NotifyIconLayout.Size, "the record must keep its size");
static_assert(offsetof(TNotifyIconDataA, hWnd) == NotifyIconLayout.hWnd, "hWnd");
static_assert(offsetof(TNotifyIconDataA, uID) == NotifyIconLayout.uID, "uID");
static_assert(offsetof(TNotifyIconDataA, uFlags) == NotifyIconLayout.uFlags, "uFlags");
static_assert(offsetof(TNotifyIconDataA, uCallbackMessage) == NotifyIconLayout.uCallbackMessage, "uCallbackMessage");
static_assert(offsetof(TNotifyIconDataA, hIcon) == NotifyIconLayout.hIcon, "hIcon");
static_assert(offsetof(TNotifyIconDataA, szTip) == NotifyIconLayout.szTip, "szTip");
static_assert(offsetof(TNotifyIconDataA, dwState) == NotifyIconLayout.dwState, "dwState");
static_assert(offsetof(TNotifyIconDataA, dwStateMask) == NotifyIconLayout.dwStateMask, "dwStateMask");
static_assert(offsetof(TNotifyIconDataA, szInfo) == NotifyIconLayout.szInfo, "szInfo");
static_assert(offsetof(TNotifyIconDataA, uTimeoutOrVersion) == NotifyIconLayout.uTimeoutOrVersion, "uTimeout");
static_assert(offsetof(TNotifyIconDataA, szInfoTitle) == NotifyIconLayout.szInfoTitle, "szInfoTitle");
static_assert(offsetof(TNotifyIconDataA, dwInfoFlags) == NotifyIconLayout.dwInfoFlags, "dwInfoFlags");
// The SDK's record agrees on every field the shell reads from this form.
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == offsetof(TNotifyIconDataA, szInfoTitle), "SDK layout");
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(TNotifyIconDataA, dwInfoFlags), "SDK layout");
