// The main window as a chemist uses it: adding and removing files, the instrument number,
// the tabs, the calibration tab's fields and calculator, the distillation page's curves.
#include "ui_fixture.h"

#include "chart/qt/chart_widget.h"
#include "ui/pages/chart_dialogs.h"
#include "ui/pages/colour_swatch.h"
#include "ui/pages/distillation_page.h"
#include "ui/pages/message_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
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
    points = dialog->ChartWindow().Chart().Curves[1].Count;
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
