#pragma once
// Hands a target to the Windows shell and returns at once; the shell reports
// its own failures, if any, in windows owned by the given owner.
#include <windows.h>
#include <shellapi.h>
#include <string>

#include "base/WideText.h"
#include "shell/ShellFolders.h"

// The shell calls, replaceable so tests can record exactly what is asked for.
struct TShellLaunchApi {
  decltype(&ShellExecuteA) Execute = &ShellExecuteA;
  // For the program's own file and folder, which the ANSI code page may not spell.
  decltype(&ShellExecuteW) ExecuteWide = &ShellExecuteW;
  decltype(&ShellExecuteExW) ExecuteEx = &ShellExecuteExW;
  UINT CodePage = CP_ACP;  // for splitting paths at character boundaries
};

// Opens a file, folder, program, web address or mail link with its default
// action, in the target's own folder. Never reports a failure.
void ShellOpen(HWND owner, const std::string& target, const std::string& parameters = std::string(),
               const TShellLaunchApi& api = TShellLaunchApi()) noexcept;
void ShellOpen(HWND owner, const TWideText& target, const TShellLaunchApi& api = TShellLaunchApi()) noexcept;

// Starts a program in its own folder. Raises EError with the system's reason
// when it cannot be started; the shell shows no message of its own.
void StartProgram(HWND owner, const TWideText& program, const std::string& parameters,
                  const TShellLaunchApi& api = TShellLaunchApi());

// Opens the user's shell folder. A folder the shell cannot name raises
// EUnknownFolder: handed on empty, the shell would open some other folder.
void OpenSpecialFolder(HWND owner, TSpecialFolder folder, const TSpecialFolderApi& folders = TSpecialFolderApi(),
                       const TShellLaunchApi& api = TShellLaunchApi());

// Opens the shell's properties dialog of a file; a missing file shows nothing.
void ShowFileProperties(HWND owner, const TWideText& file, const TShellLaunchApi& api = TShellLaunchApi());
