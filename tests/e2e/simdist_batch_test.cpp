// `simdist batch` end to end: a day's sequence written by the generator, every sample
// calculated as `simdist calc` calculates its runs, a failing sample beside good ones.
#include "batch_summary.h"
#include "chromatogram/chrm_file.h"
#include "demo_set.h"
#include "sequence_writer.h"
#include "shell/number_text.h"
#include "simdist_run.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include "host/kit/register/result_register.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace p528::test {
namespace {

class Batch : public ::testing::Test {
 protected:
  // calibration, blank, check, reference, then "Проба 1" .. "Проба 3" twice each; a sample
  // analysed before the day's calibration; a chromatogram cut short.
  static void SetUpTestSuite() {
    folder = new TempFolder;
    const chrmgen::GeneratedSet set = GenerateScenario("gasoil");
    settings = new std::vector<std::string>(SettingOptions(set));
    runs = new std::vector<std::string>(chrmgen::WriteSequence(set, folder->File("day"), 3, 2));
    ChrmFile early;
    ASSERT_EQ(early.LoadFromFile(runs->at(4)), 0);
    early.passport.sample = "Ранняя проба";
    early.passport.andate -= 86400;
    early.passport.assayid = "e0e0e0e0-0000-4000-8000-000000000001";
    ASSERT_EQ(early.SaveToFile(folder->File("day/000_early.chrm")), 0);
    const std::string whole = ReadBytes(runs->at(5));
    WriteBytes(folder->File("day/999_cut.chrm"), whole.substr(0, whole.size() / 2));
  }
  static void TearDownTestSuite() {
    delete runs;
    delete settings;
    delete folder;
  }
  static std::vector<std::string> WithSettings(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), settings->begin(), settings->end());
    return arguments;
  }

  static inline TempFolder* folder = nullptr;
  static inline std::vector<std::string>* settings = nullptr;
  static inline std::vector<std::string>* runs = nullptr;
};

TEST_F(Batch, EverySampleIsWhatCalcGivesOnItsRunsAndAFailingSampleStopsNoOther) {
  TempFolder out;
  const RunResult batch = SimdistBatch(WithSettings(
      {folder->File("day"), "--profile", out / "batch.profile", "--report-dir", out / "samples", "--summary",
       out / "day.csv", "--summary-json", out / "day.json", "--sections", "none", "--jobs", "2"}));
  EXPECT_EQ(batch.status, 1) << batch.err;
  EXPECT_NE(batch.err.find("999_cut.chrm left out: it is damaged"), std::string::npos) << batch.err;
  EXPECT_NE(batch.err.find("Ранняя проба: the calculation stopped before its results"), std::string::npos)
      << batch.err;

  // The early sample comes first (its run is the day's first); it has no calibration.
  const std::string csv = ReadBytes(out / "day.csv");
  EXPECT_NE(csv.find("\r\nРанняя проба,failed,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("no calibration run before the sample's first run"), std::string::npos);
  for (int sample = 1; sample <= 3; ++sample) {
    EXPECT_NE(csv.find(Format("\r\nПроба %d,done,,", sample)), std::string::npos) << csv;
  }
  const std::string summary = ReadBytes(out / "day.json");
  EXPECT_NE(summary.find("999_cut.chrm\",\n      \"assayId\": -1,\n      \"reason\": \"it is damaged"),
            std::string::npos)
      << summary;

  // Each sample's JSON is `simdist calc`'s on the same runs, byte for byte.
  for (int sample = 1; sample <= 3; ++sample) {
    std::vector<std::string> calc = {"--no-restore", "--profile", out / Format("calc%d.profile", sample),
                                     "--json", out / "calc.json"};
    for (int i = 0; i < 4; ++i) calc.push_back(runs->at(static_cast<std::size_t>(i)));
    calc.push_back(runs->at(static_cast<std::size_t>(2 + 2 * sample)));
    calc.push_back(runs->at(static_cast<std::size_t>(3 + 2 * sample)));
    const RunResult single = Simdist(WithSettings(calc));
    ASSERT_EQ(single.status, 0) << single.err;
    const std::string own = ReadBytes(out / Format("samples/%03d_Проба %d.json", sample + 1, sample));
    EXPECT_EQ(own, ReadBytes(out / "calc.json")) << "sample " << sample;
    EXPECT_TRUE(std::filesystem::exists(out / Format("samples/%03d_Проба %d.html", sample + 1, sample)));
  }
}

TEST_F(Batch, NamesDifferingInCaseAndBlanksAreOneSampleAndTheProfileIsNotWritten) {
  TempFolder out;
  TempFolder day;
  for (int i = 0; i < 6; ++i) day.Copy(runs->at(static_cast<std::size_t>(i)), Format("%d.chrm", i));
  ChrmFile renamed;
  ASSERT_EQ(renamed.LoadFromFile(day / "5.chrm"), 0);
  renamed.passport.sample = "  пРОБА   1 ";
  ASSERT_EQ(renamed.SaveToFile(day / "5.chrm"), 0);
  WriteBytes(out / "profile", "# the laboratory's profile\n");

  const RunResult batch = SimdistBatch(WithSettings(
      {day.path(), "--profile", out / "profile", "--summary-json", out / "day.json", "--no-summary"}));
  EXPECT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(batch.out, "");
  const std::string summary = ReadBytes(out / "day.json");
  EXPECT_NE(summary.find("\"runs\": [\n        \"0.chrm\",\n        \"1.chrm\",\n        \"2.chrm\",\n"
                         "        \"3.chrm\",\n        \"4.chrm\",\n        \"5.chrm\"\n      ]"),
            std::string::npos)
      << summary;
  EXPECT_EQ(ReadBytes(out / "profile"), "# the laboratory's profile\n");
}

TEST_F(Batch, EachCompleteSampleIsRegisteredInSequenceOrderWithItsOwnJson) {
  TempFolder out;
  const std::string db = out / "register.db";
  const RunResult batch =
      SimdistBatch(WithSettings({folder->File("day"), "--profile", out / "p", "--report-dir", out / "samples",
                                 "--summary", out / "day.csv", "--summary-json", out / "day.json",
                                 "--sections", "none", "--register", db, "--no-summary"}));
  EXPECT_EQ(batch.status, 1) << batch.err;  // the damaged run and the early sample
  EXPECT_NE(batch.err.find("Ранняя проба: not registered: its result is not complete"), std::string::npos)
      << batch.err;

  hostkit::ResultRegister store(db, hostkit::RegisterAccess::ReadOnly);
  ASSERT_EQ(store.History().size(), 3u);
  for (int sample = 1; sample <= 3; ++sample) {
    const std::optional<hostkit::RegisterEntry> entry = store.Entry(sample);
    ASSERT_TRUE(entry.has_value());
    const std::string stem = out / Format("samples/%03d_Проба %d", sample + 1, sample);
    EXPECT_EQ(entry->record.resultJson, ReadBytes(stem + ".json")) << sample;
    EXPECT_EQ(entry->record.reportHtml, ReadBytes(stem + ".html")) << sample;
    EXPECT_NE(batch.err.find(Format("Проба %d: registered as entry %d in ", sample, sample)),
              std::string::npos);
    EXPECT_NE(ReadBytes(out / "day.json").find(Format("\"registerEntry\": %d", sample)), std::string::npos);
  }
  const std::string csv = ReadBytes(out / "day.csv");
  EXPECT_NE(csv.find(",register_entry\r\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find(",3\r\n"), std::string::npos) << csv;
}

TEST_F(Batch, ARegisterThatCannotBeWrittenFailsItsSamplesAfterTheirFilesAreWritten) {
  TempFolder out;
  TempFolder day;
  for (int i = 0; i < 6; ++i) day.Copy(runs->at(static_cast<std::size_t>(i)), Format("%d.chrm", i));
  WriteBytes(out / "text.db", "a text, not a database\n");
  const struct {
    std::string path;
    const char* says;
  } registers[] = {
      {out / "missing/register.db", "unable to open"},
      {out / "text.db", "not a database"},
  };
  for (const auto& c : registers) {
    std::filesystem::remove_all(out / "samples");
    const RunResult batch =
        SimdistBatch(WithSettings({day.path(), "--profile", out / "p", "--report-dir", out / "samples",
                                   "--sections", "none", "--register", c.path, "--no-summary"}));
    EXPECT_EQ(batch.status, 1) << batch.err;
    EXPECT_NE(batch.err.find("error: Проба 1: not registered in " + c.path + ": "), std::string::npos)
        << batch.err;
    EXPECT_NE(batch.err.find(c.says), std::string::npos) << batch.err;
    EXPECT_TRUE(std::filesystem::exists(out / "samples/001_Проба 1.json")) << c.path;
  }
  EXPECT_EQ(ReadBytes(out / "text.db"), "a text, not a database\n");
}

TEST(BatchCommand, UsageErrorsAndASequenceWithoutSamples) {
  TempFolder folder;
  const std::string blank = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil/01_blank.chrm";
  const std::string analysis = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil/05_analysis_1.chrm";
  const struct {
    std::vector<std::string> arguments;
    int status;
    const char* says;
  } cases[] = {
      {{}, 2, "no sequence given"},
      {{"--ids", "1,2", blank}, 2, "need --db"},
      {{"--day", "2024-02-30", blank}, 2, "is not a day"},
      {{"--calibration-run", analysis, blank}, 2, "is not a run of that role"},
      {{"--summary", blank, blank}, 2, "--summary"},
      {{"--jobs", "0", blank}, 2, "is not a number of workers"},
      {{"--profile", folder / "p", blank}, 3, "the sequence holds no sample"},
  };
  for (const auto& c : cases) {
    const RunResult run = SimdistBatch(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.says << "\n" << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
}

TEST(BatchOutputs, SampleNamesBecomeSafeFileNamesAndSafeSpreadsheetCells) {
  const struct {
    std::size_t index, count;
    const char* sample;
    const char* stem;
  } stems[] = {
      {0, 5, "Дизельное топливо", "001_Дизельное топливо"},
      {9, 1200, "../../etc/passwd", "0010__.._etc_passwd"},
      {1, 2, ".hidden", "002_hidden"},
      {2, 3, "a\x1b[31mb\tc", "003_a_[31mb_c"},
      {3, 4, "", "004_sample"},
      {4, 5, "bad \xff byte", "005_bad _ byte"},
  };
  for (const auto& c : stems) {
    EXPECT_EQ(simdist::SampleFileStem(c.index, c.count, c.sample), c.stem);
  }
  EXPECT_EQ(simdist::SampleFileStem(5, 6, std::string(100, 'x')), "006_" + std::string(80, 'x'));
  simdist::SampleOutcome formula;
  formula.sample = "=HYPERLINK(\"http://x\")";
  formula.done = true;
  const std::string csv = simdist::SummaryCsv({formula});
  EXPECT_NE(csv.find("\r\n\"'=HYPERLINK(\"\"http://x\"\")\",done,"), std::string::npos) << csv;
}

}  // namespace
}  // namespace p528::test
