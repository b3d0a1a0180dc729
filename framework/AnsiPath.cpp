#include "framework/AnsiPath.h"

#include <vector>

namespace {

// Calls visit(index) for the first byte of every character of text.
template <class F>
void ForEachCharacter(const std::string& text, UINT codePage, F visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    visit(i);
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])) && i + 1 < text.size()) ++i;
  }
}

bool IsPathDelimiter(char c) { return c == '\\' || c == ':'; }

}  // namespace

std::size_t LastPathDelimiter(const std::string& path, UINT codePage) {
  std::size_t last = std::string::npos;
  ForEachCharacter(path, codePage, [&](std::size_t i) {
    if (IsPathDelimiter(path[i])) last = i;
  });
  return last;
}

std::string ExtractFilePath(const std::string& path, UINT codePage) {
  std::size_t last = LastPathDelimiter(path, codePage);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileName(const std::string& path, UINT codePage) {
  std::size_t last = LastPathDelimiter(path, codePage);
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ExtractFileDir(const std::string& path, UINT codePage) {
  std::size_t last = std::string::npos, beforeLast = std::string::npos;
  ForEachCharacter(path, codePage, [&](std::size_t i) {
    if (IsPathDelimiter(path[i])) {
      beforeLast = last;
      last = i;
    }
  });
  if (last == std::string::npos) return std::string();
  bool keepBackslash = path[last] != '\\' || last == 0 ||
                       (beforeLast != std::string::npos && beforeLast + 1 == last);
  return path.substr(0, keepBackslash ? last + 1 : last);
}

std::string ExcludeTrailingBackslash(const std::string& folder, UINT codePage) {
  std::size_t lastCharacter = std::string::npos;
  ForEachCharacter(folder, codePage, [&](std::size_t i) { lastCharacter = i; });
  if (lastCharacter != std::string::npos && lastCharacter + 1 == folder.size() && folder[lastCharacter] == '\\')
    return folder.substr(0, lastCharacter);
  return folder;
}

std::string ExtractFileNameWithoutExtension(const std::string& path, UINT codePage) {
  std::string name = ExtractFileName(path, codePage);
  std::size_t lastDot = std::string::npos;
  ForEachCharacter(name, codePage, [&](std::size_t i) {
    if (name[i] == '.') lastDot = i;
  });
  return lastDot == std::string::npos ? name : name.substr(0, lastDot);
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
