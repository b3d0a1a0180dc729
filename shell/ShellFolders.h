#pragma once
// The user's shell folders the program writes shortcuts into and opens,
// spelt in UTF-16: the ANSI spelling of a profile the code page cannot
// spell (a user name in Greek under code page 1252) reads "????" and names
// no folder, so no shortcut could be written there and none opened.
#include <windows.h>
#include <shlobj.h>
#include <string>

#include "base/Error.h"
#include "base/WideText.h"

enum TSpecialFolder { sfStartup = 0, sfDesktop = 1 };

// The shell's identifier (CSIDL) of each folder, and its name for messages.
int SpecialFolderId(TSpecialFolder folder);
std::string SpecialFolderName(TSpecialFolder folder);

// Raised where a folder the shell cannot name would be used; action says what
// could not be done ("Cannot open \"Startup\"").
class EUnknownFolder : public EError {
public:
  explicit EUnknownFolder(const std::string& action) : EError(action + ": the folder is unknown") {}
};

// The shell calls, replaceable so tests can make either of them fail.
struct TSpecialFolderApi {
  decltype(&SHGetSpecialFolderLocation) GetFolderLocation = &SHGetSpecialFolderLocation;
  decltype(&SHGetPathFromIDListW) GetPathFromIDList = &SHGetPathFromIDListW;
  decltype(&CoTaskMemFree) FreeIDList = &CoTaskMemFree;
};

// Whether the shell makes the folder when it is missing. A user may delete
// the Startup folder: a shortcut written there needs it made again, as
// Windows' own shell does; a folder that is only opened is not made.
enum TFolderCreation { fcNever, fcIfMissing };

// The folder's path; the empty text when the shell cannot supply it. Any
// dialog the shell shows while it looks for the folder belongs to owner.
TWideText GetSpecialFolder(HWND owner, TSpecialFolder folder, TFolderCreation creation,
                           const TSpecialFolderApi& api = TSpecialFolderApi());
