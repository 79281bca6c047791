// Time stamps of AIA files: "YYYYMMDDhhmmss" followed by the offset of the local time from
// UTC as "+hhmm" or "-hhmm" ("+0300" for Moscow). The stamp is the local time of the
// instrument; the system keeps UTC seconds since 1970-01-01 00:00.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace p528::aia {

struct AiaTimestamp {
  int64_t utcSeconds = 0;  // seconds since 1970-01-01 00:00 UTC
  bool hadOffset = false;  // false: the stamp named no offset and was taken as UTC
};

// Reads a stamp (blanks around it allowed; "Z" is accepted as a zero offset; a colon in the
// offset is accepted). std::nullopt when it is not a valid date and time: months 1-12, days
// of the month, hours 0-23, minutes 0-59, seconds 0-60, offsets up to 14:00.
std::optional<AiaTimestamp> ParseAiaTimestamp(std::string_view text);

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day);

}  // namespace p528::aia
