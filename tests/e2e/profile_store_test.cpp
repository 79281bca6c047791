// The command line's profile file and the host services it stands behind.
#include "cli_host.h"
#include "host/kit/profile_store.h"

#include "shell/settings.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace p528::simdist {
namespace {

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path = (std::filesystem::path(::testing::TempDir()) /
            (std::string("profile_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
               .string();
    std::filesystem::remove(path);
  }
  void TearDown() override { std::filesystem::remove(path); }
  std::string Text() const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string path;
};

TEST_F(ProfileFile, ValuesSurviveARestartWhateverTheyHold) {
  const std::string awkward = "a = b%\r\nsecond line\\ and =";
  {
    ProfileStore store(path);
    ASSERT_TRUE(store.Load());
    EXPECT_TRUE(store.SetInt("plugins\\plug528\\settings\\num_device", -12));
    EXPECT_TRUE(store.SetText("plugins\\plug528\\paths\\CHRM_GRAD", "/data/Проба = 1.chrm"));
    EXPECT_TRUE(store.SetText("key=with=equals", awkward));
    EXPECT_TRUE(store.SetText("empty", ""));
  }
  ProfileStore again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetInt("plugins\\plug528\\settings\\num_device"), -12);
  EXPECT_EQ(again.GetText("plugins\\plug528\\paths\\CHRM_GRAD"), "/data/Проба = 1.chrm");
  EXPECT_EQ(again.GetText("key=with=equals"), awkward);
  EXPECT_EQ(again.GetText("empty"), "");
  // Kinds are kept apart, as the host keeps them.
  EXPECT_FALSE(again.GetText("plugins\\plug528\\settings\\num_device").has_value());
  EXPECT_FALSE(again.GetInt("empty").has_value());
}

TEST_F(ProfileFile, LinesItCannotReadAreKeptNotLost) {
  {
    std::ofstream out(path);
    out << "# written by a newer simdist\n"
        << "int a\\b = 5\n"
        << "float a\\c = 1.5\n"
        << "int a\\d = twelve\n"
        << "garbage\n";
  }
  ProfileStore store(path);
  ASSERT_TRUE(store.Load());
  EXPECT_EQ(store.GetInt("a\\b"), 5);
  EXPECT_FALSE(store.GetInt("a\\d").has_value());
  ASSERT_TRUE(store.SetInt("a\\e", 6));
  const std::string text = Text();
  for (const char* kept : {"float a\\c = 1.5\n", "int a\\d = twelve\n", "garbage\n", "int a\\e = 6\n"}) {
    EXPECT_NE(text.find(kept), std::string::npos) << kept;
  }
}

TEST_F(ProfileFile, DeletingASectionLeavesItsNeighbours) {
  ProfileStore store(path);
  ASSERT_TRUE(store.Load());
  store.SetText("p\\paths\\CHRM_GRAD", "g");
  store.SetText("p\\paths\\CHRM_IDLE", "i");
  store.SetText("p\\paths2\\x", "kept");
  store.SetText("p\\pathsX", "kept too");
  store.DeleteSection("p\\paths");
  EXPECT_FALSE(store.GetText("p\\paths\\CHRM_GRAD").has_value());
  EXPECT_FALSE(store.GetText("p\\paths\\CHRM_IDLE").has_value());
  EXPECT_EQ(store.GetText("p\\paths2\\x"), "kept");
  EXPECT_EQ(store.GetText("p\\pathsX"), "kept too");
}

TEST_F(ProfileFile, AnUnwritableProfileIsReported) {
  ProfileStore store("/proc/plug528-cannot-be-here/profile");
  ASSERT_TRUE(store.Load());
  EXPECT_FALSE(store.SetInt("k", 1));
  EXPECT_NE(store.saveError(), "");
}

TEST_F(ProfileFile, SettingsThroughTheHostServices) {
  ProfileStore store(path);
  ASSERT_TRUE(store.Load());
  CliHost host(store);
  Shell shell;
  shell.host = host.Attach();
  shell.settingsPrefix = kSettingsPrefix;
  WriteSettingInt(shell, kSectionSettings, "method", 4);
  EXPECT_EQ(ReadSettingInt(shell, kSectionSettings, "method", 0), 4);
  EXPECT_EQ(store.GetInt("plugins\\plug528\\settings\\method"), 4);
  // A text is read back cut to 127 characters, as from a host.
  const std::string longPath(200, 'x');
  WriteSettingText(shell, kSectionPaths, "CHRM_GRAD", longPath);
  EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", ""), longPath.substr(0, 127));
  DeleteSettingSection(shell, kSectionPaths);
  EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", "none"), "none");
  // The assay dialog and the database exist only when the command line was given them.
  EXPECT_FALSE(shell.ServiceExists("Main/OpenAssayIdDlgEx"));
  EXPECT_FALSE(shell.ServiceExists("DB/GetConnectionUri"));
  EXPECT_FALSE(shell.ServiceExists("Main/OpenAssayFile"));
  host.assayDialogOffered = true;
  host.assayIds = {5, 6};
  int ids[256] = {};
  AssayIdRequest request{ids, 256};
  EXPECT_EQ(shell.CallService("Main/OpenAssayIdDlgEx", reinterpret_cast<intptr_t>(&request), 0), 2);
  EXPECT_EQ(ids[1], 6);
  host.Detach();
  EXPECT_FALSE(shell.ServiceExists("Profile/GetInt"));
}

}  // namespace
}  // namespace p528::simdist
