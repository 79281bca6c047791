#include "host/kit/assay_filter.h"

#include "shell/text.h"

namespace p528::hostkit {

namespace {

const char* ColumnName(AssayColumn column) {
  switch (column) {
    case AssayColumn::Id: return "id";
    case AssayColumn::Sample: return "sample";
    case AssayColumn::Time: return "andate";
    case AssayColumn::Role: return "role";
    case AssayColumn::File: return "filename";
  }
  return "id";
}

}  // namespace

AssayFilterSql FilterSql(const AssayFilter& filter) {
  AssayFilterSql sql;
  std::vector<std::string> conditions;
  if (!filter.hidden) conditions.push_back("ishidden = 0");
  if (!filter.deleted) conditions.push_back("isdeleted = 0");
  if (!filter.roles.empty()) {
    std::string in = "role IN (";
    for (size_t i = 0; i < filter.roles.size(); ++i) {
      in += i == 0 ? "?" : ", ?";
      sql.values.push_back({true, filter.roles[i], 0});
    }
    conditions.push_back(in + ")");
  }
  if (filter.from) {
    conditions.push_back("andate >= ?");
    sql.values.push_back({false, {}, *filter.from});
  }
  if (filter.until) {
    conditions.push_back("andate < ?");
    sql.values.push_back({false, {}, *filter.until});
  }
  if (!filter.text.empty()) {
    // fold() is the database connection's full Unicode case folding (AssayDatabase). A file
    // in the data folder is searched by its place there, so the data folder's own path
    // (the same for every file) finds nothing.
    std::string prefix = filter.dataFolder;
    if (!prefix.empty() && prefix.back() != '/') prefix += '/';
    conditions.push_back(
        "(instr(fold(sample), ?) > 0 OR instr(fold(CASE WHEN substr(filename, 1, ?) = ? "
        "THEN substr(filename, ? + 1) ELSE filename END), ?) > 0)");
    const std::string folded = FoldCase(filter.text);
    // substr() counts characters, not bytes.
    int64_t length = 0;
    for (const char c : prefix) length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    sql.values.push_back({true, folded, 0});
    sql.values.push_back({false, {}, prefix.empty() ? -1 : length});
    sql.values.push_back({true, prefix, 0});
    sql.values.push_back({false, {}, length});
    sql.values.push_back({true, folded, 0});
  }
  for (size_t i = 0; i < conditions.size(); ++i) sql.where += (i == 0 ? "WHERE " : " AND ") + conditions[i];
  const char* direction = filter.descending ? " DESC" : " ASC";
  sql.orderBy = std::string("ORDER BY ") + ColumnName(filter.orderBy) + direction;
  if (filter.orderBy != AssayColumn::Id) sql.orderBy += std::string(", id") + direction;
  return sql;
}

}  // namespace p528::hostkit
