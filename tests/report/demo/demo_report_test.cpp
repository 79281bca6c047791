// The report of the demo set, calculated by the workbench as the main window would, with
// the charts drawn by Qt, in Russian and in English: every section is there, the pictures
// are real PNGs and every number is the text the result lists show. The reports are left
// in the build folder (tests/report/demo-report-<lang>.html) for people to look at.
#include "../html_reader.h"
#include "support/temp_folder.h"

#include "chart/qt/chart_png.h"
#include "chromatogram/chrm_role.h"
#include "chromatogram_set.h"
#include "report/report_document.h"
#include "report/workbench_report.h"
#include "set_writer.h"
#include "shell/settings.h"
#include "shell/string_table.h"
#include "support/fake_host.h"
#include "workbench/analysis.h"
#include "workbench/workbench.h"

#include <gtest/gtest.h>
#include <QByteArray>
#include <QImage>

namespace p528::report_test {
namespace {

const std::string kComponents = std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv";

struct SaveTo : ReportDesktop {
  explicit SaveTo(std::string file) : path(std::move(file)) {}
  bool AskSaveFileName(const std::string&, std::string& chosen) override {
    chosen = path;
    return true;
  }
  void OpenFile(const std::string&) override {}
  std::string path;
};

// The gasoil demo set written to `folder`, its role texts in the language of `shell` (a set
// recorded under an English interface carries the English role texts).
std::vector<std::string> WriteDemoSet(const Shell& shell, const std::string& folder) {
  ComponentTable components;
  LoadComponentTable(kComponents, components);
  chrmgen::GeneratedSet set = chrmgen::GenerateSet(chrmgen::ScenarioDefaults("gasoil"), components);
  for (chrmgen::GeneratedRun& run : set.runs) {
    run.roleText = RolePassportText(shell, run.role);
    for (PassportField& field : run.file.passport.fields) {
      if (field.title == "Chrm_Type") field.value = run.roleText;
    }
  }
  chrmgen::WriteSet(set, folder, kComponents, false);
  std::vector<std::string> files;
  for (const chrmgen::GeneratedRun& run : set.runs) files.push_back(folder + "/" + run.fileName);
  return files;
}

// Texts of the cells of each body row of a section's table.
std::vector<std::vector<std::string>> HtmlRows(const Html& page, const std::string& section) {
  std::vector<std::vector<std::string>> rows;
  for (xmlNodePtr tr :
       page.Nodes("//section[contains(concat(' ', @class, ' '), ' " + section + " ')]//tbody/tr")) {
    std::vector<std::string> cells;
    for (xmlNodePtr td = tr->children; td != nullptr; td = td->next) {
      if (td->type == XML_ELEMENT_NODE) cells.push_back(Html::Text(td));
    }
    rows.push_back(cells);
  }
  return rows;
}

// The list's rows, cells first..first+count-1 of each.
std::vector<std::vector<std::string>> ListRows(const TableModel& list, int first, int count) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < list.RowCount(); ++r) {
    std::vector<std::string> cells;
    for (int c = first; c < first + count; ++c) cells.push_back(list.Cell(r, c));
    rows.push_back(cells);
  }
  return rows;
}

struct Language {
  const char* name;
  uint16_t id;
  const StringTable& (*strings)();
  const char* title;
};

class DemoReport : public ::testing::TestWithParam<Language> {};

TEST_P(DemoReport, EverySectionPicturesAndTheListsTexts) {
  const Language& language = GetParam();
  test::TempFolder folder;
  test::FakeHost host;
  host.language = language.id;
  Shell shell = host.MakeShell();
  shell.uiLangId = language.id;
  shell.resources = &language.strings();
  const std::vector<std::string> files = WriteDemoSet(shell, folder / "set");
  WriteSettingInt(shell, kSectionSettings, "method", Gost56720A);

  Workbench workbench(shell, kComponents);
  workbench.Initialise(false, false);
  workbench.AddFiles(files);
  workbench.InstrumentNumberChanged("528");
  ASSERT_GT(workbench.analysis().Analyses.size(), 1u);
  ASSERT_GT(workbench.tables().repeatability.RowCount(), 0);

  const std::string output =
      std::string(PLUG528_BINARY_DIR) + "/tests/report/demo-report-" + language.name + ".html";
  QtChartPngRenderer renderer;
  SaveTo desktop(output);
  ReportRequest request;
  request.mode = ReportMode::Save;
  request.styleSheetFolder = std::string(PLUG528_SOURCE_DIR) + "/data";
  request.renderer = &renderer;
  request.desktop = &desktop;
  ReportOptions all;
  for (const ReportFlagSpec& flag : ReportFlags()) all.*flag.member = 1;
  request.options = all;
  const ReportOutcome outcome = MakeWorkbenchReport(workbench, request);
  ASSERT_EQ(outcome.status, ReportStatus::Written) << ReportOutcomeText(shell, outcome);

  const Html page(ReadBytes(output));
  ASSERT_TRUE(page.ok());
  EXPECT_EQ(page.First("//h1"), language.title);

  // Every section asked for; the messages only when the calculation raised errors.
  std::vector<std::string> sections;
  for (xmlNodePtr section : page.Nodes("//body/section"))
    sections.push_back(Html::Attribute(section, "class"));
  std::vector<std::string> expected{"files",     "chart grad_chart", "response",
                                    "reference", "chart prop_chart", "percent-off prop_table_A",
                                    "fractions", "iso3405"};
  if (workbench.messages().ErrorCount() > 0) expected.push_back("messages");
  EXPECT_EQ(sections, expected);

  // The header.
  EXPECT_EQ(page.First("//td[@class='sample']"), ReportSampleName(workbench.analysis()));
  EXPECT_EQ(page.First("//td[@class='device']"), "528");
  EXPECT_EQ(page.Texts("//td[@class='operator']"),
            (std::vector<std::string>{workbench.operatorName(), workbench.operatorName()}));
  EXPECT_FALSE(workbench.operatorName().empty());
  EXPECT_NE(page.First("//p[@class='method']").find(ReportMethodName(shell, Gost56720A)), std::string::npos);

  // Pictures: PNGs that decode, at the fixed size (no window shows the charts here).
  const std::vector<xmlNodePtr> images = page.Nodes("//img");
  ASSERT_EQ(images.size(), 2u);
  for (xmlNodePtr img : images) {
    const std::string src = Html::Attribute(img, "src");
    const std::string prefix = "data:image/png;base64,";
    ASSERT_EQ(src.rfind(prefix, 0), 0u);
    const QByteArray png = QByteArray::fromBase64(QByteArray::fromStdString(src.substr(prefix.size())),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    QImage image;
    ASSERT_TRUE(image.loadFromData(png, "PNG"));
    EXPECT_EQ(image.width(), kReportChartWidth);
    EXPECT_EQ(image.height(), kReportChartHeight);
  }

  // Every number is the text of the list the user sees.
  const ResultTables& tables = workbench.tables();
  EXPECT_EQ(HtmlRows(page, "response"), ListRows(tables.response, 0, tables.response.ColumnCount()));
  EXPECT_EQ(HtmlRows(page, "reference"), ListRows(tables.reference, 1, 6));
  EXPECT_EQ(HtmlRows(page, "iso3405"), ListRows(tables.iso3405, 1, 3));
  const int percentColumns =
      static_cast<int>(page.Nodes("//section[contains(@class,'percent-off')]//thead//th").size());
  EXPECT_EQ(percentColumns, 7);  // percent, T1, T2, mean, difference, r, conformity
  EXPECT_EQ(HtmlRows(page, "percent-off"), ListRows(tables.repeatability, 1, percentColumns));
  const int fractionColumns = static_cast<int>(page.Nodes("//section[@class='fractions']//thead//th").size());
  EXPECT_EQ(HtmlRows(page, "fractions"), ListRows(tables.fractions, 1, fractionColumns));
  // The file list holds every file of the set.
  std::vector<std::string> listed, inSet;
  for (const auto& row : HtmlRows(page, "files")) listed.push_back(row.at(4));
  for (int r = 0; r < workbench.fileList().RowCount(); ++r)
    inSet.push_back(workbench.fileList().Cell(r, FileColumnName));
  std::sort(listed.begin(), listed.end());
  std::sort(inSet.begin(), inSet.end());
  EXPECT_EQ(listed, inSet);
}

INSTANTIATE_TEST_SUITE_P(Languages, DemoReport,
                         ::testing::Values(Language{"ru", 0x0419, &RussianStrings, "Отчет об анализе"},
                                           Language{"en", 0x0409, &EnglishStrings, "Analysis report"}),
                         [](const ::testing::TestParamInfo<Language>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace p528::report_test
