// Which assays a host's lists show and in which order: the filter of the assay chooser and
// of the main window (a text, role texts, a range of analysis days, the hidden and deleted
// assays), turned into the WHERE and ORDER BY of one SQL statement, so a list of any size
// is filtered and sorted by the database and read a page at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p528::hostkit {

// The columns a list sorts by.
enum class AssayColumn { Id, Sample, Time, Role, File };

struct AssayFilter {
  // Found, in any letter case (Cyrillic too), in the sample name or in the file's full path
  // (its name and its folders).
  std::string text;
  std::vector<std::string> roles;  // any of these role texts exactly; empty: any role
  std::optional<int64_t> from;     // analysed at or after this moment (seconds since 1970 UTC)
  std::optional<int64_t> until;    // analysed before this moment
  bool hidden = true;              // hidden assays are listed
  bool deleted = false;            // deleted assays are listed
  std::optional<int64_t> maxId;    // only ids up to this one (the plug-in's chooser: 32-bit ids)

  AssayColumn orderBy = AssayColumn::Time;
  bool descending = true;  // the newest assays first
};

// The SQL of a filter: the condition (with "?" for each of `values`, bound as text or as a
// number in order) and the order (ties broken by id, in the same direction).
struct AssayFilterSql {
  std::string where;  // "WHERE ..." or ""
  std::string orderBy;
  struct Value {
    bool isText = true;
    std::string text;
    int64_t number = 0;
  };
  std::vector<Value> values;
};
// `searchColumn`: the table has the column `search` (a database the host has written);
// `forCount`: the statement counts the rows (else it reads a page of them in order).
AssayFilterSql FilterSql(const AssayFilter& filter, bool searchColumn = true, bool forCount = false);

// The text a row is searched in, as an SQL expression over the row (fold(): AssayDatabase),
// and the same in C++ for a row being written.
inline constexpr const char* kSearchExpression =
    "coalesce(fold(sample), '') || char(10) || coalesce(fold(filename), '')";
std::string SearchText(const std::string& sample, const std::string& filename);

}  // namespace p528::hostkit
