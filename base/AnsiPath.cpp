#include "base/AnsiPath.h"

#include "base/PathSplit.h"

namespace {

TPathSplit Split(const std::string& path, UINT codePage) {
  return SplitPath(path.data(), path.size(),
                   [codePage](char c) { return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != FALSE; });
}

}  // namespace

std::string ExtractFilePath(const std::string& path, UINT codePage) {
  return path.substr(0, Split(path, codePage).FilePathLength());
}

std::string ExtractFileName(const std::string& path, UINT codePage) {
  return path.substr(Split(path, codePage).FileNameStart());
}

std::string ExcludeTrailingBackslash(const std::string& folder, UINT codePage) {
  return folder.substr(0, Split(folder, codePage).WithoutTrailingBackslashLength());
}

std::string ModuleFileName(HMODULE module) {
  return WholeModulePath<std::string, char>(
      [module](char* buffer, DWORD size) { return GetModuleFileNameA(module, buffer, size); });
}
