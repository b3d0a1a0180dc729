#pragma once
// The texts of the information window that are worked out rather than fixed.
#include <string>

// The Windows version line without its first "Microsoft " (case-sensitive):
// the window is narrow and every line would otherwise begin with it.
std::string OsVersionLabelText(const std::string& versionText);

// "MailTo:<address>?subject=from [<exe name>] user".
std::string MailLink(const std::string& address, const std::string& exeFileName);

// "Ver.<file version>"; "Ver." alone when the file has no version text.
std::string VersionLabelText(const std::string& fileVersion);
