#include "base/WideText.h"

#include <cwchar>

TWideText::TWideText(const wchar_t* text, std::size_t length) : FUnits(text, text + length) { FUnits.push_back(L'\0'); }

TWideText::TWideText(const wchar_t* text) : TWideText(text, text ? std::wcslen(text) : 0) {}

TWideText TWideText::FromAnsi(const std::string& text, UINT codePage) {
  const int bytes = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0);
  TWideText wide;
  if (length <= 0) return wide;
  wide.FUnits.assign(static_cast<std::size_t>(length) + 1, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), bytes, wide.FUnits.data(), length);
  return wide;
}

std::string TWideText::ToAnsi(UINT codePage) const {
  const int units = static_cast<int>(size());
  const int length = WideCharToMultiByte(codePage, 0, c_str(), units, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, c_str(), units, &text[0], length, nullptr, nullptr);
  return text;
}

TWideText TWideText::Part(std::size_t start, std::size_t length) const {
  if (start > size()) start = size();
  if (length > size() - start) length = size() - start;
  return TWideText(c_str() + start, length);
}

TWideText& TWideText::operator+=(const TWideText& tail) {
  FUnits.pop_back();
  FUnits.insert(FUnits.end(), tail.FUnits.begin(), tail.FUnits.end());
  return *this;
}
