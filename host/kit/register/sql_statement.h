// A prepared SQLite statement of the register: binding by position, stepping, reading
// columns; every failure raises DataBase::SqlException with the statement's text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace p528::hostkit {

[[noreturn]] void FailSql(sqlite3* db, const std::string& sql);

class SqlStatement {
 public:
  SqlStatement(sqlite3* db, std::string_view sql);
  ~SqlStatement();
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;

  // Parameters count from 1.
  SqlStatement& Bind(int index, int64_t value);
  SqlStatement& Bind(int index, double value);
  SqlStatement& Bind(int index, std::string_view text);
  SqlStatement& BindNull(int index);

  // True while a row is there; false when done.
  bool Step();
  // Steps a statement that returns no row.
  void Run();
  void Reset();

  int64_t Int(int column) const;
  double Real(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace p528::hostkit
