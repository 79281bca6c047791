// Interface language of the host: the three-letter language abbreviations that name the
// satellite resource library of a language (0x0409 -> "ENU" -> libplug528ENU.so).
//
// The ids are Windows language identifiers, as the host reports them through
// "System/GetLanguage" (primary language in the low 10 bits, sub-language above).
#pragma once

#include <cstdint>

namespace p528 {

// The abbreviation of `langId` (three upper-case letters), or nullptr when the id is not
// known; an unknown id means that no satellite is looked for. 0 is not known.
const char* LanguageAbbreviation(uint16_t langId);

}  // namespace p528
