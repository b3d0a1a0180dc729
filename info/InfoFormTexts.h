#pragma once
// The texts of the information window that are worked out rather than fixed.
#include <windows.h>
#include <string>

// The Windows version line without its first "Microsoft " (case-sensitive):
// the window is narrow and every line would otherwise begin with it.
std::string OsVersionLabelText(const std::string& versionText);

// "MailTo:<address>?subject=from [<exe name>] user", with address and subject
// escaped as a URL requires: a file named "a&cc=x@y.exe" must not add a
// header in the user's mail program.
std::string MailLink(const std::string& address, const std::string& exeFileName, UINT codePage = CP_ACP);

// The web address as a URL: its separators kept, anything else a URL cannot
// hold (blanks, quotes, letters beyond ASCII) escaped.
std::string WebLink(const std::string& address, UINT codePage = CP_ACP);

// "Ver.<file version>"; "Ver." alone when the file has no version text.
std::string VersionLabelText(const std::string& fileVersion);
