#include "shell/ShellFolders.h"

#include <cwchar>


namespace {

// One character more than MAX_PATH, as the shell may fill all of MAX_PATH.
constexpr std::size_t FolderBufferSize = MAX_PATH + 1;

}  // namespace

int SpecialFolderId(TSpecialFolder folder) {
  switch (folder) {
    case sfStartup: return CSIDL_STARTUP;
    case sfDesktop: return CSIDL_DESKTOP;
  }
  return CSIDL_DESKTOP;
}

std::string SpecialFolderName(TSpecialFolder folder) { return folder == sfStartup ? "Startup" : "Desktop"; }

TWideText GetSpecialFolder(HWND owner, TSpecialFolder folder, TFolderCreation creation,
                           const TSpecialFolderApi& api) {
  const int id = SpecialFolderId(folder) | (creation == fcIfMissing ? CSIDL_FLAG_CREATE : 0);
  LPITEMIDLIST list = nullptr;
  // On failure the list is not the shell's to free, and may be anything.
  if (FAILED(api.GetFolderLocation(owner, id, &list)) || !list) return TWideText();
  wchar_t buffer[FolderBufferSize] = {};
  BOOL found = api.GetPathFromIDList(list, buffer);
  api.FreeIDList(list);
  // A virtual folder has no path; an empty text tells the callers so. The
  // text ends at the first zero, and never past the buffer.
  buffer[FolderBufferSize - 1] = L'\0';
  return found ? TWideText(buffer, std::wcslen(buffer)) : TWideText();
}
