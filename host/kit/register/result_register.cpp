#include "host/kit/register/result_register.h"

#include "host/kit/assay_database.h"
#include "host/kit/register/sql_statement.h"
#include "shell/database.h"
#include "shell/sha256.h"
#include "shell/text.h"

#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace p528::hostkit {

namespace {

constexpr int kRoleReference = 5;  // ChrmRole of the reference gas oil run

// The tables, their indexes and the triggers that keep every registered row as it was. The
// runs and reference points of an entry are written right after the entry, in the same
// connection: the entry is then the connection's last inserted row (the two tables have no
// row ids of their own, so their inserts leave it standing), and no other entry's rows can be
// added to later.
constexpr char kSchema[] = R"sql(
CREATE TABLE IF NOT EXISTS register_entry (
  id INTEGER PRIMARY KEY,
  registered_at INTEGER NOT NULL,
  registered_date TEXT NOT NULL,
  operator TEXT NOT NULL,
  instrument INTEGER NOT NULL,
  method INTEGER NOT NULL,
  method_name TEXT NOT NULL,
  program_version TEXT NOT NULL,
  sample TEXT NOT NULL,
  report INTEGER NOT NULL,
  supersedes INTEGER REFERENCES register_entry(id));
CREATE TABLE IF NOT EXISTS register_document (
  entry_id INTEGER PRIMARY KEY REFERENCES register_entry(id),
  settings TEXT NOT NULL,
  result_json TEXT NOT NULL,
  report_html TEXT);
CREATE TABLE IF NOT EXISTS register_run (
  entry_id INTEGER NOT NULL REFERENCES register_entry(id),
  position INTEGER NOT NULL,
  assay_id INTEGER,
  role INTEGER NOT NULL,
  ordinal INTEGER NOT NULL,
  file_name TEXT NOT NULL,
  sample TEXT NOT NULL,
  andate INTEGER NOT NULL,
  fingerprint TEXT NOT NULL,
  PRIMARY KEY (entry_id, position)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS register_reference (
  entry_id INTEGER NOT NULL REFERENCES register_entry(id),
  percent REAL NOT NULL,
  measured REAL NOT NULL,
  certified REAL NOT NULL,
  PRIMARY KEY (entry_id, percent)) WITHOUT ROWID;
CREATE INDEX IF NOT EXISTS register_entry_time ON register_entry(registered_at);
CREATE INDEX IF NOT EXISTS register_entry_instrument ON register_entry(instrument, registered_at);
CREATE INDEX IF NOT EXISTS register_entry_supersedes ON register_entry(supersedes);
CREATE TRIGGER IF NOT EXISTS register_entry_new BEFORE INSERT ON register_entry
  WHEN EXISTS (SELECT 1 FROM register_entry WHERE id = NEW.id)
  BEGIN SELECT RAISE(ABORT, 'a registered result is never replaced: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_run_with_entry BEFORE INSERT ON register_run
  WHEN NEW.entry_id IS NOT last_insert_rowid()
    OR EXISTS (SELECT 1 FROM register_run WHERE entry_id = NEW.entry_id AND position = NEW.position)
  BEGIN SELECT RAISE(ABORT, 'the runs of a result are registered with it, never added later'); END;
CREATE TRIGGER IF NOT EXISTS register_document_with_entry BEFORE INSERT ON register_document
  WHEN NEW.entry_id IS NOT last_insert_rowid()
    OR EXISTS (SELECT 1 FROM register_document WHERE entry_id = NEW.entry_id)
  BEGIN SELECT RAISE(ABORT, 'the documents of a result are registered with it, never added later'); END;
CREATE TRIGGER IF NOT EXISTS register_reference_with_entry BEFORE INSERT ON register_reference
  WHEN NEW.entry_id IS NOT last_insert_rowid()
    OR EXISTS (SELECT 1 FROM register_reference WHERE entry_id = NEW.entry_id AND percent = NEW.percent)
  BEGIN SELECT RAISE(ABORT, 'the reference points of a result are registered with it, never added later'); END;
CREATE TRIGGER IF NOT EXISTS register_entry_kept BEFORE UPDATE ON register_entry
  BEGIN SELECT RAISE(ABORT, 'a registered result is never changed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_entry_not_removed BEFORE DELETE ON register_entry
  BEGIN SELECT RAISE(ABORT, 'a registered result is never removed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_run_kept BEFORE UPDATE ON register_run
  BEGIN SELECT RAISE(ABORT, 'a registered result is never changed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_run_not_removed BEFORE DELETE ON register_run
  BEGIN SELECT RAISE(ABORT, 'a registered result is never removed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_document_kept BEFORE UPDATE ON register_document
  BEGIN SELECT RAISE(ABORT, 'a registered result is never changed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_document_not_removed BEFORE DELETE ON register_document
  BEGIN SELECT RAISE(ABORT, 'a registered result is never removed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_reference_kept BEFORE UPDATE ON register_reference
  BEGIN SELECT RAISE(ABORT, 'a registered result is never changed: register a correction that supersedes it'); END;
CREATE TRIGGER IF NOT EXISTS register_reference_not_removed BEFORE DELETE ON register_reference
  BEGIN SELECT RAISE(ABORT, 'a registered result is never removed: register a correction that supersedes it'); END;
)sql";

// The columns of a history line, in RegisterHead's order.
constexpr char kHeadColumns[] =
    "e.id, e.registered_at, e.operator, e.instrument, e.method, e.method_name, e.program_version, e.sample, "
    "COALESCE(e.supersedes, 0), "
    "COALESCE((SELECT MAX(c.id) FROM register_entry c WHERE c.supersedes = e.id), 0), "
    "e.report != 0, "
    "EXISTS (SELECT 1 FROM register_reference r WHERE r.entry_id = e.id), "
    "COALESCE((SELECT run.fingerprint FROM register_run run WHERE run.entry_id = e.id AND run.role = 5), '')";

RegisterHead ReadHead(const SqlStatement& row) {
  RegisterHead head;
  head.id = row.Int(0);
  head.registeredAt = row.Int(1);
  head.operatorName = row.Text(2);
  head.instrument = static_cast<int>(row.Int(3));
  head.method = static_cast<int>(row.Int(4));
  head.methodName = row.Text(5);
  head.programVersion = row.Text(6);
  head.sample = row.Text(7);
  head.supersedes = row.Int(8);
  head.supersededBy = row.Int(9);
  head.hasReport = row.Int(10) != 0;
  head.hasReference = row.Int(11) != 0;
  head.referenceRun = row.Text(12);
  return head;
}

// The file's SHA-256; "" when it cannot be read.
std::string FileFingerprint(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {};
  return Sha256Hex(bytes);
}

// Rolls the transaction back unless it was committed (an exception on the way out).
class Transaction {
 public:
  explicit Transaction(sqlite3* db) : db_(db) {
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr) != SQLITE_OK) FailSql(db_, "BEGIN");
  }
  ~Transaction() {
    if (!committed_) sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
  }
  void Commit() {
    if (sqlite3_exec(db_, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK) FailSql(db_, "COMMIT");
    committed_ = true;
  }

 private:
  sqlite3* db_;
  bool committed_ = false;
};

}  // namespace

bool SameSample(const std::string& a, const std::string& b) { return FoldCase(a) == FoldCase(b); }

std::string CurrentUserName() {
  for (const char* name : {"USER", "LOGNAME"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_name != nullptr) {
    return account->pw_name;
  }
  return {};
}

ResultRegister::ResultRegister(const std::string& path, RegisterAccess access) : path_(path) {
  const bool readOnly = access == RegisterAccess::ReadOnly;
  const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    DataBase::SqlException error(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory", "",
                                 db_ != nullptr ? sqlite3_errcode(db_) : SQLITE_NOMEM);
    sqlite3_close(db_);
    db_ = nullptr;
    throw error;
  }
  sqlite3_busy_timeout(db_, 5000);
  try {
    if (readOnly) {
      SqlStatement table(db_,
                         "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'register_entry';");
      present_ = table.Step();
    } else {
      Execute("PRAGMA foreign_keys = ON;");
      Transaction transaction(db_);
      Execute(kSchema);
      transaction.Commit();
    }
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

ResultRegister::~ResultRegister() { sqlite3_close(db_); }

void ResultRegister::Execute(const char* sql) const {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) FailSql(db_, sql);
}

int64_t ResultRegister::Add(ResultRegistration entry) {
  if (entry.registeredAt == 0) entry.registeredAt = static_cast<int64_t>(std::time(nullptr));
  if (entry.operatorName.empty()) entry.operatorName = CurrentUserName();
  for (RegisteredRun& run : entry.runs) {
    if (run.fingerprint.empty()) run.fingerprint = FileFingerprint(run.fileName);
  }

  Transaction transaction(db_);
  if (entry.supersedes != 0) {
    SqlStatement exists(db_, "SELECT 1 FROM register_entry WHERE id = ?;");
    if (!exists.Bind(1, entry.supersedes).Step()) {
      throw DataBase::SqlException("entry " + std::to_string(entry.supersedes) + " is not in the register",
                                   "", SQLITE_CONSTRAINT);
    }
  }
  SqlStatement insert(
      db_,
      "INSERT INTO register_entry (registered_at, registered_date, operator, instrument, method, "
      "method_name, program_version, sample, report, supersedes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
  insert.Bind(1, entry.registeredAt).Bind(2, UtcDateText(entry.registeredAt)).Bind(3, entry.operatorName);
  insert.Bind(4, int64_t{entry.instrument}).Bind(5, int64_t{entry.method}).Bind(6, entry.methodName);
  insert.Bind(7, entry.programVersion)
      .Bind(8, entry.sample)
      .Bind(9, int64_t{entry.reportHtml.empty() ? 0 : 1});
  if (entry.supersedes == 0)
    insert.BindNull(10);
  else
    insert.Bind(10, entry.supersedes);
  insert.Run();
  const int64_t id = sqlite3_last_insert_rowid(db_);

  SqlStatement run(
      db_,
      "INSERT INTO register_run (entry_id, position, assay_id, role, ordinal, file_name, sample, "
      "andate, fingerprint) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?);");
  int64_t position = 0;
  for (const RegisteredRun& r : entry.runs) {
    run.Bind(1, id).Bind(2, position++);
    if (r.assayId < 0)
      run.BindNull(3);
    else
      run.Bind(3, r.assayId);
    run.Bind(4, int64_t{r.role}).Bind(5, int64_t{r.ordinal}).Bind(6, r.fileName).Bind(7, r.sample);
    run.Bind(8, r.andate).Bind(9, r.fingerprint);
    run.Run();
    run.Reset();
  }
  SqlStatement point(
      db_, "INSERT INTO register_reference (entry_id, percent, measured, certified) VALUES (?, ?, ?, ?);");
  for (const ReferencePointResult& p : entry.referencePoints) {
    point.Bind(1, id).Bind(2, p.percent).Bind(3, p.measured).Bind(4, p.certified);
    point.Run();
    point.Reset();
  }
  // The documents last: their row id is the entry's, so the entry stays the last row inserted
  // until they are in.
  SqlStatement document(db_,
                        "INSERT INTO register_document (entry_id, settings, result_json, report_html) "
                        "VALUES (?, ?, ?, ?);");
  document.Bind(1, id).Bind(2, entry.settingsJson).Bind(3, entry.resultJson);
  if (entry.reportHtml.empty())
    document.BindNull(4);
  else
    document.Bind(4, entry.reportHtml);
  document.Run();
  transaction.Commit();
  return id;
}

std::vector<RegisterHead> ResultRegister::History(const HistoryFilter& filter) const {
  if (!present_) return {};
  std::string sql = std::string("SELECT ") + kHeadColumns + " FROM register_entry e WHERE 1";
  if (filter.from) sql += " AND e.registered_at >= :from";
  if (filter.before) sql += " AND e.registered_at < :before";
  if (filter.instrument) sql += " AND e.instrument = :instrument";
  if (filter.method) sql += " AND e.method = :method";
  sql += " ORDER BY e.registered_at, e.id;";
  SqlStatement select(db_, sql);
  int index = 1;
  if (filter.from) select.Bind(index++, *filter.from);
  if (filter.before) select.Bind(index++, *filter.before);
  if (filter.instrument) select.Bind(index++, int64_t{*filter.instrument});
  if (filter.method) select.Bind(index++, int64_t{*filter.method});

  // Letter case is ignored in every alphabet, which SQLite's LIKE does not do.
  const std::string wanted = FoldCase(filter.sample);
  std::vector<RegisterHead> heads;
  while (select.Step()) {
    RegisterHead head = ReadHead(select);
    if (!wanted.empty() && FoldCase(head.sample).find(wanted) == std::string::npos) continue;
    heads.push_back(std::move(head));
  }
  return heads;
}

std::optional<RegisterEntry> ResultRegister::Entry(int64_t id) const {
  if (!present_) return std::nullopt;
  SqlStatement select(db_, std::string("SELECT ") + kHeadColumns +
                               ", d.settings, d.result_json, d.report_html FROM register_entry e "
                               "LEFT JOIN register_document d ON d.entry_id = e.id WHERE e.id = ?;");
  if (!select.Bind(1, id).Step()) return std::nullopt;
  RegisterEntry entry;
  entry.head = ReadHead(select);
  ResultRegistration& r = entry.record;
  r.registeredAt = entry.head.registeredAt;
  r.operatorName = entry.head.operatorName;
  r.instrument = entry.head.instrument;
  r.method = entry.head.method;
  r.methodName = entry.head.methodName;
  r.programVersion = entry.head.programVersion;
  r.sample = entry.head.sample;
  r.supersedes = entry.head.supersedes;
  r.settingsJson = select.Text(13);
  r.resultJson = select.Text(14);
  r.reportHtml = select.Text(15);

  SqlStatement runs(
      db_,
      "SELECT assay_id, role, ordinal, file_name, sample, andate, fingerprint FROM register_run "
      "WHERE entry_id = ? ORDER BY position;");
  runs.Bind(1, id);
  while (runs.Step()) {
    RegisteredRun run;
    run.assayId = runs.IsNull(0) ? -1 : runs.Int(0);
    run.role = static_cast<int>(runs.Int(1));
    run.ordinal = static_cast<int>(runs.Int(2));
    run.fileName = runs.Text(3);
    run.sample = runs.Text(4);
    run.andate = runs.Int(5);
    run.fingerprint = runs.Text(6);
    r.runs.push_back(std::move(run));
  }
  SqlStatement points(db_,
                      "SELECT percent, measured, certified FROM register_reference WHERE entry_id = ? "
                      "ORDER BY percent;");
  points.Bind(1, id);
  while (points.Step()) r.referencePoints.push_back({points.Real(0), points.Real(1), points.Real(2)});
  return entry;
}

std::vector<int> ResultRegister::Instruments() const {
  if (!present_) return {};
  SqlStatement select(db_, "SELECT DISTINCT instrument FROM register_entry ORDER BY instrument;");
  std::vector<int> instruments;
  while (select.Step()) instruments.push_back(static_cast<int>(select.Int(0)));
  return instruments;
}

std::vector<ReferenceResult> ResultRegister::ReferenceResults(int instrument) const {
  if (!present_) return {};
  // Each reference run once: the first entry (not superseded) that registered it, known by
  // its fingerprint (by its file and time when the file could not be read).
  SqlStatement select(db_,
                      "SELECT e.id, e.registered_at, COALESCE(run.andate, 0), COALESCE(run.fingerprint, ''), "
                      "COALESCE(run.file_name, ''), p.percent, p.measured, p.certified "
                      "FROM register_entry e "
                      "JOIN register_reference p ON p.entry_id = e.id "
                      "LEFT JOIN register_run run ON run.entry_id = e.id AND run.role = ? "
                      "WHERE e.instrument = ? "
                      "AND NOT EXISTS (SELECT 1 FROM register_entry c WHERE c.supersedes = e.id) "
                      "ORDER BY e.id, p.percent;");
  select.Bind(1, int64_t{kRoleReference}).Bind(2, int64_t{instrument});
  std::vector<ReferenceResult> results;
  std::set<std::string> seenRuns;
  int64_t current = 0;
  bool skipping = false;
  while (select.Step()) {
    const int64_t id = select.Int(0);
    if (id != current) {
      current = id;
      std::string runKey = select.Text(3);
      if (runKey.empty()) runKey = select.Text(4) + "\n" + std::to_string(select.Int(2));
      skipping = !seenRuns.insert(runKey).second;
      if (!skipping) {
        ReferenceResult result;
        result.entryId = id;
        result.registeredAt = select.Int(1);
        result.runTime = select.Int(2) != 0 ? select.Int(2) : result.registeredAt;
        result.runFingerprint = select.Text(3);
        results.push_back(std::move(result));
      }
    }
    if (!skipping) results.back().points.push_back({select.Real(5), select.Real(6), select.Real(7)});
  }
  std::stable_sort(results.begin(), results.end(),
                   [](const ReferenceResult& a, const ReferenceResult& b) { return a.runTime < b.runTime; });
  return results;
}

}  // namespace p528::hostkit
