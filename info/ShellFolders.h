#pragma once
// The user's shell folders the program writes shortcuts into and opens.
#include <windows.h>
#include <shlobj.h>
#include <string>

enum TSpecialFolder { sfStartup = 0, sfDesktop = 1 };

// The shell's identifier (CSIDL) of each folder.
int SpecialFolderId(TSpecialFolder folder);

// The shell calls, replaceable so tests can make either of them fail.
struct TSpecialFolderApi {
  decltype(&SHGetSpecialFolderLocation) GetFolderLocation = &SHGetSpecialFolderLocation;
  decltype(&SHGetPathFromIDListA) GetPathFromIDList = &SHGetPathFromIDListA;
  decltype(&CoTaskMemFree) FreeIDList = &CoTaskMemFree;
};

// The folder's path; the empty text when the shell cannot supply it.
std::string GetSpecialFolder(TSpecialFolder folder, const TSpecialFolderApi& api = TSpecialFolderApi());
std::string GetStartupFolder();
std::string GetDesktopFolder();
