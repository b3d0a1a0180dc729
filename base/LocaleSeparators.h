#pragma once
// The user's number, date and time separators. They are read each time a
// text is made, so a change in the regional settings shows in the next text.
#include <windows.h>
#include <string>

struct TLocaleApi {
  decltype(&GetLocaleInfoA) LocaleInfo = &::GetLocaleInfoA;
};

struct TLocaleSeparators {
  std::string Thousand = ",";
  std::string Decimal = ".";
  std::string Date = "/";
  std::string Time = ":";
};

// The user's separators now. A separator the system cannot give, and an
// empty decimal separator, keep the default above, so a text never comes out
// with a missing decimal point. An empty thousands separator is kept.
TLocaleSeparators UserSeparators(const TLocaleApi& api = TLocaleApi());
