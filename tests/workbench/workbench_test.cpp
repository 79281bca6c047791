// Commands of the main window without the window: the assay dialog, the assay database,
// opening assays in the host, removing rows, the instrument number, the C1-C4 times, the
// calibration calculator and the message filters.
#include "workbench_fixture.h"

#include "shell/settings.h"

namespace p528::test {
namespace {

using Commands = WorkbenchTest;

TEST(ParseWholeNumber, WholeNumbersOnly) {
  struct Case {
    const char* text;
    bool accepted;
    int value;
  };
  const Case cases[] = {
      {"12", true, 12},
      {"  7\t", true, 7},
      {"-3", true, -3},
      {"+4", true, 4},
      {"0", true, 0},
      {" 00 ", true, 0},
      {"007", true, 7},
      {"", false, 0},
      {"-", false, 0},
      {"12a", false, 0},
      {"1 2", false, 0},
      {"-0", false, 0},
      {"+0", false, 0},
      {"0x10", false, 0},
      {"1.5", false, 0},
      {"\t", false, 0},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      // Beyond the int range the number would be stored as another number: refused.
      {"2147483648", false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    int value = -99;
    EXPECT_EQ(ParseWholeNumber(c.text, value), c.accepted) << '"' << c.text << '"';
    if (c.accepted) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST_F(Commands, InstrumentNumberIsStoredOnEveryChangeAndARefusalPutsItBack) {
  host.SetProfileInt("plugins\\plug528\\settings\\num_device", 5);
  Workbench& wb = Start();
  EXPECT_EQ(wb.instrumentNumber(), 5);
  EXPECT_EQ(wb.InstrumentNumberChanged("1"), "1");
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), 1);
  EXPECT_EQ(wb.InstrumentNumberChanged("12"), "12");
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\num_device"), 12);
  EXPECT_TRUE(user.refusals.empty());
  host.ClearCalls();
  EXPECT_EQ(wb.InstrumentNumberChanged(""), "12");
  EXPECT_EQ(wb.instrumentNumber(), 12);
  ASSERT_EQ(user.refusals.size(), 1u);
  EXPECT_EQ(user.refusals[0], "Введите целое число.");
  // The kept value is written again.
  EXPECT_EQ(host.CallsOf("CallService", "Profile/SetInt").size(), 1u);
}

struct DialogCase {
  const char* name;
  std::optional<intptr_t> count;  // what the dialog returns (nullopt: the number of ids)
  bool removeDataPath;
  bool recalculated;
  std::size_t added;
};

TEST_F(Commands, AssayDialogAnswers) {
  const std::string file = Run({"a.stg", "#анализ"});
  const std::string database = Path("assays.sqlite");
  WriteAssayDb(database, {{1, file}});
  const DialogCase cases[] = {
      {"one id chosen", std::nullopt, false, true, 1},
      {"nothing chosen", 0, false, false, 0},
      {"more than 256", 257, false, false, 0},
      {"negative count: nothing added, still recalculated", -1, false, true, 0},
      {"no Cfg/DataPath: the command does nothing", std::nullopt, true, false, 0},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    host.assayIds = {1};
    host.assayDialogCount = c.count;
    if (c.removeDataPath) host.RemoveService("Cfg/DataPath");
    UseDatabase(database);
    Workbench& wb = Start(false);
    const int before = user.recalculations;
    wb.AddAssays();
    EXPECT_EQ(user.recalculations - before, c.recalculated ? 1 : 0);
    EXPECT_EQ(wb.chrmSet().size(), c.added);
  }
}

TEST_F(Commands, AssaysBecomeFilesThroughTheDatabase) {
  const std::string first = Run({"Анализ 1.stg", "#анализ", 10});
  const std::string second = Run({"Анализ 2.stg", "#анализ", 20});
  const std::string hidden = Run({"hidden.stg", "#анализ", 30});
  const std::string deleted = Run({"deleted.stg", "#анализ", 40});
  const std::string database = Path("assays.sqlite");
  WriteAssayDb(database, {{7, second}, {3, first}, {4, hidden, 1, 0}, {5, deleted, 0, 1}});
  UseDatabase(database);
  host.assayIds = {7, 3, 4, 5, 99, 7};
  Workbench& wb = Start();
  wb.AddAssays();
  ASSERT_EQ(wb.chrmSet().size(), 2u);
  EXPECT_EQ(wb.chrmSet().at(first).assayId, 3);
  EXPECT_EQ(wb.chrmSet().at(second).assayId, 7);
  EXPECT_EQ(wb.RowAssayId(0), 3);  // list in set order: "Анализ 1" first
  EXPECT_EQ(wb.RowAssayId(1), 7);
  EXPECT_TRUE(user.databaseErrors.empty());
  // Hidden, deleted and unknown ids add nothing; the repeated id finds its file in the set.
  std::vector<SkipReason> reasons;
  for (const SkippedFile& s : user.skipped) reasons.push_back(s.reason);
  EXPECT_EQ(reasons, (std::vector<SkipReason>{SkipReason::NoSuchAssay, SkipReason::NoSuchAssay,
                                              SkipReason::NoSuchAssay, SkipReason::AlreadyInSet}));
}

TEST_F(Commands, DatabaseFailureKeepsWhatWasAddedAndIsShown) {
  const std::string first = Run({"a1.stg", "#анализ", 10});
  const std::string second = Run({"a2.stg", "#анализ", 20});
  const std::string database = Path("assays.sqlite");
  // Reading the row of assay 2 fails while the statement steps (integer overflow).
  WriteAssayDb(database, {{1, first}, {2, second}},
               "CREATE VIEW assay AS SELECT id, ishidden, isdeleted, CASE WHEN id = 2 THEN "
               "abs(-9223372036854775807 - 1) ELSE filename END AS filename FROM assay_rows;");
  UseDatabase(database);
  host.assayIds = {1, 2};
  Workbench& wb = Start();
  wb.AddAssays();
  ASSERT_EQ(user.databaseErrors.size(), 1u);
  EXPECT_EQ(user.databaseErrors[0].rfind("Ошибка базы данных: ", 0), 0u) << user.databaseErrors[0];
  EXPECT_NE(user.databaseErrors[0].find("SELECT filename FROM [assay]"), std::string::npos);
  // The file of assay 1 stays and is listed.
  ASSERT_EQ(wb.chrmSet().size(), 1u);
  EXPECT_EQ(wb.chrmSet().begin()->first, first);
  EXPECT_EQ(wb.fileList().RowCount(), 1);
}

TEST_F(Commands, WithoutADatabaseTheAddCommandReportsTheMissingTable) {
  host.assayIds = {1};
  Workbench& wb = Start();
  wb.AddAssays();
  ASSERT_EQ(user.databaseErrors.size(), 1u);
  EXPECT_NE(user.databaseErrors[0].find("assay"), std::string::npos);
  EXPECT_TRUE(wb.chrmSet().empty());
}

TEST_F(Commands, RestoredFilesGetTheirAssayIdsLastRowWins) {
  const std::string calibration = Run({"cal.stg", "#градуировочная"});
  const std::string blank = Run({"blank.stg", "#холостая"});
  const std::string database = Path("assays.sqlite");
  WriteAssayDb(database, {{11, calibration}, {12, calibration}, {13, blank, 1, 0}});
  host.SetProfileText("plugins\\plug528\\paths\\CHRM_GRAD", calibration);
  host.SetProfileText("plugins\\plug528\\paths\\CHRM_IDLE", blank);
  UseDatabase(database);
  Workbench& wb = Start();
  EXPECT_EQ(wb.chrmSet().at(calibration).assayId, 12);
  EXPECT_EQ(wb.chrmSet().at(blank).assayId, -1);  // hidden assay: no row
  EXPECT_TRUE(user.databaseErrors.empty());
}

TEST_F(Commands, FilesAddedByPathFindTheirAssayIds) {
  const std::string file = Run({"a.stg", "#анализ"});
  const std::string database = Path("assays.sqlite");
  WriteAssayDb(database, {{42, file}});
  UseDatabase(database);
  Workbench& wb = Start();
  wb.AddFiles({file});
  EXPECT_EQ(wb.chrmSet().at(file).assayId, 42);
  EXPECT_EQ(wb.RowAssayId(0), 42);
}

TEST_F(Commands, OpenSelectedAssaysInTheHost) {
  const std::string first = Run({"a1.stg", "#анализ", 1});
  const std::string second = Run({"a2.stg", "#анализ", 2});
  const std::string database = Path("assays.sqlite");
  WriteAssayDb(database, {{1, first}, {2, second, 1, 1}});  // hidden and deleted still open
  UseDatabase(database);
  host.assayIds = {1, 2};
  Workbench& wb = Start();
  wb.AddAssays();
  ASSERT_EQ(wb.chrmSet().size(), 1u);

  // Rows with the assays 1 and 2, the second one hidden and deleted after it was added.
  wb.RemoveAll();
  WriteAssayDb(database, {}, "UPDATE assay_rows SET ishidden = 0, isdeleted = 0 WHERE id = 2;");
  wb.AddFiles({first, second});
  WriteAssayDb(database, {}, "UPDATE assay_rows SET ishidden = 1, isdeleted = 1 WHERE id = 2;");
  ASSERT_EQ(wb.RowAssayId(0), 1);
  ASSERT_EQ(wb.RowAssayId(1), 2);

  wb.OpenInHost({1, 0});
  std::vector<std::u16string> expected{Utf8ToUtf16(second), Utf8ToUtf16(first)};
  EXPECT_EQ(host.openedAssayFiles(), expected);

  wb.OpenInHost({});  // no row selected: nothing
  EXPECT_EQ(host.openedAssayFiles().size(), 2u);

  wb.OpenFirstInHost({0, 1});  // double click: the first selected row only
  ASSERT_EQ(host.openedAssayFiles().size(), 3u);
  EXPECT_EQ(host.openedAssayFiles()[2], Utf8ToUtf16(first));

  host.RemoveService("Main/OpenAssayFile");
  wb.OpenInHost({0});
  EXPECT_EQ(host.CallsOf("CallService", "Main/OpenAssayFile").size(), 3u);
  // The double-click path calls the host without asking whether the service exists.
  wb.OpenFirstInHost({0});
  EXPECT_EQ(host.CallsOf("CallService", "Main/OpenAssayFile").size(), 4u);
}

TEST_F(Commands, DeleteWithoutSelectionStillRecalculates) {
  Workbench& wb = Start();
  wb.AddFiles({Run({"a.stg", "#анализ"})});
  const int before = user.recalculations;
  wb.RemoveRows({});
  EXPECT_EQ(user.recalculations, before + 1);
  EXPECT_EQ(wb.chrmSet().size(), 1u);
  wb.RemoveRows({5, -1});  // rows that do not exist change nothing
  EXPECT_EQ(wb.chrmSet().size(), 1u);
}

// The commands of the calibration tab, the analysis settings and the components dialogs:
// each change ends in exactly one recalculation, and what it stores is stored.
TEST_F(Commands, SettingCommandsRecalculateOnceAndStoreWhatTheyChange) {
  const std::filesystem::path components = folder / "components.csv";
  std::filesystem::copy_file(std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv", components);
  workbench = std::make_unique<Workbench>(shell, components.string(), &user);
  Workbench& wb = *workbench;
  // Before the initialisation nothing is recalculated: Initialise does that once.
  wb.EditAnalysisSettings([](CAnalysis& analysis) { analysis.SampleMass = "2.5"; });
  EXPECT_EQ(user.recalculations, 0);
  wb.Initialise();
  ASSERT_EQ(user.recalculations, 1);
  EXPECT_EQ(wb.analysis().SampleMass, "2.5");

  wb.SetCalibrationTime(1, "0.555");
  EXPECT_EQ(user.recalculations, 2);
  EXPECT_EQ(host.ProfileText("plugins\\plug528\\settings\\time_C2"), "0.555");
  EXPECT_EQ(wb.calibrationTab().timeC[1], "0.555");
  EXPECT_EQ(wb.components()[1].retentionTime, static_cast<double>(0.555f));
  wb.SetCalibrationTime(4, "1.0");  // no such edit
  EXPECT_EQ(user.recalculations, 2);

  wb.EditAnalysisSettings([](CAnalysis& analysis) { analysis.StdMass = "0.1"; });
  EXPECT_EQ(user.recalculations, 3);
  EXPECT_EQ(wb.analysis().StdMass, "0.1");

  ComponentTable edited = wb.components();
  ASSERT_GT(edited.size(), 5u);
  edited[5].boilingPoint = 77.7;
  wb.ApplyComponents(edited);
  EXPECT_EQ(user.recalculations, 4);
  EXPECT_EQ(wb.components()[5].boilingPoint, 77.7);
  ComponentTable saved;
  LoadComponentTable(components.string(), saved);
  ASSERT_EQ(saved.size(), edited.size());
  EXPECT_EQ(saved[5].boilingPoint, 77.7);

  // The calculator changes no result.
  EXPECT_EQ(wb.CalculateCalibrationY("1.0"), "0");  // no calibration curve
  EXPECT_EQ(user.recalculations, 4);
}

TEST_F(Commands, EachTypedCalibrationTimeIsStoredAndReachesTheMethaneRow) {
  Workbench& wb = Start(false);
  wb.SetCalibrationTime(0, "1");
  EXPECT_EQ(host.ProfileText("plugins\\plug528\\settings\\time_C1"), "1");
  wb.SetCalibrationTime(0, "1.1");
  EXPECT_EQ(host.ProfileText("plugins\\plug528\\settings\\time_C1"), "1.1");
  ASSERT_FALSE(wb.components().empty());
  EXPECT_EQ(wb.components()[0].retentionTime, static_cast<double>(1.1f));
  wb.SetCalibrationTime(4, "9");  // no fifth field: nothing stored
  EXPECT_FALSE(host.ProfileText("plugins\\plug528\\settings\\time_C5").has_value());
}

TEST_F(Commands, CalculatorWithoutCalibrationShowsZeroAndFiltersSwitchTheLog) {
  Workbench& wb = Start(false);
  EXPECT_EQ(wb.CalculateCalibrationY("3.5"), "0");
  const std::string all = wb.FilterMessages(true, true, true);
  EXPECT_NE(all.find(wb.shell().Str(146)), std::string::npos);
  EXPECT_EQ(wb.FilterMessages(false, true, true), "");
}

}  // namespace
}  // namespace p528::test
