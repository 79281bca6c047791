// Roles, numbering of parallel runs and the order of the chromatogram set.
#include "chromatogram/chrm_set.h"
#include "chromatogram/analysis_time.h"
#include "chromatogram/chrm_role.h"
#include "shell/shell.h"
#include "shell/string_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>
#include <vector>

namespace p528 {
namespace {

ChrmFile FileWithRoleText(const std::string& title, const std::string& value) {
  ChrmFile file;
  file.passport.fields.push_back({"Chrm_Type", title, value});
  return file;
}

struct DetectCase {
  const char* name;
  std::string title;
  std::string value;
  RoleCounts counts;
  int expected;
};

TEST(DetectRole, PassportTextLimitsAndLetterCase) {
  const Shell shell;
  const RoleCounts none{};
  const RoleCounts threeAnalyses{0, 0, 0, 3, 0, 0, 0};
  const RoleCounts twoAnalyses{0, 0, 0, 2, 0, 0, 0};
  const RoleCounts oneOfEach{0, 1, 1, 1, 1, 1, 1};
  const DetectCase cases[] = {
      {"calibration", "Chrm_Type", "#градуировочная", none, RoleCalibration},
      {"blank", "Chrm_Type", "#холостая", none, RoleBlank},
      {"analysis", "Chrm_Type", "#анализ", none, RoleAnalysis},
      {"standard", "Chrm_Type", "#стандарт", none, RoleStandard},
      {"reference", "Chrm_Type", "#эталон", none, RoleReference},
      {"check", "Chrm_Type", "#проверочная", none, RoleCheck},
      {"cyrillic upper case", "Chrm_Type", "#АНАЛИЗ", none, RoleAnalysis},
      {"mixed case", "Chrm_Type", "#ГрадуировОЧНАЯ", none, RoleCalibration},
      {"title in other case is no role field", "chrm_type", "#анализ", none, RoleNone},
      {"unknown text", "Chrm_Type", "анализ", none, RoleNone},
      {"trailing blank", "Chrm_Type", "#анализ ", none, RoleNone},
      {"empty text", "Chrm_Type", "", none, RoleNone},
      {"fourth analysis refused", "Chrm_Type", "#анализ", threeAnalyses, RoleNone},
      {"third analysis accepted", "Chrm_Type", "#анализ", twoAnalyses, RoleAnalysis},
      {"second calibration refused", "Chrm_Type", "#градуировочная", oneOfEach, RoleNone},
      {"second standard accepted", "Chrm_Type", "#стандарт", oneOfEach, RoleStandard},
      {"second check refused", "Chrm_Type", "#проверочная", oneOfEach, RoleNone},
      {"English analysis", "Chrm_Type", "#analysis", none, RoleAnalysis},
      {"English calibration upper case", "Chrm_Type", "#CALIBRATION", none, RoleCalibration},
      {"English check", "Chrm_Type", "#check", none, RoleCheck},
  };
  // Both interfaces read both languages' role texts.
  Shell english;
  english.resources = &EnglishStrings();
  for (const DetectCase& c : cases) {
    EXPECT_EQ(DetectRole(shell, FileWithRoleText(c.title, c.value), c.counts), c.expected) << c.name;
    EXPECT_EQ(DetectRole(english, FileWithRoleText(c.title, c.value), c.counts), c.expected) << c.name;
  }
}

TEST(DetectRole, FirstFieldTitledChrmTypeDecides) {
  const Shell shell;
  ChrmFile file;
  file.passport.fields = {
      {"a", "operator", "Иванов"}, {"b", "Chrm_Type", "#холостая"}, {"c", "Chrm_Type", "#анализ"}};
  EXPECT_EQ(DetectRole(shell, file, RoleCounts{}), RoleBlank);
  EXPECT_EQ(DetectRole(shell, ChrmFile{}, RoleCounts{}), RoleNone);  // no passport at all
}

TEST(RoleListText, TextsOfEveryRole) {
  const Shell shell;
  struct Case {
    int role;
    int ordinal;
    const char* expected;
  };
  const Case cases[] = {
      {RoleNone, -1, "некоррект."},         {RoleCalibration, -1, "град."},
      {RoleBlank, -1, "холостая"},          {RoleAnalysis, 2, "анализ - 2"},
      {RoleAnalysis, -1, "анализ - ???"},   {RoleStandard, 3, "стандарт - 3"},
      {RoleStandard, -1, "стандарт - ???"}, {RoleReference, -1, "эталон"},
      {RoleCheck, -1, "проверочная"},       {42, 1, "некоррект."},
  };
  for (const Case& c : cases) {
    ChrmFile file;
    file.role = c.role;
    file.ordinal = c.ordinal;
    EXPECT_EQ(RoleListText(shell, file), c.expected) << c.role << " " << c.ordinal;
  }
}

// A set built from (path, role, andate) triples.
struct Run {
  std::string path;
  int role;
  int64_t andate;
};
ChrmSet MakeSet(const std::vector<Run>& runs) {
  ChrmSet set;
  for (const Run& run : runs) {
    ChrmFile& file = set[run.path];
    file.role = run.role;
    file.passport.andate = run.andate;
    file.ordinal = 7;  // stale value: numbering must overwrite it
  }
  return set;
}
std::vector<int> Ordinals(const ChrmSet& set) {
  std::vector<int> ordinals;
  for (const auto& [path, file] : set) ordinals.push_back(file.ordinal);
  return ordinals;
}

struct NumberCase {
  const char* name;
  std::vector<Run> runs;
  std::vector<int> expected;  // ordinals in set (path) order
};

TEST(NumberRuns, OrdinalsByAnalysisTimeAndPairing) {
  constexpr int A = RoleAnalysis, S = RoleStandard, C = RoleCalibration;
  const NumberCase cases[] = {
      {"five analyses: the three earliest are numbered",
       {{"/a", A, 50}, {"/b", A, 10}, {"/c", A, 40}, {"/d", A, 20}, {"/e", A, 30}},
       {-1, 1, -1, 2, 3}},
      {"single analysis", {{"/a", A, 5}}, {1}},
      {"other roles keep their ordinal untouched", {{"/a", A, 5}, {"/g", C, 1}}, {1, 7}},
      {"three analyses and one standard: only the first of each pairs",
       {{"/a1", A, 3}, {"/a2", A, 1}, {"/a3", A, 2}, {"/s1", S, 9}},
       {-1, 1, -1, 1}},
      {"one analysis and three standards",
       {{"/a1", A, 3}, {"/s1", S, 1}, {"/s2", S, 2}, {"/s3", S, 0}},
       {1, -1, -1, 1}},
      {"standards without analyses are all unnumbered", {{"/s1", S, 1}, {"/s2", S, 2}}, {-1, -1}},
      {"two and two pair fully", {{"/a1", A, 8}, {"/a2", A, 7}, {"/s1", S, 1}, {"/s2", S, 2}}, {2, 1, 1, 2}},
      // Pass 1 starts from the last run and only a strictly earlier time replaces it, so a
      // tie with the last run goes to the last run.
      {"tie in pass 1 goes to the last run", {{"/a", A, 5}, {"/b", A, 9}, {"/c", A, 5}}, {2, 3, 1}},
      // Passes 2 and 3 start from the first unnumbered run: ties go to the earlier path.
      {"tie in later passes goes to the first path",
       {{"/a", A, 1}, {"/b", A, 7}, {"/c", A, 7}, {"/d", A, 7}},
       {1, 2, 3, -1}},
      {"tie of the last run with an earlier minimum in pass 1",
       {{"/a", A, 5}, {"/b", A, 5}, {"/c", A, 9}},
       {1, 2, 3}},
  };
  for (const NumberCase& c : cases) {
    ChrmSet set = MakeSet(c.runs);
    NumberRuns(set);
    EXPECT_EQ(Ordinals(set), c.expected) << c.name;
  }
}

TEST(NormalizePeakNames, SwapsOnlyTheLetterC) {
  ChrmFile file;
  file.channels.resize(2);
  file.channels[0].peaks.resize(1);
  file.channels[1].peaks.resize(1);
  file.channels[0].peaks[0].name = "C10 c";          // Latin
  file.channels[1].peaks[0].name = "\u0421\u0441x";  // Cyrillic С, с
  NormalizePeakNames(file, 0);
  EXPECT_EQ(file.channels[0].peaks[0].name, "\u042110 \u0441");
  EXPECT_EQ(file.channels[1].peaks[0].name, "\u0421\u0441x");
  NormalizePeakNames(file, 1);
  EXPECT_EQ(file.channels[0].peaks[0].name, "C10 c");
  EXPECT_EQ(file.channels[1].peaks[0].name, "Ccx");
}

TEST(PathOrder, CodeUnitsOfUtf16CaseSensitive) {
  const PathOrder less;
  EXPECT_TRUE(less("/B", "/a"));  // upper case before lower case
  EXPECT_TRUE(less("/a", "/a/b"));
  // U+1F600 is a surrogate pair (0xD83D...) and sorts before U+FF21 in UTF-16, although
  // its UTF-8 bytes sort after.
  EXPECT_TRUE(less("/\U0001F600", "/\uFF21"));
  EXPECT_FALSE(less("/\uFF21", "/\U0001F600"));
  // Paths that are not valid UTF-8 convert alike but stay distinct keys.
  ChrmSet set;
  set["/x\xff"];
  set["/x\xfe"];
  EXPECT_EQ(set.size(), 2u);
}

TEST(RemovePaths, ErasesListedPathsOnly) {
  ChrmSet set = MakeSet({{"/a", RoleAnalysis, 1}, {"/b", RoleBlank, 1}, {"/c", RoleCheck, 1}});
  RemovePaths(set, {"/c", "/a", "/missing"});
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set.begin()->first, "/b");
  EXPECT_EQ(CountRoles(set)[RoleBlank], 1);
}

TEST(AnalysisTimeText, LocalTimeWithTwoBlanks) {
  // 5 March 2024 14:07 local time, whatever the zone of the machine.
  std::tm local{};
  local.tm_year = 124;
  local.tm_mon = 2;
  local.tm_mday = 5;
  local.tm_hour = 14;
  local.tm_min = 7;
  local.tm_isdst = -1;
  const std::time_t moment = std::mktime(&local);
  EXPECT_EQ(AnalysisTimeText(moment), "05.03.24  14:07");
  EXPECT_EQ(AnalysisTimeText(INT64_MAX), "");  // beyond what a calendar holds: no text, no crash
}

}  // namespace
}  // namespace p528
