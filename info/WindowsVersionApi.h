#pragma once
// The platform calls the Windows version text is built from. Tests replace
// them to pose as systems from Windows 95 to Server 2003 and later.
#include <windows.h>

struct TWindowsVersionApi {
  decltype(&GetVersionExA) GetVersionInfo = &GetVersionExA;
  decltype(&RegOpenKeyExA) OpenKey = &RegOpenKeyExA;
  decltype(&RegQueryValueExA) QueryValue = &RegQueryValueExA;
  decltype(&RegCloseKey) CloseKey = &RegCloseKey;
  decltype(&lstrcmpiA) CompareTextNoCase = &lstrcmpiA;
};
