// "Компоненты" as the chemist uses it: which cells edit, adding and deleting components,
// the row colours, and what OK and Cancel leave in the table and its file.
#include "dialogs_fixture.h"

#include "ui/dialogs/components_dialog.h"
#include "ui/dialogs/dialog_commands.h"
#include "ui/dialogs/edit_grid.h"
#include "ui/dialogs/gasoil_params_dialog.h"
#include "workbench/component_edits.h"

#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace p528::test {
namespace {

class ComponentsDialog : public DialogsTest {
 protected:
  // The built-in table with user components 53..`last` appended.
  Workbench& StartWithUserComponents(int last) {
    std::string bytes = ReadBytes(std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv");
    for (int id = 53; id <= last; ++id)
      bytes += std::to_string(id) + ";u" + std::to_string(id) + ";;;;100.0;1.000;0.000\r\n";
    const std::string source = files.File("source.csv");
    std::ofstream(source, std::ios::binary) << bytes;
    return StartWith(source);
  }
  // Runs "Компоненты" with `act` done in the dialog before it closes.
  void Run(std::function<void(ui::CComponents&)> act) {
    WhenModal<ui::CComponents>(std::move(act));
    ui::RunComponentsDialog(nullptr, *workbench, seams);
  }
  static void Press(ui::CComponents& dialog, const char* id) {
    QTest::mouseClick(Child<QPushButton>(dialog, id), Qt::LeftButton);
  }
  static int Row(CGridCtrl& list, int id) {
    for (int r = 0; r < list.model()->rowCount(); ++r)
      if (Shown(list, r, 0) == QString::number(id)) return r;
    return -1;
  }
  static QColor Fill(CGridCtrl& list, int row) {
    return list.model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
  }
};

// No editor of the list is open (an ended one may wait hidden for its deletion).
bool NoEditorShown(CGridCtrl& list) {
  for (QLineEdit* editor : list.findChildren<QLineEdit*>(QStringLiteral("9801")))
    if (editor->isVisible()) return false;
  return list.Editor() == nullptr;
}

// Both dialogs' lists follow the list grid's rules in a shown, active window: F2 opens no
// editor, Tab ends an edit (its comma number kept) without opening the next cell, the wheel
// ends it before the list scrolls, and the dialog can go while a cell is being edited.
TEST_F(ComponentsDialog, BothDialogListsFollowTheGridsEditingRules) {
  StartWith();
  struct Case {
    std::function<std::unique_ptr<QDialog>()> open;
    int row;
    int column;
    const char* shown;  // after "7,6" and Tab
  };
  const Case cases[] = {
      {[this] { return std::make_unique<ui::CComponents>(shell, workbench->components()); }, 3, 5, "7.600"},
      {[this] { return std::make_unique<ui::CDlgGasoilParams>(shell); }, 3, 3, "7.6"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QDialog> dialog = c.open();
    auto& list = *dialog->findChild<ui::EditGrid*>();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    list.setFocus();
    list.setCurrentIndex(list.model()->index(c.row, c.column));
    QTest::keyClick(&list, Qt::Key_F2);
    EXPECT_TRUE(NoEditorShown(list));

    ASSERT_TRUE(list.BeginEdit(c.row, c.column));
    list.Editor()->setText("7,6");
    QTest::keyClick(list.Editor(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(NoEditorShown(list));
    EXPECT_EQ(Shown(list, c.row, c.column), c.shown);

    if (list.verticalScrollBar()->maximum() > 0) {
      ASSERT_TRUE(list.BeginEdit(c.row, c.column));
      list.Editor()->setText("8");
      const QPoint at = list.viewport()->rect().center();
      QWheelEvent wheel(at, list.viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(list.viewport(), &wheel);
      EXPECT_TRUE(NoEditorShown(list));
      EXPECT_EQ(Shown(list, c.row, c.column), "8.000");
      EXPECT_GT(list.verticalScrollBar()->value(), 0);
    }

    ASSERT_TRUE(list.BeginEdit(c.row, c.column));
    list.Editor()->setText("9");
    dialog.reset();  // quitting while the cell is being edited
    QApplication::processEvents();
  }
}

// OK reached by its key while a cell is being edited counts the value typed.
TEST_F(ComponentsDialog, OkWithAnOpenEditorKeepsTheValueTyped) {
  StartWith();
  Run([](ui::CComponents& dialog) {
    CGridCtrl& list = *dialog.List();
    ASSERT_TRUE(list.BeginEdit(Row(list, 10), 5));
    list.Editor()->setText("12,5");
    Child<QPushButton>(dialog, "1")->animateClick();
  });
  EXPECT_EQ(workbench->components()[9].mixtureMass, 12.5);
}

TEST_F(ComponentsDialog, BuiltInNamesAreFixedTheirOtherColumnsEdit) {
  StartWith();
  ui::CComponents dialog(shell, workbench->components());
  CGridCtrl& list = *dialog.List();
  ASSERT_EQ(list.model()->columnCount(), 6);
  EXPECT_EQ(list.model()->headerData(1, Qt::Horizontal).toString(), "Имя");
  const int row = Row(list, 10);
  EXPECT_FALSE(EditCell(list, row, 1, "x"));
  EXPECT_FALSE(EditCell(list, row, 0, "99"));
  ASSERT_TRUE(EditCell(list, row, 2, "н-декан"));
  EXPECT_EQ(Shown(list, row, 2), "н-декан");
  EXPECT_EQ(Fill(list, row), QColor(0x95, 0xFC, 0xAF));  // changed: light green
  ASSERT_EQ(dialog.Edits().size(), 1u);
  EXPECT_EQ(dialog.Edits()[0].record.altName, "н-декан");
}

TEST_F(ComponentsDialog, AddedComponentsAreNumberedByPositionAfterOk) {
  StartWithUserComponents(60);
  ASSERT_EQ(workbench->components().size(), 60u);
  const int before = user.recalculations;
  Run([](ui::CComponents& dialog) {
    CGridCtrl& list = *dialog.List();
    Press(dialog, "1096");
    Press(dialog, "1096");
    ASSERT_EQ(list.model()->rowCount(), 62);
    EXPECT_EQ(Shown(list, 60, 0), "61");
    EXPECT_EQ(Shown(list, 61, 0), "62");
    EXPECT_EQ(Shown(list, 61, 2), "Задать ИМЯ!");
    EXPECT_EQ(Fill(list, 61), QColor(0xFC, 0xFC, 0xB3));  // added: light yellow
    list.selectRow(60);
    Press(dialog, "1097");
    EXPECT_EQ(list.model()->rowCount(), 61);  // an added row goes at once
    EXPECT_EQ(Shown(list, 60, 0), "62");
    Press(dialog, "1");
  });
  ASSERT_EQ(workbench->components().size(), 61u);
  EXPECT_EQ(workbench->components().back().id, 61);
  EXPECT_EQ(workbench->components().back().name, "Новый компонент");
  EXPECT_EQ(user.recalculations, before + 1);
  const std::string saved = ReadBytes(componentFile);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 61);
  EXPECT_NE(saved.find("\r\n61;"), std::string::npos);
  EXPECT_TRUE(seams.messages.empty());
}

TEST_F(ComponentsDialog, BuiltInComponentsAreNeverDeleted) {
  StartWith();
  ui::CComponents dialog(shell, workbench->components());
  CGridCtrl& list = *dialog.List();
  const int row = Row(list, 12);
  list.selectRow(row);
  Press(dialog, "1097");
  EXPECT_EQ(list.model()->rowCount(), 52);
  EXPECT_TRUE(list.SelectedRows().empty());
  EXPECT_FALSE(list.model()->index(row, 0).data(Qt::BackgroundRole).isValid());
  EXPECT_TRUE(dialog.Edits().empty());
}

TEST_F(ComponentsDialog, ChangedThenDeletedTurnsRedAndGoesOnOk) {
  StartWithUserComponents(55);
  Run([](ui::CComponents& dialog) {
    CGridCtrl& list = *dialog.List();
    ASSERT_TRUE(EditCell(list, Row(list, 54), 4, "123.4"));
    list.selectRow(Row(list, 54));
    Press(dialog, "1097");
    EXPECT_EQ(Fill(list, Row(list, 54)), QColor(0xFC, 0x08, 0x08));  // marked: red
    Press(dialog, "1");
  });
  ASSERT_EQ(workbench->components().size(), 54u);
  EXPECT_EQ(workbench->components()[53].name, "u55");
  EXPECT_EQ(workbench->components()[53].id, 54);
}

TEST_F(ComponentsDialog, CancelLeavesTableAndFileAsTheyWere) {
  StartWithUserComponents(55);
  const std::string bytes = ReadBytes(componentFile);
  const ComponentTable before = workbench->components();
  const int recalculations = user.recalculations;
  Run([](ui::CComponents& dialog) {
    CGridCtrl& list = *dialog.List();
    EditCell(list, 0, 3, "2.5");
    EditCell(list, Row(list, 55), 1, "другое");
    Press(dialog, "1096");
    list.selectRow(Row(list, 53));
    Press(dialog, "1097");
    Press(dialog, "2");
  });
  EXPECT_EQ(ReadBytes(componentFile), bytes);
  ASSERT_EQ(workbench->components().size(), before.size());
  EXPECT_EQ(workbench->components()[0].responseFactor, before[0].responseFactor);
  EXPECT_EQ(workbench->components()[54].name, "u55");
  EXPECT_EQ(user.recalculations, recalculations);
}

TEST_F(ComponentsDialog, AFailedSaveIsToldAndChangesNothing) {
  StartWith();
  std::filesystem::remove(componentFile);  // the table is never written where no file is
  Run([](ui::CComponents& dialog) {
    Press(dialog, "1096");
    Press(dialog, "1");
  });
  EXPECT_EQ(workbench->components().size(), 52u);
  ASSERT_EQ(seams.messages.size(), 1u);
  EXPECT_NE(seams.messages[0].find("Компоненты: Таблица компонентов не сохранена"), std::string::npos)
      << seams.messages[0];
  EXPECT_NE(seams.messages[0].find(componentFile), std::string::npos) << seams.messages[0];
  EXPECT_FALSE(std::filesystem::exists(componentFile));
}

}  // namespace
}  // namespace p528::test
