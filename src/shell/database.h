// Read-only access to the host's assay database (SQLite): its table `assay` maps an assay id
// to the chromatogram file of that assay. Three statements are run: assay ids chosen in the
// host's dialog to file names, a remembered file name back to its id, and an id to the file
// to open in the host.
//
// A connection (DbHandle) lives for one user operation: Open, then for each item one
// statement prepared, bound, stepped and finalized, then the handle closes. Every SQLite
// failure raises DataBase::SqlException and stops the operation at that point; rows already
// handed to the caller stay handed. Statements are finalized and connections closed on every
// path, failures included.
//
// User-interface thread only; a handle is never shared or kept between operations.
#pragma once

#include <cstdarg>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace p528 {

class Shell;

// Where the host keeps its assay database: the text "DB/GetConnectionUri" returned, copied
// when the modules were loaded; none when the host offers no such service. The module-wide
// copy lives in Shell::databaseLocation.
class DataBaseConnection {
 public:
  DataBaseConnection() = default;
  explicit DataBaseConnection(std::optional<std::u16string> where) : location(std::move(where)) {}
  virtual ~DataBaseConnection() = default;

  std::optional<std::u16string> location;
};

namespace DataBase {

// A failure of SQLite: what() is SQLite's message, `sql` the text of the statement that
// failed as SQLite keeps it ("" when there was no statement yet, e.g. when the open or the
// preparation failed), `code` the SQLite result code.
class SqlException : public std::runtime_error {
 public:
  SqlException(const std::string& message, std::string statement, int resultCode)
      : std::runtime_error(message), sql(std::move(statement)), code(resultCode) {}

  std::string sql;
  int code;
};

// An open connection; closing it is the destructor's work. Move-only.
class DbHandle {
 public:
  DbHandle() = default;
  explicit DbHandle(sqlite3* db) : db_(db) {}
  ~DbHandle();
  DbHandle(DbHandle&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }
  DbHandle& operator=(DbHandle&& other) noexcept;
  DbHandle(const DbHandle&) = delete;
  DbHandle& operator=(const DbHandle&) = delete;

  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const;
};
// A prepared statement, finalized when it goes out of scope.
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens the database at `connection.location` (an empty name when there is none: SQLite
// then opens a private temporary database, and the first statement fails because the table
// is missing). The location is a plain file name, never a URI. Read-write, created when
// missing (SQLite's default). Turns foreign-key enforcement on and registers the Unicode
// SQL functions "unicode_version", "like" (2 and 3 arguments), "fold", "lower", "upper",
// "title", "unaccent" and a "NOCASE" collation (UTF-8 and UTF-16) that folds case over the
// whole of Unicode, so Cyrillic letters compare without regard to case.
// Throws SqlException (message of the connection's last error, sql "", the result code).
DbHandle Open(const DataBaseConnection& connection);
// The same with the module-wide location of the shell.
DbHandle Open(const Shell& shell);

// Prepares the statement text `format` after printf-style formatting (UTF-16 preparation,
// the whole text). Throws SqlException (message of the connection, sql "", the code).
Statement Prepare(DbHandle& db, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The statements, exactly as prepared.
inline constexpr char kFileNamesForAssayIdSql[] =
    "SELECT filename FROM [assay] WHERE ishidden = 0 AND isdeleted = 0 AND assay.id = ?;";
inline constexpr char kAssayIdsForFileNameSql[] =
    "SELECT id FROM [assay] WHERE ishidden = 0 AND isdeleted = 0 AND filename = ?;";
inline constexpr char kFileNameForAssaySql[] = "SELECT filename FROM [assay] WHERE id = ?;";

// File names of the visible (not hidden, not deleted) assay rows with id `assayId`, in the
// order SQLite returns them; a NULL file name reads as "". `onRow` is called for each row
// as it is stepped. Throws SqlException (step failure: SQLite's text of the code, the
// statement's text, the code).
void FileNamesForAssayId(DbHandle& db, int assayId, const std::function<void(const std::string&)>& onRow);
std::vector<std::string> FileNamesForAssayId(DbHandle& db, int assayId);

// Ids of the visible assay rows whose file name equals `path` (compared as UTF-16 text,
// exactly), in the order SQLite returns them; a NULL id reads as -1. The caller keeps the
// last. Throws SqlException.
void AssayIdsForFileName(DbHandle& db, const std::string& path, const std::function<void(int)>& onRow);
std::vector<int> AssayIdsForFileName(DbHandle& db, const std::string& path);

// File names of the assay rows with id `assayId`, hidden and deleted ones included; a NULL
// file name reads as "". Throws SqlException.
void FileNameForAssay(DbHandle& db, int assayId, const std::function<void(const std::string&)>& onRow);
std::vector<std::string> FileNameForAssay(DbHandle& db, int assayId);

}  // namespace DataBase
}  // namespace p528
