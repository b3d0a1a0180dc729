#pragma once
// The shell's icon record in its 488-byte form (the layout Windows 2000 and
// later accept), spelled out so its size and offsets are checked here rather
// than depending on which fields the SDK headers add for newer systems.
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

static_assert(sizeof(TNotifyIconDataA) == 488, "the record must keep its 488-byte form");
static_assert(offsetof(TNotifyIconDataA, hWnd) == 4, "hWnd");
static_assert(offsetof(TNotifyIconDataA, uID) == 8, "uID");
static_assert(offsetof(TNotifyIconDataA, uFlags) == 12, "uFlags");
static_assert(offsetof(TNotifyIconDataA, uCallbackMessage) == 16, "uCallbackMessage");
static_assert(offsetof(TNotifyIconDataA, hIcon) == 20, "hIcon");
static_assert(offsetof(TNotifyIconDataA, szTip) == 24, "szTip");
static_assert(offsetof(TNotifyIconDataA, dwState) == 152, "dwState");
static_assert(offsetof(TNotifyIconDataA, dwStateMask) == 156, "dwStateMask");
static_assert(offsetof(TNotifyIconDataA, szInfo) == 160, "szInfo");
static_assert(offsetof(TNotifyIconDataA, uTimeoutOrVersion) == 416, "uTimeout");
static_assert(offsetof(TNotifyIconDataA, szInfoTitle) == 420, "szInfoTitle");
static_assert(offsetof(TNotifyIconDataA, dwInfoFlags) == 484, "dwInfoFlags");
// The SDK's record agrees on every field the shell reads from this form.
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == offsetof(TNotifyIconDataA, szInfoTitle), "SDK layout");
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(TNotifyIconDataA, dwInfoFlags), "SDK layout");
