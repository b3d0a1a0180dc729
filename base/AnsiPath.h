#pragma once
// Path texts of the ANSI code page. They split at the last backslash or
// colon; the second byte of a double-byte character is never a separator
// (in code page 932 the trail byte of many characters is 0x5C, a backslash).
#include <windows.h>
#include <string>

// "C:\dir\prog.exe" gives "C:\dir\": the directory part with its separator.
std::string ExtractFilePath(const std::string& path, UINT codePage = CP_ACP);

// "C:\dir\prog.exe" gives "prog.exe".
std::string ExtractFileName(const std::string& path, UINT codePage = CP_ACP);

// "C:\dir\" gives "C:\dir"; a text without a trailing backslash is unchanged.
std::string ExcludeTrailingBackslash(const std::string& folder, UINT codePage = CP_ACP);

// The full path of the running executable as the system reports it.
std::string ModuleFileName(HMODULE module = nullptr);
