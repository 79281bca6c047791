#include "host/kit/aia/text_export.h"

#include "host/kit/aia/aia_date.h"
#include "host/kit/aia/aia_values.h"
#include "host/kit/aia/even_sampling.h"
#include "shell/text.h"

#include <sys/stat.h>
#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <new>

namespace p528::aia {

namespace {

// How the columns of a line are separated and how its numbers write the decimal mark.
struct Layout {
  char separator;  // ' ': any run of blanks and tabs
  char decimal;
};
// In the order of preference when a signal fits several (a tab or semicolon is what an
// export chooses on purpose; blanks may also pad the fields of the others).
constexpr std::array<Layout, 7> kLayouts = {
    {{'\t', '.'}, {'\t', ','}, {';', '.'}, {';', ','}, {',', '.'}, {' ', '.'}, {' ', ','}}};
constexpr unsigned kAllLayouts = (1u << kLayouts.size()) - 1;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    text = Trim(text.substr(1, text.size() - 2));
  return text;
}

// The fields of a line (trimmed, unquoted); an empty last field is dropped. At most `limit`
// fields are returned (the rest is counted as one more).
size_t Fields(std::string_view line, char separator, std::string_view* out, size_t limit) {
  size_t count = 0;
  if (separator == ' ') {
    size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
      if (i >= line.size()) break;
      size_t end = i;
      while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
      if (count == limit) return limit + 1;
      out[count++] = Trim(line.substr(i, end - i));
      i = end;
    }
    return count;
  }
  size_t begin = 0;
  while (true) {
    const size_t end = line.find(separator, begin);
    const std::string_view field =
        Trim(line.substr(begin, end == std::string_view::npos ? end : end - begin));
    if (end == std::string_view::npos) {
      if (!field.empty() || count == 0) {
        if (count == limit) return limit + 1;
        out[count++] = field;
      }
      return count;
    }
    if (count == limit) return limit + 1;
    out[count++] = field;
    begin = end + 1;
  }
}

// A decimal number with the given decimal mark and nothing else: an optional sign, digits
// with at most one decimal mark, an optional exponent.
bool ParseField(std::string_view field, char decimal, double& value) {
  std::array<char, 64> buffer{};
  if (field.empty() || field.size() >= buffer.size()) return false;
  size_t i = 0;
  size_t n = 0;
  if (field[0] == '+' || field[0] == '-') {
    if (field[0] == '-') buffer[n++] = '-';
    ++i;
  }
  bool digits = false;
  bool mark = false;
  for (; i < field.size(); ++i) {
    const char c = field[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      buffer[n++] = c;
    } else if (c == decimal && !mark) {
      mark = true;
      buffer[n++] = '.';
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
    buffer[n++] = 'e';
    ++i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) buffer[n++] = field[i++];
    bool exponentDigits = false;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
      buffer[n++] = field[i];
      exponentDigits = true;
    }
    if (!exponentDigits) return false;
  }
  if (i != field.size()) return false;
  const auto result = std::from_chars(buffer.data(), buffer.data() + n, value);
  return result.ec == std::errc() && result.ptr == buffer.data() + n && std::isfinite(value);
}

bool TwoNumbers(std::string_view line, const Layout& layout, double& a, double& b) {
  std::array<std::string_view, 2> fields;
  if (Fields(line, layout.separator, fields.data(), 2) != 2) return false;
  return ParseField(fields[0], layout.decimal, a) && ParseField(fields[1], layout.decimal, b);
}

// The layouts among `candidates` that `line` fits as two numbers.
unsigned LayoutsOf(std::string_view line, unsigned candidates) {
  unsigned fits = 0;
  double a = 0, b = 0;
  for (size_t k = 0; k < kLayouts.size(); ++k) {
    if ((candidates & (1u << k)) != 0 && TwoNumbers(line, kLayouts[k], a, b)) fits |= 1u << k;
  }
  return fits;
}

// The text as UTF-8: a byte-order mark of UTF-8 or UTF-16 is followed, other bytes that are
// not UTF-8 are read as Windows-1251 (the exports of Russian laboratories).
std::string Decode(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
    const bool little = bytes[0] == '\xFF';
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
      const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
      units.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return Utf16ToUtf8(units);
  }
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = ValidUtf8Length(bytes, i);
    if (n == 0) return DecodeCp1251(bytes);
    i += n;
  }
  return std::string(bytes);
}

// A caption or key with its unit split off: "Time (min)" -> {"time", "min"}, "Время, мин"
// -> {"время", "мин"}, "Interval(msec)" -> {"interval", "msec"}. The name is case folded,
// with every run of characters other than letters and digits made one blank.
struct Caption {
  std::string name;
  std::string unit;  // "" when the caption names none apart
};

std::string Normalised(std::string_view text) {
  const std::string folded = FoldCase(text);
  std::string out;
  for (const char c : folded) {
    const auto u = static_cast<unsigned char>(c);
    const bool word = (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || u >= 0x80;
    if (word) {
      out += c;
    } else if (!out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

Caption SplitCaption(std::string_view text) {
  text = Trim(text);
  Caption caption;
  const size_t open = text.find_first_of("([");
  if (open != std::string_view::npos) {
    const size_t close = text.find_first_of(")]", open);
    caption.unit =
        std::string(Trim(text.substr(open + 1, close == std::string_view::npos ? close : close - open - 1)));
    caption.name = Normalised(text.substr(0, open));
    return caption;
  }
  const size_t split = text.find_last_of(",/");
  if (split != std::string_view::npos) {
    caption.unit = std::string(Trim(text.substr(split + 1)));
    caption.name = Normalised(text.substr(0, split));
    return caption;
  }
  caption.name = Normalised(text);
  return caption;
}

template <size_t N>
bool IsOneOf(const std::string& name, const std::array<const char*, N>& names) {
  return std::find_if(names.begin(), names.end(), [&](const char* n) { return name == n; }) != names.end();
}

const std::array<const char*, 7> kSampleKeys = {"sample",  "sample name", "samplename", "sample id",
                                                "образец", "проба",       "имя образца"};
const std::array<const char*, 14> kTimeKeys = {
    "injection time", "injection date",   "injection date time", "injection date time stamp",
    "acquired",       "acquisition time", "acquisition date",    "date",
    "date time",      "analysis time",    "время анализа",       "дата анализа",
    "дата",           "время ввода пробы"};
const std::array<const char*, 3> kOperatorKeys = {"operator", "operator name", "оператор"};
const std::array<const char*, 3> kMethodKeys = {"method", "method name", "метод"};
const std::array<const char*, 7> kUnitKeys = {"time unit", "time units",      "x unit",         "x units",
                                              "units",     "единица времени", "единицы времени"};
const std::array<const char*, 7> kIntervalKeys = {
    "interval", "sampling interval", "sampling rate interval", "step", "time step", "шаг", "интервал"};

// Peak table columns by caption name.
struct PeakColumn {
  std::array<const char*, 6> names;
  double ChrmPeak::*member;  // nullptr: the name column
  bool isTime;
};
const std::array<PeakColumn, 6> kPeakColumns = {{
    {{"name", "peak name", "component", "component name", "имя", "компонент"}, nullptr, false},
    {{"time", "r time", "retention time", "rt", "ret time", "время удерживания"}, &ChrmPeak::time, true},
    {{"start", "start time", "i time", "begin", "начало", "время начала"}, &ChrmPeak::front, true},
    {{"end", "end time", "f time", "stop", "конец", "время конца"}, &ChrmPeak::back, true},
    {{"height", "высота", "", "", "", ""}, &ChrmPeak::height, false},
    {{"area", "площадь", "", "", "", ""}, &ChrmPeak::area, true},  // signal x time: converted like a time
}};

struct Header {
  std::string sample, method, operatorName, stampText;
  std::string unitText;      // from a "Time unit" line
  std::string intervalText;  // the value of an "Interval" line
  std::string intervalUnit;  // its unit, when the key names one
  std::vector<ChrmPeak> peaks;
  std::vector<std::pair<double ChrmPeak::*, std::string>> peakUnits;
  bool peakTableRead = false;  // a later table (another detector's) is passed over
};

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// Reads a peak table starting at the caption line `at`; returns the index after its last row
// (`at` itself when the line is not the caption of a peak table).
size_t ReadPeakTable(const std::vector<std::string_view>& lines, size_t at, const Layout& layout,
                     Header& header, std::string& error) {
  std::array<std::string_view, 32> fields;
  const size_t count = Fields(lines[at], layout.separator, fields.data(), fields.size());
  if (count < 2 || count > fields.size()) return at;
  std::vector<int> columnOf(count, -1);
  std::vector<std::string> unitOf(count);
  bool hasName = false, hasTime = false;
  size_t timeField = 0;
  std::array<bool, kPeakColumns.size()> taken{};  // a column named twice: the first counts
  for (size_t f = 0; f < count; ++f) {
    const Caption caption = SplitCaption(fields[f]);
    for (size_t c = 0; c < kPeakColumns.size(); ++c) {
      if (taken[c] || !IsOneOf(caption.name, kPeakColumns[c].names)) continue;
      taken[c] = true;
      columnOf[f] = static_cast<int>(c);
      unitOf[f] = caption.unit;
      hasName = hasName || c == 0;
      if (c == 1 && !hasTime) timeField = f;
      hasTime = hasTime || c == 1;
      break;
    }
  }
  if (!hasName || !hasTime) return at;
  size_t row = at + 1;
  for (; row < lines.size(); ++row) {
    std::array<std::string_view, 32> cells;
    // A row has a cell for each caption (an empty last one may be left out) and a time.
    const size_t n = Fields(lines[row], layout.separator, cells.data(), cells.size());
    if (Trim(lines[row]).empty() || n > count || n <= timeField) break;
    ChrmPeak peak;
    bool ok = ParseField(cells[timeField], layout.decimal, peak.time);
    for (size_t f = 0; f < n && ok; ++f) {
      if (columnOf[f] < 0) continue;
      const PeakColumn& column = kPeakColumns[static_cast<size_t>(columnOf[f])];
      if (column.member == nullptr) {
        peak.name = CleanText(cells[f].data(), cells[f].size(), kMaxNameBytes);
      } else if (!cells[f].empty() && !ParseField(cells[f], layout.decimal, peak.*column.member)) {
        ok = false;
      }
    }
    if (!ok) break;
    if (header.peakTableRead) continue;
    if (header.peaks.size() >= kMaxPeaks) {
      error = Format("the peak table has more than the %zu peaks accepted", kMaxPeaks);
      return row;
    }
    header.peaks.push_back(std::move(peak));
  }
  for (size_t f = 0; f < count && !header.peakTableRead; ++f) {
    if (columnOf[f] > 0)
      header.peakUnits.emplace_back(kPeakColumns[static_cast<size_t>(columnOf[f])].member, unitOf[f]);
  }
  header.peakTableRead = true;
  return row;
}

void ReadHeaderLine(std::string_view line, Header& header) {
  const size_t split = line.find_first_of(":=\t;");
  if (split == std::string_view::npos) return;
  const Caption key = SplitCaption(line.substr(0, split));
  std::string_view rawValue = Trim(line.substr(split + 1));
  // "key<tab>value<tab>" and "key;value;" exports: the value ends at the next such separator.
  if (line[split] == '\t' || line[split] == ';')
    rawValue = Trim(rawValue.substr(0, rawValue.find(line[split])));
  const std::string value = CleanText(rawValue.data(), rawValue.size());
  if (value.empty()) return;
  if (IsOneOf(key.name, kSampleKeys) && header.sample.empty()) {
    header.sample = value;
  } else if (IsOneOf(key.name, kTimeKeys) && header.stampText.empty()) {
    header.stampText = value;
  } else if (IsOneOf(key.name, kOperatorKeys)) {
    header.operatorName = value;
  } else if (IsOneOf(key.name, kMethodKeys)) {
    header.method = value;
  } else if (IsOneOf(key.name, kUnitKeys)) {
    header.unitText = value;
  } else if (IsOneOf(key.name, kIntervalKeys)) {
    header.intervalText = value;
    header.intervalUnit = key.unit;
  }
}

bool IsHeaderKey(const std::string& name) {
  return IsOneOf(name, kSampleKeys) || IsOneOf(name, kTimeKeys) || IsOneOf(name, kOperatorKeys) ||
         IsOneOf(name, kMethodKeys) || IsOneOf(name, kUnitKeys) || IsOneOf(name, kIntervalKeys);
}

// The caption of the time column when `line` is the caption of the signal's two columns:
// two fields (for blank-separated signals: split at tabs or runs of two blanks first, so that
// "Time (min)   Signal (mV)" is two captions), the first not a header key ("Sample").
bool CaptionOfTime(std::string_view line, const Layout& layout, std::string& caption) {
  std::array<std::string_view, 2> fields;
  size_t count = Fields(line, layout.separator, fields.data(), fields.size());
  if (layout.separator == ' ' && count != 2) {
    const size_t wide = std::min(line.find('\t'), line.find("  "));
    if (wide != std::string_view::npos && !Trim(line.substr(0, wide)).empty() &&
        !Trim(line.substr(wide)).empty()) {
      fields[0] = Trim(line.substr(0, wide));
      count = Trim(line.substr(wide)).find_first_of("\t") == std::string_view::npos ? 2 : 3;
    }
  }
  if (count != 2 || fields[0].empty()) return false;
  caption = std::string(fields[0]);
  return !IsHeaderKey(SplitCaption(caption).name) && line.find_first_of(":=") == std::string_view::npos;
}

// The time unit a text names, for messages: "" when `text` is empty.
std::optional<TimeUnit> UnitOf(const std::string& text, const std::string& where, std::string& error) {
  if (text.empty()) return std::nullopt;
  std::optional<TimeUnit> unit = TimeUnitFromText(text);
  if (!unit) error = "unknown time unit \"" + text + "\" (" + where + ")";
  return unit;
}

AiaImportResult Refused(std::string error) {
  AiaImportResult result;
  result.error = std::move(error);
  return result;
}

}  // namespace

bool IsTextExportName(const std::string& path) {
  const std::string extension = FoldCase(std::filesystem::path(path).extension().string());
  return extension == ".csv" || extension == ".txt" || extension == ".asc";
}

AiaImportResult ImportTextExportMemory(std::string_view bytes, const std::string& roleText,
                                       std::optional<TimeUnit> timeUnit, const std::string& fileName) try {
  if (bytes.size() > kMaxTextExportBytes)
    return Refused(Format("the file is larger than the %zu MiB accepted", kMaxTextExportBytes >> 20));
  const std::string text = Decode(bytes);
  if (text.find('\0') != std::string::npos) return Refused("not a text file: it holds NUL bytes");

  // The signal: the lines of two numbers at the end of the file, read from the last line up
  // while they fit one layout; the header is everything above them.
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  unsigned layouts = kAllLayouts;
  size_t dataBegin = end;
  size_t samples = 0;
  for (size_t lineEnd = end; lineEnd > 0;) {
    size_t lineBegin = text.find_last_of("\r\n", lineEnd - 1);
    lineBegin = lineBegin == std::string::npos ? 0 : lineBegin + 1;
    const std::string_view line(text.data() + lineBegin, lineEnd - lineBegin);
    const unsigned fits = Trim(line).empty() ? 0 : LayoutsOf(line, layouts);
    if (fits == 0) break;
    layouts = fits;
    dataBegin = lineBegin;
    ++samples;
    if (samples > kMaxPoints)
      return Refused(Format("the signal has more than the %zu samples accepted", kMaxPoints));
    lineEnd = lineBegin == 0 ? 0 : lineBegin - 1;
    if (lineEnd > 0 && text[lineEnd] == '\n' && text[lineEnd - 1] == '\r') --lineEnd;
  }
  if (samples == 0)
    return Refused(
        "not a chromatogram exported as text: its last lines are not two columns of numbers (time and "
        "signal)");
  if (samples < 2) return Refused("the signal has a single sample: no sampling interval");
  size_t layoutIndex = 0;
  while ((layouts & (1u << layoutIndex)) == 0) ++layoutIndex;
  const Layout layout = kLayouts[layoutIndex];

  std::vector<double> times;
  std::vector<float> values;
  times.reserve(samples);
  values.reserve(samples);
  // Line by line, without a list of them: the signal may have millions.
  const std::string_view signal = std::string_view(text).substr(dataBegin, end - dataBegin);
  for (size_t begin = 0; begin < signal.size();) {
    size_t stop = signal.find_first_of("\r\n", begin);
    if (stop == std::string_view::npos) stop = signal.size();
    const std::string_view line = signal.substr(begin, stop - begin);
    begin = stop + (signal.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
    double t = 0, v = 0;
    if (!TwoNumbers(line, layout, t, v)) return Refused("a line of the signal is not two numbers");
    if (std::fabs(v) > FLT_MAX)
      return Refused(Format("sample %zu (%g) is beyond the range of the signal", values.size() + 1, v));
    times.push_back(t);
    values.push_back(static_cast<float>(v));
  }

  // The header: passport lines, a peak table, and the caption of the signal's columns.
  const std::vector<std::string_view> lines = Lines(std::string_view(text).substr(0, dataBegin));
  Header header;
  std::string error;
  size_t captionLine = lines.size();
  while (captionLine > 0 && Trim(lines[captionLine - 1]).empty()) --captionLine;
  captionLine = captionLine == 0 ? lines.size() : captionLine - 1;
  std::optional<size_t> lastDataLike;
  for (size_t i = 0; i < lines.size();) {
    const size_t after = ReadPeakTable(lines, i, layout, header, error);
    if (!error.empty()) return Refused(error);
    if (after != i) {
      i = after;
      continue;
    }
    double t = 0, v = 0;
    if (TwoNumbers(lines[i], layout, t, v)) lastDataLike = i;
    ReadHeaderLine(lines[i], header);
    ++i;
  }
  if (lastDataLike)
    return Refused(Format("the signal is broken at line %zu: it is not two numbers (time and signal)",
                          *lastDataLike + 2));

  // The unit of the times: the caption of the time column, a unit line, or the one asked.
  std::string captionUnit;
  std::string timeCaption;
  if (captionLine < lines.size() && CaptionOfTime(lines[captionLine], layout, timeCaption)) {
    const Caption caption = SplitCaption(timeCaption);
    if (!caption.unit.empty()) {
      captionUnit = caption.unit;
    } else if (TimeUnitFromText(timeCaption)) {
      captionUnit = timeCaption;
    } else if (!NamesOnlyTime(timeCaption)) {
      // A caption that is neither a time nor names a unit ("Point"): the first column may
      // not hold times at all.
      return Refused("the first column \"" + timeCaption + "\" is not a time with a unit we know");
    }
  }
  const std::optional<TimeUnit> fromCaption = UnitOf(captionUnit, "caption of the time column", error);
  const std::optional<TimeUnit> fromLine = UnitOf(header.unitText, "time unit line", error);
  if (!error.empty()) return Refused(error);
  if (fromCaption && fromLine && *fromCaption != *fromLine)
    return Refused("the caption of the time column and the time unit line name different units");
  const std::optional<TimeUnit> named = fromCaption ? fromCaption : fromLine;
  if (!named && !timeUnit)
    return Refused("the file does not say the unit of its times: name it (minutes, seconds or milliseconds)");
  AiaImportResult result;
  const TimeUnit unit = named ? *named : *timeUnit;
  if (!named)
    result.notices.push_back(std::string("the file does not say the unit of its times: ") +
                             TimeUnitName(unit) + " as named");
  const double perMinute = PerMinute(unit);

  EvenSampling even;
  error = EvenSamplingOf(times, TimeUnitName(unit), even);
  if (!error.empty()) return Refused(error);
  double stepMinutes = even.step / perMinute;
  if (!header.intervalText.empty()) {
    // The interval the header states is the exact step; the times must agree with it within
    // half a step over the whole signal.
    const std::optional<double> interval = ParseNumber(header.intervalText);
    std::optional<TimeUnit> intervalUnit = unit;
    if (!header.intervalUnit.empty()) intervalUnit = UnitOf(header.intervalUnit, "interval line", error);
    if (!error.empty()) return Refused(error);
    if (!interval || !(*interval > 0))
      return Refused("the interval \"" + header.intervalText + "\" is not a positive number");
    const double stated = *interval / PerMinute(*intervalUnit);
    if (!(std::fabs(stated - stepMinutes) * static_cast<double>(times.size() - 1) <= 0.5 * stated))
      return Refused(Format("the stated interval of %.6g min disagrees with the times (a step of %.6g min)",
                            stated, stepMinutes));
    stepMinutes = stated;
  }

  for (auto& [member, unitText] : header.peakUnits) {
    std::optional<TimeUnit> columnUnit = UnitOf(unitText, "peak table", error);
    if (!error.empty() && member == &ChrmPeak::area) {
      error.clear();  // an area's unit names the signal too ("mV*s"): the file's unit is taken
      columnUnit.reset();
    }
    if (!error.empty()) return Refused(error);
    if (member == &ChrmPeak::height) continue;
    const double divisor = columnUnit ? PerMinute(*columnUnit) : perMinute;
    for (ChrmPeak& peak : header.peaks) peak.*member /= divisor;
  }

  ChrmPassport& p = result.file.passport;
  p.assayid = NewAssayId();
  p.sample = !header.sample.empty() ? header.sample : std::filesystem::path(fileName).stem().string();
  p.method = header.method;
  if (!header.stampText.empty()) {
    const std::optional<AiaTimestamp> stamp = ParseAiaTimestamp(header.stampText);
    if (!stamp) {
      result.notices.push_back("the analysis time \"" + header.stampText + "\" is not a date and time");
    } else if (!IsSensibleYear(stamp->year)) {
      result.notices.push_back(
          Format("the analysis time \"%s\" is not a sensible analysis time (the year %d)",
                 header.stampText.c_str(), stamp->year));
    } else {
      p.andate = stamp->utcSeconds;
      if (!stamp->hadOffset)
        result.notices.push_back("the analysis time names no offset from UTC: taken as UTC");
    }
  }
  if (p.andate == 0)
    result.notices.push_back("the analysis time is unknown: parallel runs are numbered by it");
  if (!roleText.empty()) p.fields.push_back({"chrm_type", "Chrm_Type", roleText});
  if (!header.operatorName.empty()) p.fields.push_back({"operator", "Operator", header.operatorName});

  ChrmChannel channel;
  channel.number = 1;
  channel.startTime = even.start / perMinute;
  channel.step = stepMinutes;
  channel.samples = std::move(values);
  channel.peaks = std::move(header.peaks);
  result.file.channels.push_back(std::move(channel));
  return result;
} catch (const std::bad_alloc&) {
  return Refused("not enough memory to import the file");
}

bool LooksLikeTextExport(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string tail(4096, '\0');
  const bool seeked = std::fseek(file, -static_cast<long>(tail.size()), SEEK_END) == 0;
  if (!seeked) std::rewind(file);
  tail.resize(std::fread(tail.data(), 1, tail.size(), file));
  std::fclose(file);
  if (tail.find('\0') != std::string::npos) return true;  // UTF-16 perhaps: the import tells
  size_t end = tail.size();
  while (end > 0 && IsBlank(tail[end - 1])) --end;
  const size_t begin = tail.find_last_of("\r\n", end == 0 ? 0 : end - 1);
  const std::string_view last = std::string_view(tail).substr(
      begin == std::string::npos ? 0 : begin + 1, end - (begin == std::string::npos ? 0 : begin + 1));
  return !last.empty() && LayoutsOf(last, kAllLayouts) != 0;
}

AiaImportResult ImportTextExport(const std::string& path, const std::string& roleText,
                                 std::optional<TimeUnit> timeUnit) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return Refused("cannot open the file");
  if (static_cast<uint64_t>(info.st_size) > kMaxTextExportBytes)
    return Refused(Format("the file is larger than the %zu MiB accepted", kMaxTextExportBytes >> 20));
  std::string bytes(static_cast<size_t>(info.st_size), '\0');
  std::FILE* file = std::fopen(path.c_str(), "rb");
  const bool read = file != nullptr && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr) std::fclose(file);
  if (!read) return Refused("cannot read the file");
  return ImportTextExportMemory(bytes, roleText, timeUnit, path);
}

}  // namespace p528::aia
