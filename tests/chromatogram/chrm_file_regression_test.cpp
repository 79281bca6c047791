// Replays the inputs kept from fuzzing and from damaged files met so far, and the fuzzing
// seeds, through both readers. Each regression file once crashed or misread:
// - channel_without_samples.stg: a block with a sample count of 0 passed a null pointer to a
//   memory copy (undefined behaviour, found by the fuzzer on its first seed);
// - sample_count_*.stg: a count the rest of the file cannot hold was allocated before the
//   read failed;
// - xml_offset_*.stg: an XML offset inside the header, inside a block or past the end of
//   the bytes was used to read the XML part.
#include "chromatogram/chrm_file.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>

namespace p528 {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;

void ReplayFolder(const fs::path& folder, const std::map<std::string, std::pair<int, int>>& expected) {
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  int replayed = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    const std::string bytes = ReadBytes(entry.path());
    CVantiroFile4 fromMemory;
    const int memoryStatus = fromMemory.LoadFromMemory(bytes.data(), bytes.size());
    CVantiroFile4 fromFile;
    const int fileStatus = fromFile.LoadFromFile(entry.path().string());
    EXPECT_EQ(memoryStatus == 0, fileStatus == 0) << name;
    const auto it = expected.find(name);
    if (it != expected.end()) {
      EXPECT_EQ(memoryStatus, it->second.first) << name;
      EXPECT_EQ(fileStatus, it->second.second) << name;
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 0) << folder;
}

TEST(ChrmFileRegressions, KeptInputsGiveTheirStatus) {
  ReplayFolder(fs::path(PLUG528_SOURCE_DIR) / "tests/chromatogram/regressions",
               {
                   {"channel_without_samples.stg", {0, 0}},
                   {"sample_count_beyond_file.stg", {-3, -6}},
                   {"sample_count_high_bits.stg", {-3, -6}},
                   {"xml_offset_inside_block.stg", {-3, -7}},
                   {"xml_offset_inside_header.stg", {-3, -7}},
               });
}

TEST(ChrmFileRegressions, FuzzSeedsGiveTheirStatus) {
  ReplayFolder(fs::path(PLUG528_SOURCE_DIR) / "tests/fuzz/corpus", {
                                                                       {"minimal.stg", {0, 0}},
                                                                       {"two_channels.stg", {0, 0}},
                                                                       {"utf16_xml.stg", {0, 0}},
                                                                       {"bad_magic.stg", {-1, -3}},
                                                                       {"version2.stg", {-2, -4}},
                                                                       {"short_header.stg", {-3, -2}},
                                                                       {"xml_truncated.stg", {-3, -7}},
                                                                   });
}

}  // namespace
}  // namespace p528
