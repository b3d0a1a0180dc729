#pragma once
// The report styles and icons of TSimpleTaskTray::ShowBalloon.

enum TTrayMessageStyle { tsBalloon = 0, tsNormal = 1 };
enum TTrayMessageIcon { tiInfo = 0, tiWarning = 1, tiError = 2 };

// Display names, Japanese texts kept as Shift JIS (code page 932) bytes:
// "風船", "通常"; "情報", "警告", "駄目". Nothing in the program shows them.
extern const char* const TrayMessageStyleNames[2];
extern const char* const TrayMessageIconNames[3];

// The shell's balloon icon for each TTrayMessageIcon, and the message box's
// for a report in the tsNormal style.
extern const unsigned TrayBalloonFlags[3];
extern const unsigned TrayMessageBoxFlags[3];
