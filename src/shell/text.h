// Text helpers used by every layer of the system.
//
// Inside the system every text is UTF-8 (std::string); the host boundary speaks UTF-16
// (std::u16string); files of the component table are Windows-1251. Numbers are always
// formatted and parsed with "." as decimal point, whatever the user's locale is.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace p528 {

// Number typed by a user, read by the decimal-prefix rule: leading blanks are skipped, the
// longest valid decimal prefix ([+-]digits[.digits][e[+-]digits]) is read, a text without
// one reads as 0. "12.5abc" -> 12.5, "  -3" -> -3, "abc" -> 0, ".5" -> 0.5, "1e" -> 1.
double DecimalPrefix(std::string_view text);

// printf-style formatting into a std::string under the "C" locale (always "." as decimal
// point), independent of the process locale.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

// UTF-8 <-> UTF-16. Invalid sequences become U+FFFD; never throws on bad input.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Windows-1251 code page. Decoding never fails (every byte has a character; the one
// unassigned byte 0x98 becomes U+FFFD). Encoding returns false when a character has no
// byte in the code page; `out` then holds '?' in its place.
std::string DecodeCp1251(std::string_view bytes);
bool EncodeCp1251(std::string_view utf8, std::string& out);

// Case-insensitive comparison with full Unicode case folding: Cyrillic letters fold too,
// so "#АНАЛИЗ" equals "#анализ". Returns <0, 0, >0 like strcmp (in folded code points).
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

// Full Unicode case folding of a UTF-8 text ("ß" -> "ss", "Ж" -> "ж").
std::string FoldCase(std::string_view text);

// The Latin/Cyrillic letter swap of component and peak names: "C"<->"С", "c"<->"с"
// (Latin U+0043/U+0063 and Cyrillic U+0421/U+0441). Nothing else changes.
std::string ToCyrillicC(std::string_view text);
std::string ToLatinC(std::string_view text);

// Text after the last path separator ('/' or '\\'); the whole text when there is none.
std::string FileNamePart(std::string_view path);

}  // namespace p528
