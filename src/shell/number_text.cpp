#include "shell/number_text.h"

#include <locale.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace p528 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One "C" locale object for the whole process, used for every formatting call.
locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

}  // namespace

double DecimalPrefix(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return 0.0;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < text.size() && IsDigit(text[j])) {
      ++j;
      ++expDigits;
    }
    if (expDigits > 0) end = j;
  }
  // strtod under the "C" locale on exactly the prefix found: out-of-range values behave
  // like the runtime's conversion (huge gives +-HUGE_VAL, tiny gives 0).
  const std::string number(text.substr(start, end - start));
  return strtod_l(number.c_str(), nullptr, CLocale());
}

std::string FormatV(const char* format, va_list args) {
  locale_t previous = uselocale(CLocale());
  va_list copy;
  va_copy(copy, args);
  char small[256];
  const int n = vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  std::string out;
  if (n < 0) {
    out.clear();
  } else if (static_cast<size_t>(n) < sizeof small) {
    out.assign(small, static_cast<size_t>(n));
  } else {
    out.resize(static_cast<size_t>(n) + 1);
    vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
  }
  uselocale(previous);
  return out;
}

double TypedNumber(std::string_view text) {
  std::string pointed(text);
  for (char& c : pointed)
    if (c == ',') c = '.';
  return DecimalPrefix(pointed);
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = FormatV(format, args);
  va_end(args);
  return out;
}

}  // namespace p528
