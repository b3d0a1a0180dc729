#include "shell/ShellFolders.h"

#include "base/AnsiText.h"
#include "framework/Application.h"

namespace {

// One character more than MAX_PATH, as the shell may fill all of MAX_PATH.
constexpr std::size_t FolderBufferSize = MAX_PATH + 1;

// Any dialog the shell shows while it looks for the folder belongs to the application.
HWND FolderOwner() {
  TApplication* app = TApplication::Current();
  return app ? app->Handle() : nullptr;
}

}  // namespace

int SpecialFolderId(TSpecialFolder folder) {
  switch (folder) {
    case sfStartup: return CSIDL_STARTUP;
    case sfDesktop: return CSIDL_DESKTOP;
  }
  return CSIDL_DESKTOP;
}

std::string SpecialFolderName(TSpecialFolder folder) { return folder == sfStartup ? "Startup" : "Desktop"; }

std::string GetSpecialFolder(TSpecialFolder folder, const TSpecialFolderApi& api) {
  LPITEMIDLIST list = nullptr;
  // On failure the list is not the shell's to free, and may be anything.
  if (FAILED(api.GetFolderLocation(FolderOwner(), SpecialFolderId(folder), &list)) || !list) return std::string();
  char buffer[FolderBufferSize] = {};
  BOOL found = api.GetPathFromIDList(list, buffer);
  api.FreeIDList(list);
  // A virtual folder has no path; an empty text tells the callers so.
  return found ? TextOfArray(buffer, FolderBufferSize) : std::string();
}

std::string GetStartupFolder() { return GetSpecialFolder(sfStartup); }

std::string GetDesktopFolder() { return GetSpecialFolder(sfDesktop); }
