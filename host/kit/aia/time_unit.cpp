#include "host/kit/aia/time_unit.h"

#include "shell/text.h"

#include <set>
#include <string>
#include <vector>

namespace p528::aia {

namespace {

// Words of the texts data systems write for a unit, after case folding.
const std::set<std::string, std::less<>> kMilliseconds = {
    "ms",           "msec", "msecs",        "millisec",     "millisecs",  "millisecond",
    "milliseconds", "мс",   "миллисекунда", "миллисекунды", "миллисекунд"};
const std::set<std::string, std::less<>> kSeconds = {"s",        "sec",     "secs",     "second", "seconds",
                                                     "secondes", "sek",     "sekunden", "с",      "сек",
                                                     "секунда",  "секунды", "секунд"};
const std::set<std::string, std::less<>> kMinutes = {"m",       "min", "mins",   "minute", "minutes", "mn",
                                                     "minuten", "мин", "минута", "минуты", "минут"};
// Words that say the text is about a time without naming its unit.
const std::set<std::string, std::less<>> kTimeWords = {
    "time",  "times",       "retention", "ret",  "rt",      "r",       "t",        "x",     "axis",
    "in",    "of",          "the",       "unit", "units",   "elapsed", "run",      "scale", "zeit",
    "время", "удерживания", "в",         "ед",   "единица", "единицы", "измерения"};

bool IsWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// The words of a text (case folded), split at every byte that is neither a letter nor a digit.
// Bytes above 0x7F belong to words: they are the letters of other alphabets ("мин").
std::vector<std::string> Words(std::string_view text) {
  const std::string folded = FoldCase(text);
  std::vector<std::string> words;
  std::string word;
  for (const char c : folded) {
    if (IsWordByte(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::optional<TimeUnit> TimeUnitFromText(std::string_view text) {
  const std::vector<std::string> words = Words(text);
  std::optional<TimeUnit> unit;
  for (size_t i = 0; i < words.size(); ++i) {
    std::optional<TimeUnit> named;
    if (kMilliseconds.count(words[i]) != 0) {
      named = TimeUnit::Milliseconds;
    } else if (words[i] == "milli" && i + 1 < words.size() && kSeconds.count(words[i + 1]) != 0) {
      named = TimeUnit::Milliseconds;  // "milli-seconds"
      ++i;
    } else if (kSeconds.count(words[i]) != 0) {
      named = TimeUnit::Seconds;
    } else if (kMinutes.count(words[i]) != 0) {
      named = TimeUnit::Minutes;
    } else if (kTimeWords.count(words[i]) != 0) {
      continue;
    } else {
      return std::nullopt;  // a number or a word we do not know: the text may mean another unit
    }
    if (unit && *unit != *named) return std::nullopt;  // two units named
    unit = named;
  }
  return unit;
}

bool NamesOnlyTime(std::string_view text) {
  const std::vector<std::string> words = Words(text);
  if (words.empty()) return false;
  for (const std::string& word : words) {
    if (kTimeWords.count(word) == 0) return false;
  }
  return true;
}

double PerMinute(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::Milliseconds: return 60000.0;
    case TimeUnit::Seconds: return 60.0;
    case TimeUnit::Minutes: break;
  }
  return 1.0;
}

const char* TimeUnitName(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::Milliseconds: return "milliseconds";
    case TimeUnit::Seconds: return "seconds";
    case TimeUnit::Minutes: break;
  }
  return "minutes";
}

}  // namespace p528::aia
