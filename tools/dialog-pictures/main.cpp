// dialog-pictures OUT_FOLDER ru|en [CHROMATOGRAM...]
//
// Shows each dialog of the main window as it opens (with a few edits where the dialog
// shows them: the components dialog's coloured rows) and saves a picture of it:
// analysis-<lang>.png, reference-<lang>.png, report-options-<lang>.png,
// components-<lang>.png. With chromatograms, the set is calculated and "Отчет" is run with
// every section; the HTML it hands to the viewer is copied to report-<lang>.html.
// The profile lives in memory; nothing of the user's is read or written.
#include "cli_host.h"
#include "host/kit/profile_store.h"

#include "chart/qt/chart_widget.h"
#include "report/report_options.h"
#include "shell/settings.h"
#include "shell/string_table.h"
#include "ui/dialogs/analysis_settings_dialog.h"
#include "ui/dialogs/components_dialog.h"
#include "ui/dialogs/dialog_commands.h"
#include "ui/dialogs/edit_grid.h"
#include "ui/dialogs/gasoil_params_dialog.h"
#include "ui/dialogs/report_options_dialog.h"
#include "workbench/workbench.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

using namespace p528;

class PictureSeams : public ui::DialogSeams {
 public:
  void ShowMessage(QWidget*, const QString&, const QString& text, MessageKind) override {
    std::cerr << "dialog-pictures: message: " << text.toStdString() << "\n";
  }
  std::optional<QColor> ChooseColour(QWidget*, const QColor&) override { return std::nullopt; }
  std::optional<QString> AskSaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  bool OpenWithViewer(const QString& path) override {
    opened = path;
    return true;
  }
  QString opened;
};

bool Save(QWidget& dialog, const std::string& path) {
  dialog.show();
  dialog.adjustSize();
  QApplication::processEvents();
  const bool saved = dialog.grab().save(QString::fromStdString(path), "PNG");
  std::cout << path << (saved ? "" : " (not written)") << "\n";
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << "usage: dialog-pictures OUT_FOLDER ru|en [CHROMATOGRAM...]\n"
                 "Draws the dialogs of the main window (and the report it shows) as PNG pictures.\n";
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "dialog-pictures " << PLUG528_VERSION << "\n";
    return 0;
  }
  if (argc < 3 || (std::string(argv[2]) != "ru" && std::string(argv[2]) != "en")) {
    std::cerr << "usage: dialog-pictures OUT_FOLDER ru|en [CHROMATOGRAM...]\n";
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const std::string out = argv[1];
  const std::string lang = argv[2];
  std::filesystem::create_directories(out);

  hostkit::ProfileStore profile;
  simdist::CliHost host(profile);
  host.languageId = lang == "en" ? 0x0409 : kLangRussian;
  Shell shell;
  shell.host = host.Attach();
  shell.uiLangId = host.languageId;
  shell.resources = lang == "en" ? &EnglishStrings() : &RussianStrings();
  shell.settingsPrefix = kSettingsPrefix;
  Workbench workbench(shell, std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv");
  workbench.Initialise(false, false);
  std::vector<std::string> files;
  for (int i = 3; i < argc; ++i) files.push_back(std::filesystem::absolute(argv[i]).string());
  if (!files.empty()) workbench.AddFiles(files);

  bool ok = true;
  // The report first, with the set's own settings and every section.
  for (const ReportFlagSpec& flag : ReportFlags()) WriteSettingInt(shell, kSectionSettings, flag.key, 1);
  if (!files.empty()) {
    CChartWidget calibration(workbench.calibrationChartForView());
    CChartWidget distillation(workbench.distillationChartForView());
    for (CChartWidget* chart : {&calibration, &distillation}) {
      chart->resize(kReportChartWidth, kReportChartHeight);
      chart->show();
    }
    QApplication::processEvents();
    PictureSeams seams;
    const ReportOutcome outcome = ui::ShowReport(nullptr, workbench, seams, calibration, distillation,
                                                 std::string(PLUG528_BINARY_DIR) + "/src/plugin");
    const std::string report = out + "/report-" + lang + ".html";
    std::filesystem::remove(report);
    if (outcome.status != ReportStatus::Written ||
        !QFile::copy(seams.opened, QString::fromStdString(report))) {
      std::cerr << "dialog-pictures: no report: " << outcome.detail << "\n";
      ok = false;
    } else {
      std::cout << report << "\n";
    }
  }
  // An internal-standard method and the user's own reference: every control enabled.
  WriteSettingInt(shell, kSectionSettings, "method", 3);
  WriteSettingInt(shell, kSectionSettings, "type_ref_gasoil", 2);
  WriteSettingText(shell, kSectionGasoil, "0_temp", "115");
  WriteSettingText(shell, kSectionGasoil, "0_delta", "7.6");
  WriteSettingText(shell, kSectionGasoil, "gasoilPasportNum", "ГО-17/2024");
  WriteSettingInt(shell, kSectionSettings, "flag_prop_ISO3405", 0);

  {
    ui::AnalysisSettingsDialog dialog(workbench.analysisForSettingsDialog(), nullptr, nullptr);
    ok &= Save(dialog, out + "/analysis-" + lang + ".png");
  }
  {
    ui::CDlgGasoilParams dialog(shell);
    ok &= Save(dialog, out + "/reference-" + lang + ".png");
  }
  {
    ui::CDlgOptions dialog(shell);
    ok &= Save(dialog, out + "/report-options-" + lang + ".png");
  }
  {
    ui::CComponents dialog(shell, workbench.components());
    ui::EditGrid& list = *dialog.List();
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("1096"))->click();
    dialog.findChild<QPushButton*>(QStringLiteral("1096"))->click();
    if (list.BeginEdit(50, 3)) {
      list.Editor()->setText(QStringLiteral("0,95"));
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(list.Editor(), &enter);
    }
    QApplication::processEvents();
    list.clearSelection();
    list.scrollToBottom();
    ok &= Save(dialog, out + "/components-" + lang + ".png");
  }
  host.Detach();
  return ok ? 0 : 1;
}
