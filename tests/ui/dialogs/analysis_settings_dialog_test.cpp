// "Настройка анализа" as the chemist uses it: typing into the numeric fields, the method
// and reference choices, OK and Enter (what is stored, the recalculation posted), Cancel,
// Escape and the close box (back to what is stored).
#include "dialogs_fixture.h"

#include "ui/dialogs/analysis_settings_dialog.h"
#include "ui/dialogs/dialog_commands.h"
#include "workbench/analysis.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace p528::test {
namespace {

class AnalysisDialog : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    StartWith();
  }
  // The dialog as "Настройки анализа" opens it, with a stand-in for the main window.
  std::unique_ptr<ui::AnalysisSettingsDialog> Open() {
    auto dialog = std::make_unique<ui::AnalysisSettingsDialog>(workbench->analysisForSettingsDialog(),
                                                               &window, [this] { workbench->Recalculate(); });
    dialog->show();
    return dialog;
  }
  QLineEdit* Field(QWidget& dialog, const char* id) { return Child<QLineEdit>(dialog, id); }
  void Click(QWidget& dialog, const char* id) {
    QTest::mouseClick(Child<QAbstractButton>(dialog, id), Qt::LeftButton);
  }

  QWidget window;
};

TEST_F(AnalysisDialog, NumericFieldsKeepANumberWhateverIsTyped) {
  auto dialog = Open();
  Click(*dialog, "1026");  // an internal-standard method: the mass fields take input
  QLineEdit* mass = Field(*dialog, "1027");
  mass->clear();
  Type(mass, "12,5");
  EXPECT_EQ(mass->text(), "12.5");
  EXPECT_EQ(mass->cursorPosition(), 4);

  QLineEdit* water = Field(*dialog, "1032");
  water->clear();
  Type(water, ",");
  EXPECT_EQ(water->text(), "0.");

  QLineEdit* start = Field(*dialog, "1037");
  start->clear();
  Type(start, "-.5");
  EXPECT_EQ(start->text(), "-0.5");
  Type(start, "-");  // a minus after a digit goes
  EXPECT_EQ(start->text(), "-0.5");

  QLineEdit* h2s = Field(*dialog, "1030");
  h2s->clear();
  QApplication::clipboard()->setText(QStringLiteral("1ab2"));
  h2s->paste();
  EXPECT_EQ(h2s->text(), "12");
}

TEST_F(AnalysisDialog, OkRaisesTheStepMarkAndStoresOnlyWhatChanged) {
  host.SetProfileText("plugins\\plug528\\settings\\step_mark", "10.0");
  host.SetProfileText("plugins\\plug528\\settings\\start_mark", "70.0");
  {
    auto dialog = Open();
    Field(*dialog, "1023")->clear();
    Type(Field(*dialog, "1023"), "0.2");
    Field(*dialog, "1024")->clear();
    Type(Field(*dialog, "1024"), "70.00");
    host.ClearCalls();
    Click(*dialog, "1046");
    EXPECT_EQ(Field(*dialog, "1023")->text(), "0.5");
    EXPECT_EQ(Field(*dialog, "1024")->text(), "70.00");  // the stored number: left as typed
  }
  EXPECT_EQ(Setting("step_mark"), "0.5");
  EXPECT_EQ(Setting("start_mark"), "70.0");
  for (const HostCall& call : host.CallsOf("CallService", "Profile/SetString")) {
    EXPECT_EQ(call.text.find(u"start_mark"), std::u16string::npos) << "start_mark stored again";
  }
}

TEST_F(AnalysisDialog, MassFieldsFollowTheMethodAndMethodBIsNotOffered) {
  auto dialog = Open();
  EXPECT_FALSE(Child<QRadioButton>(*dialog, "1035")->isEnabled());
  EXPECT_FALSE(Field(*dialog, "1027")->isEnabled());
  Click(*dialog, "1026");
  EXPECT_TRUE(Field(*dialog, "1027")->isEnabled());
  EXPECT_TRUE(Field(*dialog, "1028")->isEnabled());
  Click(*dialog, "1036");
  EXPECT_FALSE(Field(*dialog, "1027")->isEnabled());
  EXPECT_FALSE(Field(*dialog, "1028")->isEnabled());
}

TEST_F(AnalysisDialog, LotTwoSurvivesARestartOfTheHost) {
  {
    auto dialog = Open();
    EXPECT_FALSE(Child<QPushButton>(*dialog, "1152")->isEnabled());
    Click(*dialog, "1151");
    EXPECT_TRUE(Child<QPushButton>(*dialog, "1152")->isEnabled());
    Click(*dialog, "1150");
    EXPECT_FALSE(Child<QPushButton>(*dialog, "1152")->isEnabled());
    Click(*dialog, "1046");
  }
  // The module and its window start anew over the host's profile.
  workbench.reset();
  StartWith();
  auto dialog = Open();
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "1150")->isChecked());
  EXPECT_EQ(workbench->analysis().RefType, Lot2);
}

TEST_F(AnalysisDialog, ResetStepGivesTheMethodsDefaultStep) {
  auto dialog = Open();
  Type(Field(*dialog, "1029"), "2.5");
  EXPECT_EQ(workbench->analysis().UseDefaultStep, 0);
  Click(*dialog, "1041");
  EXPECT_EQ(Field(*dialog, "1029")->text(), "");
  Click(*dialog, "1046");
  EXPECT_EQ(workbench->analysis().UseDefaultStep, 1);
  EXPECT_EQ(workbench->analysis().StepPercent, "");
}

TEST_F(AnalysisDialog, OkAndEnterStoreAndPostOneRecalculation) {
  const int before = user.recalculations;
  {
    auto dialog = Open();
    Click(*dialog, "1046");
    EXPECT_EQ(user.recalculations, before);  // queued, not run inside the dialog
    QApplication::processEvents();
    EXPECT_EQ(user.recalculations, before + 1);
  }
  {
    auto dialog = Open();
    Type(Field(*dialog, "1037"), "3");
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(workbench->analysis().TimeStartSample, "0.03");
    EXPECT_EQ(Setting("TimeStartSample"), "0.03");  // what is calculated is what is stored
  }
  QApplication::processEvents();
  EXPECT_EQ(user.recalculations, before + 2);
}

// ISO 3924, start mark 100, a typed step and mass, then the dialog left without OK: the
// engine goes on with the stored (and shown) ASTM settings, the saved texts and the default
// step, whichever way the dialog was left.
TEST_F(AnalysisDialog, LeavingWithoutOkKeepsTheEngineOnTheStoredSettings) {
  const std::function<void(ui::AnalysisSettingsDialog&)> ways[] = {
      [this](ui::AnalysisSettingsDialog& dialog) { Click(dialog, "1047"); },
      [](ui::AnalysisSettingsDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
      [](ui::AnalysisSettingsDialog& dialog) { dialog.close(); },
  };
  workbench->analysisForSettingsDialog().SampleMass = "1.5";
  const int before = user.recalculations;
  for (const auto& leave : ways) {
    auto dialog = Open();
    Click(*dialog, "1036");
    Field(*dialog, "1024")->clear();
    Type(Field(*dialog, "1024"), "100");
    Type(Field(*dialog, "1029"), "2");
    Type(Field(*dialog, "1027"), "7");
    leave(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    const CAnalysis& engine = workbench->analysis();
    EXPECT_EQ(engine.Method, AstmD2887A);
    EXPECT_EQ(engine.start_mark, "70.0");
    EXPECT_EQ(engine.UseDefaultStep, 1);
    EXPECT_EQ(engine.StepPercent, "");
    EXPECT_EQ(engine.SampleMass, "1.5");  // the saved copy is back
  }
  QApplication::processEvents();
  EXPECT_EQ(user.recalculations, before);
  EXPECT_EQ(SettingInt("method"), std::nullopt);
  // A later recalculation (an OK elsewhere) calculates what the dialog shows again.
  workbench->Recalculate();
  auto dialog = Open();
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "1034")->isChecked());
  EXPECT_EQ(workbench->analysis().Method, AstmD2887A);
}

TEST_F(AnalysisDialog, TheWindowsButtonRunsTheDialogModally) {
  const int before = user.recalculations;
  WhenModal<ui::AnalysisSettingsDialog>([](ui::AnalysisSettingsDialog& dialog) {
    QTest::mouseClick(Child<QRadioButton>(dialog, "1036"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "1046"), Qt::LeftButton);
  });
  ui::RunAnalysisSettings(&window, *workbench);
  QApplication::processEvents();
  EXPECT_EQ(SettingInt("method"), Iso3924);
  EXPECT_EQ(user.recalculations, before + 1);
}

}  // namespace
}  // namespace p528::test
