#include "lists/table_model.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

TableModel ThreeColumns() {
  TableModel t;
  t.AppendColumn("", 0);
  t.AppendColumn("Доля, % масс", 85);
  t.AppendColumn("Компонент", 180, ColumnAlign::Left);
  return t;
}

TEST(TableModel, RowsArePaddedOrCutToTheColumns) {
  TableModel t = ThreeColumns();
  t.AppendRow({"", "0.5"});
  t.AppendRow({"", "5.0", "C5", "extra"});
  ASSERT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.RowCells(0).size(), 3u);
  EXPECT_EQ(t.Cell(0, 2), "");
  EXPECT_EQ(t.Cell(1, 2), "C5");
  EXPECT_EQ(t.RowCells(1).size(), 3u);
}

TEST(TableModel, ColumnInsertAndDeleteMoveTheCells) {
  TableModel t = ThreeColumns();
  t.AppendRow({"a", "b", "c"});
  EXPECT_EQ(t.InsertColumn(1, "new", 50), 1);
  EXPECT_EQ(t.Cell(0, 0), "a");
  EXPECT_EQ(t.Cell(0, 1), "");
  EXPECT_EQ(t.Cell(0, 2), "b");
  EXPECT_EQ(t.GetColumnCaption(1), "new");
  // Past the end: appended.
  EXPECT_EQ(t.InsertColumn(99, "last", 10), 4);
  t.DeleteColumns(1, 9);  // only the existing ones go
  EXPECT_EQ(t.ColumnCount(), 1);
  EXPECT_EQ(t.RowCells(0), std::vector<std::string>{"a"});
  EXPECT_FALSE(t.DeleteColumn(5));
}

TEST(TableModel, OutOfRangeIsHarmless) {
  TableModel t = ThreeColumns();
  t.AppendRow({"x", "y", "z"});
  struct Case {
    int row, column;
  } cases[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 3}, {100, 100}};
  for (const Case& c : cases) {
    EXPECT_EQ(t.Cell(c.row, c.column), "");
    t.SetCell(c.row, c.column, "ignored");
  }
  EXPECT_EQ(t.GetColumnCaption(3), "");
  EXPECT_EQ(t.GetColumnCaption(-1), "");
  EXPECT_EQ(t.GetRowData(7), nullptr);
  EXPECT_FALSE(t.DeleteRow(3));
  EXPECT_EQ(t.RowCells(0), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(TableModel, RowDataTravelsWithItsRow) {
  TableModel t = ThreeColumns();
  RowData tagged;
  tagged.Tag = 42;
  tagged.FillColour = 0x00FF00;
  t.AppendRow({"1"}, tagged);
  t.AppendRow({"2"}, std::nullopt);
  t.InsertRow(0, {"0"});
  ASSERT_NE(t.GetRowData(1), nullptr);
  EXPECT_EQ(t.GetRowData(1)->Tag, 42);
  EXPECT_EQ(t.GetRowData(0)->TextColour, kDefaultColour);
  EXPECT_EQ(t.GetRowData(2), nullptr);  // a row without a record
  t.DeleteAllRows();
  EXPECT_EQ(t.RowCount(), 0);
  EXPECT_EQ(t.ColumnCount(), 3);  // columns stay
}

TEST(TableModel, EveryChangeMovesTheRevisionAndCallsBack) {
  TableModel t;
  int calls = 0;
  t.onChanged = [&] { ++calls; };
  const uint64_t before = t.Revision();
  t.AppendColumn("c", 10);
  t.AppendRow({"v"});
  t.SetCell(0, 0, "w");
  t.DeleteAllRows();
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(t.Revision(), before + 4);
}

}  // namespace
}  // namespace p528
