#include "grid/grid_rules.h"

#include "shell/text.h"

#include <langinfo.h>
#include <algorithm>
#include <ctime>
#include <numeric>

namespace p528 {

namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3u : m + 9u) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

// 1899-12-30 counted from 1970-01-01.
constexpr long kDateEpochOffset = -25569;

bool ParseWith(const std::string& text, const char* format, std::tm& out) {
  if (format == nullptr || *format == '\0') return false;
  std::tm tm{};
  tm.tm_mday = 1;
  const char* end = strptime(text.c_str(), format, &tm);
  if (end == nullptr) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return false;
  out = tm;
  return true;
}

}  // namespace

bool NextSortAscending(const SortState& state, int column) {
  return column != state.SortColumn || !state.SortAscending;
}

int CompareCells(int kind, const std::string& a, const std::string& b, bool ascending) {
  int result = 0;
  if (kind == SortNumbers) {
    result = DecimalPrefix(a) > DecimalPrefix(b) ? 1 : -1;
  } else if (kind == SortDateTimes) {
    const std::optional<double> da = ParseDateTime(a);
    const std::optional<double> db = ParseDateTime(b);
    if (da && db) result = *da < *db ? -1 : (*da > *db ? 1 : 0);
  } else {
    const int c = CompareNoCase(a, b);
    result = c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  return ascending ? result : -result;
}

std::optional<double> ParseDateTime(const std::string& text) {
  const char* formats[] = {nl_langinfo(D_T_FMT), nl_langinfo(D_FMT), nl_langinfo(T_FMT), "%d.%m.%y %H:%M",
                           "%d.%m.%Y %H:%M",     "%d.%m.%Y",         "%d.%m.%y"};
  std::tm tm{};
  for (const char* format : formats) {
    if (!ParseWith(text, format, tm)) continue;
    const long days = DaysFromCivil(tm.tm_year + 1900L, static_cast<unsigned>(tm.tm_mon + 1),
                                    static_cast<unsigned>(tm.tm_mday)) -
                      kDateEpochOffset;
    const double dayFraction = (tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec) / 86400.0;
    return static_cast<double>(days) + dayFraction;
  }
  return std::nullopt;
}

void SortRows(TableModel& model, int column, int kind, bool ascending) {
  const int rows = model.RowCount();
  if (rows < 2 || column < 0 || column >= model.ColumnCount()) return;
  std::vector<int> order(static_cast<std::size_t>(rows));
  std::iota(order.begin(), order.end(), 0);
  // "Before" only when the comparison says so in both orders: equal numbers (-1 both ways)
  // and non-dates (0) then count as equal, which keeps the order a strict weak one.
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
    const std::string& a = model.Cell(x, column);
    const std::string& b = model.Cell(y, column);
    return CompareCells(kind, a, b, ascending) < 0 && CompareCells(kind, b, a, ascending) > 0;
  });
  std::vector<std::vector<std::string>> cells;
  std::vector<std::optional<RowData>> data;
  for (int row : order) {
    cells.push_back(model.RowCells(row));
    const RowData* record = model.GetRowData(row);
    data.push_back(record != nullptr ? std::optional<RowData>(*record) : std::nullopt);
  }
  model.DeleteAllRows();
  for (std::size_t i = 0; i < cells.size(); ++i) model.AppendRow(std::move(cells[i]), data[i]);
}

bool EditChangesCell(const std::optional<std::string>& edited, const std::string& current) {
  return edited.has_value() && *edited != current;
}

std::optional<int> StretchedWidth(const std::vector<int>& widths, int stretchColumn, int windowWidth,
                                  bool verticalBarShown, int scrollBarWidth) {
  if (stretchColumn < 0 || stretchColumn >= static_cast<int>(widths.size())) return std::nullopt;
  const int sum = std::accumulate(widths.begin(), widths.end(), 0);
  const int own = widths[static_cast<std::size_t>(stretchColumn)];
  const int free = windowWidth - 7 - (verticalBarShown ? scrollBarWidth : 0);
  if (sum - own >= free) return std::nullopt;
  return free - (sum - own);
}

ScreenPoint ContextMenuPoint(std::optional<ScreenPoint> mouse, ScreenPoint gridTopLeft) {
  if (mouse) return *mouse;
  return ScreenPoint{gridTopLeft.x + 5, gridTopLeft.y + 5};
}

}  // namespace p528
