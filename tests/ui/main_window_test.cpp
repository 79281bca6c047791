// The main window as a chemist uses it: adding and removing files, the instrument number,
// the tabs, the calibration tab's fields and calculator, the distillation page's curves.
#include "ui_fixture.h"

#include "support/mnemonics.h"
#include "workbench/window_place.h"

#include "chart/qt/chart_widget.h"
#include "ui/pages/chart_dialogs.h"
#include "ui/pages/colour_swatch.h"
#include "ui/pages/distillation_page.h"
#include "ui/pages/message_page.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

namespace p528::test {
namespace {

using ui::Id;

class FileCommands : public WindowTest {};

TEST_F(FileCommands, RemovingTheCalibrationLeavesTheOtherFilesAndSaysSo) {
  OpenWithDemoSet();
  const int files = window->FileList().model()->rowCount();
  ASSERT_EQ(files, static_cast<int>(DemoSet().ids.size()));
  const int calibration = RowOfRole(shell.Str(138));
  ASSERT_GE(calibration, 0);
  ASSERT_TRUE(host.ProfileText("plugins\\plug528\\paths\\CHRM_GRAD").has_value());

  CGridCtrl& list = window->FileList();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                    list.visualRect(list.model()->index(calibration, FileColumnSample)).center());
  Click(Id(1010));
  EXPECT_EQ(window->FileList().model()->rowCount(), files - 1);
  EXPECT_EQ(RowOfRole(shell.Str(138)), -1);
  EXPECT_TRUE(window->MessagePage().ShownText().contains(ui::Text(shell, 146)));
  // The next start restores no calibration file.
  EXPECT_FALSE(host.ProfileText("plugins\\plug528\\paths\\CHRM_GRAD").has_value());
}

TEST_F(FileCommands, DeleteKeyWithoutSelectionKeepsTheSetButRecalculates) {
  OpenWithDemoSet();
  window->FileList().clearSelection();
  const int before = Recalculations();
  QTest::keyClick(&window->FileList(), Qt::Key_Delete);
  EXPECT_EQ(Recalculations(), before + 1);
  EXPECT_EQ(window->FileList().model()->rowCount(), static_cast<int>(DemoSet().ids.size()));

  Click(Id(1006));  // "Удалить все"
  EXPECT_EQ(window->FileList().model()->rowCount(), 0);
}

TEST_F(FileCommands, DoubleClickOpensOnlyTheFirstSelectedAssayInTheHost) {
  OpenWithDemoSet();
  window->FileList().selectAll();
  const QRect cell = window->FileList().visualRect(window->FileList().model()->index(0, 0));
  QTest::mouseDClick(window->FileList().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  ASSERT_EQ(host.openedAssayFiles().size(), 1u);
  EXPECT_EQ(Utf16ToUtf8(host.openedAssayFiles()[0]),
            window->GetWorkbench().fileList().Cell(0, FileColumnPath));
  EXPECT_EQ(window->FileList().model()->rowCount(), static_cast<int>(DemoSet().ids.size()));
}

// "Добавить" that leaves files out says which and why, in one message; a database error
// shows its continuation lines as lines, without control characters.
TEST_F(FileCommands, FilesLeftOutAndDatabaseErrorsAreToldInOneReadableMessage) {
  OpenWithDemoSet();
  ASSERT_TRUE(seams.messages.empty());
  host.assayIds = {DemoSet().ids[0], 99999};
  Click(Id(1000));
  ASSERT_EQ(seams.messages.size(), 1u);
  EXPECT_EQ(seams.messages[0].split('\n'),
            (QStringList{"Не добавлены в набор:",
                         "    " + QString::fromStdString(DemoSet().files[0]) + ": уже есть в наборе",
                         "    анализ 99999: нет в базе данных"}));

  seams.messages.clear();
  TempFolder elsewhere;
  shell.databaseLocation = Utf8ToUtf16(elsewhere / "none.db");  // no assay table there
  Click(Id(1000));
  ASSERT_EQ(seams.messages.size(), 1u);
  const QString error = seams.messages[0];
  EXPECT_TRUE(error.startsWith(ui::Text(shell, 3751).section('%', 0, 0))) << error.toStdString();
  EXPECT_TRUE(error.contains("\n    ")) << error.toStdString();
  EXPECT_FALSE(error.contains('\r') || error.contains('\t')) << error.toStdString();
}

class Keyboard : public WindowTest {};

// Every button has a mnemonic of its own in both languages; Tab leaves the file list for
// the next control; the toolkit's own dialogs speak the interface's language.
TEST_F(Keyboard, MnemonicsInBothLanguagesAndTabLeavesTheFileList) {
  for (const StringTable* texts : {&RussianStrings(), &EnglishStrings()}) {
    shell.resources = texts;
    Open();
    const ButtonMnemonics mnemonics = MnemonicsOf(*window, Qt::FindDirectChildrenOnly);
    EXPECT_EQ(mnemonics.Faults(), "");
    EXPECT_EQ(mnemonics.letters.size(), 9);
    window.reset();
  }
  shell.resources = &RussianStrings();
  OfferDemoSet(host);
  Open();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
  CGridCtrl& list = window->FileList();
  Click(Id(1000));
  list.setFocus();
  list.setCurrentIndex(list.model()->index(0, 0));
  QTest::keyClick(&list, Qt::Key_Tab);
  EXPECT_FALSE(list.hasFocus());
  EXPECT_EQ(list.currentIndex().column(), 0);

  // Enter on the focused distillation chart opens the enlarged chart, as a double click does.
  window->Tabs().setCurrentIndex(2);
  CChartWidget& chart = window->DistillationChartWindow();
  chart.setFocus();
  bool enlarged = false;
  InspectModalWhenShown(
      [&enlarged](QWidget& modal) { enlarged = qobject_cast<ui::CDlgChartProp*>(&modal) != nullptr; });
  QTest::keyClick(&chart, Qt::Key_Return);
  EXPECT_TRUE(enlarged);
  EXPECT_TRUE(window->isVisible());
}

class WindowPlaces : public WindowTest {};

// The window fits a 1280 x 720 work area (its pages scroll), and it and the enlarged
// distillation chart open where they were left.
TEST_F(WindowPlaces, TheWindowFitsASmallScreenAndBothWindowsOpenWhereTheyWereLeft) {
  Open();
  EXPECT_LE(window->minimumWidth(), 1280);
  EXPECT_LE(window->minimumHeight(), 720 - 40);  // a title bar and a panel besides
  window->move(20, 30);
  const QRect left = window->geometry();
  window->hide();  // closing hides the window
  EXPECT_EQ(ReadWindowPlace(shell, kMainWindowPlaceKey),
            (WindowPlace{left.x(), left.y(), left.width(), left.height()}));
  window.reset();
  Open();
  if (window->screen()->availableGeometry().contains(left)) {
    EXPECT_EQ(window->geometry(), left);
  }

  const QRect chart(10, 20, 780, 560);  // larger than the dialog opens, within the screen
  {
    ui::CDlgChart dialog(shell);
    dialog.show();
    dialog.setGeometry(chart);
    dialog.hide();
  }
  ui::CDlgChart reopened(shell);
  EXPECT_EQ(reopened.geometry(), chart);
}

class InstrumentNumber : public WindowTest {};

TEST_F(InstrumentNumber, EveryKeystrokeIsStoredAndARefusedTextPutsTheNumberBack) {
  Open();
  auto* edit = Find<QLineEdit>(1168);
  edit->clear();
  edit->setFocus();
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), 1);
  QTest::keyClicks(edit, "2");
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), 12);
  EXPECT_TRUE(seams.messages.empty());

  edit->setText("7");
  QTest::keyClick(edit, Qt::Key_Backspace);  // the field would be empty
  ASSERT_EQ(seams.messages.size(), 1u);
  EXPECT_EQ(seams.messages[0], ui::Text(shell, 3750));
  EXPECT_EQ(edit->text(), "12");
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), 12);
}

class Pages : public WindowTest {};

TEST_F(Pages, TabsShowOnePageAndTheMessagePageIgnoresEscape) {
  Open();
  QTabWidget& tabs = window->Tabs();
  ASSERT_EQ(tabs.count(), ui::kResultPages);
  EXPECT_EQ(tabs.tabText(7), ui::Text(shell, 2008));
  tabs.setCurrentIndex(7);
  for (int tab = 0; tab < ui::kResultPages; ++tab) EXPECT_EQ(window->Page(tab)->isVisible(), tab == 7) << tab;

  auto* text = window->findChild<QPlainTextEdit*>(Id(1018));
  ASSERT_NE(text, nullptr);
  text->setFocus();
  QTest::keyClick(text, Qt::Key_Escape);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(text->toPlainText(), ui::DisplayText(window->GetWorkbench().messages().Text()));
  EXPECT_TRUE(text->toPlainText().contains(ui::Text(shell, 146)));
}

TEST_F(Pages, CalibrationCalculatorReadsTheCurveAndGivesZeroBeyondIt) {
  OpenWithDemoSet();
  const CalibCurve& curve = window->GetWorkbench().calibrationTab().curve;
  ASSERT_FALSE(curve.times.empty());
  auto* x = Find<QLineEdit>(1102);
  auto* y = Find<QLineEdit>(1103);
  x->setText(QString::number(curve.times.back(), 'g', 17));
  Click(Id(1104));
  EXPECT_EQ(y->text(), QString::asprintf("%.5g", curve.temps.back()));
  x->setText(QString::number(curve.times.back() + 1.0, 'g', 17));
  Click(Id(1104));
  EXPECT_EQ(y->text(), "0");
  EXPECT_EQ(window->findChild<QTableView*>(Id(1101))->model()->rowCount(),
            static_cast<int>(curve.times.size()));
  // The resolution is shown, never typed: its field looks read-only.
  auto* resolution = Find<QLineEdit>(1110);
  EXPECT_TRUE(resolution->isReadOnly());
  EXPECT_EQ(resolution->palette().color(QPalette::Base), resolution->palette().color(QPalette::Window));
}

TEST_F(Pages, DoubleClickOnTheCalibrationChartOpensTheEnlargedCurve) {
  OpenWithDemoSet();
  CChartWidget& chart = window->CalibrationChartWindow();
  QString title;
  int points = 0;
  InspectModalWhenShown([&](QWidget& modal) {
    auto* dialog = qobject_cast<ui::CDlgChart*>(&modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    EXPECT_EQ(dialog->minimumSize(), dialog->size());  // it may grow, not shrink
    points = dialog->ChartWindow().Chart().Series[1].Count();
  });
  QTest::mouseDClick(&chart, Qt::LeftButton, Qt::NoModifier, chart.rect().center());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !title.isEmpty(); }, 2000));
  EXPECT_EQ(title, ui::Text(shell, 307));
  EXPECT_EQ(points, static_cast<int>(window->GetWorkbench().calibrationTab().curve.times.size()));
}

TEST_F(Pages, TypingACalibrationTimeStoresItAndRecalculatesAfterwards) {
  OpenWithDemoSet();
  auto* c1 = Find<QLineEdit>(1106);
  c1->clear();
  c1->setFocus();
  const int before = Recalculations();
  QTest::keyClicks(c1, "0,4");  // the filter turns "," into "."
  EXPECT_EQ(c1->text(), "0.4");
  EXPECT_EQ(host.ProfileText("plugins\\plug528\\settings\\time_C1"), "0.4");
  EXPECT_EQ(Recalculations(), before);  // queued, not yet run
  QTest::qWait(1);
  QCoreApplication::processEvents();
  EXPECT_EQ(Recalculations(), before + 3);  // one request per keystroke
}

TEST_F(Pages, HiddenCurveKeepsTheAxisRangesAndANewColourReachesTheEnlargedChart) {
  OpenWithDemoSet();
  window->Tabs().setCurrentIndex(2);
  CChartWidget& chartWindow = window->DistillationChartWindow();
  CChart& chart = chartWindow.Chart();
  chartWindow.grab();
  const double xMin = chart.XMin, xMax = chart.XMax, yMax = chart.YMax;
  Find<QCheckBox>(1064)->click();  // analysis 3: "Отобразить" off
  EXPECT_EQ(chart.Series[2].Hidden, 1);
  chartWindow.grab();
  EXPECT_EQ(chart.XMin, xMin);
  EXPECT_EQ(chart.XMax, xMax);
  EXPECT_EQ(chart.YMax, yMax);

  seams.colour = QColor(10, 20, 30);
  auto* swatch = Find<ui::CColourSwatch>(1048);
  QTest::mouseClick(swatch, Qt::LeftButton);
  EXPECT_EQ(chart.Series[0].Colour, ui::FromQColor(QColor(10, 20, 30)));
  EXPECT_EQ(swatch->Colour(), chart.Series[0].Colour);

  COLORREF enlargedColour = 0;
  InspectModalWhenShown([&](QWidget& modal) {
    auto* dialog = qobject_cast<ui::CDlgChartProp*>(&modal);
    ASSERT_NE(dialog, nullptr);
    enlargedColour = dialog->ChartWindow().Chart().Series[0].Colour;
  });
  window->DistillationPage().OpenEnlargedChart();
  EXPECT_EQ(enlargedColour, chart.Series[0].Colour);
}

}  // namespace
}  // namespace p528::test
