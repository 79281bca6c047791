// One run in two formats: a folder holding the chromatogram file of a run beside its AIA file
// and its text export registers the run once; the other copies are skipped as registered.
#include "aia_writer.h"
#include "chromatogram/chrm_file.h"
#include "chromatogram/chrm_role.h"
#include "host/kit/assay_import.h"
#include "host/kit/formats/aia_format.h"
#include "support/temp_folder.h"
#include "text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace p528::test {
namespace {

using hostkit::SkipReason;

const std::string kDemo = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil";

TEST(SameRun, ItsCopiesInOtherFormatsAreSkippedAsRegistered) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "runs");
  for (const char* name : {"01_blank", "05_analysis_1"}) {
    const std::string own = folder.Copy(kDemo + "/" + name + ".chrm", std::string("runs/") + name + ".chrm");
    ChrmFile file;
    ASSERT_EQ(file.LoadFromFile(own), 0);
    chrmgen::WriteAiaFile(file, folder / ("runs/" + std::string(name) + ".cdf"));
    if (std::string(name) == "01_blank") chrmgen::WriteTextExport(file, folder / "runs/01_blank.txt");
  }
  // Other text files of the folder are no candidates: notes, the set's own index.
  std::ofstream(folder / "runs/readme.txt") << "Exported from the GC 2024-03-12\n";
  folder.Copy(kDemo + "/assays.txt", "runs/assays.txt");
  const aia::AiaRoleChoice blank{false, RoleBlank, {}, {}, {}};
  hostkit::FormatTable formats = hostkit::NativeFormats();
  formats.Add(aia::AiaFormat(
      &blank, [](int) { return std::string("#холостая"); }, CONVERTER));
  for (auto& format : aia::TextExportFormats(&blank, [](int) { return std::string("#холостая"); }))
    formats.Add(std::move(format));

  hostkit::AssayDatabase db(folder / "assays.db");
  const hostkit::ImportReport first = ImportChromatograms(db, folder / "data", {folder / "runs"}, formats);
  // In name order: 01_blank.cdf is registered, its .chrm and .txt are the same run.
  ASSERT_EQ(first.imported.size(), 2u);
  EXPECT_EQ(std::filesystem::path(first.imported[0].source).filename(), "01_blank.cdf");
  EXPECT_EQ(std::filesystem::path(first.imported[1].source).filename(), "05_analysis_1.cdf");
  ASSERT_EQ(first.skipped.size(), 3u);
  for (const hostkit::SkippedFile& skipped : first.skipped) {
    EXPECT_EQ(skipped.reason, SkipReason::Duplicate) << skipped.source << ": " << skipped.error;
    const bool blankRun = std::filesystem::path(skipped.source).stem() == "01_blank";
    EXPECT_EQ(skipped.detail, blankRun ? first.imported[0].id : first.imported[1].id) << skipped.source;
  }
  // Imported again: every file is a registered run.
  const hostkit::ImportReport second = ImportChromatograms(db, folder / "data", {folder / "runs"}, formats);
  EXPECT_TRUE(second.imported.empty());
  EXPECT_EQ(second.skipped.size(), 5u);
}

TEST(SameRun, SamplingAgreesWithinHalfAStep) {
  struct Row {
    const char* what;
    double start, step;  // of the second run (the first: 0.5 min every 0.1 min, 1001 samples)
    bool same;
  };
  for (const Row& row :
       {Row{"the same", 0.5, 0.1, true}, Row{"times rounded in a text export", 0.50004, 0.1000001, true},
        Row{"shifted by a step", 0.6, 0.1, false}, Row{"another step", 0.5, 0.2, false}}) {
    ChrmFile a, b;
    a.channels.resize(1);
    b.channels.resize(1);
    a.channels[0].samples.assign(1001, 1.0f);
    b.channels[0].samples.assign(1001, 1.0f);
    a.channels[0].startTime = 0.5;
    a.channels[0].step = 0.1;
    b.channels[0].startTime = row.start;
    b.channels[0].step = row.step;
    EXPECT_EQ(hostkit::SameSampling(a, b), row.same) << row.what;
  }
}

}  // namespace
}  // namespace p528::test
