// Component table: reading rules, exact written bytes, the built-in data file, and saving
// that never leaves a half-written or newly created table.
#include "chromatogram/component_table.h"

#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

namespace p528 {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;
using test::WriteBytes;

using TempDir = test::TempFolder;

ComponentTable LoadBytes(const TempDir& dir, const std::string& bytes) {
  const std::string path = dir.File("load.csv");
  WriteBytes(path, bytes);
  ComponentTable table;
  LoadComponentTable(path, table);
  return table;
}

// Saves `table` over a file that exists and returns the bytes written.
std::string SaveBytes(const TempDir& dir, const ComponentTable& table) {
  const std::string path = dir.File("save.csv");
  WriteBytes(path, "old");
  SaveComponentTable(path, table);
  return ReadBytes(path);
}

// Windows-1251 bytes of a few Cyrillic letters used below.
const std::string kCyrC = "\xD1";                   // С
const std::string kCyrc = "\xF1";                   // с
const std::string kProba = "\xEF\xF0\xEE\xE1\xE0";  // проба

struct LineCase {
  const char* name;
  std::string line;
  int id;
  std::string names[4];  // name, altName, nameLatin, altNameLatin (UTF-8)
  double boilingPoint;
  double responseFactor;
  double mixtureMass;
  std::string savedAgain;  // the record saved again (Windows-1251)
};

TEST(ComponentTableLoad, FieldsLettersAndNumbers) {
  const LineCase cases[] = {
      {"latin C5 in the third and fifth fields",
       "5;" + kCyrC + "5;C5;C5;C5;36;1;10",
       5,
       {"С5", "С5", "C5", "C5"},
       36,
       1,
       10,
       "5;" + kCyrC + "5;" + kCyrC + "5;C5;C5;36.0;1.000;10.000\r\n"},
      {"cyrillic letters in the latin fields",
       "7;x;y;" + kCyrC + "7" + kCyrc + ";" + kCyrc,
       7,
       {"x", "y", "C7c", "c"},
       0,
       0,
       0,
       "7;x;y;C7c;c;0.0;0.000;0.000\r\n"},
      {"only an id and a name",
       "53;" + kProba,
       53,
       {"проба", "", "", ""},
       0,
       0,
       0,
       "53;" + kProba + ";;;;0.0;0.000;0.000\r\n"},
      {"rounding of the formats",
       "9;a;b;c;d;98.45;0.9995;0.0004",
       9,
       {"a", "b", "c", "d"},
       98.45,
       0.9995,
       0.0004,
       "9;a;b;c;d;98.5;1.000;0.000\r\n"},  // 98.45 is just above ...45 in binary
      {"blank line", "", 0, {"", "", "", ""}, 0, 0, 0, "0;;;;;0.0;0.000;0.000\r\n"},
      {"fields beyond the eighth ignored",
       "1;a;b;c;d;1;2;3;4;5",
       1,
       {"a", "b", "c", "d"},
       1,
       2,
       3,
       "1;a;b;c;d;1.0;2.000;3.000\r\n"},
      {"id truncated toward zero", "-3.9;a", -3, {"a", "", "", ""}, 0, 0, 0, "-3;a;;;;0.0;0.000;0.000\r\n"},
      {"id with blanks and junk",
       "  12.7xyz;a",
       12,
       {"a", "", "", ""},
       0,
       0,
       0,
       "12;a;;;;0.0;0.000;0.000\r\n"},
      {"id beyond int stops at its end",
       "1e30;a",
       INT_MAX,
       {"a", "", "", ""},
       0,
       0,
       0,
       "2147483647;a;;;;0.0;0.000;0.000\r\n"},
      {"non-numeric numbers read as 0",
       "2;a;b;c;d;abc;,5;",
       2,
       {"a", "b", "c", "d"},
       0,
       0,
       0,
       "2;a;b;c;d;0.0;0.000;0.000\r\n"},
      {"decimal comma stops the number",
       "2;a;b;c;d;12,5;1.5e1; -7",
       2,
       {"a", "b", "c", "d"},
       12,
       15,
       -7,
       "2;a;b;c;d;12.0;15.000;-7.000\r\n"},
      {"negative boiling point",
       "1;" + kCyrC + "1;;C1;;-161.5",
       1,
       {"С1", "", "C1", ""},
       -161.5,
       0,
       0,
       "1;" + kCyrC + "1;;C1;;-161.5;0.000;0.000\r\n"},
  };
  TempDir dir;
  for (const LineCase& c : cases) {
    const ComponentTable table = LoadBytes(dir, c.line + "\r\n");
    ASSERT_EQ(table.size(), 1u) << c.name;
    const ComponentRecord& r = table[0];
    EXPECT_EQ(r.id, c.id) << c.name;
    EXPECT_EQ(r.name, c.names[0]) << c.name;
    EXPECT_EQ(r.altName, c.names[1]) << c.name;
    EXPECT_EQ(r.nameLatin, c.names[2]) << c.name;
    EXPECT_EQ(r.altNameLatin, c.names[3]) << c.name;
    EXPECT_EQ(r.boilingPoint, c.boilingPoint) << c.name;
    EXPECT_EQ(r.responseFactor, c.responseFactor) << c.name;
    EXPECT_EQ(r.mixtureMass, c.mixtureMass) << c.name;
    EXPECT_EQ(r.retentionTime, 0);
    EXPECT_EQ(r.peakWidth, 0);
    EXPECT_EQ(SaveBytes(dir, table), c.savedAgain) << c.name;
  }
}

struct SplitCase {
  const char* name;
  std::string bytes;
  std::vector<int> ids;
};

TEST(ComponentTableLoad, LineEnds) {
  const SplitCase cases[] = {
      {"empty file", "", {}},
      {"CR LF", "1;a\r\n2;b\r\n", {1, 2}},
      {"LF alone", "1;a\n2;b\n", {1, 2}},
      {"last line without end", "1;a\r\n2;b", {1, 2}},
      {"blank line inside", "1;a\r\n\r\n3;c\r\n", {1, 0, 3}},
      {"only a line end", "\r\n", {0}},
      {"CR alone", "1;a\r2;b\r", {1, 2}},
  };
  TempDir dir;
  for (const SplitCase& c : cases) {
    const ComponentTable table = LoadBytes(dir, c.bytes);
    std::vector<int> ids;
    for (const ComponentRecord& r : table) ids.push_back(r.id);
    EXPECT_EQ(ids, c.ids) << c.name;
  }
}

// A table saved by an editor as UTF-8 read as Windows-1251 mojibake and was written back so.
TEST(ComponentTableEncodings, Utf8FilesReadAndAreSavedInTheirEncoding) {
  const std::string line = "7;проба;;;;98.4;1.000;0.000\r\n";
  const std::string bom = "\xEF\xBB\xBF";
  TempDir dir;
  for (const std::string& bytes : {line, bom + line}) {
    const ComponentTable table = LoadBytes(dir, bytes);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].name, "проба");
    const std::string path = dir.File("load.csv");
    SaveComponentTable(path, table);
    EXPECT_EQ(ReadBytes(path),
              bytes.substr(0, bytes.size() - line.size()) + "7;проба;;;;98.4;1.000;0.000\r\n");
  }
  // The host's own Windows-1251 stays Windows-1251.
  const ComponentTable cp1251 = LoadBytes(dir, "7;" + kProba + ";;;;98.4;1.000;0.000\r\n");
  SaveComponentTable(dir.File("load.csv"), cp1251);
  EXPECT_EQ(ReadBytes(dir.File("load.csv")), "7;" + kProba + ";;;;98.4;1.000;0.000\r\n");
}

TEST(ComponentTableLoad, AFifoIsNotOpened) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo.csv").c_str(), 0600), 0);
  ComponentTable table(3);
  LoadComponentTable(dir.File("fifo.csv"), table);  // used to wait for a writer for ever
  EXPECT_TRUE(table.empty());
  EXPECT_THROW(SaveComponentTable(dir.File("fifo.csv"), ComponentTable(1)), ComponentTableSaveError);
}

TEST(ComponentTableLoad, MissingFileGivesAnEmptyTable) {
  TempDir dir;
  ComponentTable table(3);
  LoadComponentTable(dir.File("absent.csv"), table);
  EXPECT_TRUE(table.empty());
}

TEST(ComponentTableLoad, DataPathBesideTheModule) {
  EXPECT_EQ(ComponentDataPath("/opt/plug528"), "/opt/plug528/tqle528data.csv");
  EXPECT_EQ(ComponentDataPath("/opt/plug528/"), "/opt/plug528/tqle528data.csv");
}

// ---- the built-in data file -------------------------------------------------------------

const std::string kBuiltIn = std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv";

TEST(ComponentTableBuiltIn, FiftyTwoRowsOfKnownComponents) {
  ComponentTable table;
  LoadComponentTable(kBuiltIn, table);
  ASSERT_EQ(table.size(), 52u);
  const int boiling[45] = {0,   -162, -89, -42, 0,   36,  69,  98,  126, 151, 174, 196, 216, 235, 254,
                           271, 287,  302, 316, 330, 344, 356, 369, 380, 391, 402, 412, 422, 431, 440,
                           449, 458,  466, 474, 481, 489, 496, 503, 509, 516, 522, 528, 534, 540, 545};
  for (int n = 1; n <= 44; ++n) {
    const ComponentRecord& r = table[static_cast<size_t>(n - 1)];
    const std::string cyrillic = "С" + std::to_string(n);
    const std::string latin = "C" + std::to_string(n);
    EXPECT_EQ(r.id, n);
    EXPECT_EQ(r.name, cyrillic);
    EXPECT_EQ(r.altName, cyrillic);  // the label the check mixture's peaks carry
    EXPECT_EQ(r.nameLatin, latin);
    EXPECT_EQ(r.altNameLatin, latin);
    EXPECT_EQ(r.boilingPoint, boiling[n]) << latin;
    EXPECT_EQ(r.responseFactor, 1.0) << latin;
    if (n >= 5) {
      EXPECT_GT(r.mixtureMass, 0) << latin;
    }
  }
  for (size_t i = 44; i < 52; ++i) {
    EXPECT_EQ(table[i].id, static_cast<int>(i) + 1);
    EXPECT_FALSE(table[i].name.empty());
    EXPECT_FALSE(table[i].altNameLatin.empty());
  }
  for (size_t i = 48; i < 52; ++i) EXPECT_EQ(table[i].responseFactor, 0) << table[i].nameLatin;
}

TEST(ComponentTableBuiltIn, SavingItGivesTheSameBytes) {
  TempDir dir;
  ComponentTable table;
  LoadComponentTable(kBuiltIn, table);
  EXPECT_EQ(SaveBytes(dir, table), ReadBytes(kBuiltIn));
}

// ---- saving ------------------------------------------------------------------------------

ComponentTable SmallTable() {
  ComponentRecord r{.id = 53,
                    .name = "Проба",
                    .altName = "П",
                    .nameLatin = "Proba",
                    .altNameLatin = "P",
                    .responseFactor = 1,
                    .mixtureMass = 2,
                    .boilingPoint = 100};
  return {r};
}

TEST(ComponentTableSave, MissingFileIsNotCreated) {
  TempDir dir;
  const std::string path = dir.File("tqle528data.csv");
  EXPECT_THROW(SaveComponentTable(path, SmallTable()), ComponentTableSaveError);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(dir.Files().size(), 0u);
  fs::create_directory(path);
  EXPECT_THROW(SaveComponentTable(path, SmallTable()), ComponentTableSaveError);
  EXPECT_TRUE(fs::is_directory(path));
}

TEST(ComponentTableSave, ReplacesTheWholeFileKeepingItsPermissions) {
  TempDir dir;
  const std::string path = dir.File("tqle528data.csv");
  WriteBytes(path, std::string(5000, 'x'));  // longer than the new content: nothing of it stays
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  SaveComponentTable(path, SmallTable());
  EXPECT_EQ(ReadBytes(path), "53;\xCF\xF0\xEE\xE1\xE0;\xCF;Proba;P;100.0;1.000;2.000\r\n");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(dir.Files().size(), 1u);  // no temporary file left
}

TEST(ComponentTableSave, ALinkedFileIsReplacedNotTheLink) {
  TempDir dir;
  const std::string real = dir.File("real.csv");
  const std::string link = dir.File("tqle528data.csv");
  WriteBytes(real, "old\r\n");
  fs::create_symlink(real, link);
  SaveComponentTable(link, SmallTable());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real).substr(0, 3), "53;");
}

TEST(ComponentTableSave, UnrepresentableCharacterWritesNothing) {
  TempDir dir;
  const std::string path = dir.File("tqle528data.csv");
  WriteBytes(path, "old\r\n");
  ComponentTable table = SmallTable();
  table[0].altNameLatin = "α-pinene";
  EXPECT_THROW(SaveComponentTable(path, table), ComponentTableSaveError);
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(ComponentTableSave, LongLinesAreWrittenWhole) {
  TempDir dir;
  ComponentTable table = SmallTable();
  table[0].name = std::string(12000, 'n');
  const std::string bytes = SaveBytes(dir, table);
  EXPECT_EQ(bytes.size(), std::string("53;;П;Proba;P;100.0;1.000;2.000\r\n").size() - 1 + 12000);
  ComponentTable back = LoadBytes(dir, bytes);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].name, table[0].name);
}

// A write that fails midway (here: the file-size limit, as a full disk would) leaves the old
// table as it was and no temporary file behind.
TEST(ComponentTableSave, FailedWriteKeepsTheOldTable) {
  TempDir dir;
  const std::string path = dir.File("tqle528data.csv");
  const std::string old = "1;" + kCyrC + "1;" + kCyrC + "1;C1;C1;-162.0;1.000;0.000\r\n";
  WriteBytes(path, old);
  ComponentTable big(200, SmallTable()[0]);

  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  bool threw = false;
  try {
    SaveComponentTable(path, big);
  } catch (const ComponentTableSaveError&) {
    threw = true;
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_TRUE(threw);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(dir.Files().size(), 1u);
}

}  // namespace
}  // namespace p528
