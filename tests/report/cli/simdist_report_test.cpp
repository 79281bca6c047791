// `simdist calc --report`: the report of a command-line run, the sections given for the run
// only, and every failure told with a non-zero exit.
#include "../html_reader.h"
#include "support/temp_folder.h"

#include "calc.h"
#include "e2e/demo_set.h"
#include "report/report_texts.h"
#include "shell/string_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace p528::report_test {
namespace {

struct RunResult {
  int status;
  std::string err;
};

class SimdistReport : public ::testing::Test {
 protected:
  // simdist calc on the demo set with a fresh profile, the given options, and no chart
  // renderer (as a program built without Qt).
  RunResult Simdist(std::vector<std::string> options) {
    std::vector<std::string> arguments = {"--profile", folder / "profile", "--no-summary", "--method", "2"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), set->files.begin(), set->files.end());
    std::ostringstream out, err;
    const int status = simdist::RunCalcCommand(arguments, out, err);
    return {status, err.str()};
  }

  static inline test::TempFolder folder;
  const test::WrittenSet* set = &test::DemoSet();
};

TEST_F(SimdistReport, SectionsForThisRunOnly) {
  const std::string output = folder / "r.html";
  const RunResult run =
      Simdist({"--report", output, "--sections", "files,Ref_table,prop_table,fract_table,prop_ISO3405"});
  ASSERT_EQ(run.status, 0) << run.err;
  const Html page(ReadBytes(output));
  std::vector<std::string> sections;
  for (xmlNodePtr section : page.Nodes("//body/section"))
    sections.push_back(Html::Attribute(section, "class"));
  EXPECT_EQ(sections, (std::vector<std::string>{"files", "reference", "percent-off prop_table_A", "fractions",
                                                "iso3405"}));
  EXPECT_EQ(page.First("//h1"), "Отчет об анализе");
  // The profile keeps no report flags from --sections (it holds the method typed).
  ASSERT_NE(ReadBytes(folder / "profile").find("method"), std::string::npos);
  EXPECT_EQ(ReadBytes(folder / "profile").find("flag_"), std::string::npos);
}

TEST_F(SimdistReport, ChartsWithoutARendererFailAndSayWhy) {
  const std::string output = folder / "charts.html";
  const RunResult run = Simdist({"--report", output, "--sections", "all"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(RussianStrings().Find(text::kReportNoPicture)), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("grad_chart"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(SimdistReport, UnwritableOutputFails) {
  const std::string output = folder / "missing/r.html";
  const RunResult run = Simdist({"--report", output, "--sections", "files"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(output), std::string::npos) << run.err;
}

TEST_F(SimdistReport, UnknownSectionIsAUsageError) {
  const RunResult run = Simdist({"--report", folder / "u.html", "--sections", "files,charts"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("\"charts\""), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "u.html"));
}

}  // namespace
}  // namespace p528::report_test
