#include "base/LocaleSeparators.h"

#include "base/AnsiText.h"

namespace {

enum TEmptySeparator { EmptyIsKept, EmptyIsRefused };

// The locale limits these texts to 4 bytes with the terminating zero; the
// buffer leaves room for a longer answer from a system that ignores that.
// The length counts the terminating zero, so 1 is the empty text.
void ReadSeparator(const TLocaleApi& api, LCTYPE type, std::string& separator,
                   TEmptySeparator empty = EmptyIsKept) {
  char buffer[16] = {};
  int length = api.LocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof(buffer));
  if (length <= 0) return;
  std::string text = TextOfArray(buffer, sizeof(buffer));
  if (text.empty() && empty == EmptyIsRefused) return;
  separator = text;
}

}  // namespace

TLocaleSeparators UserSeparators(const TLocaleApi& api) {
  TLocaleSeparators separators;
  // No thousands separator is a setting of its own; no decimal separator
  // would make every figure a hundred times too large.
  ReadSeparator(api, LOCALE_STHOUSAND, separators.Thousand);
  ReadSeparator(api, LOCALE_SDECIMAL, separators.Decimal, EmptyIsRefused);
  ReadSeparator(api, LOCALE_SDATE, separators.Date);
  ReadSeparator(api, LOCALE_STIME, separators.Time);
  return separators;
}
