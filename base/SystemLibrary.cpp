#include "base/SystemLibrary.h"

#include <vector>

#include "base/AnsiPath.h"

std::string SystemLibraryPath(const char* name) {
  std::vector<char> folder(MAX_PATH);
  for (;;) {
    const UINT length = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0) return std::string();
    if (length < folder.size()) return ExcludeTrailingBackslash(std::string(folder.data(), length)) + "\\" + name;
    folder.resize(length);  // the length needed, its terminating zero included
  }
}

TSystemLibrary::TSystemLibrary(const char* name) {
  const std::string path = SystemLibraryPath(name);
  // The library's own imports are found the way the system finds its own,
  // beside it in the system folder, not beside this program.
  if (!path.empty()) FModule.Reset(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
