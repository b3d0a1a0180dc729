#include "info/FileVersion.h"

#include <windows.h>

#include <vector>

#include "framework/AnsiText.h"

std::string GetFileVersionText(const std::string& fileName) {
  try {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0) return std::string();
    // Zeroed, so that a failed read below makes the query fail instead of
    // reading garbage.
    std::vector<char> block(size, '\0');
    GetFileVersionInfoA(fileName.c_str(), 0, size, block.data());
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "StringFileInfo\\041103A4\\FileVersion", &value, &length) || !value)
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
