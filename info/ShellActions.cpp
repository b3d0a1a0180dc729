#include "info/ShellActions.h"

#include "framework/AnsiPath.h"
#include "framework/Owned.h"

// The record the shell expects: its handles and pointers are at pointer width.
static_assert(sizeof(SHELLEXECUTEINFOA) == (sizeof(void*) == 4 ? 60 : 112), "SHELLEXECUTEINFOA layout");

void ShellOpen(HWND owner, const std::string& target, const std::string& parameters,
               const TShellLaunchApi& api) noexcept {
  try {
    // A program started from elsewhere must still find the files next to it.
    std::string directory = ExtractFilePath(target, api.CodePage);
    // Empty texts go as "", never null: the null operation alone picks the default verb.
    api.Execute(owner, nullptr, target.c_str(), parameters.c_str(), directory.c_str(), SW_SHOW);
  } catch (...) {
    // A launch that cannot be prepared is as silent as one the shell refuses.
  }
}

void ShowFileProperties(HWND owner, const std::string& file, const TShellLaunchApi& api) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  // The verb comes from the item's context menu; no message boxes for a missing file.
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = "properties";
  info.lpFile = file.c_str();
  api.ExecuteEx(&info);
  // The dialog runs in this process, so normally no process handle comes
  // back; one that does is ours to close.
  TOwnedHandle process(info.hProcess);
}
