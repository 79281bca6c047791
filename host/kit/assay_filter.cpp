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

AssayFilterSql FilterSql(const AssayFilter& filter, bool searchColumn, bool forCount) {
  AssayFilterSql sql;
  std::vector<std::string> conditions;
  // A count reads the flags' index; a page walks the index of its order instead (the "+"
  // keeps the flags' index out of it), so it stops after its rows without sorting them all.
  const std::string flag = forCount ? "" : "+";
  if (!filter.hidden) conditions.push_back(flag + "ishidden = 0");
  if (!filter.deleted) conditions.push_back(flag + "isdeleted = 0");
  if (!filter.roles.empty()) {
    std::string in = "role IN (";
    for (size_t i = 0; i < filter.roles.size(); ++i) {
      in += i == 0 ? "?" : ", ?";
      sql.values.push_back({true, filter.roles[i], 0});
    }
    conditions.push_back(in + ")");
  }
  if (filter.maxId) {
    conditions.push_back("id <= ?");
    sql.values.push_back({false, {}, *filter.maxId});
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
    // `search` holds the folded sample and path (AssayDatabase); a row written by another
    // program without it is folded here, by the connection's fold().
    const std::string folded = std::string(kSearchExpression);
    conditions.push_back("instr(" + (searchColumn ? "coalesce(search, " + folded + ")" : folded) +
                         ", ?) > 0");
    sql.values.push_back({true, FoldCase(filter.text), 0});
  }
  for (size_t i = 0; i < conditions.size(); ++i) sql.where += (i == 0 ? "WHERE " : " AND ") + conditions[i];
  const char* direction = filter.descending ? " DESC" : " ASC";
  sql.orderBy = std::string("ORDER BY ") + ColumnName(filter.orderBy) + direction;
  if (filter.orderBy != AssayColumn::Id) sql.orderBy += std::string(", id") + direction;
  return sql;
}

std::string SearchText(const std::string& sample, const std::string& filename) {
  return FoldCase(sample) + "\n" + FoldCase(filename);
}

}  // namespace p528::hostkit
