// Where the component table lives when the plug-in folder is read-only.
#include "shell/component_location.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace p528 {
namespace {

class ComponentLocation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder / "module");
    std::ofstream(folder / "module/tqle528data.csv") << "installed";
    setenv("XDG_DATA_HOME", (folder / "home").c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }
  test::TempFolder folder;
  const std::function<bool(const std::string&)> readOnly = [](const std::string&) { return false; };
};

TEST_F(ComponentLocation, AWritableModuleFolderKeepsTheTableBesideTheModule) {
  EXPECT_EQ(ComponentTableLocation(folder / "module"), folder / "module/tqle528data.csv");
  EXPECT_FALSE(std::filesystem::exists(folder / "home/plug528/tqle528data.csv"));
}

TEST_F(ComponentLocation, AReadOnlyInstallIsSeededOnceIntoTheUsersCopy) {
  const std::string user = folder / "home/plug528/tqle528data.csv";
  EXPECT_EQ(ComponentTableLocation(folder / "module", false, readOnly), folder / "module/tqle528data.csv")
      << "a reader that does not seed keeps to the installed table";
  EXPECT_EQ(ComponentTableLocation(folder / "module", true, readOnly), user);
  std::ofstream(user) << "edited by the user";
  std::ofstream(folder / "module/tqle528data.csv") << "a newer install";
  EXPECT_EQ(ComponentTableLocation(folder / "module", true, readOnly), user);
  std::ifstream in(user);
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "edited by the user") << "the user's copy is never seeded again";
}

// Run as root the package's folder can be written, yet its table is the package's: an edit
// saved there would be lost at the next install.
TEST_F(ComponentLocation, AnInstalledFolderAlwaysEditsTheUsersCopyWhichAReinstallKeeps) {
  const std::string installed = folder / "usr/lib/plug528";
  const auto install = [&] {
    std::filesystem::create_directories(installed);
    std::ofstream(installed + "/tqle528data.csv") << "installed";
  };
  install();
  const std::string table = ComponentTableLocation(installed);
  EXPECT_EQ(table, folder / "home/plug528/tqle528data.csv");
  std::ofstream(table) << "edited by the user";
  install();
  std::ifstream in(ComponentTableLocation(installed + "/"));
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "edited by the user");
}

}  // namespace
}  // namespace p528
