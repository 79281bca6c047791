#include "shell/module_file.h"
#include "shell/language.h"

#include <gtest/gtest.h>

#include <string>

namespace p528 {
namespace {

TEST(LanguageAbbreviation, NamesTheSatelliteOfEachLanguage) {
  struct Row {
    uint16_t id;
    const char* expected;
  };
  const Row rows[] = {
      {0x0409, "ENU"},   {0x0809, "ENG"}, {0x0419, "RUS"},   {0x0407, "DEU"}, {0x040C, "FRA"},
      {0x0422, "UKR"},   {0x0C0A, "ESN"}, {0x0000, nullptr},  // no language from the host: no satellite
      {0x0009, nullptr},  // a primary language without sub-language is not a language id here
      {0x7FFF, nullptr},
  };
  for (const Row& row : rows) {
    const char* abbreviation = LanguageAbbreviation(row.id);
    if (row.expected == nullptr) {
      EXPECT_EQ(abbreviation, nullptr) << std::hex << row.id;
    } else {
      ASSERT_NE(abbreviation, nullptr) << std::hex << row.id;
      EXPECT_STREQ(abbreviation, row.expected);
    }
  }
}

TEST(SatelliteFileName, ReplacesTheExtensionOfTheModuleFile) {
  struct Row {
    const char* module;
    const char* abbreviation;
    const char* expected;
  };
  const Row rows[] = {
      {"/opt/host/plugins/libplug528.so", "ENU", "/opt/host/plugins/libplug528ENU.so"},
      {"libplug528.so", "DEU", "libplug528DEU.so"},
      {"/opt/host.d/plugins/libplug528", "ENU", "/opt/host.d/plugins/libplug528ENU.so"},  // dot in a folder
      {"/opt/x/lib.plug528.so", "ENU", "/opt/x/lib.plug528ENU.so"},  // only the last extension
      {"/opt/x/.hidden", "ENU", "/opt/x/.hiddenENU.so"},
      {"/опыт/libplug528.so", "ENU", "/опыт/libplug528ENU.so"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(SatelliteFileName(row.module, row.abbreviation), row.expected) << row.module;
}

TEST(FolderOf, CutsAtTheLastSeparator) {
  struct Row {
    const char* file;
    const char* expected;
  };
  const Row rows[] = {
      {"/opt/host/plugins/libplug528.so", "/opt/host/plugins"},
      {"/libplug528.so", "/"},
      {"libplug528.so", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(FolderOf(row.file), row.expected) << row.file;
}

TEST(ModuleFileOf, NamesTheProgramThatHoldsACodeAddress) {
  const std::string file = ModuleFileOf(reinterpret_cast<const void*>(&FolderOf));
  EXPECT_NE(file.find("shell_tests"), std::string::npos) << file;
  EXPECT_EQ(ModuleFileOf(nullptr), "");
}

}  // namespace
}  // namespace p528
