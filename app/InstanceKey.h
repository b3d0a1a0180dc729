#pragma once
#include <windows.h>

// The single-instance mutex name, the window property name on the
// application window, and the argument that marks a start by the restart command.
constexpr char InstanceKey[] = "{B7188742-5D1C-46DA-9178-43DFBFCC0FA5}";

// The data of the window property; nothing in the program reads it back.
constexpr ULONG_PTR InstanceMarker = 0x1111;
