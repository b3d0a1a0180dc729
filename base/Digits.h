#pragma once
// Fixed-width numbers for texts of the program's own ("%02u", "%.8X"),
// without a printf: the C runtime's C99 printf, with its floating-point
// conversion, was a tenth of the 32-bit program for three such texts.
#include <string>

// The value's digits in the base (10 or 16, upper-case), with leading zeros
// up to width digits.
std::string PaddedDigits(unsigned long value, std::size_t width, unsigned base = 10);
