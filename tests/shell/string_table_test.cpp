#include "shell/string_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace p528 {
namespace {

// The texts the other subsystems look up by number; a number lost or swapped in a merge of
// the string files shows up here first.
TEST(StringTables, NumbersAreUniqueAndEveryRussianTextHasAnEnglishOne) {
  struct Table {
    const char* name;
    const StringTable& table;
  };
  const Table tables[] = {{"ru", RussianStrings()}, {"en", EnglishStrings()}};
  for (const Table& t : tables) {
    std::set<int> seen;
    for (const StringEntry& e : t.table.entries()) {
      EXPECT_TRUE(seen.insert(e.id).second) << t.name << ": number " << e.id << " appears twice";
      EXPECT_NE(std::strlen(e.text), 0u) << t.name << ": number " << e.id << " is empty";
    }
  }
  for (const StringEntry& e : RussianStrings().entries())
    EXPECT_NE(EnglishStrings().Find(e.id), nullptr) << "no English text for " << e.id;
  for (const StringEntry& e : EnglishStrings().entries())
    EXPECT_NE(RussianStrings().Find(e.id), nullptr) << "no Russian text for " << e.id;
}

// The text-id tables (*_texts.h under src/ and tools/): every id is defined once, under one
// number, and names a text of both string tables.
TEST(StringTables, EveryTextIdIsDefinedOnceAndNamesATextInBothLanguages) {
  const std::string definition = "inline constexpr int ";
  std::map<int, std::string> byNumber;
  std::set<std::string> names;
  int count = 0;
  std::vector<std::filesystem::path> files;
  for (const char* folder : {PLUG528_SOURCE_DIR "/src", PLUG528_SOURCE_DIR "/tools"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (entry.path().filename().string().ends_with("_texts.h")) files.push_back(entry.path());
  }
  for (const std::filesystem::path& path : files) {
    const std::string file = path.filename().string();
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
      // inline constexpr int kName = 123;
      if (!line.starts_with(definition)) continue;
      const std::size_t equals = line.find(" = ");
      const std::size_t end = line.find(';');
      ASSERT_NE(equals, std::string::npos) << line;
      ASSERT_NE(end, std::string::npos) << line;
      const std::string name = line.substr(definition.size(), equals - definition.size());
      const int number = std::stoi(line.substr(equals + 3, end - equals - 3));
      ++count;
      EXPECT_TRUE(names.insert(name).second) << name << " is defined twice (" << file << ")";
      const auto [at, fresh] = byNumber.emplace(number, name);
      EXPECT_TRUE(fresh) << number << " is both " << at->second << " and " << name << " (" << file << ")";
      EXPECT_NE(RussianStrings().Find(number), nullptr) << name << " = " << number << ": no Russian text";
      EXPECT_NE(EnglishStrings().Find(number), nullptr) << name << " = " << number << ": no English text";
    }
  }
  EXPECT_GT(count, 150);  // the tables were found
}

TEST(StringTables, KeepTheSystemsOwnTextsByteForByte) {
  struct Row {
    int id;
    const char* russian;
  };
  const Row rows[] = {
      {130, "Доп расчет 528. Версия: %s "},  // trailing blank belongs to the title
      {140, "анализ - %i"},
      {146, "Отсутствует градуировочная хроматтограмма!"},
      {159,
       "|\xD0\xA2"
       "1 - \xD0\xA2"
       "2|, °C"},  // Cyrillic capital Te, not Latin T
      {160, "Соответствие"},
      {161, "Норматив, °C"},
      {178, "T (ISO 3405), °C"},  // Latin T
      {278, "#градуировочная"},
      {283, "#проверочная"},
      {2076, "Данные/Расчёты/Имитированная дистилляция нефти"},
  };
  for (const Row& row : rows) {
    const char* text = RussianStrings().Find(row.id);
    ASSERT_NE(text, nullptr) << row.id;
    EXPECT_STREQ(text, row.russian) << row.id;
  }
}

TEST(StringTables, FormatPlaceholdersMatchBetweenLanguages) {
  // A translated text with a different placeholder would read the wrong argument.
  auto placeholders = [](const char* text) {
    std::string out;
    for (const char* p = std::strchr(text, '%'); p != nullptr; p = std::strchr(p + 1, '%')) {
      const char* q = p + 1;
      while (*q != '\0' && std::strchr("0123456789.-+ #", *q) != nullptr) ++q;
      if (*q == 'i' || *q == 'd' || *q == 's' || *q == 'f') out.append(p, q + 1);
    }
    return out;
  };
  for (const StringEntry& e : RussianStrings().entries()) {
    const char* english = EnglishStrings().Find(e.id);
    if (english == nullptr) continue;
    EXPECT_EQ(placeholders(e.text), placeholders(english)) << "number " << e.id;
  }
}

}  // namespace
}  // namespace p528
