#include "shell/ShellActions.h"

#include "base/AnsiPath.h"
#include "base/Owned.h"
#include "base/WidePath.h"
#include "shell/ComError.h"

// The record the shell expects: its handles and pointers are at pointer width.
static_assert(sizeof(SHELLEXECUTEINFOW) == (sizeof(void*) == 4 ? 60 : 112), "SHELLEXECUTEINFOW layout");

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

void ShellOpen(HWND owner, const TWideText& target, const TShellLaunchApi& api) noexcept {
  try {
    api.ExecuteWide(owner, nullptr, target.c_str(), L"", ExtractFilePath(target).c_str(), SW_SHOW);
  } catch (...) {
    // As silent as the ANSI launch above.
  }
}

void StartProgram(HWND owner, const TWideText& program, const std::string& parameters,
                  const TShellLaunchApi& api) {
  const TWideText wideParameters = TWideText::FromAnsi(parameters);
  const TWideText directory = ExtractFilePath(program);
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  // The caller reports the failure itself, once; the shell is not to add a
  // box of its own. The process is made before the call returns, since the
  // caller may end right after. The program started is the one already
  // running: a downloaded copy must not ask for the user's trust again (the
  // zone check's "Open File - Security Warning") on every restart.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | SEE_MASK_NOZONECHECKS;
  info.hwnd = owner;
  info.lpFile = program.c_str();
  info.lpParameters = wideParameters.c_str();
  info.lpDirectory = directory.c_str();
  info.nShow = SW_SHOW;
  SetLastError(ERROR_SUCCESS);
  if (api.ExecuteEx(&info)) return;
  DWORD error = GetLastError();
  // Below 33 the shell's own result is a system error code too (2: file not found).
  if (error == ERROR_SUCCESS) error = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info.hInstApp));
  std::string reason = SystemErrorMessage(error);
  throw EError("Cannot start \"" + program.ToAnsi() + "\"" + (reason.empty() ? std::string() : ": " + reason));
}

void OpenSpecialFolder(HWND owner, TSpecialFolder folder, const TSpecialFolderApi& folders,
                       const TShellLaunchApi& api) {
  const TWideText path = GetSpecialFolder(owner, folder, fcNever, folders);
  if (path.empty()) throw EUnknownFolder("Cannot open \"" + SpecialFolderName(folder) + "\"");
  ShellOpen(owner, path, api);
}

void ShowFileProperties(HWND owner, const TWideText& file, const TShellLaunchApi& api) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  // The verb comes from the item's context menu; no message boxes for a missing file.
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"properties";
  info.lpFile = file.c_str();
  api.ExecuteEx(&info);
  // The dialog runs in this process, so normally no process handle comes
  // back; one that does is ours to close.
  TOwnedHandle process(info.hProcess);
}
