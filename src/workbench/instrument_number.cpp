// The instrument number field: whole numbers only, stored on every change.
#include "workbench/workbench.h"

#include "shell/settings.h"
#include "workbench/workbench_texts.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace p528 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool ParseWholeNumber(const std::string& text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digits = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == digits) return false;  // no digit: "", "-", "a1"
  const std::size_t end = i;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return false;  // "12a", "1 2"

  const std::string number = text.substr(start, end - start);
  errno = 0;
  const long long parsed = std::strtoll(number.c_str(), nullptr, 10);
  // A value beyond the int range would be stored as a different number: refuse it.
  if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
  // Zero must be written as zero: "-0" and "+0" are refused like any text that reads 0.
  if (parsed == 0 && text[start] != '0') return false;
  value = static_cast<int>(parsed);
  return true;
}

std::string Workbench::InstrumentNumberChanged(const std::string& text) {
  int value = 0;
  const bool accepted = ParseWholeNumber(text, value);
  if (accepted) {
    instrumentNumber_ = value;
  } else {
    user_->ShowInstrumentNumberRefused(shell_.Str(text::kWholeNumberRefused));
  }
  WriteSettingInt(shell_, kSectionSettings, "num_device", instrumentNumber_);
  return std::to_string(instrumentNumber_);
}

}  // namespace p528
