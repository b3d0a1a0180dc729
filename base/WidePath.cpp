#include "base/WidePath.h"

#include "base/PathSplit.h"

namespace {

TPathSplit Split(const TWideText& path) {
  return SplitPath(path.c_str(), path.size(), [](wchar_t) { return false; });
}

}  // namespace

TWideText WideModuleFileName(HMODULE module) {
  return WholeModulePath<TWideText, wchar_t>(
      [module](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(module, buffer, size); });
}

TWideText ExtractFilePath(const TWideText& path) { return path.Part(0, Split(path).FilePathLength()); }

TWideText ExtractFileDir(const TWideText& path) { return path.Part(0, Split(path).FileDirLength()); }

TWideText ExcludeTrailingBackslash(const TWideText& folder) {
  return folder.Part(0, Split(folder).WithoutTrailingBackslashLength());
}

TWideText ExtractFileNameWithoutExtension(const TWideText& path) {
  TPathSplit split = Split(path);
  return path.Part(split.FileNameStart(), split.FileNameEnd() - split.FileNameStart());
}
