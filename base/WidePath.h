#pragma once
// The running program's own file, spelt in UTF-16. GetModuleFileNameA turns
// every character the ANSI code page lacks into "?" (a folder in Greek under
// code page 1252 reads "????????"), and such a path names no file at all:
// whatever acts on the program's file (starting it, opening its folder,
// pointing a shortcut at it, reading its version) takes this path instead.
// Texts shown to the user keep the ANSI spelling.
#include <windows.h>

#include "base/WideText.h"

// The full path of the running executable, as the system reports it.
TWideText WideModuleFileName(HMODULE module = nullptr);

// The same splits as the ANSI path helpers; UTF-16 has no double-byte characters.
TWideText ExtractFilePath(const TWideText& path);                  // "C:\dir\"
TWideText ExtractFileDir(const TWideText& path);                   // "C:\dir", "C:\"
TWideText ExtractFileNameWithoutExtension(const TWideText& path);  // "prog"
TWideText ExcludeTrailingBackslash(const TWideText& folder);       // "C:\dir\" gives "C:\dir"
