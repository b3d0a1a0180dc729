#pragma once
#include <string>

#include "base/WideText.h"

// The "FileVersion" text of a file's Japanese (0411, code page 932) version
// string table, or "" when the file, its version block, that table or that
// entry is missing. No other language is tried; no failure is raised. The
// file is named in UTF-16, so that the program finds its own version in a
// folder the ANSI code page cannot spell.
std::string GetFileVersionText(const TWideText& fileName);
