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

namespace {

// The date and time digits of a stamp as "YYYYMMDDhhmmss", from the forms data systems wrote:
// that form itself; "YYMMDDhhmmss" (two-digit years of older systems: 70-99 are 19xx, the
// rest 20xx); "19YYYMMDDhhmmss" (the year 2000 and later printed as "19" followed by the
// years since 1900, "19100" for 2000); "YYYY-MM-DD hh:mm:ss" (or with "/", "T"). Returns
// the number of bytes read, 0 when the text begins with none of them.
size_t DateDigits(std::string_view text, std::string& digits) {
  size_t run = 0;
  while (run < text.size() && text[run] >= '0' && text[run] <= '9') ++run;
  const std::string_view lead = text.substr(0, run);
  if (run == 14) {
    digits = lead;
  } else if (run == 15 && lead.substr(0, 3) == "191") {
    digits = std::to_string(1900 + std::stoi(std::string(lead.substr(2, 3)))) + std::string(lead.substr(5));
  } else if (run == 12) {
    const int yy = (lead[0] - '0') * 10 + (lead[1] - '0');
    digits = (yy >= 70 ? "19" : "20") + std::string(lead);
  } else if (run == 4 && text.size() >= 19) {
    // Separated: 4 digits, a separator, 2, a separator, 2, a blank or "T", 2, ":", 2, ":", 2.
    const std::string_view s = text.substr(0, 19);
    const bool dateSeparators = (s[4] == '-' && s[7] == '-') || (s[4] == '/' && s[7] == '/');
    if (!dateSeparators || (s[10] != ' ' && s[10] != 'T') || s[13] != ':' || s[16] != ':') return 0;
    digits.clear();
    for (const char c : s) {
      if (c >= '0' && c <= '9') digits += c;
    }
    if (digits.size() != 14) return 0;
    return 19;
  } else {
    return 0;
  }
  return run;
}

}  // namespace

bool IsSensibleYear(int year) { return year >= kFirstSensibleYear && year <= kLastSensibleYear; }

std::optional<AiaTimestamp> ParseAiaTimestamp(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::string digits;
  const size_t used = DateDigits(text, digits);
  if (used == 0) return std::nullopt;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(digits, 0, 4, year) || !Digits(digits, 4, 2, month) || !Digits(digits, 6, 2, day) ||
      !Digits(digits, 8, 2, hour) || !Digits(digits, 10, 2, minute) || !Digits(digits, 12, 2, second))
    return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
      second > 60)
    return std::nullopt;
  AiaTimestamp stamp;
  stamp.year = year;
  int offsetMinutes = 0;
  std::string_view rest = text.substr(used);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  if (rest == "Z" || rest == "UTC" || rest == "GMT") {
    stamp.hadOffset = true;
  } else if (!rest.empty()) {
    if (rest[0] != '+' && rest[0] != '-') return std::nullopt;
    const int sign = rest[0] == '-' ? -1 : 1;
    std::string offset;
    for (char c : rest.substr(1)) {
      if (c != ':') offset += c;
    }
    if (offset.size() == 2) offset += "00";  // "+03"
    int hh = 0, mm = 0;
    if (offset.size() != 4 || !Digits(offset, 0, 2, hh) || !Digits(offset, 2, 2, mm) || mm > 59 ||
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
