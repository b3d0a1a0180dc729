#include "base/AnsiPath.h"

#include <vector>

#include "base/PathSplit.h"

namespace {

TPathSplit Split(const std::string& path, UINT codePage) {
  return SplitPath(path.data(), path.size(),
                   [codePage](char c) { return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != FALSE; });
}

}  // namespace

std::size_t LastPathDelimiter(const std::string& path, UINT codePage) {
  std::size_t last = Split(path, codePage).LastDelimiter;
  return last == TPathSplit::None ? std::string::npos : last;
}

std::string ExtractFilePath(const std::string& path, UINT codePage) {
  return path.substr(0, Split(path, codePage).FilePathLength());
}

std::string ExtractFileName(const std::string& path, UINT codePage) {
  return path.substr(Split(path, codePage).FileNameStart());
}

std::string ExtractFileDir(const std::string& path, UINT codePage) {
  return path.substr(0, Split(path, codePage).FileDirLength());
}

std::string ExcludeTrailingBackslash(const std::string& folder, UINT codePage) {
  return folder.substr(0, Split(folder, codePage).WithoutTrailingBackslashLength());
}

std::string ExtractFileNameWithoutExtension(const std::string& path, UINT codePage) {
  TPathSplit split = Split(path, codePage);
  return path.substr(split.FileNameStart(), split.FileNameEnd() - split.FileNameStart());
}

std::string ModuleFileName(HMODULE module) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // truncated: long-path prefixes exceed MAX_PATH
  }
}
