// The recalculation sequence as a user meets it: which files are added, numbered, listed,
// remembered and handed to the engine.
#include "workbench_fixture.h"

#include "chromatogram/analysis_time.h"

#include "shell/settings.h"

namespace p528::test {
namespace {

const char* kNoCalibration = "Отсутствует градуировочная хроматтограмма!";

using Recalculate = WorkbenchTest;

TEST_F(Recalculate, FiveAnalysesInOneCommandThreeEarliestNumbered) {
  Workbench& wb = Start();
  std::vector<std::string> paths;
  const int64_t times[] = {500, 100, 400, 200, 300};
  for (int i = 0; i < 5; ++i) {
    paths.push_back(Run({"a" + std::to_string(i) + ".stg", "#анализ", times[i]}));
  }
  wb.AddFiles(paths);
  EXPECT_EQ(wb.chrmSet().size(), 5u);
  EXPECT_EQ(Column(FileColumnRole), (std::vector<std::string>{"анализ - ???", "анализ - 1", "анализ - ???",
                                                              "анализ - 2", "анализ - 3"}));
  // Only the numbered runs reach the engine, in set order (RunCalc sorts them later).
  ASSERT_EQ(wb.analysis().Analyses.size(), 3u);
  EXPECT_EQ(wb.analysis().Analyses[0].Number, 1);
  EXPECT_EQ(wb.analysis().Analyses[1].Number, 2);
  EXPECT_EQ(wb.analysis().Analyses[2].Number, 3);
}

TEST_F(Recalculate, FourthAnalysisRefusedInALaterCommand) {
  Workbench& wb = Start();
  wb.AddFiles({Run({"a1.stg", "#анализ", 1}), Run({"a2.stg", "#анализ", 2}), Run({"a3.stg", "#анализ", 3})});
  wb.AddFiles({Run({"a4.stg", "#анализ", 0})});
  EXPECT_EQ(wb.chrmSet().size(), 3u);
  EXPECT_EQ(wb.chrmSet().count(Path("a4.stg")), 0u);
  ASSERT_EQ(user.skipped.size(), 1u);
  EXPECT_EQ(user.skipped[0].reason, SkipReason::RoleFull);
}

struct RoleListCase {
  const char* name;
  std::vector<RunSpec> runs;
  std::vector<std::string> listed;  // role texts in set order
  std::size_t analyses;             // handed to the engine
  std::size_t standards;
};

TEST_F(Recalculate, PairingOfAnalysesAndStandards) {
  const RoleListCase cases[] = {
      {"three analyses and one standard",
       {{"a1.stg", "#анализ", 30},
        {"a2.stg", "#анализ", 10},
        {"a3.stg", "#анализ", 20},
        {"s1.stg", "#стандарт", 5}},
       {"анализ - ???", "анализ - 1", "анализ - ???", "стандарт - 1"},
       1,
       1},
      {"standards without analyses",
       {{"s1.stg", "#стандарт", 5}, {"s2.stg", "#стандарт", 6}},
       {"стандарт - ???", "стандарт - ???"},
       0,
       0},
      {"role text in other letter case",
       {{"a1.stg", "#АНАЛИЗ", 5}, {"s1.stg", "#Стандарт", 6}},
       {"анализ - 1", "стандарт - 1"},
       1,
       1},
  };
  for (const RoleListCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    Workbench& wb = Start(false);
    std::vector<std::string> paths;
    for (const RunSpec& run : c.runs) paths.push_back(Run(run));
    wb.AddFiles(paths);
    EXPECT_EQ(Column(FileColumnRole), c.listed);
    EXPECT_EQ(wb.analysis().Analyses.size(), c.analyses);
    EXPECT_EQ(wb.analysis().StdRuns.size(), c.standards);
  }
}

TEST_F(Recalculate, LimitsAreCountedWhenTheCommandBegins) {
  Workbench& wb = Start();
  // Two calibrations in one command: both join; the later one in set order calibrates and
  // is remembered.
  // (Distinct analysis times: byte-identical files would be one run given twice.)
  const std::string first = Run({"cal1.stg", "#градуировочная", 1});
  const std::string second = Run({"cal2.stg", "#градуировочная", 2});
  wb.AddFiles({second, first});
  EXPECT_EQ(wb.chrmSet().size(), 2u);
  EXPECT_EQ(wb.calibrationTab().CalibrationChrm, &wb.chrmSet().at(second));
  EXPECT_EQ(RememberedPath("CHRM_GRAD"), second);
  // A later command finds the role full.
  wb.AddFiles({Run({"cal3.stg", "#градуировочная", 3})});
  EXPECT_EQ(wb.chrmSet().size(), 2u);
}

TEST_F(Recalculate, RoleFieldMustBeTitledExactly) {
  Workbench& wb = Start();
  RunSpec run{"a.stg", "#анализ"};
  run.roleTitle = "chrm_type";
  wb.AddFiles({Run(run), Run({"none.stg", ""}), Run({"odd.stg", "#анализы"})});
  EXPECT_TRUE(wb.chrmSet().empty());
  ASSERT_EQ(user.skipped.size(), 3u);
  EXPECT_EQ(user.skipped[0].reason, SkipReason::NoRoleText);
  EXPECT_EQ(user.skipped[1].reason, SkipReason::NoRoleText);
  EXPECT_EQ(user.skipped[2].reason, SkipReason::UnknownRoleText);
}

TEST_F(Recalculate, WithoutCalibrationOnlyTheMissingCalibrationIsReported) {
  Workbench& wb = Start();
  wb.AddFiles({Run({"blank.stg", "#холостая"}), Run({"a1.stg", "#анализ"})});
  EXPECT_EQ(wb.fileList().RowCount(), 2);
  EXPECT_EQ(wb.messages().Errors(), std::vector<std::string>{kNoCalibration});
  EXPECT_TRUE(wb.messages().Warnings().empty());
  EXPECT_TRUE(wb.messages().Information().empty());
  EXPECT_EQ(wb.analysis().State, StateNotRun);
  EXPECT_EQ(wb.calibrationTab().CalibrationChrm, nullptr);
  EXPECT_TRUE(wb.calibrationTab().curve.times.empty());
  EXPECT_NE(wb.messages().Text().find(kNoCalibration), std::string::npos);
}

TEST_F(Recalculate, ListRowsCarryNameSampleTimeRolePathAndAssayId) {
  Workbench& wb = Start();
  RunSpec run{"Проба 1.stg", "#градуировочная", 1709640000, "Дизельное топливо"};
  const std::string path = Run(run);
  wb.AddFiles({path});
  ASSERT_EQ(wb.fileList().RowCount(), 1);
  EXPECT_EQ(wb.fileList().Cell(0, FileColumnName), "Проба 1.stg");
  EXPECT_EQ(wb.fileList().Cell(0, FileColumnSample), "Дизельное топливо");
  EXPECT_EQ(wb.fileList().Cell(0, FileColumnTime), AnalysisTimeText(1709640000));
  EXPECT_EQ(wb.fileList().Cell(0, FileColumnRole), "град.");
  EXPECT_EQ(wb.fileList().Cell(0, FileColumnPath), path);
  EXPECT_EQ(wb.RowAssayId(0), -1);
  EXPECT_EQ(wb.fileList().ColumnCount(), 5);
  EXPECT_EQ(wb.fileList().Columns()[FileColumnPath].width, 0);
  EXPECT_EQ(wb.calibrationTab().CalibrationChrm, &wb.chrmSet().at(path));
}

TEST_F(Recalculate, SinglePathsAreRememberedAndRewrittenEveryTime) {
  Workbench& wb = Start();
  const std::string calibration = Run({"cal.stg", "#градуировочная"});
  const std::string blank = Run({"blank.stg", "#холостая"});
  const std::string reference = Run({"ref.stg", "#эталон"});
  const std::string check = Run({"check.stg", "#проверочная"});
  const std::string analysis = Run({"a1.stg", "#анализ"});
  wb.AddFiles({calibration, blank, reference, check, analysis});
  EXPECT_EQ(RememberedPath("CHRM_GRAD"), calibration);
  EXPECT_EQ(RememberedPath("CHRM_IDLE"), blank);
  EXPECT_EQ(RememberedPath("CHRM_REF"), reference);
  EXPECT_EQ(RememberedPath("CHRM_TEST"), check);
  EXPECT_EQ(wb.calibrationTab().CheckChrm, &wb.chrmSet().at(check));

  // Removing the calibration and the analysis (two selected rows): the calibration is no
  // longer remembered, the blank still is.
  std::vector<int> rows;
  for (int r = 0; r < wb.fileList().RowCount(); ++r) {
    const std::string& path = wb.fileList().Cell(r, FileColumnPath);
    if (path == calibration || path == analysis) rows.push_back(r);
  }
  wb.RemoveRows(rows);
  EXPECT_EQ(wb.chrmSet().size(), 3u);
  EXPECT_FALSE(RememberedPath("CHRM_GRAD").has_value());
  EXPECT_EQ(RememberedPath("CHRM_IDLE"), blank);
  EXPECT_EQ(wb.messages().Errors(), std::vector<std::string>{kNoCalibration});

  wb.RemoveAll();
  EXPECT_TRUE(wb.chrmSet().empty());
  EXPECT_FALSE(RememberedPath("CHRM_IDLE").has_value());
  EXPECT_EQ(wb.fileList().RowCount(), 0);
}

TEST_F(Recalculate, WithoutDelKeyARemovedFileStaysRemembered) {
  host.RemoveService("Profile/DelKey");
  Workbench& wb = Start();
  const std::string calibration = Run({"cal.stg", "#градуировочная"});
  wb.AddFiles({calibration});
  wb.RemoveAll();
  EXPECT_EQ(RememberedPath("CHRM_GRAD"), calibration);
}

TEST_F(Recalculate, PathRememberedAsBlankAndAsCalibrationIsRestoredOnceAsBlank) {
  const std::string path = Run({"both.stg", "#градуировочная"});
  host.SetProfileText("plugins\\plug528\\paths\\CHRM_IDLE", path);
  host.SetProfileText("plugins\\plug528\\paths\\CHRM_GRAD", path);
  const std::string missing = Path("gone.stg");
  host.SetProfileText("plugins\\plug528\\paths\\CHRM_REF", missing);
  Workbench& wb = Start();
  ASSERT_EQ(wb.chrmSet().size(), 2u);
  EXPECT_EQ(wb.chrmSet().at(path).role, RoleBlank);  // the key decides, not the passport
  // A file that cannot be read is restored all the same, empty, and listed.
  EXPECT_EQ(wb.chrmSet().at(missing).role, RoleReference);
  EXPECT_TRUE(wb.chrmSet().at(missing).channels.empty());
  EXPECT_EQ(Column(FileColumnRole), (std::vector<std::string>{"холостая", "эталон"}));
  EXPECT_EQ(RememberedPath("CHRM_IDLE"), path);
  EXPECT_FALSE(RememberedPath("CHRM_GRAD").has_value());
}

TEST_F(Recalculate, OperatorIsThatOfAnalysisOneAndGoesWithIt) {
  Workbench& wb = Start();
  wb.AddFiles({Run({"a1.stg", "#анализ", 200, "проба", "Петров"}),
               Run({"a2.stg", "#анализ", 100, "проба", "Иванов"})});
  EXPECT_EQ(wb.operatorName(), "Иванов");  // a2 is analysis 1: the earlier run
  wb.RemoveAll();
  // Regression: the operator of a removed analysis used to stay for the next report.
  EXPECT_EQ(wb.operatorName(), "");
}

TEST_F(Recalculate, PeakNamesTakeTheInterfaceLetters) {
  struct Case {
    uint16_t language;
    const char* expected;
  };
  const Case cases[] = {{0x0419,
                         "\u0421"
                         "10"},
                        {0x0409, "C10"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    shell.uiLangId = c.language;
    Workbench& wb = Start(false);
    RunSpec run{"cal.stg", "#градуировочная"};
    run.peakNames = {"C10"};  // Latin in the file
    std::filesystem::remove(Path("cal.stg"));
    wb.AddFiles({Run(run)});
    ASSERT_EQ(wb.chrmSet().size(), 1u);
    EXPECT_EQ(wb.chrmSet().begin()->second.channels[0].peaks[0].name, c.expected);
  }
}

TEST_F(Recalculate, CalibrationTabTimesReachTheFirstComponentRows) {
  host.SetProfileText("plugins\\plug528\\settings\\time_C1", "1.1");
  Workbench& wb = Start();
  ASSERT_GE(wb.components().size(), 4u);
  // Single precision, widened again: the double nearest to 1.1 is not what is stored.
  EXPECT_EQ(wb.components()[0].retentionTime, static_cast<double>(1.1f));
  EXPECT_EQ(wb.components()[1].retentionTime, 0.0);
}

}  // namespace
}  // namespace p528::test
