#include "host/kit/assay_database.h"

#include "shell/database.h"
#include "shell/text.h"

#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace p528::hostkit {

namespace {

using DataBase::SqlException;

[[noreturn]] void Fail(sqlite3* db, const std::string& sql) {
  const int code = db != nullptr ? sqlite3_errcode(db) : SQLITE_NOMEM;
  throw SqlException(db != nullptr ? sqlite3_errmsg(db) : "out of memory", sql, code);
}

struct Finalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

Statement Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) Fail(db, sql);
  return Statement(raw);
}

void StepDone(sqlite3* db, sqlite3_stmt* statement) {
  if (sqlite3_step(statement) != SQLITE_DONE) Fail(db, sqlite3_sql(statement));
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

// The columns the host keeps beyond the plug-in's four, with their declarations.
struct OptionalColumn {
  const char* name;
  const char* declaration;
};
constexpr OptionalColumn kHostColumns[] = {
    {"sample", "sample TEXT"}, {"andate", "andate INTEGER"}, {"date", "date TEXT"},
    {"role", "role TEXT"},     {"digest", "digest TEXT"},    {"search", "search TEXT"},
};

constexpr int kSchemaVersion = 3;  // PRAGMA user_version of an up-to-date database

// What the lists sort by and the import looks up; a million rows sort without a pass.
constexpr const char* kIndexes[] = {
    "CREATE INDEX IF NOT EXISTS assay_andate ON assay (andate);",
    "CREATE INDEX IF NOT EXISTS assay_sample ON assay (sample);",
    "CREATE INDEX IF NOT EXISTS assay_role ON assay (role);",
    "CREATE INDEX IF NOT EXISTS assay_filename ON assay (filename);",
    "CREATE INDEX IF NOT EXISTS assay_digest ON assay (digest);",
    // The lists count the shown rows on their flags without reading the rows themselves.
    "CREATE INDEX IF NOT EXISTS assay_flags ON assay (isdeleted, ishidden);",
};

// fold(text): the full Unicode case folding of the shell (shell/text.h); NULL stays NULL.
void FoldFunction(sqlite3_context* context, int, sqlite3_value** values) {
  const auto* text = sqlite3_value_text(values[0]);
  if (text == nullptr) {
    sqlite3_result_null(context);
    return;
  }
  const std::string folded = FoldCase(reinterpret_cast<const char*>(text));
  sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

void BindValues(sqlite3_stmt* statement, const std::vector<AssayFilterSql::Value>& values) {
  for (size_t i = 0; i < values.size(); ++i) {
    const int at = static_cast<int>(i) + 1;
    if (values[i].isText) {
      sqlite3_bind_text(statement, at, values[i].text.c_str(), -1, SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_int64(statement, at, values[i].number);
    }
  }
}

constexpr char kCreateTable[] =
    "CREATE TABLE IF NOT EXISTS assay ("
    "id INTEGER PRIMARY KEY, filename TEXT, ishidden INTEGER NOT NULL DEFAULT 0, "
    "isdeleted INTEGER NOT NULL DEFAULT 0, sample TEXT, andate INTEGER, date TEXT, role TEXT, "
    "digest TEXT, search TEXT);";

}  // namespace

std::string UtcDateText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &tm);
  return buffer;
}

AssayDatabase::AssayDatabase(const std::string& path) : path_(path) {
  std::error_code ec;
  const bool existed = std::filesystem::exists(path, ec);
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    SqlException error(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory", "",
                       db_ != nullptr ? sqlite3_errcode(db_) : SQLITE_NOMEM);
    sqlite3_close(db_);
    db_ = nullptr;
    throw error;
  }
  // Another process (the generator, a second host) may hold the file for a moment.
  sqlite3_busy_timeout(db_, 5000);
  sqlite3_create_function(db_, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, FoldFunction, nullptr,
                          nullptr);
  try {
    // A new or empty file gets the whole schema; an existing table is left as it is.
    if (!existed || !HasTable()) UpgradeSchema();
    hasDigest_ = HasColumn("digest");
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

AssayDatabase::~AssayDatabase() { sqlite3_close(db_); }

void AssayDatabase::Execute(const char* sql) const {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db_, sql);
}

bool AssayDatabase::HasColumn(const char* column) const {
  Statement statement = Prepare(db_, "SELECT name FROM pragma_table_info('assay');");
  int result;
  while ((result = sqlite3_step(statement.get())) == SQLITE_ROW) {
    if (ColumnText(statement.get(), 0) == column) return true;
  }
  if (result != SQLITE_DONE) Fail(db_, sqlite3_sql(statement.get()));
  return false;
}

bool AssayDatabase::HasTable() const {
  Statement statement = Prepare(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'assay';");
  const int result = sqlite3_step(statement.get());
  if (result != SQLITE_ROW && result != SQLITE_DONE) Fail(db_, sqlite3_sql(statement.get()));
  return result == SQLITE_ROW;
}

void AssayDatabase::UpgradeSchema() {
  if (upToDate_) return;
  Execute(kCreateTable);
  for (const OptionalColumn& column : kHostColumns) {
    if (!HasColumn(column.name)) {
      const std::string sql = std::string("ALTER TABLE assay ADD COLUMN ") + column.declaration + ";";
      Execute(sql.c_str());
    }
  }
  for (const char* index : kIndexes) Execute(index);
  // The folded text the lists' filter searches, once for the rows written without it.
  Execute((std::string("UPDATE assay SET search = ") + kSearchExpression + " WHERE search IS NULL;").c_str());
  Execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";").c_str());
  upToDate_ = true;
  hasDigest_ = true;
}

void AssayDatabase::CheckIntegrity() {
  if (checked_) return;
  // A damaged file (cut short by a full disk, a copy broken off) written to would lose what
  // it still holds: the first write of a connection checks it.
  Statement statement = Prepare(db_, "PRAGMA quick_check(1);");
  const int result = sqlite3_step(statement.get());
  const std::string verdict = result == SQLITE_ROW ? ColumnText(statement.get(), 0) : sqlite3_errmsg(db_);
  if (verdict != "ok")
    throw SqlException("the assay database is damaged and is not written: " + verdict, "PRAGMA quick_check",
                       SQLITE_CORRUPT);
  checked_ = true;
}

void AssayDatabase::InTransaction(const std::function<void()>& work) {
  // IMMEDIATE: the write lock is taken at once, so two writers never both start a change.
  Execute("BEGIN IMMEDIATE;");
  try {
    CheckIntegrity();
    UpgradeSchema();
    work();
    Execute("COMMIT;");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
    // The rolled back schema change must be made again by the next write.
    upToDate_ = false;
    hasDigest_ = HasColumn("digest");
    throw;
  }
}

bool AssayDatabase::UpToDate() const {
  Statement statement = Prepare(db_, "PRAGMA user_version;");
  if (sqlite3_step(statement.get()) != SQLITE_ROW) Fail(db_, sqlite3_sql(statement.get()));
  return sqlite3_column_int(statement.get(), 0) >= kSchemaVersion;
}

void AssayDatabase::Upgrade() {
  InTransaction([] {});
}

std::vector<AssayRecord> AssayDatabase::Select(const std::string& where,
                                               const std::function<void(void*)>& bind,
                                               const std::string& order) const {
  // A database of another writer may lack the host's own columns: those read as empty.
  std::string columns = "id, filename, ishidden, isdeleted";
  for (const OptionalColumn& column : kHostColumns) {
    const std::string name = column.name;
    if (name == "search") continue;  // the filter's, never read back
    const bool present = name == "digest" ? hasDigest_ : HasColumn(column.name);
    columns += std::string(", ") + (present ? column.name : "NULL");
  }
  Statement statement = Prepare(db_, "SELECT " + columns + " FROM assay " + where + " " + order + ";");
  if (bind) bind(statement.get());
  std::vector<AssayRecord> rows;
  int result;
  while ((result = sqlite3_step(statement.get())) == SQLITE_ROW) {
    sqlite3_stmt* s = statement.get();
    AssayRecord row;
    row.id = sqlite3_column_int64(s, 0);
    row.filename = ColumnText(s, 1);
    row.hidden = sqlite3_column_int(s, 2) != 0;
    row.deleted = sqlite3_column_int(s, 3) != 0;
    row.sample = ColumnText(s, 4);
    row.andate = sqlite3_column_int64(s, 5);
    row.role = ColumnText(s, 7);
    row.digest = ColumnText(s, 8);
    rows.push_back(std::move(row));
  }
  if (result != SQLITE_DONE) Fail(db_, sqlite3_sql(statement.get()));
  return rows;
}

std::vector<AssayRecord> AssayDatabase::List(bool withDeleted) const {
  return Select(withDeleted ? "" : "WHERE isdeleted = 0", {});
}

std::vector<AssayRecord> AssayDatabase::Visible() const {
  return Select("WHERE ishidden = 0 AND isdeleted = 0", {});
}

int64_t AssayDatabase::Count(const AssayFilter& filter) const {
  const AssayFilterSql sql = FilterSql(filter, HasColumn("search"), true);
  Statement statement = Prepare(db_, "SELECT count(*) FROM assay " + sql.where + ";");
  BindValues(statement.get(), sql.values);
  if (sqlite3_step(statement.get()) != SQLITE_ROW) Fail(db_, sqlite3_sql(statement.get()));
  return sqlite3_column_int64(statement.get(), 0);
}

std::vector<AssayRecord> AssayDatabase::Page(const AssayFilter& filter, int64_t offset, int64_t limit) const {
  const AssayFilterSql sql = FilterSql(filter, HasColumn("search"));
  const std::string order =
      sql.orderBy + " LIMIT " + std::to_string(limit) + " OFFSET " + std::to_string(offset);
  return Select(
      sql.where, [&sql](void* s) { BindValues(static_cast<sqlite3_stmt*>(s), sql.values); }, order);
}

std::optional<AssayRecord> AssayDatabase::Find(int64_t id) const {
  std::vector<AssayRecord> rows =
      Select("WHERE id = ?", [id](void* s) { sqlite3_bind_int64(static_cast<sqlite3_stmt*>(s), 1, id); });
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::vector<std::string> AssayDatabase::RoleTexts() const {
  if (!HasColumn("role")) return {};
  // One step of the role index per distinct text, not a pass over every row.
  Statement statement =
      Prepare(db_,
              "WITH RECURSIVE next(role) AS (SELECT min(role) FROM assay WHERE role > '' "
              "UNION ALL SELECT (SELECT min(role) FROM assay WHERE role > next.role) FROM next "
              "WHERE next.role IS NOT NULL) SELECT role FROM next WHERE role IS NOT NULL;");
  std::vector<std::string> roles;
  int result;
  while ((result = sqlite3_step(statement.get())) == SQLITE_ROW)
    roles.push_back(ColumnText(statement.get(), 0));
  if (result != SQLITE_DONE) Fail(db_, sqlite3_sql(statement.get()));
  return roles;
}

std::vector<AssayRecord> AssayDatabase::WithDigest(const std::string& digest) const {
  if (!hasDigest_) return {};
  return Select("WHERE digest = ?", [&digest](void* s) {
    sqlite3_bind_text(static_cast<sqlite3_stmt*>(s), 1, digest.c_str(), -1, SQLITE_TRANSIENT);
  });
}

std::vector<AssayRecord> AssayDatabase::WithoutDigest() const {
  // Fingerprints of files (before runs were recognised by their content) are of no use now.
  return Select(hasDigest_ ? "WHERE digest IS NULL OR digest NOT LIKE 'run-%'" : "", {});
}

int64_t AssayDatabase::NextId() const {
  Statement statement = Prepare(db_, "SELECT COALESCE(MAX(id), 0) FROM assay;");
  if (sqlite3_step(statement.get()) != SQLITE_ROW) Fail(db_, sqlite3_sql(statement.get()));
  const int64_t largest = sqlite3_column_int64(statement.get(), 0);
  return largest < INT64_MAX ? std::max<int64_t>(largest, 0) + 1 : INT64_MAX;
}

bool AssayDatabase::HasFile(const std::string& filename) const {
  Statement statement = Prepare(db_, "SELECT 1 FROM assay WHERE filename = ? LIMIT 1;");
  sqlite3_bind_text(statement.get(), 1, filename.c_str(), -1, SQLITE_TRANSIENT);
  const int result = sqlite3_step(statement.get());
  if (result != SQLITE_ROW && result != SQLITE_DONE) Fail(db_, sqlite3_sql(statement.get()));
  return result == SQLITE_ROW;
}

void AssayDatabase::Insert(const AssayRecord& row) {
  Statement statement = Prepare(
      db_,
      "INSERT INTO assay (id, filename, ishidden, isdeleted, sample, andate, date, role, digest, search) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
  sqlite3_stmt* s = statement.get();
  const std::string date = UtcDateText(row.andate);
  sqlite3_bind_int64(s, 1, row.id != 0 ? row.id : NextId());
  sqlite3_bind_text(s, 2, row.filename.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_int(s, 3, row.hidden ? 1 : 0);
  sqlite3_bind_int(s, 4, row.deleted ? 1 : 0);
  sqlite3_bind_text(s, 5, row.sample.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_int64(s, 6, row.andate);
  sqlite3_bind_text(s, 7, date.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(s, 8, row.role.c_str(), -1, SQLITE_TRANSIENT);
  if (row.digest.empty()) {
    sqlite3_bind_null(s, 9);
  } else {
    sqlite3_bind_text(s, 9, row.digest.c_str(), -1, SQLITE_TRANSIENT);
  }
  const std::string search = SearchText(row.sample, row.filename);
  sqlite3_bind_text(s, 10, search.c_str(), -1, SQLITE_TRANSIENT);
  StepDone(db_, s);
}

void AssayDatabase::SetDigest(int64_t id, const std::string& digest) {
  Statement statement = Prepare(db_, "UPDATE assay SET digest = ? WHERE id = ?;");
  sqlite3_bind_text(statement.get(), 1, digest.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_int64(statement.get(), 2, id);
  StepDone(db_, statement.get());
}

size_t AssayDatabase::WriteRows(const std::vector<AssayRecord>& rows, bool sameFileAgain) {
  size_t added = 0;
  InTransaction([&] {
    for (AssayRecord row : rows) {
      if (!sameFileAgain && HasFile(row.filename)) continue;
      if (row.id == 0 || !Select("WHERE id = ?", [&row](void* s) {
                            sqlite3_bind_int64(static_cast<sqlite3_stmt*>(s), 1, row.id);
                          }).empty())
        row.id = NextId();
      Insert(row);
      ++added;
    }
  });
  return added;
}

namespace {

bool SetFlag(sqlite3* db, const char* sql, int64_t id, bool value) {
  Statement statement = Prepare(db, sql);
  sqlite3_bind_int(statement.get(), 1, value ? 1 : 0);
  sqlite3_bind_int64(statement.get(), 2, id);
  StepDone(db, statement.get());
  return sqlite3_changes(db) > 0;
}

}  // namespace

bool AssayDatabase::SetHidden(int64_t id, bool hidden) {
  bool found = false;
  InTransaction([&] { found = SetFlag(db_, "UPDATE assay SET ishidden = ? WHERE id = ?;", id, hidden); });
  return found;
}

bool AssayDatabase::SetRole(int64_t id, const std::string& role, const std::string& filename) {
  bool found = false;
  InTransaction([&] {
    Statement statement =
        Prepare(db_, std::string("UPDATE assay SET role = ?, filename = ?, search = NULL WHERE id = ?;"));
    sqlite3_bind_text(statement.get(), 1, role.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement.get(), 2, filename.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(statement.get(), 3, id);
    StepDone(db_, statement.get());
    found = sqlite3_changes(db_) > 0;
    Execute(
        (std::string("UPDATE assay SET search = ") + kSearchExpression + " WHERE search IS NULL;").c_str());
  });
  return found;
}

bool AssayDatabase::SetDeleted(int64_t id, bool deleted) {
  bool found = false;
  InTransaction([&] { found = SetFlag(db_, "UPDATE assay SET isdeleted = ? WHERE id = ?;", id, deleted); });
  return found;
}

}  // namespace p528::hostkit
