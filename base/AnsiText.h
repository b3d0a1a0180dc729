#pragma once
// Byte-limited ANSI texts that never end in half of a double-byte character.
#include <windows.h>
#include <cstddef>
#include <string>

// The length of the longest prefix of text that has at most maxBytes bytes
// and ends on a character boundary of the code page.
std::size_t AnsiPrefixLength(const std::string& text, std::size_t maxBytes, UINT codePage = CP_ACP);

// Copies text into a fixed array, cut as above so that a terminating zero fits.
void CopyAnsiCut(char* dest, std::size_t destSize, const std::string& text, UINT codePage = CP_ACP);

template <std::size_t N>
void CopyAnsiCut(char (&dest)[N], const std::string& text, UINT codePage = CP_ACP) {
  CopyAnsiCut(dest, N, text, codePage);
}

// The zero-terminated text held in a fixed array, never read past its end.
std::string TextOfArray(const char* source, std::size_t size);
