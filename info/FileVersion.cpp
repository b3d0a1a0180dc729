#include "info/FileVersion.h"

#include <windows.h>

#include <vector>

#include "base/AnsiText.h"
#include "base/SystemLibrary.h"

std::string GetFileVersionText(const TWideText& fileName) {
  try {
    // version.dll is not one of the libraries Windows always takes from its
    // own folder: loaded by full path, a copy beside the program is never used.
    TSystemLibrary version("version.dll");
    const auto getSize = version.Proc<decltype(&GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    const auto getInfo = version.Proc<decltype(&GetFileVersionInfoW)>("GetFileVersionInfoW");
    const auto queryValue = version.Proc<decltype(&VerQueryValueA)>("VerQueryValueA");
    if (!getSize || !getInfo || !queryValue) return std::string();

    DWORD ignored = 0;
    const DWORD size = getSize(fileName.c_str(), &ignored);
    if (size == 0) return std::string();
    // Zeroed, so that a failed read below makes the query fail instead of
    // reading garbage. Read through either call, the block is the same; the
    // ANSI query converts the text it returns.
    std::vector<char> block(size, '\0');
    getInfo(fileName.c_str(), 0, size, block.data());
    void* value = nullptr;
    UINT length = 0;
    if (!queryValue(block.data(), "StringFileInfo\\041103A4\\FileVersion", &value, &length) || !value)
      return std::string();
    // The text must lie inside the block; a damaged block must not make us
    // read past it.
    const char* text = static_cast<const char*>(value);
    const char* end = block.data() + block.size();
    if (text < block.data() || text >= end) return std::string();
    return TextOfArray(text, static_cast<std::size_t>(end - text));
  } catch (...) {
    // An allocation that fails on a huge reported size: the version is simply unknown.
    return std::string();
  }
}
