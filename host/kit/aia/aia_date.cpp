#include "host/kit/aia/aia_date.h"

#include <string>

namespace p528::aia {

namespace {

bool Digits(std::string_view text, size_t at, size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month > 2 ? month - 3u : month + 9u) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::optional<AiaTimestamp> ParseAiaTimestamp(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(text, 0, 4, year) || !Digits(text, 4, 2, month) || !Digits(text, 6, 2, day) ||
      !Digits(text, 8, 2, hour) || !Digits(text, 10, 2, minute) || !Digits(text, 12, 2, second))
    return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
      second > 60)
    return std::nullopt;
  AiaTimestamp stamp;
  int offsetMinutes = 0;
  std::string_view rest = text.substr(14);
  if (rest == "Z") {
    stamp.hadOffset = true;
  } else if (!rest.empty()) {
    if (rest[0] != '+' && rest[0] != '-') return std::nullopt;
    const int sign = rest[0] == '-' ? -1 : 1;
    std::string digits;
    for (char c : rest.substr(1)) {
      if (c != ':') digits += c;
    }
    int hh = 0, mm = 0;
    if (digits.size() != 4 || !Digits(digits, 0, 2, hh) || !Digits(digits, 2, 2, mm) || mm > 59 ||
        hh * 60 + mm > 14 * 60)
      return std::nullopt;
    offsetMinutes = sign * (hh * 60 + mm);
    stamp.hadOffset = true;
  }
  const int64_t local =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + hour * 3600 +
      minute * 60 + second;
  stamp.utcSeconds = local - int64_t{offsetMinutes} * 60;
  return stamp;
}

}  // namespace p528::aia
