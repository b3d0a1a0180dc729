// A library that only leaves a mark: whenever a process loads it, it writes
// an empty file "<its own path>.loaded" beside itself. The security test
// copies it under the names of the libraries the program uses, next to the
// program and into its working directory; any mark means the loader took a
// planted library.
//
// It links to nothing but kernel32 and has no C runtime of its own, so that
// loading it under any name, msvcrt.dll included, needs nothing it imports.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 8];
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcatA(path, ".loaded");
  HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
  return TRUE;
}
