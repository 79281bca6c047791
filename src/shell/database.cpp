#include "shell/database.h"

#include "shell/shell.h"
#include "shell/sqlite_unicode.h"
#include "shell/text.h"

#include <sqlite3.h>

#include <cstring>
#include <vector>

namespace p528 {
namespace DataBase {

namespace {

constexpr int kEnableForeignKeys = 1002;  // SQLITE_DBCONFIG_ENABLE_FKEY

// ---- connection ---------------------------------------------------------------------------------

[[noreturn]] void ThrowConnectionError(sqlite3* db, int code) {
  throw SqlException(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code), "", code);
}

void RegisterUnicodeOrThrow(sqlite3* db) {
  const int rc = RegisterUnicodeFunctions(db);
  if (rc != SQLITE_OK) ThrowConnectionError(db, rc);
}

// ---- statements ---------------------------------------------------------------------------------

// Steps `statement` to its end, handing each row to `readRow`.
template <typename ReadRow>
void StepAll(sqlite3_stmt* statement, ReadRow&& readRow) {
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) readRow(statement);
  if (rc != SQLITE_DONE) {
    const char* sql = sqlite3_sql(statement);
    throw SqlException(sqlite3_errstr(rc), sql != nullptr ? sql : "", rc);
  }
}

std::string FileNameColumn(sqlite3_stmt* statement) {
  const void* p = sqlite3_column_text16(statement, 0);
  if (p == nullptr) return "";
  std::u16string text(static_cast<size_t>(sqlite3_column_bytes16(statement, 0)) / 2, u'\0');
  if (!text.empty()) std::memcpy(text.data(), p, text.size() * sizeof(char16_t));
  return Utf16ToUtf8(text);
}

int IdColumn(sqlite3_stmt* statement) {
  return sqlite3_column_type(statement, 0) == SQLITE_NULL ? -1 : sqlite3_column_int(statement, 0);
}

void FileNamesById(DbHandle& db, const char* sql, int assayId,
                   const std::function<void(const std::string&)>& onRow) {
  Statement statement = Prepare(db, "%s", sql);
  sqlite3_bind_int(statement.get(), 1, assayId);
  StepAll(statement.get(), [&](sqlite3_stmt* s) { onRow(FileNameColumn(s)); });
}

}  // namespace

DbHandle::~DbHandle() {
  // Statements are finalized by their owners; close_v2 still lets a connection with one left
  // over go once it is finalized.
  if (db_ != nullptr) sqlite3_close_v2(db_);
}

DbHandle& DbHandle::operator=(DbHandle&& other) noexcept {
  if (this != &other) {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = other.db_;
    other.db_ = nullptr;
  }
  return *this;
}

void StatementFinalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

DbHandle Open(const DataBaseConnection& connection) {
  std::u16string name = connection.location.value_or(u"");
  // A name beginning with "file:" would be taken as a URI; "./" keeps it a file name.
  if (name.rfind(u"file:", 0) == 0) name.insert(0, u"./");
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open16(name.c_str(), &raw);
  DbHandle db(raw);
  if (rc != SQLITE_OK) ThrowConnectionError(raw, rc);
  int enabled = 0;
  const int fk = sqlite3_db_config(raw, kEnableForeignKeys, 1, &enabled);
  if (fk != SQLITE_OK) ThrowConnectionError(raw, fk);
  RegisterUnicodeOrThrow(raw);
  return db;
}

DbHandle Open(const Shell& shell) { return Open(DataBaseConnection(shell.databaseLocation)); }

Statement Prepare(DbHandle& db, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::u16string text = Utf8ToUtf16(FormatV(format, args));
  va_end(args);
  sqlite3_stmt* raw = nullptr;
  const int rc = sqlite3_prepare16_v2(db.get(), text.c_str(), -1, &raw, nullptr);
  Statement statement(raw);
  if (rc != SQLITE_OK) throw SqlException(sqlite3_errmsg(db.get()), "", rc);
  return statement;
}

void FileNamesForAssayId(DbHandle& db, int assayId, const std::function<void(const std::string&)>& onRow) {
  FileNamesById(db, kFileNamesForAssayIdSql, assayId, onRow);
}

std::vector<std::string> FileNamesForAssayId(DbHandle& db, int assayId) {
  std::vector<std::string> names;
  FileNamesForAssayId(db, assayId, [&](const std::string& name) { names.push_back(name); });
  return names;
}

void AssayIdsForFileName(DbHandle& db, const std::string& path, const std::function<void(int)>& onRow) {
  Statement statement = Prepare(db, "%s", kAssayIdsForFileNameSql);
  const std::u16string text = Utf8ToUtf16(path);
  sqlite3_bind_text16(statement.get(), 1, text.c_str(), -1, SQLITE_TRANSIENT);
  StepAll(statement.get(), [&](sqlite3_stmt* s) { onRow(IdColumn(s)); });
}

std::vector<int> AssayIdsForFileName(DbHandle& db, const std::string& path) {
  std::vector<int> ids;
  AssayIdsForFileName(db, path, [&](int id) { ids.push_back(id); });
  return ids;
}

void FileNameForAssay(DbHandle& db, int assayId, const std::function<void(const std::string&)>& onRow) {
  FileNamesById(db, kFileNameForAssaySql, assayId, onRow);
}

std::vector<std::string> FileNameForAssay(DbHandle& db, int assayId) {
  std::vector<std::string> names;
  FileNameForAssay(db, assayId, [&](const std::string& name) { names.push_back(name); });
  return names;
}

}  // namespace DataBase
}  // namespace p528
