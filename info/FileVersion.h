#pragma once
#include <string>

// The "FileVersion" text of a file's Japanese (0411, code page 932) version
// string table, or "" when the file, its version block, that table or that
// entry is missing. No other language is tried; no failure is raised.
std::string GetFileVersionText(const std::string& fileName);
