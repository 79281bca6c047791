// The command line's profile file and the host services it stands behind.
#include "host/kit/profile_store.h"
#include "cli_host.h"

#include "shell/settings.h"
#include "shell/shell.h"

#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace p528::simdist {
namespace {

class ProfileFile : public ::testing::Test {
 protected:
  std::string Text() const { return test::ReadBytes(path); }
  test::TempFolder folder;
  std::string path = folder / "profile";  // alone in its folder: no other file is taken for a leftover
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
  const std::string text = test::ReadBytes(path);
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

// Runs started at once on one profile used to fail (the shared "profile.tmp" was renamed
// away under each other) or lose each other's values, and now and then spliced lines.
TEST_F(ProfileFile, TwentyRunsAtOnceAllSucceedAndKeepEveryValue) {
  constexpr int kRuns = 20;
  constexpr int kValuesPerRun = 5;
  { std::ofstream(path) << "# the laboratory's note\n"; }
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  std::vector<pid_t> children;
  for (int run = 0; run < kRuns; ++run) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(start[1]);
      char go;
      (void)!::read(start[0], &go, 1);  // all runs wait here until the parent lets them go
      ProfileStore store(path);
      bool ok = store.Load();
      for (int i = 0; i < kValuesPerRun; ++i) {
        ok = store.SetText("run" + std::to_string(run) + "\\v" + std::to_string(i),
                           std::string(300, static_cast<char>('a' + run))) &&
             ok;
      }
      ::_exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  ::close(start[0]);
  ::close(start[1]);
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  ProfileStore store(path);
  ASSERT_TRUE(store.Load());
  for (int run = 0; run < kRuns; ++run) {
    for (int i = 0; i < kValuesPerRun; ++i) {
      EXPECT_EQ(store.GetText("run" + std::to_string(run) + "\\v" + std::to_string(i)),
                std::string(300, static_cast<char>('a' + run)));
    }
  }
  const std::string text = test::ReadBytes(path);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kRuns * kValuesPerRun + 1) << "spliced or lost lines";
  EXPECT_TRUE(text.starts_with("# the laboratory's note\n"));
  EXPECT_EQ(folder.Files(), std::vector<std::string>{"profile"});  // no temporary file left
}

// The profile save used to replace a link or a device node by a regular file, and a FIFO
// as the profile made the run wait for ever.
TEST_F(ProfileFile, ALinkIsFollowedAndOtherFilesAreRefused) {
  const std::string real = folder / "real";
  const std::string link = folder / "link";
  std::filesystem::create_symlink(real, link);
  ProfileStore linked(link);
  ASSERT_TRUE(linked.Load());
  ASSERT_TRUE(linked.SetInt("k", 1));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  ProfileStore target(real);
  ASSERT_TRUE(target.Load());
  EXPECT_EQ(target.GetInt("k"), 1);

  const std::string fifo = folder / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string error;
  EXPECT_FALSE(ProfileStore(fifo).Load(&error));
  EXPECT_NE(error.find("FIFO"), std::string::npos) << error;
  ProfileStore toFifo(fifo);
  EXPECT_FALSE(toFifo.SetInt("k", 1));
  ProfileStore toFolder(folder.path());
  EXPECT_FALSE(toFolder.SetInt("k", 1));
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"fifo", "link", "real"}));  // no temporary left

  // A dangling link into folders that do not exist makes none of them.
  std::filesystem::create_symlink(folder / "made/by/link/profile", folder / "dangling");
  ProfileStore dangling(folder / "dangling");
  EXPECT_FALSE(dangling.SetInt("k", 1));
  EXPECT_FALSE(std::filesystem::exists(folder / "made"));
}

TEST_F(ProfileFile, AKeyWithLeadingBlanksIsAKeyOfItsOwn) {
  {
    ProfileStore store(path);
    ASSERT_TRUE(store.SetText("  section\\key", "blanks"));
    ASSERT_TRUE(store.SetText("section\\key", "plain"));
  }
  ProfileStore again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetText("  section\\key"), "blanks");
  EXPECT_EQ(again.GetText("section\\key"), "plain");
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
  // A long path comes back whole.
  const std::string longPath(4096, 'x');
  WriteSettingText(shell, kSectionPaths, "CHRM_GRAD", longPath);
  EXPECT_EQ(ReadSettingText(shell, kSectionPaths, "CHRM_GRAD", ""), longPath);
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
