#pragma once
// The report styles and icons of TSimpleTaskTray::ShowBalloon.

enum TTrayMessageStyle { tsBalloon = 0, tsNormal = 1 };
enum TTrayMessageIcon { tiInfo = 0, tiWarning = 1, tiError = 2 };

// Display names, Japanese texts kept as Shift JIS (code page 932) bytes:
// "風船", "通常"; "情報", "警告", "駄目". Nothing in the program shows them.
extern const char* const TrayMessageStyleNames[2];
extern const char* const TrayMessageIconNames[3];

// NIIF_INFO, NIIF_WARNING, NIIF_ERROR.
extern const unsigned TrayBalloonFlags[3];
// MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR.
extern const unsigned TrayMessageBoxFlags[3];
