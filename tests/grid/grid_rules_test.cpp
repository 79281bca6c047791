// The grid's decisions: header-click sorting, the end of an in-place edit, the stretching
// column and the context-menu point.
#include "grid/grid_rules.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

std::vector<std::string> Column(const TableModel& model, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < model.RowCount(); ++row) texts.push_back(model.Cell(row, column));
  return texts;
}

TEST(GridSort, SecondClickOnAColumnReversesAndAnotherColumnStartsAscending) {
  SortState state;
  EXPECT_TRUE(NextSortAscending(state, 2));
  state.SortColumn = 2;
  state.SortAscending = true;
  EXPECT_FALSE(NextSortAscending(state, 2));
  state.SortAscending = false;
  EXPECT_TRUE(NextSortAscending(state, 2));
  EXPECT_TRUE(NextSortAscending(state, 3));
}

TEST(GridSort, NumbersByTheirDecimalPrefixBothWays) {
  TableModel model;
  model.AppendColumn("", 0);
  model.AppendColumn("value", 60);
  for (const char* text : {"9.5", "10", "abc", "-1", "10"})
    model.AppendRow({"", text}, RowData{0xFF, 0xFF, 7});
  SortRows(model, 1, SortNumbers, true);
  EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"-1", "abc", "9.5", "10", "10"}));
  SortRows(model, 1, SortNumbers, false);
  EXPECT_EQ(Column(model, 1), (std::vector<std::string>{"10", "10", "9.5", "abc", "-1"}));
  // The row's record travels with it.
  ASSERT_NE(model.GetRowData(4), nullptr);
  EXPECT_EQ(model.GetRowData(4)->Tag, 7);
}

TEST(GridSort, TextIgnoresLetterCaseAlsoInCyrillic) {
  EXPECT_EQ(CompareCells(1, "анализ", "АНАЛИЗ", true), 0);
  EXPECT_EQ(CompareCells(1, "b", "A", true), 1);
  EXPECT_EQ(CompareCells(1, "b", "A", false), -1);
}

TEST(GridSort, DateTimesInChronologicalOrderAndNonDatesEqualToAll) {
  EXPECT_EQ(CompareCells(SortDateTimes, "31.01.23  12:00", "01.02.23  10:00", true), -1);
  EXPECT_EQ(CompareCells(SortDateTimes, "01.02.23  10:00", "not a date", true), 0);
  // Day numbers count from 30 December 1899.
  EXPECT_DOUBLE_EQ(*ParseDateTime("31.12.1899"), 1.0);

  TableModel model;
  model.AppendColumn("time", 100);
  for (const char* text : {"x", "02.01.23  10:00", "y", "01.01.23  10:00", "z"}) model.AppendRow({text});
  SortRows(model, 0, SortDateTimes, true);  // not an order: must stay safe
  EXPECT_EQ(model.RowCount(), 5);
}

TEST(GridEdit, OnlyAnUncancelledDifferentTextChangesTheCell) {
  EXPECT_FALSE(EditChangesCell(std::nullopt, "12.5"));  // Escape
  EXPECT_FALSE(EditChangesCell(std::string("12.5"), "12.5"));
  EXPECT_TRUE(EditChangesCell(std::string("ABC"), "abc"));
  EXPECT_TRUE(EditChangesCell(std::string(""), "abc"));
}

TEST(GridLayout, StretchingColumnFillsTheFreeWidth) {
  EXPECT_EQ(StretchedWidth({100, 50, 0}, 1, 400, false, 17), 400 - 7 - 100);
  EXPECT_EQ(StretchedWidth({100, 50, 0}, 1, 400, true, 17), 400 - 7 - 17 - 100);
  EXPECT_EQ(StretchedWidth({500, 50}, 1, 400, false, 17), std::nullopt);
  EXPECT_EQ(StretchedWidth({100, 50}, -1, 400, false, 17), std::nullopt);
  EXPECT_EQ(StretchedWidth({100, 50}, 2, 400, false, 17), std::nullopt);
}

TEST(GridLayout, ContextMenuFromTheKeyboardOpensNearTheTopLeftCorner) {
  const ScreenPoint key = ContextMenuPoint(std::nullopt, ScreenPoint{100, 200});
  EXPECT_EQ(key.x, 105);
  EXPECT_EQ(key.y, 205);
  const ScreenPoint mouse = ContextMenuPoint(ScreenPoint{3, 4}, ScreenPoint{100, 200});
  EXPECT_EQ(mouse.x, 3);
  EXPECT_EQ(mouse.y, 4);
}

}  // namespace
}  // namespace p528
