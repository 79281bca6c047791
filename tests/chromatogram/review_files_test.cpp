// Reading a chromatogram from a path that is not a regular file: a device, a FIFO or a
// folder is refused before it is opened (a FIFO without a writer used to hang the reader,
// a device to be read as a stream), and the object keeps what it held.
#include "chromatogram/chrm_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace p528 {
namespace {

TEST(ChrmFileFromOtherPaths, DevicesFifosAndFoldersCannotBeOpened) {
  test::TempFolder folder;
  const std::string fifo = folder / "run.chrm";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {std::string("/dev/zero"), std::string("/dev/null"), fifo, folder.path()}) {
    if (!std::filesystem::exists(path)) continue;
    ChrmFile file;
    file.passport.path = "before";
    file.channels.resize(1);
    EXPECT_EQ(file.LoadFromFile(path), -1) << path;
    EXPECT_EQ(file.passport.path, "before") << path;
    EXPECT_EQ(file.channels.size(), 1u) << path;
  }
}

}  // namespace
}  // namespace p528
