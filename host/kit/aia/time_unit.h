// The time unit of a chromatogram file from the free text its data system wrote there:
// "seconds", "Time-Sec", "SECONDS", "time in seconds", "min", "Время, мин", "ms", ...
// The text is read by what it says, in any letter case and wording: its words are split at
// everything that is not a letter, words that only say "this is a time" ("time",
// "retention", "in", "unit", "время", ...) are passed over, and what is left must name
// exactly one unit. A text that names no unit we know, names two, or says anything more (a
// number, another word: "1/10 s", "hours", "mm:ss") names none: it is refused by the
// caller with the text quoted, never guessed.
#pragma once

#include <optional>
#include <string_view>

namespace p528::aia {

enum class TimeUnit { Milliseconds, Seconds, Minutes };

// The unit `text` names; std::nullopt when it names none (see above).
std::optional<TimeUnit> TimeUnitFromText(std::string_view text);

// True when `text` holds nothing but the words that say "this is a time" ("Time", "RT",
// "Время"): a column caption that names no unit, as opposed to one naming an unknown unit.
bool NamesOnlyTime(std::string_view text);

// Units per minute: the divisor that turns a time in `unit` into minutes (60 for seconds).
double PerMinute(TimeUnit unit);

// "milliseconds", "seconds", "minutes".
const char* TimeUnitName(TimeUnit unit);

}  // namespace p528::aia
