// "Параметры эталона" and "Настройки отчета": what OK stores and what Cancel does not; the
// buttons of every settings dialog reached from the keyboard.
#include "dialogs_fixture.h"

#include "shell/string_table.h"
#include "support/mnemonics.h"
#include "ui/dialogs/analysis_settings_dialog.h"
#include "ui/dialogs/components_dialog.h"
#include "ui/dialogs/dialog_commands.h"
#include "ui/dialogs/gasoil_params_dialog.h"
#include "ui/dialogs/report_options_dialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace p528::test {
namespace {

using ReferenceDialog = DialogsTest;

std::optional<std::string> Gasoil(const FakeHost& host, const std::string& key) {
  return host.ProfileText("plugins\\plug528\\GasoilParams\\" + key);
}

TEST_F(ReferenceDialog, OkRoundsTemperaturesAndKeepsAOneCharacterPassportOut) {
  {
    ui::CDlgGasoilParams dialog(shell);
    EXPECT_EQ(Child<QLineEdit>(dialog, "passport")->text(), "---");
    CGridCtrl& list = *dialog.List();
    EXPECT_FALSE(EditCell(list, 0, 1, "1"));
    ASSERT_TRUE(EditCell(list, 0, 2, "114.6"));
    ASSERT_TRUE(EditCell(list, 0, 3, "7.55"));
    Child<QLineEdit>(dialog, "passport")->setText("7");
    QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
  }
  EXPECT_EQ(Gasoil(host, "0_temp"), "115");
  EXPECT_EQ(Gasoil(host, "0_delta"), "7.5");  // "%.1f" of 7.55 as a double
  EXPECT_EQ(Gasoil(host, "20_temp"), "-1");
  EXPECT_EQ(Gasoil(host, "gasoilPasportNum"), std::nullopt);

  ui::CDlgGasoilParams reopened(shell);
  EXPECT_EQ(Shown(*reopened.List(), 0, 2), "115");
  ASSERT_TRUE(EditCell(*reopened.List(), 1, 2, "150"));
  host.ClearCalls();
  QTest::mouseClick(Child<QPushButton>(reopened, "cancel"), Qt::LeftButton);
  EXPECT_TRUE(host.CallsOf("CallService", "Profile/SetString").empty());
}

using ReportOptionsDialog = DialogsTest;

TEST_F(ReportOptionsDialog, FirstUseIsClearAndCancelStoresNothing) {
  StartWith();
  ui::CDlgOptions dialog(shell);
  for (const char* id : {"1035", "1036", "1042", "1040", "1037", "1038", "1041", "1043", "1039"}) {
    EXPECT_FALSE(Child<QCheckBox>(dialog, id)->isChecked()) << id;
  }
  QTest::mouseClick(Child<QCheckBox>(dialog, "1039"), Qt::LeftButton);
  ASSERT_TRUE(Child<QCheckBox>(dialog, "1039")->isChecked());
  QTest::mouseClick(Child<QPushButton>(dialog, "2"), Qt::LeftButton);
  EXPECT_EQ(SettingInt("flag_msgs"), std::nullopt);
}

TEST_F(ReportOptionsDialog, OkStoresTheBoxesAndRecalculates) {
  StartWith();
  host.SetProfileInt("plugins\\plug528\\settings\\flag_files", 2);  // not a report section
  const int before = user.recalculations;
  WhenModal<ui::CDlgOptions>([](ui::CDlgOptions& dialog) {
    EXPECT_FALSE(Child<QCheckBox>(dialog, "1035")->isChecked());
    QTest::mouseClick(Child<QCheckBox>(dialog, "1039"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
  });
  ui::RunReportOptions(nullptr, *workbench);
  EXPECT_EQ(SettingInt("flag_msgs"), 1);
  EXPECT_EQ(SettingInt("flag_files"), 0);
  EXPECT_EQ(SettingInt("flag_prop_ISO3405"), 0);
  EXPECT_EQ(user.recalculations, before + 1);
}

// Every button of the settings dialogs (OK and Cancel among them) has an Alt+letter of
// its own within its dialog, in both languages.
using SettingsDialogs = DialogsTest;

TEST_F(SettingsDialogs, EveryButtonHasAMnemonicOfItsOwnInBothLanguages) {
  StartWith();
  QWidget window;
  const std::pair<const char*, std::function<std::unique_ptr<QDialog>()>> dialogs[] = {
      {"analysis settings",
       [&] {
         return std::make_unique<ui::AnalysisSettingsDialog>(workbench->analysisForSettingsDialog(), &window,
                                                             [] {});
       }},
      {"components", [&] { return std::make_unique<ui::CComponents>(shell, workbench->components()); }},
      {"report settings", [&] { return std::make_unique<ui::CDlgOptions>(shell); }},
      {"reference parameters", [&] { return std::make_unique<ui::CDlgGasoilParams>(shell); }},
  };
  for (const StringTable* texts : {&RussianStrings(), &EnglishStrings()}) {
    shell.resources = texts;
    for (const auto& [name, make] : dialogs) {
      const ButtonMnemonics mnemonics = MnemonicsOf(*make());
      EXPECT_EQ(mnemonics.Faults(), "") << name;
      EXPECT_GE(mnemonics.letters.size(), 2) << name;
    }
  }
  shell.resources = &RussianStrings();
}

}  // namespace
}  // namespace p528::test
