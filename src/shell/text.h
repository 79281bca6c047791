// Text helpers used by every layer of the system: encodings, case folding, names.
//
// Inside the system every text is UTF-8 (std::string); the host boundary speaks UTF-16
// (std::u16string); files of the component table are Windows-1251. The number texts
// (DecimalPrefix, Format) are in shell/number_text.h, included here because nearly every
// caller of these helpers also writes numbers into its texts.
#pragma once

#include "shell/number_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace p528 {

// UTF-8 <-> UTF-16. Invalid sequences become U+FFFD; never throws on bad input.
// Length of the valid UTF-8 sequence starting at byte `i` of `s` (1 to 4), 0 when the bytes
// there are not one: overlong forms, surrogates and code points above U+10FFFF are invalid.
std::size_t ValidUtf8Length(std::string_view s, std::size_t i);
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

// A multi-line message ("\r\n\t" before each continuation line) as a message box shows
// it: "\r\n" becomes a line feed, a tab four blanks; no control character is left to be
// drawn as a sign.
std::string MessageBoxLines(std::string_view text);

}  // namespace p528
