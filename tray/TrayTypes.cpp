#include "tray/TrayTypes.h"

#include <windows.h>
#include <shellapi.h>

const char* const TrayMessageStyleNames[2] = {
    "\x95\x97\x91\x44",  // 風船
    "\x92\xca\x8f\xed",  // 通常
};
const char* const TrayMessageIconNames[3] = {
    "\x8f\xee\x95\xf1",  // 情報
    "\x8c\x78\x8d\x90",  // 警告
    "\x91\xca\x96\xda",  // 駄目
};

const unsigned TrayBalloonFlags[3] = {NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
const unsigned TrayMessageBoxFlags[3] = {MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR};
