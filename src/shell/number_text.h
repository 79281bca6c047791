// Numbers as texts: reading a number a user typed, and printf-style formatting. Numbers are
// always formatted and parsed with "." as decimal point, whatever the process locale is.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace p528 {

// Number typed by a user, read by the decimal-prefix rule: leading blanks are skipped, the
// longest valid decimal prefix ([+-]digits[.digits][e[+-]digits]) is read, a text without
// one reads as 0. "12.5abc" -> 12.5, "  -3" -> -3, "abc" -> 0, ".5" -> 0.5, "1e" -> 1.
double DecimalPrefix(std::string_view text);

// Number a person typed into a list cell: a comma counts as the decimal separator (a
// Russian keyboard's), then the decimal-prefix rule. "12,5" -> 12.5, "7.6" -> 7.6.
double TypedNumber(std::string_view text);

// printf-style formatting into a std::string under the "C" locale (always "." as decimal
// point), independent of the process locale.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

}  // namespace p528
