// Shared pieces of the workbench tests: small chromatogram files written to a temporary
// folder, an assay database shaped like the host's, a recording WorkbenchUser, and a fixture
// that starts a workbench under the fake host.
#pragma once

#include "shell/database.h"
#include "shell/text.h"
#include "support/fake_host.h"
#include "support/temp_folder.h"
#include "workbench/workbench.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace p528::test {

// One chromatogram to write: its role text (title "Chrm_Type"), analysis time, sample and
// operator; peaks named `peakNames` on channel 0.
struct RunSpec {
  RunSpec(std::string fileName, std::string role, int64_t time = 1700000000, std::string sampleName = "проба",
          std::string operatorText = {})
      : file(std::move(fileName)),
        roleText(std::move(role)),
        andate(time),
        sample(std::move(sampleName)),
        operatorName(std::move(operatorText)) {}

  std::string file;
  std::string roleText;
  int64_t andate;
  std::string sample;
  std::string operatorName;
  std::vector<std::string> peakNames;
  std::string roleTitle = "Chrm_Type";
};

inline std::string WriteRun(const std::string& folder, const RunSpec& run) {
  ChrmFile file;
  file.passport.andate = run.andate;
  file.passport.sample = run.sample;
  if (!run.roleText.empty()) file.passport.fields.push_back({"type", run.roleTitle, run.roleText});
  if (!run.operatorName.empty()) file.passport.fields.push_back({"operator", "Оператор", run.operatorName});
  ChrmChannel channel;
  channel.number = 1;
  channel.startTime = 0.0;
  channel.step = 0.1;
  channel.samples.assign(200, 1.0f);
  for (std::size_t i = 0; i < run.peakNames.size(); ++i) {
    ChrmPeak peak{.time = 1.0 + static_cast<double>(i), .name = run.peakNames[i]};
    peak.front = peak.time - 0.2;
    peak.back = peak.time + 0.2;
    channel.peaks.push_back(peak);
  }
  file.channels.push_back(std::move(channel));
  const std::string path = folder + "/" + run.file;
  EXPECT_EQ(file.SaveToFile(path), 0) << path;
  return path;
}

struct AssayRowSpec {
  int id;
  std::string filename;
  int hidden = 0;
  int deleted = 0;
};

// Creates (or extends) an assay database with table `assay` and the given rows.
inline void WriteAssayDb(const std::string& path, const std::vector<AssayRowSpec>& rows,
                         const std::string& extraSql = {}) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE IF NOT EXISTS assay_rows (id INTEGER, filename TEXT, "
                         "ishidden INTEGER DEFAULT 0, isdeleted INTEGER DEFAULT 0);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  for (const AssayRowSpec& row : rows) {
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO assay_rows VALUES (?, ?, ?, ?);", -1, &statement, nullptr),
              SQLITE_OK);
    sqlite3_bind_int(statement, 1, row.id);
    sqlite3_bind_text(statement, 2, row.filename.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(statement, 3, row.hidden);
    sqlite3_bind_int(statement, 4, row.deleted);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
    sqlite3_finalize(statement);
  }
  // The host's table; a view over the rows so that a test can make a statement fail.
  const std::string view =
      extraSql.empty() ? "CREATE VIEW IF NOT EXISTS assay AS SELECT * FROM assay_rows;" : extraSql;
  ASSERT_EQ(sqlite3_exec(db, view.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

class RecordingUser : public WorkbenchUser {
 public:
  void ShowDatabaseError(const DataBase::SqlException&, const std::string& text) override {
    databaseErrors.push_back(text);
  }
  void ShowInstrumentNumberRefused(const std::string& text) override { refusals.push_back(text); }
  void FilesSkipped(const std::vector<SkippedFile>& files) override {
    skipped.insert(skipped.end(), files.begin(), files.end());
  }
  void Recalculated() override { ++recalculations; }

  std::vector<std::string> databaseErrors;
  std::vector<std::string> refusals;
  std::vector<SkippedFile> skipped;
  int recalculations = 0;
};

class WorkbenchTest : public ::testing::Test {
 protected:
  void TearDown() override { workbench.reset(); }

  std::string Run(const RunSpec& run) { return WriteRun(folder.string(), run); }
  std::string Path(const std::string& name) const { return (folder / name).string(); }

  // Attaches `database` (a file in the folder) as the host's assay database.
  void UseDatabase(const std::string& database) { shell.databaseLocation = Utf8ToUtf16(database); }

  // `componentPath` empty: the component table of the source tree (never written).
  Workbench& Start(bool restore = true, std::string componentPath = {}) {
    if (componentPath.empty()) componentPath = std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv";
    workbench = std::make_unique<Workbench>(shell, std::move(componentPath), &user);
    workbench->Initialise(restore);
    return *workbench;
  }

  // Texts of one column of the file list, in list order.
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (int r = 0; r < workbench->fileList().RowCount(); ++r)
      texts.push_back(workbench->fileList().Cell(r, column));
    return texts;
  }

  std::optional<std::string> RememberedPath(const std::string& key) const {
    return host.ProfileText("plugins\\plug528\\paths\\" + key);
  }

  FakeHost host;
  Shell shell = host.MakeShell();
  RecordingUser user;
  TempFolder temp;  // this test's files, removed afterwards
  std::filesystem::path folder{temp.path()};
  std::unique_ptr<Workbench> workbench;
};

}  // namespace p528::test
