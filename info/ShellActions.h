#pragma once
// Hands a target to the Windows shell and returns at once; the shell reports
// its own failures, if any, in windows owned by the given owner.
#include <windows.h>
#include <shellapi.h>
#include <string>

// The shell calls, replaceable so tests can record exactly what is asked for.
struct TShellLaunchApi {
  decltype(&ShellExecuteA) Execute = &ShellExecuteA;
  decltype(&ShellExecuteExA) ExecuteEx = &ShellExecuteExA;
  UINT CodePage = CP_ACP;  // for splitting paths at character boundaries
};

// Opens a file, folder, program, web address or mail link with its default
// action, in the target's own folder. Never reports a failure.
void ShellOpen(HWND owner, const std::string& target, const std::string& parameters = std::string(),
               const TShellLaunchApi& api = TShellLaunchApi()) noexcept;

// Opens the shell's properties dialog of a file; a missing file shows nothing.
void ShowFileProperties(HWND owner, const std::string& file, const TShellLaunchApi& api = TShellLaunchApi());
