// The host's assay database: its schema, the generator's older files, the flags the
// plug-in's statements look at.
#include "host/kit/assay_database.h"
#include "shell/database.h"
#include "shell/text.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace p528::hostkit {
namespace {

using test::ReadBytes;

void Exec(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// A database as the set generator wrote it before the host kept fingerprints.
std::string GeneratorDatabase(const test::TempFolder& folder) {
  const std::string path = folder / "generator.db";
  Exec(path,
       "CREATE TABLE assay (id INTEGER PRIMARY KEY, filename TEXT, ishidden INTEGER NOT NULL DEFAULT 0, "
       "isdeleted INTEGER NOT NULL DEFAULT 0, sample TEXT, andate INTEGER, date TEXT, role TEXT);"
       "INSERT INTO assay VALUES (101, '/data/blank.chrm', 0, 0, 'Холостой', 1710223200, '2024-03-12 "
       "06:00:00', "
       "'#холостая');"
       "INSERT INTO assay VALUES (105, '/data/analysis.chrm', 1, 0, 'Проба', 1710234000, '2024-03-12 "
       "09:00:00', "
       "'#анализ');");
  return path;
}

std::vector<std::string> PluginFiles(const std::string& path, int id) {
  DataBase::DbHandle db = DataBase::Open(DataBaseConnection(Utf8ToUtf16(path)));
  return DataBase::FileNamesForAssayId(db, id);
}

TEST(AssayDatabase, AnEmptyFileGetsTheSchemaThePluginQueries) {
  test::TempFolder folder;
  const std::string path = folder / "assays.db";
  {
    AssayDatabase db(path);
    EXPECT_TRUE(db.List().empty());
    db.WriteRows({{0, "/data/a.chrm", "A", 1710223200, "#анализ", false, false, ""},
                  {0, "/data/b.chrm", "B", 0, "", false, false, ""}});
    const std::vector<AssayRecord> rows = db.List();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, 1);
    EXPECT_EQ(rows[1].id, 2);
    EXPECT_EQ(rows[0].role, "#анализ");
  }
  EXPECT_EQ(PluginFiles(path, 1), std::vector<std::string>{"/data/a.chrm"});
}

TEST(AssayDatabase, TheGeneratorsDatabaseIsReadAsItIsAndKeepsItsRowsWhenWritten) {
  test::TempFolder folder;
  const std::string path = GeneratorDatabase(folder);
  const std::string before = ReadBytes(path);
  {
    AssayDatabase db(path);
    const std::vector<AssayRecord> rows = db.List();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].sample, "Проба");
    EXPECT_TRUE(rows[1].hidden);
    EXPECT_EQ(db.Visible().size(), 1u);
    AssayFilter filter;
    filter.text = "ПРОБА";
    EXPECT_EQ(db.Count(filter), 1) << "the lists' filter works on the file as it is";
  }
  EXPECT_EQ(ReadBytes(path), before) << "opening must not change the file";

  AssayDatabase db(path);
  db.WriteRows({{0, "/data/new.chrm", "Новая", 0, "#эталон", false, false, "12-abc"}});
  const std::vector<AssayRecord> rows = db.List();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].id, 101);
  EXPECT_EQ(rows[0].filename, "/data/blank.chrm");
  EXPECT_EQ(rows[2].id, 106);
  EXPECT_EQ(rows[2].digest, "12-abc");
}

TEST(AssayDatabase, HiddenAndDeletedAssaysDisappearFromThePluginsChoiceButTheirFilesStay) {
  test::TempFolder folder;
  const std::string path = GeneratorDatabase(folder);
  AssayDatabase db(path);
  EXPECT_TRUE(db.SetDeleted(101, true));
  EXPECT_FALSE(db.SetHidden(999, true));
  EXPECT_TRUE(db.List().size() == 1 && db.List(true).size() == 2);
  EXPECT_TRUE(db.Visible().empty());
  EXPECT_TRUE(PluginFiles(path, 101).empty());
  // Opening an assay in the host still finds the file of a deleted row.
  DataBase::DbHandle handle = DataBase::Open(DataBaseConnection(Utf8ToUtf16(path)));
  EXPECT_EQ(DataBase::FileNameForAssay(handle, 101), std::vector<std::string>{"/data/blank.chrm"});
  EXPECT_TRUE(db.SetHidden(105, false));
  EXPECT_EQ(db.Visible().size(), 1u);
}

TEST(AssayDatabase, AFileThatIsNotADatabaseIsRefusedAndLeftAlone) {
  test::TempFolder folder;
  const std::string path = folder / "notes.db";
  std::ofstream(path) << "laboratory notes, not a database\n";
  EXPECT_THROW(AssayDatabase db(path), DataBase::SqlException);
  EXPECT_EQ(ReadBytes(path), "laboratory notes, not a database\n");

  // A database cut short (a full disk, a copy broken off) still opens; it is never written.
  const std::string cut = folder / "cut.db";
  {
    AssayDatabase db(cut);
    std::vector<AssayRecord> rows;
    for (int i = 0; i < 300; ++i)
      rows.push_back(
          {0, "/data/" + std::string(200, 'x') + std::to_string(i) + ".chrm", "", 0, "", false, false, ""});
    db.WriteRows(rows);
  }
  std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
  const std::string before = ReadBytes(cut);
  try {
    AssayDatabase db(cut);
    EXPECT_THROW(db.WriteRows({{0, "/data/new.chrm", "", 0, "", false, false, ""}}), DataBase::SqlException);
  } catch (const DataBase::SqlException&) {
  }
  EXPECT_EQ(ReadBytes(cut), before);
}

}  // namespace
}  // namespace p528::hostkit

namespace p528::hostkit {
namespace {

// The lists' filter and order, done by the database: (filter, expected ids in order).
TEST(AssayFilter, TheDatabaseFiltersSortsAndPagesTheLists) {
  test::TempFolder folder;
  AssayDatabase db(folder / "assays.db");
  const std::string data = folder / "data";
  db.WriteRows({
      {1, data + "/demo/gasoil/ДТ-1.chrm", "Дизельное топливо", 1000, "#анализ", false, false, ""},
      {2, data + "/blank.chrm", "Холостой опыт", 2000, "#холостая", false, false, ""},
      {3, "/elsewhere/x.chrm", "ГАЗОЙЛЬ", 3000, "#analysis", true, false, ""},
      {4, data + "/gone.chrm", "Газойль удалённый", 4000, "#анализ", false, true, ""},
  });
  const auto ids = [&](AssayFilter filter) {
    std::vector<int64_t> out;
    for (const AssayRecord& record : db.Page(filter, 0, 100)) out.push_back(record.id);
    EXPECT_EQ(db.Count(filter), static_cast<int64_t>(out.size()));
    return out;
  };
  const auto with = [](auto change) {
    AssayFilter filter;
    change(filter);
    return filter;
  };
  const struct {
    const char* what;
    AssayFilter filter;
    std::vector<int64_t> expected;
  } cases[] = {
      {"newest first, deleted left out", {}, {3, 2, 1}},
      {"the sample in any letter case", with([](AssayFilter& f) { f.text = "дизель"; }), {1}},
      {"Cyrillic capitals fold", with([](AssayFilter& f) { f.text = "газойль"; }), {3}},
      {"the file name", with([](AssayFilter& f) { f.text = "BLANK"; }), {2}},
      {"the file's folders", with([](AssayFilter& f) { f.text = "gasoil"; }), {1}},
      {"a file kept elsewhere", with([](AssayFilter& f) { f.text = "elsewhere"; }), {3}},
      {"roles in either language",
       with([](AssayFilter& f) {
         f.roles = {"#анализ", "#analysis"};
       }),
       {3, 1}},
      {"days include their start", with([](AssayFilter& f) { f.from = 2000, f.until = 3000; }), {2}},
      {"hidden ones on request", with([](AssayFilter& f) { f.hidden = false; }), {2, 1}},
      {"deleted ones on request", with([](AssayFilter& f) { f.deleted = true; }), {4, 3, 2, 1}},
      {"by sample, ascending",
       with([](AssayFilter& f) { f.orderBy = AssayColumn::Sample, f.descending = false; }),
       {3, 1, 2}},
  };
  for (const auto& c : cases) EXPECT_EQ(ids(c.filter), c.expected) << c.what;
  EXPECT_EQ(db.Page({}, 1, 1).at(0).id, 2) << "a page starts at its offset";
  EXPECT_EQ(db.RoleTexts(), (std::vector<std::string>{"#analysis", "#анализ", "#холостая"}));
}

}  // namespace
}  // namespace p528::hostkit
