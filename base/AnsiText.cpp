#include "base/AnsiText.h"

#include <cstring>

std::size_t AnsiPrefixLength(const std::string& text, std::size_t maxBytes, UINT codePage) {
  std::size_t length = 0;
  while (length < text.size()) {
    std::size_t charLength =
        (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) && length + 1 < text.size()) ? 2 : 1;
    if (length + charLength > maxBytes) break;
    length += charLength;
  }
  return length;
}

void CopyAnsiCut(char* dest, std::size_t destSize, const std::string& text, UINT codePage) {
  if (destSize == 0) return;
  std::size_t length = AnsiPrefixLength(text, destSize - 1, codePage);
  std::memcpy(dest, text.data(), length);
  dest[length] = '\0';
}

std::string TextOfArray(const char* source, std::size_t size) {
  const void* end = std::memchr(source, '\0', size);
  return std::string(source, end ? static_cast<const char*>(end) - source : size);
}
