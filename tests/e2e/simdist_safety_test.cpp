// What simdist writes and what it does with inputs that lie: an output never replaces an
// input or a chromatogram, values are never taken from options, outputs are written whole,
// special files are never opened, runs without results say so in their exit status.
#include "demo_set.h"
#include "simdist_run.h"
#include "support/temp_folder.h"

#include "chromatogram/chrm_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace p528::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SimdistSafety : public ::testing::Test {
 protected:
  // A fresh profile, no remembered files, the set's settings, no summary.
  std::vector<std::string> Options(const std::string& profile) const {
    std::vector<std::string> options = {"--profile", folder / profile, "--no-restore", "--no-summary"};
    options.insert(options.end(), set->settingOptions.begin(), set->settingOptions.end());
    return options;
  }
  std::vector<std::string> WholeSet(std::vector<std::string> options) const {
    options.insert(options.end(), set->files.begin(), set->files.end());
    return options;
  }
  const std::string& File(const char* part) const {
    return *std::find_if(set->files.begin(), set->files.end(),
                         [&](const std::string& f) { return f.find(part) != std::string::npos; });
  }
  // A copy of the set's file `part` changed by `edit`, saved as `name`.
  template <typename Edit>
  std::string Changed(const char* part, const std::string& name, Edit edit) const {
    ChrmFile file;
    EXPECT_EQ(file.LoadFromFile(File(part)), 0);
    edit(file);
    const std::string path = folder / name;
    EXPECT_EQ(file.SaveToFile(path), 0);
    return path;
  }

  TempFolder folder;
  const WrittenSet* set = &DemoSet();
};

// `--json` over the first chromatogram, `--report` over an analysis and `--json` over the
// profile all used to be written and the run exited 0.
TEST_F(SimdistSafety, AnOutputNeverReplacesAnInputOrAChromatogram) {
  const std::string chromatogram = File("analysis_1");
  const std::string before = ReadBytes(chromatogram);
  const std::string profile = folder / "kept.profile";
  { std::ofstream(profile) << "# kept\n"; }
  const std::string components = folder.Copy(PLUG528_SOURCE_DIR "/data/tqle528data.csv", "table.csv");
  fs::create_symlink(chromatogram, folder / "link.json");
  fs::create_hard_link(components, folder / "hard.json");
  const std::string otherChromatogram = folder.Copy(File("analysis_2"), "other.json");
  const std::vector<std::vector<std::string>> outputs = {
      {"--json", chromatogram},
      {"--report", chromatogram},
      {"--json", folder / "link.json"},
      {"--json", otherChromatogram},
      {"--json", profile},
      {"--json", folder / "hard.json"},
      {"--json", folder / "same.out", "--report", folder / "same.out"},
  };
  for (const std::vector<std::string>& output : outputs) {
    std::vector<std::string> options = {"--profile", profile, "--components", components, "--no-summary"};
    options.insert(options.end(), output.begin(), output.end());
    const RunResult run = Simdist(WholeSet(options));
    EXPECT_EQ(run.status, simdist::ExitUsage) << output[1];
    EXPECT_NE(run.err.find("simdist calc: "), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadBytes(chromatogram), before);
  EXPECT_EQ(ReadBytes(otherChromatogram), ReadBytes(File("analysis_2")));
  EXPECT_EQ(ReadBytes(profile), "# kept\n");
  EXPECT_FALSE(fs::exists(folder / "same.out"));
}

// `--report --sections all` wrote a report named "--sections".
TEST_F(SimdistSafety, AnOptionIsNeverTakenAsAValue) {
  for (const char* next : {"--sections", "--no-summary"}) {
    const RunResult run = Simdist(WholeSet({"--profile", folder / "p", "--report", next, "all"}));
    EXPECT_EQ(run.status, simdist::ExitUsage);
    EXPECT_NE(run.err.find(std::string(next) + " is an option, not a value"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(next));
  }
  EXPECT_FALSE(fs::exists(folder / "p"));
}

// A failed report removed whatever the output path named (a device node, as root); a
// FIFO or a folder as the output is refused before anything is opened.
TEST_F(SimdistSafety, OutputsAreRegularFilesWrittenWholeOrNotAtAll) {
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  fs::create_directory(folder / "dir");
  for (const std::string& target : {folder / "fifo", folder / "dir", std::string("/dev/null")}) {
    const RunResult run = Simdist(WholeSet(Options("p1") + std::vector<std::string>{"--json", target}));
    EXPECT_EQ(run.status, simdist::ExitUsage) << target;
    EXPECT_NE(run.err.find("only a regular file is written"), std::string::npos) << run.err;
  }
  EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
  EXPECT_TRUE(fs::exists("/dev/null") && !fs::is_regular_file("/dev/null"));

  const RunResult missing =
      Simdist(WholeSet(Options("p2") + std::vector<std::string>{"--json", folder / "no/x.json"}));
  EXPECT_EQ(missing.status, simdist::ExitFailure);

  // A link is followed: its target gets the new results, the link stays.
  { std::ofstream(folder / "old.json") << "old"; }
  fs::create_symlink(folder / "old.json", folder / "results.json");
  const RunResult run =
      Simdist(WholeSet(Options("p3") + std::vector<std::string>{"--json", folder / "results.json"}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink(folder / "results.json"));
  EXPECT_NE(ReadBytes(folder / "old.json").find("\"formatVersion\""), std::string::npos);
  EXPECT_EQ(folder.Files(),
            (std::vector<std::string>{"dir", "fifo", "old.json", "p2", "p3", "results.json"}));
}

// A run where every file name was mistyped exited 0.
TEST_F(SimdistSafety, ARunWithoutResultsExitsThree) {
  const RunResult mistyped =
      Simdist(Options("p") + std::vector<std::string>{folder / "a.chrm", folder / "b.chrm"});
  EXPECT_EQ(mistyped.status, simdist::ExitIncomplete);
  EXPECT_NE(mistyped.err.find("simdist: nothing could be added\n"), std::string::npos) << mistyped.err;

  const RunResult calibrationOnly = Simdist(Options("p") + std::vector<std::string>{File("calibration")});
  EXPECT_EQ(calibrationOnly.status, simdist::ExitIncomplete);
  EXPECT_NE(calibrationOnly.err.find("the calculation stopped before its results"), std::string::npos);
}

// A missing remembered calibration kept its place, so the calibration the user named was
// refused ("role full") and the run ended with state 0 and exit 0.
TEST_F(SimdistSafety, ARememberedFileThatNoLongerLoadsIsDroppedAndSaidSo) {
  const std::string gone = folder.Copy(File("calibration"), "gone.chrm");
  std::vector<std::string> first = {"--profile", folder / "p", "--no-summary", gone};
  ASSERT_EQ(Simdist(first).status, simdist::ExitIncomplete);
  fs::remove(gone);
  std::vector<std::string> second = {"--profile", folder / "p", "--no-summary", "--json", "-"};
  second.insert(second.end(), set->settingOptions.begin(), set->settingOptions.end());
  const RunResult run = Simdist(WholeSet(second));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("remembered calibration " + gone + " dropped: it cannot be opened"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("\"state\": 2"), std::string::npos);
}

// A link to a run, a byte-identical copy or a file with the same assay GUID was counted as
// another parallel analysis, and the repeatability of a run with itself always passed.
TEST_F(SimdistSafety, TheSameRunIsAddedOnce) {
  const std::string first = File("analysis_1");
  fs::create_symlink(first, folder / "link.chrm");
  const std::string copy = folder.Copy(first, "copy.chrm");
  ChrmFile original;
  ASSERT_EQ(original.LoadFromFile(first), 0);
  const std::string sameGuid = Changed("analysis_2", "guid.chrm",
                                       [&](ChrmFile& f) { f.passport.assayid = original.passport.assayid; });
  const RunResult run =
      Simdist(Options("p") + std::vector<std::string>{File("blank"), File("calibration"), first,
                                                      folder / "link.chrm", copy, sameGuid, "--json", "-"});
  for (const std::string& path : {folder / "link.chrm", copy, sameGuid}) {
    EXPECT_NE(run.err.find(path + " not added: it is the same run as " + first), std::string::npos)
        << run.err;
  }
  EXPECT_NE(run.out.find("\"repeatRows\": []"), std::string::npos);
}

// A FIFO given as a chromatogram or as the profile made the run wait for ever.
TEST_F(SimdistSafety, SpecialFilesAreSkippedNeverOpened) {
  ASSERT_EQ(::mkfifo((folder / "run.chrm").c_str(), 0600), 0);
  const RunResult asRun =
      Simdist(WholeSet(Options("p") + std::vector<std::string>{folder / "run.chrm", "/dev/zero"}));
  EXPECT_NE(asRun.err.find("run.chrm not added: it is a FIFO"), std::string::npos) << asRun.err;
  EXPECT_NE(asRun.err.find("/dev/zero not added: it is a device"), std::string::npos) << asRun.err;
  const RunResult asProfile = Simdist(WholeSet({"--profile", folder / "run.chrm"}));
  EXPECT_EQ(asProfile.status, simdist::ExitUsage);
  EXPECT_NE(asProfile.err.find("is a FIFO"), std::string::npos) << asProfile.err;
}

// A sample name holding ESC[2J cleared the terminal.
TEST_F(SimdistSafety, PassportTextsReachTheTerminalWithoutControlCharacters) {
  const std::string hostile =
      Changed("analysis_1", "hostile.chrm", [](ChrmFile& f) { f.passport.sample = "\x1b[2Jsample\x07"; });
  std::vector<std::string> options = {"--profile", folder / "p", "--no-restore", hostile};
  const RunResult run = Simdist(options);
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.out.find('\x07'), std::string::npos);
  EXPECT_NE(run.out.find("?[2Jsample?"), std::string::npos) << run.out;
  // A line break in a file name or a sample forges no line of the summary.
  const std::string forged = Changed("analysis_1", "run\nforged file.chrm",
                                     [](ChrmFile& f) { f.passport.sample = "s\nforged sample"; });
  const RunResult named = Simdist({"--profile", folder / "q", "--no-restore", forged});
  EXPECT_EQ(named.out.find("\nforged"), std::string::npos) << named.out;
  EXPECT_NE(named.out.find("run?forged file.chrm"), std::string::npos) << named.out;
}

// Findings the message log keeps silent are told on stderr and listed in the JSON; a
// complete run of the set has none, and its JSON no "diagnostics" member.
TEST_F(SimdistSafety, DiagnosticsExplainWhatTheMessageLogDoesNotSay) {
  const std::string shortBlank = Changed("blank", "short_blank.chrm", [](ChrmFile& f) {
    f.channels[0].samples.resize(f.channels[0].samples.size() / 2);
  });
  std::vector<std::string> files = {shortBlank};
  for (const std::string& file : set->files) {
    if (file.find("blank") == std::string::npos) files.push_back(file);
  }
  const RunResult run = Simdist(Options("p") + files + std::vector<std::string>{"--json", "-"});
  EXPECT_NE(run.err.find("simdist: diagnostic: the blank " + shortBlank + " ends at"), std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("\"diagnostics\": [\n    \"the blank " + shortBlank), std::string::npos);

  // A sampling step of zero stopped the calculation without a word.
  const std::string noStep =
      Changed("analysis_1", "no_step.chrm", [](ChrmFile& f) { f.channels[0].step = 0; });
  std::vector<std::string> stepFiles;
  for (const char* part : {"blank", "calibration"}) stepFiles.push_back(File(part));
  stepFiles.push_back(noStep);
  const RunResult stopped = Simdist(Options("p3") + stepFiles);
  EXPECT_NE(stopped.err.find("diagnostic: " + noStep + ": the sampling step is 0 min"), std::string::npos)
      << stopped.err;
  EXPECT_NE(stopped.err.find("without a message"), std::string::npos) << stopped.err;

  // A component table that names none of the calibration's peaks; a calibration whose peaks
  // C10 and C12 carry each other's names gives a curve that falls in time.
  { std::ofstream(folder / "table.csv") << "1;X;;X;;0.0;1.000;0.000\r\n"; }
  const RunResult unmatched =
      Simdist(WholeSet(Options("p4") + std::vector<std::string>{"--components", folder / "table.csv"}));
  EXPECT_NE(unmatched.err.find("the component table matched no peak of the calibration run"),
            std::string::npos)
      << unmatched.err;
  const std::string swapped = Changed("calibration", "swapped.chrm", [](ChrmFile& f) {
    for (ChrmPeak& peak : f.channels[0].peaks) {
      if (peak.name == "C10" || peak.name == "С10")
        peak.name = "C12";
      else if (peak.name == "C12" || peak.name == "С12")
        peak.name = "C10";
    }
  });
  std::vector<std::string> withSwapped = {swapped};
  for (const std::string& file : set->files) {
    if (file.find("calibration") == std::string::npos) withSwapped.push_back(file);
  }
  const RunResult falling = Simdist(Options("p5") + withSwapped);
  EXPECT_NE(falling.err.find("the calibration curve does not increase in time"), std::string::npos)
      << falling.err;

  const RunResult clean = Simdist(WholeSet(Options("p2") + std::vector<std::string>{"--json", "-"}));
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.err, "");
  EXPECT_EQ(clean.out.find("\"diagnostics\""), std::string::npos);
}

}  // namespace
}  // namespace p528::test
