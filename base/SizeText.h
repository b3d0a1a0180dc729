#pragma once
// Size texts such as "1,024.00MB": a byte count in whole kilobytes or
// megabytes, grouped in threes, with the user's separators.
#include <cstdint>
#include <string>

#include "base/LocaleSeparators.h"

// Bytes / 1,024 rounded to a whole number (a half goes to the even
// neighbour), formatted as "#,##0.00KB".
std::string FormatKB(std::int64_t bytes, const TLocaleSeparators& separators = UserSeparators());

// Bytes / 1,048,576, rounded likewise, formatted as "#,##0.00MB".
std::string FormatMB(std::int64_t bytes, const TLocaleSeparators& separators = UserSeparators());
