// "Отчет" and "Сохранить отчет" through the window's seams: the saved report is the one the
// command line writes for the same set and settings, its pictures are the charts at the
// report's own size whatever their windows show, and a report that cannot be made leaves
// nothing behind.
#include "dialogs_fixture.h"

#include "chart/qt/chart_widget.h"
#include "e2e/demo_set.h"
#include "host/kit/register/result_register.h"
#include "report/html_reader.h"
#include "shell/result_registration.h"
#include "shell/sha256.h"
#include "shell/text.h"
#include "ui/dialogs/dialog_commands.h"
#include "ui/dialogs/report_options_dialog.h"
#include "workbench/calc_diagnostics.h"
#include "workbench/result_json.h"

#include <QCheckBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>

#include <regex>

namespace p528::test {
namespace {

const std::string kStyleSheets = std::string(PLUG528_BINARY_DIR) + "/src/plugin";

// The report without its date (the day it was made).
std::string WithoutDate(const std::string& html) {
  return std::regex_replace(html, std::regex("\\b\\d{1,2}\\.\\d{2}\\.\\d{4}\\b"), "<date>");
}

std::vector<QImage> Pictures(const std::string& html) {
  std::vector<QImage> images;
  const std::regex png("data:image/png;base64,([A-Za-z0-9+/=]+)");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), png); it != std::sregex_iterator(); ++it) {
    images.push_back(
        QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString((*it)[1].str())), "PNG"));
  }
  return images;
}

class ReportCommands : public DialogsTest {
 protected:
  // The scenario's settings as the windows store them, the set added, the charts shown at
  // the size of the command line's pictures.
  void StartOnTheSet() {
    StoreDemoSettings(host, *set);
    StartWith();
    workbench->AddFiles(set->files);
    calibration = std::make_unique<CChartWidget>(workbench->calibrationChartForView());
    distillation = std::make_unique<CChartWidget>(workbench->distillationChartForView());
    for (CChartWidget* chart : {calibration.get(), distillation.get()}) {
      chart->resize(kReportChartWidth, kReportChartHeight);
      chart->show();
      ASSERT_EQ(chart->ClientRect().size(), QSize(kReportChartWidth, kReportChartHeight));
    }
  }

  // `simdist calc --report` on the same set with the same settings and every section.
  std::string CommandLineReport() {
    QStringList arguments = {"calc",         "--profile", QString::fromStdString(files / "profile"),
                             "--no-summary", "--report",  QString::fromStdString(files / "cli.html"),
                             "--sections",   "all"};
    for (const std::string& option : set->settingOptions) arguments << QString::fromStdString(option);
    for (const std::string& file : set->files) arguments << QString::fromStdString(file);
    QProcess simdist;
    simdist.start(QString::fromStdString(std::string(PLUG528_BINARY_DIR) + "/tools/simdist/simdist"),
                  arguments);
    EXPECT_TRUE(simdist.waitForFinished(120000));
    EXPECT_EQ(simdist.exitCode(), 0) << simdist.readAllStandardError().toStdString();
    return ReadBytes(files / "cli.html");
  }

  const WrittenSet* set = &DemoSet();
  std::unique_ptr<CChartWidget> calibration;
  std::unique_ptr<CChartWidget> distillation;
};

TEST_F(ReportCommands, SavedReportIsWhatTheCommandLineWrites) {
  StartOnTheSet();
  WhenModal<ui::CDlgOptions>([](ui::CDlgOptions& dialog) {
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) box->setChecked(true);
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
  });
  ui::RunReportOptions(nullptr, *workbench);

  seams.saveAnswer = files / "window";
  const ReportOutcome outcome =
      ui::SaveReport(nullptr, *workbench, seams, *calibration, *distillation, kStyleSheets);
  ASSERT_EQ(outcome.status, ReportStatus::Written) << outcome.detail;
  EXPECT_EQ(outcome.path, files / "window.html");
  ASSERT_EQ(seams.offeredNames.size(), 1u);
  EXPECT_TRUE(FileNamePart(seams.offeredNames[0]).starts_with("Report528_")) << seams.offeredNames[0];
  EXPECT_EQ(seams.filters, std::vector<std::string>{"html (*.html)"});
  EXPECT_TRUE(seams.opened.empty());

  const std::string saved = ReadBytes(outcome.path);
  const std::string window = WithoutDate(saved);
  const std::string commandLine = WithoutDate(CommandLineReport());
  const auto [at, _] = std::mismatch(window.begin(), window.end(), commandLine.begin(), commandLine.end());
  const std::size_t first = static_cast<std::size_t>(at - window.begin());
  EXPECT_EQ(window.size(), commandLine.size());
  EXPECT_EQ(first, window.size()) << "window: ..." << window.substr(first > 80 ? first - 80 : 0, 200)
                                  << "\ncommand line: ..."
                                  << commandLine.substr(first > 80 ? first - 80 : 0, 200);
  const std::vector<QImage> pictures = Pictures(saved);
  ASSERT_EQ(pictures.size(), 2u);
  for (const QImage& picture : pictures)
    EXPECT_EQ(picture.size(), QSize(kReportChartWidth, kReportChartHeight));
}

TEST_F(ReportCommands, ShownReportIsANewFileInTheViewerAndAFailureLeavesNothing) {
  StartOnTheSet();
  calibration->resize(100, 30);  // a page shown small (or never): the picture keeps its size
  host.SetProfileInt("plugins\\plug528\\settings\\flag_grad_chart", 1);
  const char* oldTemp = std::getenv("TMPDIR");
  const std::string savedTemp = oldTemp != nullptr ? oldTemp : "";
  TempFolder tmpdir;
  setenv("TMPDIR", tmpdir.path().c_str(), 1);

  const ReportOutcome first =
      ui::ShowReport(nullptr, *workbench, seams, *calibration, *distillation, kStyleSheets);
  const ReportOutcome second =
      ui::ShowReport(nullptr, *workbench, seams, *calibration, *distillation, kStyleSheets);
  ASSERT_EQ(first.status, ReportStatus::Written) << first.detail;
  EXPECT_EQ(seams.opened, (std::vector<std::string>{first.path, second.path}));
  EXPECT_NE(first.path, second.path);
  EXPECT_EQ(first.path.rfind(tmpdir.path() + "/plug528-report-", 0), 0u) << first.path;
  const std::vector<QImage> pictures = Pictures(ReadBytes(first.path));
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].size(), QSize(kReportChartWidth, kReportChartHeight));
  // Only the chosen section besides the report's fixed parts (header and signatures).
  const report_test::Html page(ReadBytes(first.path));
  std::vector<std::string> sections;
  for (xmlNodePtr section : page.Nodes("//body/section"))
    sections.push_back(report_test::Html::Attribute(section, "class"));
  EXPECT_EQ(sections, std::vector<std::string>{"chart grad_chart"});
  EXPECT_EQ(page.Nodes("//body/header").size(), 1u);

  const std::vector<std::string> before = tmpdir.Files();
  const ReportOutcome failed =
      ui::ShowReport(nullptr, *workbench, seams, *calibration, *distillation, files / "none");
  EXPECT_EQ(failed.status, ReportStatus::NoStyleSheet);
  EXPECT_EQ(seams.opened.size(), 2u);
  EXPECT_TRUE(seams.messages.empty());
  for (const std::string& name : tmpdir.Files()) {
    if (std::find(before.begin(), before.end(), name) == before.end()) {
      EXPECT_TRUE(name.ends_with(".tmp") && ReadBytes(tmpdir / name).empty())
          << name;  // only the empty name holder
    }
  }
  // No viewer started: the user is told where the report is.
  seams.viewerStarts = false;
  const ReportOutcome unseen =
      ui::ShowReport(nullptr, *workbench, seams, *calibration, *distillation, kStyleSheets);
  ASSERT_EQ(seams.messages.size(), 1u);
  EXPECT_NE(seams.messages[0].find(unseen.path), std::string::npos) << seams.messages[0];
  if (oldTemp != nullptr)
    setenv("TMPDIR", savedTemp.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

// A report made or saved is a result issued: it enters the register through the host's
// service when the host offers one, and a host without it is never asked.
TEST_F(ReportCommands, ASavedReportIsRegisteredThroughTheHostThatKeepsARegister) {
  StartOnTheSet();
  host.RemoveService(kRegisterResultService);
  seams.saveAnswer = files / "unregistered";
  ASSERT_EQ(ui::SaveReport(nullptr, *workbench, seams, *calibration, *distillation, kStyleSheets).status,
            ReportStatus::Written);
  EXPECT_TRUE(host.CallsOf("CallService", kRegisterResultService).empty());

  hostkit::ResultRegister store(files / "assays.db");
  host.Provide(kRegisterResultService, [&store](intptr_t, intptr_t lparam) -> intptr_t {
    return static_cast<intptr_t>(store.Add(*reinterpret_cast<const ResultRegistration*>(lparam)));
  });
  seams.saveAnswer = files / "registered";
  const ReportOutcome saved =
      ui::SaveReport(nullptr, *workbench, seams, *calibration, *distillation, kStyleSheets);
  ASSERT_EQ(saved.status, ReportStatus::Written);
  ASSERT_EQ(host.CallsOf("CallService", kRegisterResultService).size(), 1u);

  const std::optional<hostkit::RegisterEntry> entry = store.Entry(1);
  ASSERT_TRUE(entry.has_value());
  const ResultRegistration& r = entry->record;
  EXPECT_EQ(r.reportHtml, ReadBytes(saved.path));
  EXPECT_EQ(r.resultJson, ResultJson(*workbench, 2, Diagnostics(*workbench)));
  EXPECT_EQ(r.instrument, workbench->instrumentNumber());
  EXPECT_EQ(r.methodName, "astm-d2887-a");
  EXPECT_FALSE(r.operatorName.empty());
  ASSERT_EQ(r.runs.size(), set->files.size());
  for (const RegisteredRun& run : r.runs) EXPECT_EQ(run.fingerprint, Sha256Hex(ReadBytes(run.fileName)));
  EXPECT_EQ(r.referencePoints.size(), 21u);
}

// The save dialog opens in the folder saved into last (remembered), not in the process's
// working folder; a remembered folder that is gone gives way to the home folder.
TEST_F(ReportCommands, TheSaveDialogOpensInTheFolderSavedIntoLast) {
  StartWith();
  CChartWidget calibrationView(workbench->calibrationChartForView());
  CChartWidget distillationView(workbench->distillationChartForView());
  std::filesystem::create_directories(files / "reports");
  seams.saveAnswer = files / "reports/first";
  ASSERT_EQ(
      ui::SaveReport(nullptr, *workbench, seams, calibrationView, distillationView, kStyleSheets).status,
      ReportStatus::Written);
  seams.saveAnswer.clear();
  ui::SaveReport(nullptr, *workbench, seams, calibrationView, distillationView, kStyleSheets);
  ASSERT_EQ(seams.offeredNames.size(), 2u);
  EXPECT_EQ(std::filesystem::path(seams.offeredNames[1]).parent_path(), files / "reports");

  std::filesystem::remove_all(files / "reports");
  ui::SaveReport(nullptr, *workbench, seams, calibrationView, distillationView, kStyleSheets);
  const char* home = std::getenv("HOME");
  if (home != nullptr && std::filesystem::is_directory(home)) {
    EXPECT_EQ(std::filesystem::path(seams.offeredNames[2]).parent_path(), std::filesystem::path(home));
  }
}

TEST_F(ReportCommands, CancelledSaveDialogWritesNothing) {
  StartWith();
  CChartWidget calibrationView(workbench->calibrationChartForView());
  CChartWidget distillationView(workbench->distillationChartForView());
  const ReportOutcome outcome =
      ui::SaveReport(nullptr, *workbench, seams, calibrationView, distillationView, kStyleSheets);
  EXPECT_EQ(outcome.status, ReportStatus::Cancelled);
  EXPECT_EQ(files.Files(), std::vector<std::string>{"tqle528data.csv"});
}

}  // namespace
}  // namespace p528::test
