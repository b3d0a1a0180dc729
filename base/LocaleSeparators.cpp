#include "base/LocaleSeparators.h"

#include "base/AnsiText.h"

namespace {

// The locale limits these texts to 4 bytes with the terminating zero; the
// buffer leaves room for a longer answer from a system that ignores that.
void ReadSeparator(const TLocaleApi& api, LCTYPE type, std::string& separator) {
  char buffer[16] = {};
  int length = api.LocaleInfo(LOCALE_USER_DEFAULT, type, buffer, sizeof(buffer));
  if (length > 0) separator = TextOfArray(buffer, sizeof(buffer));
}

}  // namespace

TLocaleSeparators UserSeparators(const TLocaleApi& api) {
  TLocaleSeparators separators;
  ReadSeparator(api, LOCALE_STHOUSAND, separators.Thousand);
  ReadSeparator(api, LOCALE_SDECIMAL, separators.Decimal);
  ReadSeparator(api, LOCALE_SDATE, separators.Date);
  ReadSeparator(api, LOCALE_STIME, separators.Time);
  return separators;
}
