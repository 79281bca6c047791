#include "host/kit/register/utc_day.h"

#include <cstdio>
#include <ctime>

namespace p528::hostkit {

bool ParseUtcDay(const std::string& text, int64_t& seconds) {
  int year = 0, month = 0, day = 0;
  char tail = 0;
  if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3)
    return false;
  if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1970) return false;
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  const std::time_t t = timegm(&tm);
  if (t == static_cast<std::time_t>(-1) || tm.tm_mday != day) return false;  // 31 April rolls over
  seconds = static_cast<int64_t>(t);
  return true;
}

}  // namespace p528::hostkit
