#pragma once
// The report styles and icons of TSimpleTaskTray::ShowBalloon.

enum TTrayMessageStyle { tsBalloon = 0, tsNormal = 1 };
enum TTrayMessageIcon { tiInfo = 0, tiWarning = 1, tiError = 2 };

// The shell's balloon icon for each TTrayMessageIcon, and the message box's
// for a report in the tsNormal style.
extern const unsigned TrayBalloonFlags[3];
extern const unsigned TrayMessageBoxFlags[3];
