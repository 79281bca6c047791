#include "host/kit/register/sql_statement.h"

#include "shell/database.h"

#include <sqlite3.h>

namespace p528::hostkit {

void FailSql(sqlite3* db, const std::string& sql) {
  const int code = db != nullptr ? sqlite3_errcode(db) : SQLITE_NOMEM;
  throw DataBase::SqlException(db != nullptr ? sqlite3_errmsg(db) : "out of memory", sql, code);
}

SqlStatement::SqlStatement(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr) != SQLITE_OK) {
    FailSql(db, std::string(sql));
  }
}

SqlStatement::~SqlStatement() { sqlite3_finalize(statement_); }

SqlStatement& SqlStatement::Bind(int index, int64_t value) {
  if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) FailSql(db_, sqlite3_sql(statement_));
  return *this;
}

SqlStatement& SqlStatement::Bind(int index, double value) {
  if (sqlite3_bind_double(statement_, index, value) != SQLITE_OK) FailSql(db_, sqlite3_sql(statement_));
  return *this;
}

SqlStatement& SqlStatement::Bind(int index, std::string_view text) {
  if (sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) !=
      SQLITE_OK) {
    FailSql(db_, sqlite3_sql(statement_));
  }
  return *this;
}

SqlStatement& SqlStatement::BindNull(int index) {
  if (sqlite3_bind_null(statement_, index) != SQLITE_OK) FailSql(db_, sqlite3_sql(statement_));
  return *this;
}

bool SqlStatement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) return true;
  if (result != SQLITE_DONE) FailSql(db_, sqlite3_sql(statement_));
  return false;
}

void SqlStatement::Run() {
  if (Step()) FailSql(db_, sqlite3_sql(statement_));
}

void SqlStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int64_t SqlStatement::Int(int column) const { return sqlite3_column_int64(statement_, column); }
double SqlStatement::Real(int column) const { return sqlite3_column_double(statement_, column); }
bool SqlStatement::IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

std::string SqlStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return text != nullptr
             ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
             : std::string();
}

}  // namespace p528::hostkit
