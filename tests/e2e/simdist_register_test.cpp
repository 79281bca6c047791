// `simdist calc --register DB`: the complete result enters the register of the host's
// database with every field; an incomplete one does not; a register that cannot be written
// is a failure.
#include "demo_set.h"
#include "register_commands.h"
#include "simdist_run.h"
#include "support/temp_folder.h"

#include "host/kit/register/result_register.h"
#include "shell/sha256.h"

#include <gtest/gtest.h>

namespace p528::test {
namespace {

class SimdistRegister : public ::testing::Test {
 protected:
  std::vector<std::string> Run(const std::string& profile, std::vector<std::string> extra) const {
    std::vector<std::string> arguments = {"--profile", folder / profile, "--no-summary", "--db",
                                          set->database};
    arguments.insert(arguments.end(), set->settingOptions.begin(), set->settingOptions.end());
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
  }

  const WrittenSet* set = &DemoSet();
  TempFolder folder;
};

TEST_F(SimdistRegister, TheResultEntersTheRegisterWithEveryField) {
  // The register lives in the host's database itself, which the run also reads.
  const std::string db = folder / "assays.db";
  std::filesystem::copy_file(set->database, db);
  std::vector<std::string> extra = {"--db",       db,
                                    "--register", db,
                                    "--json",     folder / "r.json",
                                    "--report",   folder / "r.html",
                                    "--sections", "files,Ref_table,msgs"};
  extra.insert(extra.end(), set->files.begin(), set->files.end());
  const RunResult run = Simdist(Run("p", extra));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("simdist: registered as entry 1 in " + db), std::string::npos) << run.err;

  hostkit::ResultRegister store(db);
  const std::optional<hostkit::RegisterEntry> entry = store.Entry(1);
  ASSERT_TRUE(entry.has_value());
  const ResultRegistration& r = entry->record;
  EXPECT_EQ(r.resultJson, ReadBytes(folder / "r.json"));
  EXPECT_EQ(r.reportHtml, ReadBytes(folder / "r.html"));
  EXPECT_FALSE(r.operatorName.empty());
  EXPECT_GT(r.registeredAt, 0);
  EXPECT_EQ(r.programVersion, "plug528 1.2");
  EXPECT_EQ(r.methodName, "astm-d2887-a");
  EXPECT_NE(r.settingsJson.find("\"TimeStartSample\""), std::string::npos) << r.settingsJson;
  EXPECT_NE(r.settingsJson.find("\"time_C4\""), std::string::npos) << r.settingsJson;
  EXPECT_FALSE(r.sample.empty());
  ASSERT_EQ(r.runs.size(), set->files.size());
  for (const RegisteredRun& registered : r.runs) {
    EXPECT_EQ(registered.fingerprint, Sha256Hex(ReadBytes(registered.fileName))) << registered.fileName;
    EXPECT_GT(registered.assayId, 0) << registered.fileName;
  }
  // The reference check's points, for the control chart.
  ASSERT_EQ(r.referencePoints.size(), 21u);
  EXPECT_EQ(r.referencePoints[10].percent, 50.0);
  EXPECT_GT(r.referencePoints[10].measured, 250.0);
  EXPECT_EQ(r.referencePoints[10].certified, 312.0);
}

TEST_F(SimdistRegister, OnlyACompleteResultIsRegistered) {
  const std::string db = folder / "register.db";
  const RunResult calibrationOnly = Simdist(Run("p", {"--register", db, set->files[1]}));
  EXPECT_EQ(calibrationOnly.status, simdist::ExitIncomplete);
  EXPECT_NE(calibrationOnly.err.find("simdist: not registered: the run did not end with a complete result"),
            std::string::npos)
      << calibrationOnly.err;
  EXPECT_FALSE(std::filesystem::exists(db));

  // A register that cannot be opened fails the run, after the results were written.
  std::filesystem::create_directory(folder / "folder.db");
  std::vector<std::string> extra = {"--register", folder / "folder.db/x/y.db", "--json", folder / "r.json"};
  extra.insert(extra.end(), set->files.begin(), set->files.end());
  const RunResult unwritable = Simdist(Run("q", extra));
  EXPECT_EQ(unwritable.status, simdist::ExitFailure);
  EXPECT_NE(unwritable.err.find("simdist: not registered in"), std::string::npos) << unwritable.err;
  EXPECT_TRUE(std::filesystem::exists(folder / "r.json"));
}

RunResult Qc(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = simdist::RunQcCommand(arguments, out, err);
  return {status, out.str(), err.str()};
}

RunResult History(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = simdist::RunHistoryCommand(arguments, out, err);
  return {status, out.str(), err.str()};
}

// Two results of the same set: listed, filtered, exported; the
// reference's control chart; outputs that would overwrite the register refused.
TEST_F(SimdistRegister, HistoryAndControlChartReadTheRegister) {
  const std::string db = folder / "register.db";
  std::vector<std::string> extra = {"--register", db};
  extra.insert(extra.end(), set->files.begin(), set->files.end());
  ASSERT_EQ(Simdist(Run("p", extra)).status, 0);
  ASSERT_EQ(Simdist(Run("p", extra)).status, 0);

  const RunResult list = History({"--db", db});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 2) << list.out;
  EXPECT_NE(list.out.find("#1 "), std::string::npos) << list.out;
  EXPECT_EQ(History({"--db", db, "--sample", "no such sample"}).out, "");
  EXPECT_EQ(History({"--db", db, "--to", "2001-01-01"}).out, "");

  ASSERT_EQ(History({"--db", db, "--csv", folder / "r.csv"}).status, 0);
  const std::string csv = ReadBytes(folder / "r.csv");
  EXPECT_TRUE(csv.starts_with("entry,registered_utc,operator,instrument,method,")) << csv;
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
  ASSERT_EQ(History({"--db", db, "--json", folder / "r.json"}).status, 0);
  const std::string json = ReadBytes(folder / "r.json");
  EXPECT_NE(json.find("\"format\": \"plug528-register\""), std::string::npos);
  EXPECT_NE(json.find("\"formatVersion\": 1"), std::string::npos);
  EXPECT_NE(json.find("\"sha256\": \"" + Sha256Hex(ReadBytes(set->files[0])) + "\""), std::string::npos);

  // The same reference run registered twice is one result of the chart.
  const RunResult qc = Qc({"--db", db, "--instrument", "0", "--json", "-"});
  ASSERT_EQ(qc.status, 0) << qc.err;
  EXPECT_NE(qc.out.find("\"percent\": 50"), std::string::npos) << qc.out;
  EXPECT_EQ(qc.out.find("\"entry\": 2"), std::string::npos) << qc.out;
  EXPECT_EQ(Qc({"--db", db, "--instrument", "9"}).status, simdist::ExitIncomplete);

  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } kRefused[] = {
      {{"--db", db, "--json", db}, "an output never replaces an input"},
      {{"--db", folder / "none.db"}, "is not a database file"},
      {{"--db", db, "--from", "2024-02-30"}, "is not a date"},
      {{"--db", db, "--json", "-", "--csv", "-"}, "not both"},
  };
  for (const auto& c : kRefused) {
    const RunResult refused = History(c.arguments);
    EXPECT_EQ(refused.status, simdist::ExitUsage) << c.reason;
    EXPECT_NE(refused.err.find(c.reason), std::string::npos) << refused.err;
  }
  EXPECT_EQ(ReadBytes(db).substr(0, 15), "SQLite format 3");
}

}  // namespace
}  // namespace p528::test
