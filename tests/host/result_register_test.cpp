// The result register: an entry keeps every field as registered, nothing can be changed or
// removed afterwards, a correction supersedes, the history filters, and the control chart
// counts each reference run once.
#include "host/kit/register/result_register.h"
#include "shell/database.h"
#include "shell/sha256.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace p528::hostkit {
namespace {

// An entry of instrument `instrument` for `sample` at `when`, with a reference run `refRun`
// (a file name; "" none) whose 50 % point measured `at50`.
ResultRegistration Entry(const std::string& sample, int64_t when, int instrument = 1,
                         const std::string& refRun = "", double at50 = 0.0, int64_t refTime = 0) {
  ResultRegistration r;
  r.registeredAt = when;
  r.operatorName = "Иванова";
  r.instrument = instrument;
  r.method = 0;
  r.methodName = "astm-d2887-a";
  r.settingsJson = "{\"method\":0}";
  r.programVersion = "plug528 1.2";
  r.sample = sample;
  r.resultJson = "{\"formatVersion\": 1}\n";
  if (!refRun.empty()) {
    r.runs.push_back({-1, refRun, 5, -1, "Газойль", refTime, "fp-" + refRun});
    r.referencePoints = {{0.5, 114.5, 114.0}, {50.0, at50, 312.0}};
  }
  return r;
}

int ExecStatus(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return result;
}

TEST(ResultRegister, AnEntryHoldsEveryFieldAsRegistered) {
  test::TempFolder folder;
  const std::string run = folder / "05_analysis_1.chrm";
  test::WriteBytes(run, std::string("STG\0run bytes", 13));
  ResultRegister store(folder / "assays.db");

  ResultRegistration r = Entry("Дизельное топливо", 1710234000, 7);
  r.runs.push_back({105, run, 3, 1, "Дизельное топливо", 1710230000, ""});
  r.runs.push_back({-1, folder / "gone.chrm", 2, -1, "Холостой", 0, ""});
  r.referencePoints = {{0.5, 113.9, 114.0}, {99.5, -1.0, 475.0}};
  r.reportHtml = "<html>отчёт</html>";
  r.operatorName.clear();  // the register names the user running the program
  r.registeredAt = 0;      // and takes the present time
  const int64_t id = store.Add(r);

  const std::optional<RegisterEntry> read = store.Entry(id);
  ASSERT_TRUE(read.has_value());
  const ResultRegistration& got = read->record;
  EXPECT_GT(got.registeredAt, 1700000000);
  EXPECT_EQ(got.operatorName, CurrentUserName());
  EXPECT_EQ(got.instrument, 7);
  EXPECT_EQ(got.method, 0);
  EXPECT_EQ(got.methodName, "astm-d2887-a");
  EXPECT_EQ(got.settingsJson, r.settingsJson);
  EXPECT_EQ(got.programVersion, "plug528 1.2");
  EXPECT_EQ(got.sample, "Дизельное топливо");
  EXPECT_EQ(got.resultJson, r.resultJson);
  EXPECT_EQ(got.reportHtml, r.reportHtml);
  EXPECT_EQ(got.supersedes, 0);
  ASSERT_EQ(got.runs.size(), 2u);
  EXPECT_EQ(got.runs[0].assayId, 105);
  EXPECT_EQ(got.runs[0].fileName, run);
  EXPECT_EQ(got.runs[0].role, 3);
  EXPECT_EQ(got.runs[0].ordinal, 1);
  EXPECT_EQ(got.runs[0].andate, 1710230000);
  EXPECT_EQ(got.runs[0].fingerprint, Sha256Hex(std::string("STG\0run bytes", 13)));
  EXPECT_EQ(got.runs[1].assayId, -1);
  EXPECT_EQ(got.runs[1].fingerprint, "");  // the file cannot be read: said, not invented
  ASSERT_EQ(got.referencePoints.size(), 2u);
  EXPECT_EQ(got.referencePoints[0].measured, 113.9);
  EXPECT_EQ(got.referencePoints[1].certified, 475.0);
  EXPECT_TRUE(read->head.hasReport);
  EXPECT_TRUE(read->head.hasReference);
  EXPECT_FALSE(store.Entry(id + 1).has_value());
}

TEST(ResultRegister, NothingIsChangedOrRemovedAfterRegistration) {
  test::TempFolder folder;
  const std::string path = folder / "assays.db";
  int64_t id = 0;
  {
    ResultRegister store(path);
    id = store.Add(Entry("Газойль", 1710234000, 1, folder / "ref.chrm", 312.4));
  }
  // Whoever opens the file, with whatever tool: the triggers refuse.
  for (const char* sql :
       {"UPDATE register_entry SET sample = 'другая'", "DELETE FROM register_entry",
        "UPDATE register_run SET fingerprint = ''", "DELETE FROM register_run",
        "UPDATE register_reference SET measured = 0", "DELETE FROM register_reference",
        "UPDATE register_document SET result_json = '{}'", "DELETE FROM register_document",
        "INSERT OR REPLACE INTO register_entry SELECT * FROM register_entry",
        "INSERT INTO register_run SELECT entry_id, 9, assay_id, role, ordinal, file_name, sample, "
        "andate, fingerprint FROM register_run",
        "INSERT OR REPLACE INTO register_reference VALUES (1, 50.0, 300.0, 312.0)"}) {
    EXPECT_EQ(ExecStatus(path, sql), SQLITE_CONSTRAINT) << sql;
  }
  ResultRegister store(path);
  const std::optional<RegisterEntry> read = store.Entry(id);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->record.sample, "Газойль");
  EXPECT_EQ(read->record.runs.size(), 1u);
  EXPECT_EQ(read->record.referencePoints[1].measured, 312.4);
}

TEST(ResultRegister, ACorrectionIsANewEntryNamingTheOneItSupersedes) {
  test::TempFolder folder;
  ResultRegister store(folder / "assays.db");
  const int64_t first = store.Add(Entry("Проба 1", 100));
  ResultRegistration correction = Entry("Проба 1", 200);
  correction.supersedes = first;
  const int64_t second = store.Add(correction);

  const std::vector<RegisterHead> history = store.History();
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].supersededBy, second);
  EXPECT_EQ(history[1].supersedes, first);

  // A correction of an entry that is not there is refused, and nothing is written.
  ResultRegistration stray = Entry("Проба 1", 300);
  stray.supersedes = 99;
  EXPECT_THROW(store.Add(stray), DataBase::SqlException);
  EXPECT_EQ(store.History().size(), 2u);
}

TEST(ResultRegister, TheHistoryFiltersBySampleTimeInstrumentAndMethod) {
  test::TempFolder folder;
  ResultRegister store(folder / "assays.db");
  store.Add(Entry("Газойль эталонный", 1000, 1));
  store.Add(Entry("Дизельное топливо", 2000, 2));
  ResultRegistration other = Entry("газойль ПАРТИЯ 2", 3000, 1);
  other.method = 5;
  store.Add(other);

  const struct {
    const char* name;
    HistoryFilter filter;
    std::vector<int64_t> ids;
  } kCases[] = {
      {"everything", {}, {1, 2, 3}},
      {"sample, letter case ignored in Cyrillic", {"ГАЗОЙЛЬ", {}, {}, {}, {}}, {1, 3}},
      {"from", {"", 2000, {}, {}, {}}, {2, 3}},
      {"before", {"", {}, 2000, {}, {}}, {1}},
      {"instrument", {"", {}, {}, 2, {}}, {2}},
      {"method", {"", {}, {}, {}, 5}, {3}},
      {"nothing fits", {"бензин", {}, {}, {}, {}}, {}},
  };
  for (const auto& c : kCases) {
    std::vector<int64_t> ids;
    for (const RegisterHead& head : store.History(c.filter)) ids.push_back(head.id);
    EXPECT_EQ(ids, c.ids) << c.name;
  }
  EXPECT_EQ(store.Instruments(), (std::vector<int>{1, 2}));
}

TEST(ResultRegister, EachReferenceRunCountsOnceInTheOrderItWasMade) {
  test::TempFolder folder;
  ResultRegister store(folder / "assays.db");
  // The morning's reference run registered with two samples' results: one result.
  const int64_t a = store.Add(Entry("Проба 1", 1000, 1, "ref-monday", 312.0, 500));
  store.Add(Entry("Проба 2", 1100, 1, "ref-monday", 312.0, 500));
  // A later registration of an earlier run comes first, by the run's time.
  const int64_t b = store.Add(Entry("Проба 3", 3000, 1, "ref-sunday", 311.0, 100));
  // A superseded entry is left out in favour of its correction.
  const int64_t wrong = store.Add(Entry("Проба 4", 4000, 1, "ref-tuesday", 399.0, 900));
  ResultRegistration fixed = Entry("Проба 4", 4100, 1, "ref-tuesday", 313.0, 900);
  fixed.supersedes = wrong;
  const int64_t c = store.Add(fixed);
  // Another instrument has its own chart.
  store.Add(Entry("Проба 5", 5000, 2, "ref-other", 320.0, 950));

  const std::vector<ReferenceResult> results = store.ReferenceResults(1);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0].entryId, b);
  EXPECT_EQ(results[1].entryId, a);
  EXPECT_EQ(results[2].entryId, c);
  EXPECT_EQ(results[2].points[1].measured, 313.0);
  EXPECT_EQ(results[1].runTime, 500);
  EXPECT_EQ(store.ReferenceResults(2).size(), 1u);
  EXPECT_TRUE(store.ReferenceResults(3).empty());
}

}  // namespace
}  // namespace p528::hostkit
