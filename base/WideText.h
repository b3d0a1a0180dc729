#pragma once
// UTF-16 text for the few calls that must name a file the ANSI code page
// cannot spell. Held in a vector rather than a std::wstring: the library's
// wide string code would add a tenth to the size of the program.
#include <windows.h>
#include <cstddef>
#include <string>
#include <vector>

class TWideText {
public:
  TWideText() : FUnits(1, L'\0') {}
  TWideText(const wchar_t* text, std::size_t length);
  TWideText(const wchar_t* text);  // zero-terminated; implicit, like a string literal

  // Conversions through a code page (CP_ACP, CP_UTF8, ...). Characters the
  // code page lacks become its default character: such text is for showing.
  static TWideText FromAnsi(const std::string& text, UINT codePage = CP_ACP);
  std::string ToAnsi(UINT codePage = CP_ACP) const;

  const wchar_t* c_str() const { return FUnits.data(); }
  std::size_t size() const { return FUnits.size() - 1; }
  bool empty() const { return size() == 0; }

  TWideText Part(std::size_t start, std::size_t length) const;
  TWideText& operator+=(const TWideText& tail);
  friend TWideText operator+(TWideText head, const TWideText& tail) { return head += tail; }
  friend bool operator==(const TWideText& a, const TWideText& b) { return a.FUnits == b.FUnits; }
  friend bool operator!=(const TWideText& a, const TWideText& b) { return !(a == b); }

private:
  std::vector<wchar_t> FUnits;  // always ends in one zero
};
