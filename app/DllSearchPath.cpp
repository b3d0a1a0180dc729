#include "app/DllSearchPath.h"

#include "base/SystemLibrary.h"

TDllSearchApi SystemDllSearchApi() {
  // kernel32 is in every process from its start.
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  TDllSearchApi api;
  api.SetDefaultDllDirectories =
      ProcAddress<decltype(api.SetDefaultDllDirectories)>(kernel, "SetDefaultDllDirectories");
  api.SetDllDirectoryA = ProcAddress<decltype(api.SetDllDirectoryA)>(kernel, "SetDllDirectoryA");
  return api;
}

void RestrictDllSearchPath(const TDllSearchApi& api) {
  if (api.SetDefaultDllDirectories) api.SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Where the above is missing, this at least takes the current directory
  // out of the search; where it is there, this changes nothing.
  if (api.SetDllDirectoryA) api.SetDllDirectoryA("");
}
