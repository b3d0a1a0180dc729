#pragma once
#include <string>
#include <vector>

// Splits a command line into items: white space is any character whose code
// is 32 or less, double quotes group characters and are dropped. Item 0 is
// the program's own path.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// The first argument after the program's path, or the empty text.
std::string FirstArgument(const char* commandLine);
