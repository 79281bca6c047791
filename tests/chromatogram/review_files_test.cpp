// Reading a chromatogram from a path that is not an ordinary file: the header decides
// before anything else is read, so an endless stream ends at its first bytes.
#include "chromatogram/chrm_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace p528 {
namespace {

struct DevicePathCase {
  const char* path;
  int status;
};

TEST(ChrmFileFromDevice, EndlessOrEmptyStreamGivesTheHeaderStatus) {
  const DevicePathCase cases[] = {
      {"/dev/zero", -3},  // endless zeros: the magic is wrong, nothing more is read
      {"/dev/null", -2},  // no bytes at all: the header is short
  };
  for (const DevicePathCase& c : cases) {
    if (!std::filesystem::exists(c.path)) continue;
    ChrmFile file;
    file.passport.path = "before";
    file.channels.resize(1);
    EXPECT_EQ(file.LoadFromFile(c.path), c.status) << c.path;
    // A failed header leaves the object as it was.
    EXPECT_EQ(file.passport.path, "before") << c.path;
    EXPECT_EQ(file.channels.size(), 1u) << c.path;
  }
}

}  // namespace
}  // namespace p528
