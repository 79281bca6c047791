// The list grid as the owner's answers make it: in-place editing and its undo, the keys
// that end an edit, header-click sorting, the hidden column, double clicks.
#include "grid/qt/grid_ctrl.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QTest>

namespace p528 {
namespace {

// An owner that allows edits, keeps or refuses changes, answers sorts with `sortKind`.
struct RecordingOwner : GridOwner {
  int OnGridCellChanged(int row, int column) override {
    changes.push_back({row, column});
    return keepChanges;
  }
  int OnGridBeginEdit(int, int) override { return 1; }
  int OnGridSort(int, bool) override { return sortKind; }
  int OnGridDoubleClick(int row, int, int&) override {
    doubleClickRows.push_back(row);
    return 0;
  }
  std::vector<std::pair<int, int>> changes;
  std::vector<int> doubleClickRows;
  int keepChanges = 1;
  int sortKind = 0;
};

class GridCtrl : public ::testing::Test {
 protected:
  void SetUp() override {
    table.AppendColumn("", 0);
    table.AppendColumn("name", 100, ColumnAlign::Left);
    table.AppendColumn("value", 80);
    table.AppendColumn("other", 80);
    table.AppendRow({"", "abc", "12.5", "b"});
    table.AppendRow({"", "def", "9", "a"});
    table.AppendRow({"", "ghi", "100", "c"});
    grid.SetTable(&table);
    grid.resize(400, 300);
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
  }
  // Edits cell (row, column): types `text` over it and ends with `key`.
  void Edit(int row, int column, const QString& text, Qt::Key key) {
    ASSERT_TRUE(grid.BeginEdit(row, column));
    CGridCtrlEditCell* editor = grid.Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), "9801");
    editor->setText(text);
    QTest::keyClick(editor, key);
    QApplication::processEvents();
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int r = 0; r < table.RowCount(); ++r) texts.push_back(table.Cell(r, column));
    return texts;
  }

  TableModel table;
  CGridCtrl grid;
  RecordingOwner owner;
};

TEST_F(GridCtrl, WithoutAnOwnerTheListIsReadOnlyUnsortedAndHidesItsWidthZeroColumn) {
  EXPECT_FALSE(grid.BeginEdit(0, 1));
  grid.horizontalHeader()->sectionClicked(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"12.5", "9", "100"}));
  EXPECT_TRUE(grid.isColumnHidden(0));
  EXPECT_EQ(grid.GetColumnCaption(1), "name");
  EXPECT_EQ(grid.GetColumnCaption(9), "");
}

TEST_F(GridCtrl, OwnerRefusingAChangePutsTheOldTextBack) {
  grid.SetOwner(&owner);
  owner.keepChanges = 0;
  Edit(0, 2, "13", Qt::Key_Return);
  EXPECT_EQ(table.Cell(0, 2), "12.5");
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(grid.model()->index(0, 2).data().toString(), "12.5");
}

TEST_F(GridCtrl, EscapeAndUnchangedTextSendNothingButACaseChangeCounts) {
  grid.SetOwner(&owner);
  Edit(0, 1, "xyz", Qt::Key_Escape);
  Edit(0, 1, "abc", Qt::Key_Return);
  EXPECT_TRUE(owner.changes.empty());
  EXPECT_EQ(table.Cell(0, 1), "abc");
  Edit(0, 1, "ABC", Qt::Key_Return);
  EXPECT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(table.Cell(0, 1), "ABC");
}

TEST_F(GridCtrl, HeaderClicksSortAscendingThenDescendingThenAnotherColumnAscending) {
  grid.SetOwner(&owner);
  owner.sortKind = SortNumbers;
  grid.horizontalHeader()->sectionClicked(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"9", "12.5", "100"}));
  grid.horizontalHeader()->sectionClicked(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"100", "12.5", "9"}));
  owner.sortKind = 1;  // text
  grid.horizontalHeader()->sectionClicked(3);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(grid.Sort.SortAscending);
}

TEST_F(GridCtrl, DoubleClickBelowTheLastRowOnlyTellsTheOwner) {
  grid.SetOwner(&owner);
  const QPoint below(20, grid.viewport()->height() - 5);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, below);
  ASSERT_EQ(owner.doubleClickRows, std::vector<int>{-1});
  EXPECT_EQ(grid.Editor(), nullptr);
  EXPECT_TRUE(grid.SelectedRows().empty());
}

TEST_F(GridCtrl, DoubleClickOnARowOfAReadOnlyListSelectsIt) {
  const QRect cell = grid.visualRect(grid.model()->index(1, 1));
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_EQ(grid.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(grid.Editor(), nullptr);
}

}  // namespace
}  // namespace p528
