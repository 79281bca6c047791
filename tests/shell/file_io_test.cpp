// Writing files whole or not at all, and reading only regular files: the helpers every
// writer and reader of the system goes through.
#include "shell/atomic_file.h"
#include "shell/regular_file.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace p528 {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadRegularFile(path, bytes)) << path;
  return bytes;
}

TEST(AtomicFile, ReplacesTheFileALinkNamesKeepingModeAndLink) {
  test::TempFolder folder;
  { std::ofstream(folder / "real") << "old content that is longer"; }
  ::chmod((folder / "real").c_str(), 0640);
  fs::create_symlink("real", folder / "link");  // relative, from the link's folder
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder / "link", "new", error)) << error;
  EXPECT_EQ(Read(folder / "real"), "new");
  EXPECT_TRUE(fs::is_symlink(folder / "link"));
  EXPECT_EQ(fs::status(folder / "real").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(folder / "fresh", "", error)) << error;
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"fresh", "link", "real"}));  // no temporary left
}

// A failed report used to delete the output path, whatever it named.
TEST(AtomicFile, RefusesWhatIsNotARegularFileAndLeavesItAlone) {
  test::TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  fs::create_directory(folder / "dir");
  for (const std::string& path : {folder / "fifo", folder / "dir", std::string("/dev/null")}) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(path, "x", error)) << path;
    EXPECT_NE(error.find("is a"), std::string::npos) << error;
  }
  EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder / "missing/x", "x", error));
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"dir", "fifo"}));
}

TEST(RegularFile, FifosDevicesAndFoldersAreRefusedWithoutWaiting) {
  test::TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  const std::pair<std::string, const char*> cases[] = {{folder / "fifo", "is a FIFO"},
                                                       {"/dev/zero", "is a device"},
                                                       {folder.path(), "is a directory"},
                                                       {folder / "none", "No such file or directory"}};
  for (const auto& [path, reason] : cases) {
    std::string bytes;
    std::string why;
    EXPECT_FALSE(ReadRegularFile(path, bytes, &why)) << path;
    EXPECT_EQ(why, reason);
    EXPECT_EQ(RegularFileProblem(path), reason);
  }
}

}  // namespace
}  // namespace p528
