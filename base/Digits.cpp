#include "base/Digits.h"

std::string PaddedDigits(unsigned long value, std::size_t width, unsigned base) {
  static const char Digit[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), Digit[value % base]);
    value /= base;
  } while (value != 0);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}
