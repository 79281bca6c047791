#include "assay_db.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/kit/assay_database.h"
#include "shell/database.h"
#include "shell/text.h"

namespace p528::chrmgen {

size_t WriteAssayDatabase(const std::string& path, const std::vector<AssayRow>& rows, bool sameFileAgain) {
  std::vector<hostkit::AssayRecord> records;
  records.reserve(rows.size());
  for (const AssayRow& row : rows) {
    hostkit::AssayRecord record;
    record.id = row.id;
    record.filename = row.filename;
    record.sample = row.sample;
    record.andate = row.andate;
    record.role = row.role;
    records.push_back(std::move(record));
  }
  try {
    return hostkit::AssayDatabase(path).WriteRows(records, sameFileAgain);
  } catch (const DataBase::SqlException& error) {
    throw std::runtime_error("cannot write the assay database " + path + ": " + error.what());
  }
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
