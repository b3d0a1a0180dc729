#pragma once
// Path texts of the ANSI code page. They split at the last backslash or
// colon; the second byte of a double-byte character is never a separator
// (in code page 932 the trail byte of many characters is 0x5C, a backslash).
#include <windows.h>
#include <string>

// The directory part keeps its separator: "C:\dir\prog.exe" gives "C:\dir\".
std::string ExtractFilePath(const std::string& path, UINT codePage = CP_ACP);
std::string ExtractFileName(const std::string& path, UINT codePage = CP_ACP);
// A drive's root loses its backslash too: "C:\" gives "C:".
std::string ExcludeTrailingBackslash(const std::string& folder, UINT codePage = CP_ACP);

// For texts shown to the user: a character the code page lacks reads "?",
// and such a path names no file (WidePath.h has the one that does).
std::string ModuleFileName(HMODULE module = nullptr);
