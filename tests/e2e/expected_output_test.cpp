// simdist's JSON on the bundled demo sets under every method it offers, in both interface
// languages, compared whole with the expected files tests/e2e/expected/<set>-m<method>-<lang>.json:
// every number, text and table cell. The files' folder and the analysis dates are left out
// (the folder differs between checkouts, the dates are the passports'). A change meant to
// alter the output rewrites the files: PLUG528_WRITE_EXPECTED=1 ctest -R expected_output.
#include "demo_set.h"
#include "simdist_run.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
// GCC 12 at -O1 with the sanitizers warns of std::function members inside <regex> "may be
// used uninitialized": a false alarm in the library's own code, not in this test's.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace p528::test {
namespace {

namespace fs = std::filesystem;

const std::string kDemo = PLUG528_SOURCE_DIR "/data/demo/";
const std::string kExpected = PLUG528_SOURCE_DIR "/tests/e2e/expected/";

// The settings of the set's manifest ("key": "value" lines of its "settings" object) as
// simdist options, the method left to the caller.
std::vector<std::string> ManifestOptions(const std::string& set) {
  std::istringstream lines(ReadBytes(kDemo + set + "/manifest.json"));
  static const std::regex kSetting(R"re(^\s*"([A-Za-z0-9_]+)": "([^"]*)",?\s*$)re");
  std::vector<std::string> options;
  bool inSettings = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\"settings\": {") != std::string::npos) inSettings = true;
    if (!inSettings) continue;
    std::smatch m;
    if (std::regex_match(line, m, kSetting) && m[1] != "method") AddSettingOption(options, m[1], m[2]);
    if (line.find('}') != std::string::npos) break;
  }
  return options;
}

// The JSON without the set's folder and without the analysis dates.
std::string WithoutFolderAndDates(const std::string& json, const std::string& folder) {
  std::istringstream lines(json);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\"andate\":") != std::string::npos) continue;
    for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder, at))
      line.erase(at, folder.size());
    kept += line + "\n";
  }
  return kept;
}

using Case = std::tuple<const char*, int, const char*>;  // set, method, language

class ExpectedOutput : public ::testing::TestWithParam<Case> {};

TEST_P(ExpectedOutput, SimdistJsonIsTheExpectedFile) {
  const auto [set, method, language] = GetParam();
  const std::string folder = kDemo + set + "/";
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".chrm") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << folder;

  const TempFolder work;
  std::vector<std::string> options = {
      "--profile", work / "profile", "--no-restore",         "--no-summary", "--lang",
      language,    "--method",       std::to_string(method), "--json",       "-"};
  const std::vector<std::string> settings = ManifestOptions(set);
  options.insert(options.end(), settings.begin(), settings.end());
  options.insert(options.end(), files.begin(), files.end());
  const RunResult run = Simdist(options);
  ASSERT_NE(run.status, 2) << run.err;
  const std::string json = WithoutFolderAndDates(run.out, folder);

  const std::string expectedFile = kExpected + set + "-m" + std::to_string(method) + "-" + language + ".json";
  if (std::getenv("PLUG528_WRITE_EXPECTED") != nullptr) WriteBytes(expectedFile, json);
  const std::string expected = ReadBytes(expectedFile);
  ASSERT_FALSE(expected.empty()) << expectedFile << " is missing";
  // Compared line by line so that a failure names the first line that differs.
  std::istringstream want(expected);
  std::istringstream got(json);
  std::string a;
  std::string b;
  for (int line = 1; std::getline(want, a); ++line) {
    ASSERT_TRUE(std::getline(got, b)) << expectedFile << ": the output ends before line " << line;
    ASSERT_EQ(b, a) << expectedFile << ":" << line;
  }
  EXPECT_FALSE(std::getline(got, b)) << expectedFile << ": the output goes on after its last line";
}

INSTANTIATE_TEST_SUITE_P(DemoSets, ExpectedOutput,
                         ::testing::Combine(::testing::Values("gasoil", "condensate", "heavy"),
                                            ::testing::Values(0, 2, 3, 4, 5), ::testing::Values("ru", "en")),
                         [](const ::testing::TestParamInfo<Case>& param) {
                           return std::string(std::get<0>(param.param)) + "_m" +
                                  std::to_string(std::get<1>(param.param)) + "_" + std::get<2>(param.param);
                         });

}  // namespace
}  // namespace p528::test
