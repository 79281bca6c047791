#include "demo_window.h"

#include "chromatogram/role_texts.h"
#include "chromatogram_set.h"
#include "set_writer.h"
#include "shell/settings.h"
#include "shell/text.h"

#include <QAbstractButton>
#include <QApplication>

#include <filesystem>

namespace p528::tools {

namespace {
constexpr uint16_t kEnglish = 0x0409;
}  // namespace

DemoWindow::DemoWindow(const std::string& folder, bool english) : host_(profile_) {
  const std::string sourceComponents = std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv";
  ComponentTable components;
  LoadComponentTable(sourceComponents, components);
  chrmgen::GeneratedSet set = chrmgen::GenerateSet(chrmgen::ScenarioDefaults("gasoil"), components);
  // An English laboratory marks its runs with the English role texts.
  if (english) {
    for (chrmgen::GeneratedRun& run : set.runs) {
      for (PassportField& field : run.file.passport.fields) {
        for (int id = text::kRolePassportCalibration; id <= text::kRolePassportCheck; ++id) {
          const char* russian = RussianStrings().Find(id);
          const char* translated = EnglishStrings().Find(id);
          if (russian != nullptr && translated != nullptr && field.value == russian) field.value = translated;
        }
      }
    }
  }
  std::filesystem::remove_all(folder);
  chrmgen::WriteSet(set, folder, sourceComponents, true);
  // The window keeps its own copy of the component table (it writes it back when it closes).
  const std::string componentPath = folder + "/tqle528data.csv";
  std::filesystem::copy_file(sourceComponents, componentPath,
                             std::filesystem::copy_options::overwrite_existing);

  host_.languageId = english ? kEnglish : kLangRussian;
  host_.database = Utf8ToUtf16(folder + "/assays.db");
  host_.assayDialogOffered = true;
  for (const chrmgen::AssayRow& row : set.Assays(folder)) host_.assayIds.push_back(row.id);

  shell_.host = host_.Attach();
  shell_.uiLangId = host_.languageId;
  shell_.resources = english ? &EnglishStrings() : &RussianStrings();
  shell_.settingsPrefix = kSettingsPrefix;
  shell_.databaseLocation = *host_.database;
  for (const auto& [key, value] : set.settings) {
    if (value.empty()) continue;
    if (key == "method" || key == "type_ref_gasoil") {
      WriteSettingInt(shell_, kSectionSettings, key, static_cast<int>(DecimalPrefix(value)));
    } else {
      WriteSettingText(shell_, kSectionSettings, key, value);
    }
  }

  window_ = std::make_unique<ui::CDarErud528Dlg>(shell_, componentPath, "1.2");
  window_->show();
  window_->activateWindow();
  QApplication::processEvents();
  if (auto* add = window_->findChild<QAbstractButton*>(QStringLiteral("1000"))) add->click();
  QApplication::processEvents();
}

DemoWindow::~DemoWindow() {
  window_.reset();
  host_.Detach();
}

}  // namespace p528::tools
