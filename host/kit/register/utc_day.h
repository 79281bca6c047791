// The register's dates as people type them: "YYYY-MM-DD", a day in UTC.
#pragma once

#include <cstdint>
#include <string>

namespace p528::hostkit {

inline constexpr int64_t kSecondsPerDay = 24 * 60 * 60;

// Seconds since 1970 UTC at the start of the day; false when `text` is not such a date
// (31 April and the like included).
bool ParseUtcDay(const std::string& text, int64_t& seconds);

}  // namespace p528::hostkit
