#include "assay_db.h"

#include <sqlite3.h>

#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "shell/text.h"

namespace p528::chrmgen {

namespace {

struct DbCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error(what + ": " + (db != nullptr ? sqlite3_errmsg(db) : "out of memory"));
}

std::string UtcText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &tm);
  return buffer;
}

}  // namespace

void WriteAssayDatabase(const std::string& path, const std::vector<AssayRow>& rows) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open(path.c_str(), &raw);
  std::unique_ptr<sqlite3, DbCloser> db(raw);
  if (opened != SQLITE_OK) Fail(raw, "cannot open " + path);
  const char* schema =
      "CREATE TABLE IF NOT EXISTS assay ("
      "id INTEGER PRIMARY KEY, filename TEXT, ishidden INTEGER NOT NULL DEFAULT 0, "
      "isdeleted INTEGER NOT NULL DEFAULT 0, sample TEXT, andate INTEGER, date TEXT, role TEXT);";
  if (sqlite3_exec(raw, schema, nullptr, nullptr, nullptr) != SQLITE_OK)
    Fail(raw, "cannot create table assay");
  if (sqlite3_exec(raw, "BEGIN;", nullptr, nullptr, nullptr) != SQLITE_OK) Fail(raw, "cannot begin");
  sqlite3_stmt* rawStmt = nullptr;
  const char* insert =
      "INSERT OR REPLACE INTO assay (id, filename, ishidden, isdeleted, sample, andate, date, role) "
      "VALUES (?, ?, 0, 0, ?, ?, ?, ?);";
  if (sqlite3_prepare_v2(raw, insert, -1, &rawStmt, nullptr) != SQLITE_OK) Fail(raw, "cannot prepare");
  std::unique_ptr<sqlite3_stmt, StmtFinalizer> stmt(rawStmt);
  for (const AssayRow& row : rows) {
    const std::string date = UtcText(row.andate);
    sqlite3_bind_int(rawStmt, 1, row.id);
    sqlite3_bind_text(rawStmt, 2, row.filename.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(rawStmt, 3, row.sample.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(rawStmt, 4, row.andate);
    sqlite3_bind_text(rawStmt, 5, date.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(rawStmt, 6, row.role.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(rawStmt) != SQLITE_DONE) Fail(raw, "cannot insert assay " + std::to_string(row.id));
    sqlite3_reset(rawStmt);
  }
  stmt.reset();
  if (sqlite3_exec(raw, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK) Fail(raw, "cannot commit");
}

std::string AssayListText(const std::vector<AssayRow>& rows) {
  std::string text = "id\tfile\tsample\tandate\trole\n";
  for (const AssayRow& row : rows)
    text += Format("%d\t%s\t%s\t%lld\t%s\n", row.id, row.filename.c_str(), row.sample.c_str(),
                   static_cast<long long>(row.andate), row.role.c_str());
  return text;
}

std::vector<AssayRow> ReadAssayList(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<AssayRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    if (fields.size() != 5) continue;
    char* end = nullptr;
    const long id = std::strtol(fields[0].c_str(), &end, 10);
    if (end == fields[0].c_str() || *end != '\0') continue;  // header or damaged line
    AssayRow row;
    row.id = static_cast<int>(id);
    row.filename = fields[1];
    row.sample = fields[2];
    row.andate = std::strtoll(fields[3].c_str(), nullptr, 10);
    row.role = fields[4];
    rows.push_back(row);
  }
  return rows;
}

}  // namespace p528::chrmgen
