// Assay database on real SQLite files: the three statements (visible rows, last row wins,
// NULL columns, bound never spliced), the failures raised, and the Unicode functions and
// NOCASE collation of the connection.
#include "shell/database.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

#include <string>
#include <vector>

namespace p528 {
namespace {

namespace fs = std::filesystem;
using DataBase::DbHandle;
using DataBase::SqlException;

const std::string kQuoted = "/data/it's; DROP TABLE assay; --\".stg";

// Runs statements on a database file with a plain connection (how the host would write it).
void Exec(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  EXPECT_EQ(rc, SQLITE_OK) << (error != nullptr ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

class AssayDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(root_ / "Базы данных");
    Exec(path_,
         "CREATE TABLE assay (id INTEGER, filename TEXT, ishidden INTEGER, isdeleted INTEGER);"
         "INSERT INTO assay VALUES (1, '/data/Проба 1.stg', 0, 0);"
         "INSERT INTO assay VALUES (2, '/data/hidden.stg', 1, 0);"
         "INSERT INTO assay VALUES (3, '/data/deleted.stg', 0, 1);"
         "INSERT INTO assay VALUES (4, '/data/same.stg', 0, 0);"
         "INSERT INTO assay VALUES (5, '/data/same.stg', 0, 0);"
         "INSERT INTO assay VALUES (6, NULL, 0, 0);"
         "INSERT INTO assay VALUES (NULL, '/data/null id.stg', 0, 0);"
         "INSERT INTO assay VALUES (7, '/data/it''s; DROP TABLE assay; --\".stg', 0, 0);"
         "INSERT INTO assay VALUES (8, '/data/two.stg', 0, 0);"
         "INSERT INTO assay VALUES (8, '/data/two-b.stg', 0, 0);");
    shell_.databaseLocation = Utf8ToUtf16(path_);
  }
  test::TempFolder root_;
  const std::string path_ = root_ / "Базы данных/хост.db";
  Shell shell_;
};

struct IdCase {
  const char* name;
  int id;
  std::vector<std::string> visible;  // FileNamesForAssayId
  std::vector<std::string> any;      // FileNameForAssay
};

TEST_F(AssayDatabase, FileNamesOfAssayIds) {
  const IdCase cases[] = {
      {"cyrillic file name", 1, {"/data/Проба 1.stg"}, {"/data/Проба 1.stg"}},
      {"hidden assay", 2, {}, {"/data/hidden.stg"}},
      {"deleted assay", 3, {}, {"/data/deleted.stg"}},
      {"NULL file name reads empty", 6, {""}, {""}},
      {"two rows of one id", 8, {"/data/two.stg", "/data/two-b.stg"}, {"/data/two.stg", "/data/two-b.stg"}},
      {"id that does not exist", 99, {}, {}},
      {"unknown id -1 matches no NULL id", -1, {}, {}},
  };
  DbHandle db = DataBase::Open(shell_);
  for (const IdCase& c : cases) {
    EXPECT_EQ(DataBase::FileNamesForAssayId(db, c.id), c.visible) << c.name;
    EXPECT_EQ(DataBase::FileNameForAssay(db, c.id), c.any) << c.name;
  }
}

struct PathCase {
  const char* name;
  std::string path;
  std::vector<int> ids;
};

TEST_F(AssayDatabase, AssayIdsOfFileNames) {
  const PathCase cases[] = {
      {"cyrillic file name", "/data/Проба 1.stg", {1}},
      {"compared exactly, not without case", "/data/проба 1.stg", {}},
      {"two rows, the caller keeps the last", "/data/same.stg", {4, 5}},
      {"NULL id reads -1", "/data/null id.stg", {-1}},
      {"hidden row not found", "/data/hidden.stg", {}},
      {"quotes and semicolons are bound, not spliced", kQuoted, {7}},
      {"a quote that would end a spliced text", "' OR '1'='1", {}},
  };
  DbHandle db = DataBase::Open(shell_);
  for (const PathCase& c : cases) EXPECT_EQ(DataBase::AssayIdsForFileName(db, c.path), c.ids) << c.name;
  EXPECT_EQ(DataBase::FileNamesForAssayId(db, 7),
            std::vector<std::string>{kQuoted});  // the table is still there
}

TEST_F(AssayDatabase, RowsReachTheCallerAsTheyAreStepped) {
  DbHandle db = DataBase::Open(shell_);
  std::vector<std::string> seen;
  DataBase::FileNamesForAssayId(db, 8, [&](const std::string& name) { seen.push_back(name); });
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(AssayDatabase, ForeignKeysAreOn) {
  DbHandle db = DataBase::Open(shell_);
  DataBase::Statement s = DataBase::Prepare(db, "PRAGMA foreign_keys;");
  ASSERT_EQ(sqlite3_step(s.get()), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(s.get(), 0), 1);
}

TEST(AssayDatabaseFailures, NoLocationFailsAtTheFirstStatement) {
  const Shell shell;  // the host offered no database location
  DbHandle db = DataBase::Open(shell);
  try {
    DataBase::FileNamesForAssayId(db, 1);
    FAIL() << "no exception";
  } catch (const SqlException& e) {
    EXPECT_EQ(std::string(e.what()), "no such table: assay");
    EXPECT_EQ(e.sql, "");
    EXPECT_EQ(e.code, SQLITE_ERROR);
  }
}

TEST(AssayDatabaseFailures, OpenThatFailsRaisesWithoutStatement) {
  const DataBaseConnection nowhere(u"/no/such/folder/хост.db");
  try {
    DataBase::Open(nowhere);
    FAIL() << "no exception";
  } catch (const SqlException& e) {
    EXPECT_EQ(e.code, SQLITE_CANTOPEN);
    EXPECT_EQ(e.sql, "");
    EXPECT_STRNE(e.what(), "");
  }
}

TEST(AssayDatabaseFailures, LocationIsAFileNameNotAUri) {
  const test::TempFolder temp;
  const fs::path folder = temp.path();
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  {
    // As a URI this would name a shared in-memory database; as a file name it is a file.
    DbHandle db = DataBase::Open(DataBaseConnection(u"file:assay?mode=memory&cache=shared"));
    DataBase::Statement s = DataBase::Prepare(db, "CREATE TABLE t (x);");
    EXPECT_EQ(sqlite3_step(s.get()), SQLITE_DONE);
  }
  EXPECT_TRUE(fs::exists(folder / "file:assay?mode=memory&cache=shared"));
  fs::current_path(previous);
}

TEST_F(AssayDatabase, StepFailureCarriesTheStatement) {
  // A view whose evaluation fails at step time stands in for a damaged host table.
  Exec(path_,
       "DROP TABLE assay;"
       "CREATE VIEW assay AS SELECT abs(-9223372036854775807 - 1) AS id, 'x' AS filename,"
       " 0 AS ishidden, 0 AS isdeleted;");
  DbHandle db = DataBase::Open(shell_);
  try {
    DataBase::FileNameForAssay(db, 1);
    FAIL() << "no exception";
  } catch (const SqlException& e) {
    EXPECT_EQ(e.sql, DataBase::kFileNameForAssaySql);
    EXPECT_EQ(e.code, SQLITE_ERROR);
    EXPECT_EQ(std::string(e.what()), sqlite3_errstr(SQLITE_ERROR));
  }
}

TEST(AssayDatabaseFailures, PrepareFailureHasNoStatementText) {
  const Shell shell;
  DbHandle db = DataBase::Open(shell);
  try {
    DataBase::Prepare(db, "SELEC 1;");
    FAIL() << "no exception";
  } catch (const SqlException& e) {
    EXPECT_EQ(e.code, SQLITE_ERROR);
    EXPECT_EQ(e.sql, "");
    EXPECT_NE(std::string(e.what()).find("syntax error"), std::string::npos);
  }
}

// ---- Unicode functions and collation ---------------------------------------------------------

std::string Scalar(DbHandle& db, const std::string& sql) {
  DataBase::Statement s = DataBase::Prepare(db, "%s", sql.c_str());
  if (sqlite3_step(s.get()) != SQLITE_ROW) return "<no row: " + std::string(sqlite3_errmsg(db.get())) + ">";
  const unsigned char* text = sqlite3_column_text(s.get(), 0);
  return text != nullptr ? reinterpret_cast<const char*>(text) : "<NULL>";
}

struct ScalarCase {
  const char* sql;
  const char* expected;
};

void ExpectScalars(DbHandle& db, const std::vector<ScalarCase>& cases) {
  for (const ScalarCase& c : cases) EXPECT_EQ(Scalar(db, c.sql), c.expected) << c.sql;
}

const std::vector<ScalarCase> kUnicodeCases = {
    {"SELECT 'Ж' = 'ж' COLLATE NOCASE;", "1"},
    {"SELECT '#АНАЛИЗ' = '#анализ' COLLATE NOCASE;", "1"},
    {"SELECT 'Ёлка' = 'ЁЛКА' COLLATE NOCASE;", "1"},
    {"SELECT 'straße' = 'STRASSE' COLLATE NOCASE;", "1"},
    {"SELECT 'Ж' = 'Ш' COLLATE NOCASE;", "0"},
    {"SELECT 'б' < 'В' COLLATE NOCASE;", "1"},
    {"SELECT fold('ПРОБА Ж');", "проба ж"},
    {"SELECT fold('Straße');", "strasse"},
    {"SELECT lower('ДИЗЕЛЬНОЕ ТОПЛИВО');", "дизельное топливо"},
    {"SELECT upper('проба ё');", "ПРОБА Ё"},
    {"SELECT upper('straße');", "STRASSE"},
    {"SELECT title('нефть и газ');", "Нефть И Газ"},
    {"SELECT unaccent('Ёлка café');", "Елка cafe"},
    {"SELECT upper(NULL) IS NULL;", "1"},
    {"SELECT upper(12.5);", "12.5"},
    {"SELECT 'ПРОБА №1' LIKE 'проба%';", "1"},
    {"SELECT 'проба' LIKE 'П_ОБА';", "1"},
    {"SELECT 'проба' LIKE 'П_БА';", "0"},
    {"SELECT 'a%b' LIKE 'a\\%b' ESCAPE '\\';", "1"},
    {"SELECT 'axb' LIKE 'a\\%b' ESCAPE '\\';", "0"},
    {"SELECT 'aXbXc' LIKE '%x%X%';", "1"},
    {"SELECT 'abc' LIKE 'a%%%d';", "0"},
    {"SELECT 'x' LIKE NULL IS NULL;", "1"},
    {"SELECT unicode_version() GLOB '[0-9]*.[0-9]*';", "1"},
};

TEST(AssayDatabaseUnicode, FunctionsAndCollationUtf8) {
  const Shell shell;
  DbHandle db = DataBase::Open(shell);
  ExpectScalars(db, kUnicodeCases);
}

TEST(AssayDatabaseUnicode, FunctionsAndCollationUtf16Database) {
  const test::TempFolder root;
  const std::string path = root / "utf16.db";
  Exec(path,
       "PRAGMA encoding = 'UTF-16le';"
       "CREATE TABLE t (name TEXT COLLATE NOCASE);"
       "INSERT INTO t VALUES ('Жук'), ('ёж'), ('Ёж'), ('ЖУК'), ('ель');");
  {
    DbHandle db = DataBase::Open(DataBaseConnection(Utf8ToUtf16(path)));
    EXPECT_EQ(Scalar(db, "PRAGMA encoding;"), "UTF-16le");
    ExpectScalars(db, kUnicodeCases);
    ExpectScalars(db, {
                          {"SELECT count(*) FROM t WHERE name = 'жук';", "2"},
                          {"SELECT count(DISTINCT name) FROM t;", "3"},
                          {"SELECT group_concat(name, ',') FROM (SELECT name FROM t ORDER BY name, rowid);",
                           "ель,Жук,ЖУК,ёж,Ёж"},  // folded code points: е < ж < ё
                      });
  }
}

TEST(AssayDatabaseUnicode, LikeRefusesAnEscapeOfTwoCharacters) {
  const Shell shell;
  DbHandle db = DataBase::Open(shell);
  EXPECT_EQ(Scalar(db, "SELECT 'a' LIKE 'a' ESCAPE 'xy';"),
            "<no row: ESCAPE expression must be a single character>");
}

}  // namespace
}  // namespace p528
