#pragma once
// Narrows where the loader looks for libraries the process loads by name
// from now on: the system folder only, never the program's folder or the
// current directory, where anyone who can drop a file could plant a library
// of a name the system or the shell asks for. Libraries the program imports
// are resolved before any code runs; those that are not always taken from
// the system folder are loaded by full path instead (SystemLibrary.h).
#include <windows.h>

// The two kernel32 functions, looked up at run time: SetDefaultDllDirectories
// came with Windows 8 (and an update for Vista and 7), SetDllDirectoryA with
// XP SP1. A function the system lacks stays null.
struct TDllSearchApi {
  BOOL(WINAPI* SetDefaultDllDirectories)(DWORD) = nullptr;
  BOOL(WINAPI* SetDllDirectoryA)(LPCSTR) = nullptr;
};

TDllSearchApi SystemDllSearchApi();

// Call first, before anything may load a library. Whatever the system lacks
// is skipped.
void RestrictDllSearchPath(const TDllSearchApi& api = SystemDllSearchApi());
