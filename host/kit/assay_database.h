// The host's assay database (SQLite): table `assay`, one row per chromatogram the laboratory
// keeps. The plug-in reads `id`, `filename`, `ishidden` and `isdeleted` (its three read-only
// statements); the host also keeps what its windows show and what an import needs:
//
//   assay (id INTEGER PRIMARY KEY,       -- the assay id the chooser hands out
//          filename TEXT,                -- full path of the chromatogram file
//          ishidden INTEGER NOT NULL DEFAULT 0, isdeleted INTEGER NOT NULL DEFAULT 0,
//          sample TEXT,                  -- the passport's sample name
//          andate INTEGER,               -- time of the analysis, seconds since 1970 UTC
//          date TEXT,                    -- the same moment as "YYYY-MM-DD HH:MM:SS" UTC
//          role TEXT,                    -- the passport's role text ("#анализ", ...)
//          digest TEXT)                  -- fingerprint of the run's content (duplicates)
//
// The databases the set generator writes have the same table without `digest`. Opening a
// database never changes it: reading works on any of these files as they are. The first
// write (WriteRows, SetHidden, SetDeleted, an import, Upgrade) brings the schema up to date,
// adding the missing columns and the indexes the lists sort by; rows and ids are never
// rewritten by that.
//
// The lists read the table a page at a time (Count, Page): filtering and sorting are the
// database's, so a list of a million assays costs what its shown rows cost. The connection
// has the SQL function fold(text), full Unicode case folding, for the filter's text.
//
// Every write runs in one transaction: a write that fails leaves the database as it was.
// Failures raise DataBase::SqlException (SQLite's message, the statement, the code).
// One object per thread; the file may be shared with other processes (SQLite's locking).
#pragma once

#include "host/kit/assay_filter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace p528::hostkit {

// The plug-in's interface carries assay ids as 32-bit numbers: a larger id (written by
// another program) stays in the database but no new row is given one.
inline constexpr int64_t kMaxPluginAssayId = 2147483647;

struct AssayRecord {
  int64_t id = 0;
  std::string filename;  // full path
  std::string sample;
  int64_t andate = 0;  // seconds since 1970-01-01 UTC; 0 unknown
  std::string role;    // role text of the passport, "" when it has none
  bool hidden = false;
  bool deleted = false;
  std::string digest;  // "" when not known yet
};

class AssayDatabase {
 public:
  // Opens (creating an empty file with the full schema when it does not exist) the
  // database at `path`. Throws DataBase::SqlException.
  explicit AssayDatabase(const std::string& path);
  ~AssayDatabase();
  AssayDatabase(const AssayDatabase&) = delete;
  AssayDatabase& operator=(const AssayDatabase&) = delete;

  const std::string& path() const { return path_; }

  // Every row, by id; deleted rows only with `withDeleted`.
  std::vector<AssayRecord> List(bool withDeleted = false) const;
  // Rows neither hidden nor deleted, by id: what the assay chooser offers.
  std::vector<AssayRecord> Visible() const;

  // The rows of `filter` (AssayFilter) and one page of them in its order.
  int64_t Count(const AssayFilter& filter) const;
  std::vector<AssayRecord> Page(const AssayFilter& filter, int64_t offset, int64_t limit) const;
  // One row by id, deleted or not; nullopt when there is none.
  std::optional<AssayRecord> Find(int64_t id) const;
  // The role texts of the rows, each once, sorted ("" left out).
  std::vector<std::string> RoleTexts() const;

  // True when the schema and the indexes are up to date; Upgrade brings them there (one
  // transaction; the host does it at start, a read-only file stays as it is).
  bool UpToDate() const;
  void Upgrade();

  // Adds the rows in one transaction (the generator's index of a set), never replacing one:
  // a row whose file is registered already is left out, a row whose id is taken (or 0) gets
  // the next free id. Returns the number of rows added. With `sameFileAgain` a registered file
  // is added again (the generator's benchmark rounds).
  size_t WriteRows(const std::vector<AssayRecord>& rows, bool sameFileAgain = false);
  // Sets the flag of one assay; the file itself stays where it is. False: no such id.
  bool SetHidden(int64_t id, bool hidden);
  bool SetDeleted(int64_t id, bool deleted);
  // Sets the role text and the file of one assay (a role change stores a new copy).
  bool SetRole(int64_t id, const std::string& role, const std::string& filename);

  // Runs `work` inside one transaction on the up-to-date schema; commits when it returns,
  // rolls back when it throws (and lets the exception pass). Used by the import. Not
  // nested: `work` calls the row functions below, never another writing function.
  void InTransaction(const std::function<void()>& work);
  // Inside InTransaction: the next free id (one above the largest, counted in 64 bits),
  // inserting one row (an id taken already fails: a row is never replaced), finding rows by
  // digest or by file.
  int64_t NextId() const;
  void Insert(const AssayRecord& row);
  bool HasFile(const std::string& filename) const;
  std::vector<AssayRecord> WithDigest(const std::string& digest) const;
  // Rows (deleted ones included) whose run fingerprint ("run-...") is not known yet.
  std::vector<AssayRecord> WithoutDigest() const;
  void SetDigest(int64_t id, const std::string& digest);

 private:
  void Execute(const char* sql) const;
  void UpgradeSchema();
  bool HasTable() const;
  bool HasColumn(const char* column) const;
  std::vector<AssayRecord> Select(const std::string& where, const std::function<void(void*)>& bind,
                                  const std::string& order = "ORDER BY id") const;

  std::string path_;
  sqlite3* db_ = nullptr;
  void CheckIntegrity();
  bool upToDate_ = false;  // schema checked and upgraded in this connection
  bool checked_ = false;   // integrity checked in this connection
  bool hasDigest_ = false;
};

// "YYYY-MM-DD HH:MM:SS" of a moment in UTC (the `date` column).
std::string UtcDateText(int64_t seconds);

}  // namespace p528::hostkit
