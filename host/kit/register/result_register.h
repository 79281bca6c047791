// The laboratory's register of results, kept in the host's database beside the assays: which
// result was issued for which sample, when, by whom, on which instrument, by which method and
// settings, with which program, from which runs (assay id, file name, SHA-256 of the file),
// the whole result (the calculation's JSON) and the report's HTML when one was made.
//
//   register_entry     (id, registered_at, registered_date, operator, instrument, method,
//                       method_name, program_version, sample, report, supersedes)
//   register_document  (entry_id, settings, result_json, report_html)
//   register_run       (entry_id, position, assay_id, role, ordinal, file_name, sample,
//                       andate, fingerprint)
//   register_reference (entry_id, percent, measured, certified)
//
// An entry is written in one transaction and never changed afterwards: triggers refuse every
// UPDATE and DELETE of the four tables, whoever tries. A correction is a new entry naming the
// one it supersedes. docs/register.md describes the tables.
//
// Failures raise DataBase::SqlException. One object per thread; the file may be shared with
// other processes (SQLite's locking).
#pragma once

#include "shell/result_registration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace p528::hostkit {

// A line of the history: the entry without its documents.
struct RegisterHead {
  int64_t id = 0;
  int64_t registeredAt = 0;  // seconds since 1970 UTC
  std::string operatorName;
  int instrument = 0;
  int method = 0;
  std::string methodName;
  std::string programVersion;
  std::string sample;
  int64_t supersedes = 0;    // the entry this one corrects; 0 none
  int64_t supersededBy = 0;  // the latest entry that corrects this one; 0 none
  bool hasReport = false;
  bool hasReference = false;  // a reference check ran (its points are registered)
  std::string referenceRun;   // fingerprint of the reference run; "" none
};

// A whole entry as registered.
struct RegisterEntry {
  RegisterHead head;
  ResultRegistration record;
};

// Which entries the history lists; an empty field does not filter.
struct HistoryFilter {
  std::string sample;             // part of the sample name, letter case ignored
  std::optional<int64_t> from;    // registered at or after, seconds since 1970 UTC
  std::optional<int64_t> before;  // registered before
  std::optional<int> instrument;
  std::optional<int> method;
};

// One reference gas oil run as the control chart counts it.
struct ReferenceResult {
  int64_t entryId = 0;
  int64_t registeredAt = 0;
  int64_t runTime = 0;  // the reference run's time of analysis (its registration time when unknown)
  std::string runFingerprint;
  std::vector<ReferencePointResult> points;
};

enum class RegisterAccess { ReadWrite, ReadOnly };

class ResultRegister {
 public:
  // ReadWrite: opens the database at `path` (creating the file when it does not exist) and
  // creates the register's tables and triggers when they are missing. ReadOnly: opens an
  // existing file without changing it; a database without a register reads as an empty one.
  // Throws DataBase::SqlException.
  explicit ResultRegister(const std::string& path, RegisterAccess access = RegisterAccess::ReadWrite);
  ~ResultRegister();
  ResultRegister(const ResultRegister&) = delete;
  ResultRegister& operator=(const ResultRegister&) = delete;

  const std::string& path() const { return path_; }

  // Registers `entry` in one transaction and returns its id. Fills what the record leaves
  // open: the time (now), the operator (the user running the program) and each run's
  // fingerprint (read from the file; "" when it cannot be read). A `supersedes` that names no
  // entry is refused (SqlException) and nothing is written.
  int64_t Add(ResultRegistration entry);

  // The entries the filter lets through, oldest first.
  std::vector<RegisterHead> History(const HistoryFilter& filter = {}) const;
  std::optional<RegisterEntry> Entry(int64_t id) const;
  // Instrument numbers that have entries, ascending.
  std::vector<int> Instruments() const;

  // The reference gas oil results of `instrument` for its control chart, in the order the
  // runs were made: entries not superseded that hold reference points, each reference run
  // counted once (the same run registered with several samples' results is one result).
  std::vector<ReferenceResult> ReferenceResults(int instrument) const;

 private:
  void Execute(const char* sql) const;

  std::string path_;
  sqlite3* db_ = nullptr;
  bool present_ = true;  // the register's tables exist
};

// Whether two entries are about one sample (their names equal, letter case ignored in every
// alphabet): only such entries are compared.
bool SameSample(const std::string& a, const std::string& b);

// The user running the program ($USER, else $LOGNAME, else the account's name); "" unknown.
std::string CurrentUserName();

}  // namespace p528::hostkit
