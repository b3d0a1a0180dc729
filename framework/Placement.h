#pragma once
#include <windows.h>

// The top-left corner that centres a window of the given outer size in a
// rectangle of the work area's size placed at the screen origin: the work
// area's own left and top are not added, and halving truncates toward zero.
POINT CenteredOrigin(const RECT& workArea, int windowWidth, int windowHeight);

// The work area of the primary screen (the screen without the taskbar).
RECT PrimaryWorkArea();
