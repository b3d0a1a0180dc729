#include "framework/WidePath.h"

#include <vector>

#include "framework/PathSplit.h"

namespace {

TPathSplit Split(const TWideText& path) {
  return SplitPath(path.c_str(), path.size(), [](wchar_t) { return false; });
}

}  // namespace

TWideText WideModuleFileName(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return TWideText();
    if (length < buffer.size()) return TWideText(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // truncated: long-path prefixes exceed MAX_PATH
  }
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
