// simdist end to end: generated sets with their SQLite assay database, run through the whole
// core exactly as the command line runs it (profile file, host services, workbench, engine).
#include "demo_set.h"
#include "simdist_run.h"

#include <gtest/gtest.h>

#include "engine/reference_check.h"
#include "workbench/analysis.h"

#include <fstream>

#include <sstream>

namespace p528::test {
namespace {

std::string Join(const std::vector<int>& ids) {
  std::string text;
  for (int id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
  return text;
}

class SimdistEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    condensate = new WrittenSet(WriteScenario("condensate", root / "condensate"));
  }
  static void TearDownTestSuite() { delete condensate; }
  std::string Profile(const std::string& name) const { return root / name; }
  std::string Out(const std::string& name) const { return root / name; }

  // Common options: a fresh profile, the database, the scenario's settings.
  std::vector<std::string> Options(const WrittenSet& set, const std::string& profile) const {
    std::vector<std::string> options = {"--profile", Profile(profile), "--db", set.database, "--no-summary"};
    options.insert(options.end(), set.settingOptions.begin(), set.settingOptions.end());
    return options;
  }

  static inline TempFolder root;
  static inline WrittenSet* condensate = nullptr;
  const WrittenSet* gasoil = &DemoSet();
};

TEST_F(SimdistEndToEnd, DemoSetByAssayIdsGivesTheSameJsonAsByPath) {
  std::vector<std::string> byIds = Options(*gasoil, "ids.profile");
  byIds.insert(byIds.end(), {"--ids", Join(gasoil->ids), "--json", Out("ids.json")});
  const RunResult ids = Simdist(byIds);
  ASSERT_EQ(ids.status, 0) << ids.err;

  std::vector<std::string> byPath = Options(*gasoil, "paths.profile");
  byPath.insert(byPath.end(), {"--json", Out("paths.json")});
  byPath.insert(byPath.end(), gasoil->files.begin(), gasoil->files.end());
  const RunResult paths = Simdist(byPath);
  ASSERT_EQ(paths.status, 0) << paths.err;

  const std::string json = ReadBytes(Out("ids.json"));
  EXPECT_EQ(json, ReadBytes(Out("paths.json")));
  // A complete calculation: curves built, every file listed with its assay id, no error.
  EXPECT_NE(json.find("\"state\": 2"), std::string::npos);
  EXPECT_NE(json.find("\"assayId\": " + std::to_string(gasoil->ids.front())), std::string::npos);
  EXPECT_NE(json.find("\"errors\": []"), std::string::npos);
  EXPECT_EQ(json.find("\"assayId\": -1"), std::string::npos);
}

TEST_F(SimdistEndToEnd, TheProfileRemembersSettingsAndSingleRunsBetweenRuns) {
  std::vector<std::string> first = Options(*gasoil, "remember.profile");
  first.insert(first.end(), {"--json", Out("first.json")});
  first.insert(first.end(), gasoil->files.begin(), gasoil->files.end());
  ASSERT_EQ(Simdist(first).status, 0);

  // The next run names only the analyses: calibration, blank, reference and check come back
  // from the profile, and so do the stored settings.
  std::vector<std::string> second = {
      "--profile", Profile("remember.profile"), "--db", gasoil->database, "--no-summary",
      "--json",    Out("second.json")};
  for (const std::string& file : gasoil->files) {
    if (file.find("analysis") != std::string::npos) second.push_back(file);
  }
  const RunResult run = Simdist(second);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(Out("first.json")), ReadBytes(Out("second.json")));
}

TEST_F(SimdistEndToEnd, InternalStandardSetWithMassesReachesTheFractions) {
  std::vector<std::string> options = Options(*condensate, "condensate.profile");
  options.insert(options.end(), {"--ids", Join(condensate->ids), "--json", "-"});
  const RunResult run = Simdist(options);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"method\": 3"), std::string::npos) << run.out.substr(0, 200);
  EXPECT_NE(run.out.find("\"state\": 3"), std::string::npos);
  EXPECT_EQ(run.out.find("\"standards\": []"), std::string::npos);
}

TEST_F(SimdistEndToEnd, SummaryShowsTheSetTheResultsAndTheMessages) {
  std::vector<std::string> options = {"--profile", Profile("summary.profile"), "--no-restore"};
  options.insert(options.end(), gasoil->settingOptions.begin(), gasoil->settingOptions.end());
  options.insert(options.end(), gasoil->files.begin(), gasoil->files.end());
  const RunResult run = Simdist(options);
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* expected :
       {"Файлы:", "анализ - 3", "Метод: ASTM D 2887-13 (метод A)", "Градуировка: точек", "Анализ 1 (",
        "Тнк:", "Доля отгона", "Системные сообщения", "Предупреждений и ошибок нет."}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(run.err, "");
}

TEST_F(SimdistEndToEnd, SkippedFilesAreNoticedInWords) {
  const RunResult run = Simdist({"--profile", Profile("skip.profile"), "--no-summary", gasoil->files[0],
                                 gasoil->files[0], Out("missing.chrm"), gasoil->database});
  EXPECT_EQ(run.status, simdist::ExitIncomplete);  // a blank alone calculates nothing
  EXPECT_NE(run.err.find("missing.chrm not added: it cannot be opened (No such file or directory)"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("assays.db not added: it is not a chromatogram"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("not added: already in the set"), std::string::npos);
}

TEST_F(SimdistEndToEnd, ADatabaseFailureIsReportedKeptFilesAreCalculated) {
  // A file that is not an SQLite database: the first statement fails.
  const std::string notADatabase = gasoil->folder + "/manifest.json";
  const RunResult run = Simdist({"--profile", Profile("broken.profile"), "--db", notADatabase, "--ids", "1",
                                 "--json", Out("broken.json"), gasoil->files[0]});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("simdist: Ошибка базы данных: "), std::string::npos) << run.err;
  // The file given by path was still added and listed.
  EXPECT_NE(ReadBytes(Out("broken.json")).find(gasoil->files[0]), std::string::npos);
}

struct UsageCase {
  std::vector<std::string> arguments;
  const char* message;
};

TEST_F(SimdistEndToEnd, UsageErrorsExitTwoAndTouchNothing) {
  const std::string profile = Profile("usage.profile");
  const std::string file = gasoil->files[0];
  const UsageCase cases[] = {
      {{"--profile", profile}, "no chromatogram files and no --ids given"},
      {{"--profile", profile, "--ids", "1,2", file}, "--ids needs --db"},
      {{"--profile", profile, "--method", "1", file}, "method 1 (ASTM D 2887-13 method B) is not offered"},
      {{"--profile", profile, "--method", "fast", file}, "unknown method \"fast\""},
      {{"--profile", profile, "--sample-mass", "1.2.3", file}, "--sample-mass: \"1.2.3\" is not a number"},
      {{"--profile", profile, "--c1", "", file}, "--c1: \"\" is not a number"},
      {{"--profile", profile, "--reference", "lot3", file}, "unknown reference"},
      {{"--profile", profile, "--lang", "de", file}, "unknown language"},
      {{"--profile", profile, "--db", gasoil->folder + "/none.db", "--ids", "1"}, "is not a readable file"},
      {{"--profile", profile, "--db", gasoil->database, "--ids", "1,x"}, "\"x\" is not an assay id"},
      {{"--profile", profile, "--components", "/nonexistent/table.csv", file}, "is not a readable file"},
      {{"--profile", profile, "--frobnicate", file}, "unknown option --frobnicate"},
      {{"--profile", profile, "--no-restore=1", file}, "--no-restore takes no value"},
      {{"--profile", profile, file, "--json"}, "--json needs a value (OUT)"},
  };
  for (const UsageCase& c : cases) {
    const RunResult run = Simdist(c.arguments);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(profile)) << c.message;
  }
  std::string ids;
  for (int i = 0; i < 257; ++i) ids += (i ? "," : "") + std::to_string(i + 1);
  const RunResult tooMany = Simdist({"--profile", profile, "--db", gasoil->database, "--ids", ids});
  EXPECT_EQ(tooMany.status, 2);
  EXPECT_NE(tooMany.err.find("at most 256"), std::string::npos);
}

TEST_F(SimdistEndToEnd, SettingsAreStoredTheWayTheDialogsStoreThem) {
  const std::string profile = Profile("dialog.profile");
  const RunResult run =
      Simdist({"--profile", profile, "--no-summary", "--method", "gost-56720-a", "--step-mark", "0,2",
               "--start-mark", "70.00", "--time-start", ".5", "--sample-mass", "3", "--reference", "lot2",
               "--c2", "-,5", gasoil->files[0]});
  ASSERT_EQ(run.status, simdist::ExitIncomplete) << run.err;  // settings are stored all the same
  const std::string text = ReadBytes(profile);
  EXPECT_NE(text.find("int plugins\\plug528\\settings\\method = 2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("text plugins\\plug528\\settings\\step_mark = 0.5\n"), std::string::npos);
  EXPECT_NE(text.find("text plugins\\plug528\\settings\\TimeStartSample = 0.5\n"), std::string::npos);
  EXPECT_NE(text.find("int plugins\\plug528\\settings\\type_ref_gasoil = 1\n"), std::string::npos);
  EXPECT_NE(text.find("text plugins\\plug528\\settings\\time_C2 = -0.5\n"), std::string::npos);
  // 70.00 is the default start mark: not stored; masses live only in the engine.
  EXPECT_EQ(text.find("start_mark"), std::string::npos);
  EXPECT_EQ(text.find("SampleMass"), std::string::npos);
}

// Under the English interface the Russian role texts of every file recorded under the
// Russian one named no role, so nothing was added and the run still exited 0.
TEST_F(SimdistEndToEnd, TheBundledDemoSetGivesTheSameNumbersInEnglish) {
  const std::string folder = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil/";
  std::vector<std::string> files;
  for (const char* name : {"01_blank.chrm", "02_calibration.chrm", "03_check.chrm", "04_reference.chrm",
                           "05_analysis_1.chrm", "06_analysis_2.chrm", "07_analysis_3.chrm"}) {
    files.push_back(folder + name);
  }
  // The numbers of the results, without the texts that are translated (file list, fraction
  // names, messages, tables).
  auto numbers = [](const std::string& json) {
    const std::size_t from = json.find("\"calibration\"");
    std::istringstream lines(json.substr(from, json.find("\"messages\"") - from));
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
      if (line.find("\"name\":") == std::string::npos) kept += line + "\n";
    }
    return kept;
  };
  std::string results[2];
  const char* languages[2] = {"ru", "en"};
  for (int i = 0; i < 2; ++i) {
    std::vector<std::string> options = {"--profile",    Profile(std::string("lang.") + languages[i]),
                                        "--no-summary", "--no-restore",
                                        "--lang",       languages[i],
                                        "--json",       "-"};
    options.insert(options.end(), gasoil->settingOptions.begin(), gasoil->settingOptions.end());
    options.insert(options.end(), files.begin(), files.end());
    const RunResult run = Simdist(options);
    ASSERT_EQ(run.status, 0) << languages[i] << run.err;
    EXPECT_EQ(run.err, "") << languages[i];
    EXPECT_NE(run.out.find("\"state\": 2"), std::string::npos) << languages[i];
    results[i] = numbers(run.out);
  }
  EXPECT_TRUE(results[1] == results[0]) << "the English run calculated other numbers";
  EXPECT_GT(results[0].size(), 10000u);
}

// Counts the verdicts (1 within the limit, 2 exceeded) of the reference rows in a JSON result.
std::pair<int, int> ReferenceVerdicts(const std::string& json) {
  const std::size_t begin = json.find("\"refRows\"");
  const std::size_t end = json.find("\"iso3405Rows\"", begin);
  const std::string rows = json.substr(begin, end - begin);
  int within = 0;
  int exceeded = 0;
  const std::string key = "\"verdict\":";
  for (std::size_t at = rows.find(key); at != std::string::npos; at = rows.find(key, at + 1)) {
    const std::size_t digit = rows.find_first_not_of(' ', at + key.size());
    if (digit == std::string::npos) break;
    if (rows[digit] == '1') ++within;
    if (rows[digit] == '2') ++exceeded;
  }
  return {within, exceeded};
}

TEST_F(SimdistEndToEnd, CustomReferenceFileIsStoredChosenAndJudged) {
  // The laboratory's own reference: the certified temperatures of lot 1, with a generous and
  // with a zero deviation allowed.
  auto write = [&](const std::string& name, double deviation) {
    std::ofstream file(Out(name));
    file << "passport 77-A\n";
    for (double p : ReferencePercents(AstmD2887A)) {
      const double t = ReferenceTemperature(AstmD2887A, Lot1, p);
      if (t > 0) file << p << " " << t << " " << deviation << "\n";
    }
    return Out(name);
  };
  for (const double deviation : {5.0, 0.0}) {
    SCOPED_TRACE(deviation);
    const std::string name = deviation > 0 ? "loose" : "strict";
    std::vector<std::string> options = Options(*gasoil, name + ".profile");
    options.insert(options.end(), {"--method", "0", "--reference", "custom", "--custom-reference",
                                   write(name + ".ref", deviation), "--json", "-"});
    options.insert(options.end(), gasoil->files.begin(), gasoil->files.end());
    const RunResult run = Simdist(options);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto [within, exceeded] = ReferenceVerdicts(run.out);
    EXPECT_GT(deviation > 0 ? within : exceeded, 10);
    EXPECT_EQ(deviation > 0 ? exceeded : within, 0);
  }
}

TEST_F(SimdistEndToEnd, UnreadableCustomReferenceIsAUsageError) {
  WriteBytes(Out("bad.ref"), "5 abc 1.0\n");
  std::vector<std::string> options = {"--profile", Profile("bad-ref.profile"), "--custom-reference",
                                      Out("bad.ref"), gasoil->files[0]};
  const RunResult run = Simdist(options);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--custom-reference"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(Profile("bad-ref.profile")));
}

}  // namespace
}  // namespace p528::test
