// The components dialog's rules without the window: applying the pending edits, the in-place
// edit rule of the editable lists, and the OK that saves before it changes anything. (The
// dialogs' own tests, tests/ui/dialogs, drive the same rules through the windows.)
#include "workbench/component_edits.h"
#include "workbench/component_commands.h"
#include "workbench/edit_list.h"
#include "workbench/gasoil_params_list.h"

#include "support/files.h"
#include "support/temp_folder.h"
#include "workbench_fixture.h"

#include <filesystem>

namespace p528::test {
namespace {

ComponentTable Numbered(int count) {
  ComponentTable table;
  for (int id = 1; id <= count; ++id) {
    ComponentRecord r;
    r.id = id;
    r.name = "n" + std::to_string(id);
    r.retentionTime = 1.5;
    table.push_back(r);
  }
  return table;
}

ComponentEdit Edit(int id, int32_t op, double boilingPoint = 0) {
  ComponentEdit e;
  e.record.id = id;
  e.record.boilingPoint = boilingPoint;
  e.op = op;
  return e;
}

TEST(ApplyComponentEdits, InRecordedOrderByIdThenRenumbersUserRows) {
  ComponentTable table = Numbered(56);
  ApplyComponentEdits(table, {Edit(54, EditDelete), Edit(56, EditModify, 99.5), Edit(57, EditAdd, 12.0),
                              Edit(70, EditModify, 1.0), Edit(70, EditDelete)});
  ASSERT_EQ(table.size(), 56u);
  // 55, 56 and the added one move up and take their positions as ids.
  EXPECT_EQ(table[52].name, "n53");
  EXPECT_EQ(table[53].name, "n55");
  EXPECT_EQ(table[53].id, 54);
  EXPECT_EQ(table[54].boilingPoint, 99.5);
  EXPECT_EQ(table[54].id, 55);
  EXPECT_EQ(table[54].retentionTime, 1.5);  // a modify keeps what the calculation found
  EXPECT_EQ(table[55].boilingPoint, 12.0);
  EXPECT_EQ(table[55].id, 56);
  EXPECT_EQ(table[55].retentionTime, 0.0);
}

// A Russian keyboard types a comma: both editable lists take it as the decimal separator
// and show the number kept (in the column's format), not the text typed.
TEST(EditableLists, ACommaIsADecimalSeparatorAndTheCellShowsWhatIsKept) {
  struct Case {
    int column;
    const char* typed;
    const char* shown;
    double ComponentRecord::*field;
    double kept;
  };
  const Case components[] = {
      {5, "12,5", "12.500", &ComponentRecord::mixtureMass, 12.5},
      {4, "174,15", "174.2", &ComponentRecord::boilingPoint, 174.15},
      {3, " 0,95 г", "0.950", &ComponentRecord::responseFactor, 0.95},
      {3, "abc", "0.000", &ComponentRecord::responseFactor, 0.0},
  };
  Shell shell;
  const ComponentTable table = Numbered(52);
  for (const Case& c : components) {
    ComponentsEditor editor(shell, table);
    ASSERT_TRUE(EndCellEdit(editor.List(), editor, 9, c.column, c.typed)) << c.typed;
    EXPECT_EQ(editor.List().Cell(9, c.column), c.shown) << c.typed;
    EXPECT_EQ(editor.Edits().back().record.*c.field, c.kept) << c.typed;
  }

  struct Point {
    int column;
    const char* typed;
    const char* shown;
  };
  const Point points[] = {
      {GasoilColumnDeviation, "7,6", "7.6"},
      {GasoilColumnTemperature, "114,6", "115"},
      {GasoilColumnTemperature, "-3", "---"},
  };
  for (const Point& p : points) {
    GasoilParamsList params(shell);
    ASSERT_TRUE(EndCellEdit(params.List(), params, 0, p.column, p.typed)) << p.typed;
    EXPECT_EQ(params.List().Cell(0, p.column), p.shown) << p.typed;
  }
  GasoilParamsList params(shell);
  EndCellEdit(params.List(), params, 3, GasoilColumnDeviation, "7,6");
  EXPECT_EQ(params.Reference().rows[3].deviation, 7.6);
}

TEST(ComponentsEditor, ChangeThenDeleteKeepsTheDeletion) {
  Shell shell;
  const ComponentTable table = Numbered(60);
  ComponentsEditor editor(shell, table);
  EXPECT_FALSE(editor.MayEditCell(0, 0));
  EXPECT_TRUE(editor.MayEditCell(55, 1));
  ASSERT_TRUE(EndCellEdit(editor.List(), editor, 55, 4, "abc"));  // a text without a number is 0
  EXPECT_EQ(editor.List().GetRowData(55)->FillColour, kChangedRowColour);
  editor.DeleteRows({55});
  EXPECT_EQ(editor.List().GetRowData(55)->FillColour, kDeletedRowColour);
  EndCellEdit(editor.List(), editor, 55, 4, "1");  // a red row stays marked for deletion
  ASSERT_EQ(editor.Edits().size(), 1u);
  EXPECT_EQ(editor.Edits().back().op, EditDelete);
  ComponentTable applied = table;
  ApplyComponentEdits(applied, editor.Edits());
  EXPECT_EQ(applied.size(), 59u);
  EXPECT_EQ(applied[55].name, "n57");
}

struct Refusing : EditListOwner {
  bool MayEditCell(int, int) override { return true; }
  bool CellChanged(int, int) override {
    ++told;
    return false;
  }
  int told = 0;
};

TEST(EndCellEdit, OnlyADifferentTextAsksTheOwnerWhoMayUndoIt) {
  TableModel list;
  list.AppendColumn("a", 10);
  list.AppendRow({"abc"});
  Refusing owner;
  EXPECT_FALSE(EndCellEdit(list, owner, 0, 0, std::nullopt));  // Escape
  EXPECT_FALSE(EndCellEdit(list, owner, 0, 0, std::string("abc")));
  EXPECT_EQ(owner.told, 0);
  EXPECT_FALSE(EndCellEdit(list, owner, 0, 0, std::string("ABC")));  // letter case is a change
  EXPECT_EQ(owner.told, 1);
  EXPECT_EQ(list.Cell(0, 0), "abc");
  EXPECT_FALSE(EndCellEdit(list, owner, 3, 0, std::string("x")));
}

using ComponentsOk = WorkbenchTest;

TEST_F(ComponentsOk, AFailedSaveChangesNeitherTableNorFileAndDoesNotRecalculate) {
  TempFolder files;
  const std::string source = std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv";
  std::filesystem::create_directory(files / "missing");
  const std::string saved = files / "missing/tqle528data.csv";
  std::filesystem::copy_file(source, saved);
  Workbench& wb = Start(true, saved);
  const ComponentTable before = wb.components();
  const std::string bytes = ReadBytes(saved);
  ComponentsEditor editor(shell, wb.components());
  editor.AddComponent();

  // The table is never written where no file is: its file has gone.
  std::filesystem::remove(saved);
  const int recalculations = user.recalculations;
  std::string error;
  EXPECT_FALSE(ApplyComponentEditsAndSave(wb, editor.Edits(), error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  EXPECT_EQ(wb.components().size(), before.size());
  EXPECT_EQ(user.recalculations, recalculations);
  EXPECT_FALSE(std::filesystem::exists(saved));

  std::filesystem::copy_file(source, saved);
  ASSERT_TRUE(ApplyComponentEditsAndSave(wb, editor.Edits(), error)) << error;
  EXPECT_EQ(wb.components().size(), before.size() + 1);
  EXPECT_EQ(user.recalculations, recalculations + 1);
  EXPECT_NE(ReadBytes(saved), bytes);
}

}  // namespace
}  // namespace p528::test
