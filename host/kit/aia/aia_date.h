// Time stamps of AIA files: "YYYYMMDDhhmmss" followed by the offset of the local time from
// UTC as "+hhmm" or "-hhmm" ("+0300" for Moscow). The stamp is the local time of the
// instrument; the system keeps UTC seconds since 1970-01-01 00:00. Files of older data
// systems write other forms too (two-digit years, the year 2000 as "19100", separators);
// those are read as well, and a year no analysis can have (before 1980, after 2100) is not
// an analysis time: the importer then keeps the time unknown and says so.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace p528::aia {

struct AiaTimestamp {
  int64_t utcSeconds = 0;  // seconds since 1970-01-01 00:00 UTC
  bool hadOffset = false;  // false: the stamp named no offset and was taken as UTC
  int year = 0;            // the year of the local time, as read
};

// The years an analysis time may have: a stamp outside them was written wrong.
inline constexpr int kFirstSensibleYear = 1980;
inline constexpr int kLastSensibleYear = 2100;
bool IsSensibleYear(int year);

// Reads a stamp (blanks around it allowed; "Z", "UTC" and "GMT" are a zero offset; a colon
// in the offset and an offset of whole hours "+03" are accepted; also "YYMMDDhhmmss",
// "19YYYMMDDhhmmss" and "YYYY-MM-DD hh:mm:ss"; never a year read from a four-digit year plus
// a century). std::nullopt when it is not a valid date and time: months 1-12, days
// of the month, hours 0-23, minutes 0-59, seconds 0-60, offsets up to 14:00.
std::optional<AiaTimestamp> ParseAiaTimestamp(std::string_view text);

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day);

}  // namespace p528::aia
