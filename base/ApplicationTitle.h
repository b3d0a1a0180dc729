#pragma once
#include <windows.h>
#include <string>

// The application title made from the executable's path: its file name cut
// at the first "." with every character after the first lower-cased, so
// "C:\Tools\Prog.EXE" gives "Prog" and "my.tool.exe" gives "my".
std::string ApplicationTitleFromPath(const std::string& modulePath, UINT codePage = CP_ACP);
