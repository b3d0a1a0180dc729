#include "base/SizeText.h"

namespace {

// The magnitude as unsigned, so that the most negative count cannot overflow.
std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// Whole units of 2^shift bytes, a half going to the even neighbour as the
// processor's default rounding does. Done in integers: a double loses the
// half for counts above 2^53, an integer never does.
std::int64_t RoundedUnits(std::int64_t bytes, unsigned shift) {
  const bool negative = bytes < 0;
  const std::uint64_t magnitude = Magnitude(bytes);
  std::uint64_t units = magnitude >> shift;
  const std::uint64_t rest = magnitude & ((std::uint64_t(1) << shift) - 1);
  const std::uint64_t half = std::uint64_t(1) << (shift - 1);
  if (rest > half || (rest == half && (units & 1) != 0)) ++units;
  return negative ? static_cast<std::int64_t>(0 - units) : static_cast<std::int64_t>(units);
}

std::string Grouped(std::int64_t value, const std::string& thousand) {
  const std::string digits = std::to_string(Magnitude(value));
  std::string text = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += thousand;
    text += digits[i];
  }
  return text;
}

std::string SizeText(std::int64_t bytes, unsigned shift, const char* unit, const TLocaleSeparators& separators) {
  return Grouped(RoundedUnits(bytes, shift), separators.Thousand) + separators.Decimal + "00" + unit;
}

}  // namespace

std::string FormatKB(std::int64_t bytes, const TLocaleSeparators& separators) {
  return SizeText(bytes, 10, "KB", separators);
}

std::string FormatMB(std::int64_t bytes, const TLocaleSeparators& separators) {
  return SizeText(bytes, 20, "MB", separators);
}
