// Importing chromatograms: copies in the data folder, rows in one transaction, duplicates and
// unreadable files reported and skipped, a failed import leaving nothing behind.
#include "host/kit/assay_import.h"
#include "chromatogram/chrm_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace p528::hostkit {
namespace {

const std::string kDemo = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil";

class Import : public ::testing::Test {
 protected:
  test::TempFolder folder;
  std::string data = folder / "chromatograms";
  AssayDatabase db{folder / "assays.db"};
  FormatTable formats = NativeFormats();
};

TEST_F(Import, AFolderIsImportedRecursivelyWithItsPassports) {
  std::filesystem::create_directories(folder / "set/inner");
  std::filesystem::copy_file(kDemo + "/01_blank.chrm", folder / "set/01_blank.chrm");
  std::filesystem::copy_file(kDemo + "/05_analysis_1.chrm", folder / "set/inner/05_analysis_1.chrm");
  std::ofstream(folder / "set/readme.txt") << "not a chromatogram";
  std::vector<std::size_t> progress;
  const ImportReport report = ImportChromatograms(
      db, data, {folder / "set"}, formats, [&](std::size_t done, std::size_t) { progress.push_back(done); });
  ASSERT_EQ(report.imported.size(), 2u);
  EXPECT_TRUE(report.skipped.empty()) << "files of unknown formats inside a folder are not candidates";
  EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2}));
  const std::vector<AssayRecord> rows = db.List();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].filename, data + "/set/01_blank.chrm") << "an imported folder keeps its layout";
  EXPECT_EQ(rows[1].filename, data + "/set/inner/05_analysis_1.chrm");
  EXPECT_EQ(rows[0].role, "#холостая");
  EXPECT_EQ(rows[1].role, "#анализ");
  EXPECT_NE(rows[1].andate, 0);
  EXPECT_FALSE(rows[1].sample.empty());
  EXPECT_TRUE(std::filesystem::exists(rows[1].filename));
}

TEST_F(Import, TheSameContentTwiceIsSkippedAndANameTakenGetsANumber) {
  ImportChromatograms(db, data, {kDemo + "/01_blank.chrm"}, formats);
  // The same bytes under another name: a duplicate. Other bytes under the same name: a new copy.
  const std::string renamed = folder.Copy(kDemo + "/01_blank.chrm", "copy.chrm");
  std::filesystem::create_directories(folder / "other");
  std::filesystem::copy_file(kDemo + "/02_calibration.chrm", folder / "other/01_blank.chrm");
  const ImportReport report =
      ImportChromatograms(db, data, {renamed, folder / "other/01_blank.chrm"}, formats);
  ASSERT_EQ(report.skipped.size(), 1u);
  EXPECT_EQ(report.skipped[0].reason, SkipReason::Duplicate);
  EXPECT_EQ(report.skipped[0].detail, 1);
  ASSERT_EQ(report.imported.size(), 1u);
  EXPECT_EQ(report.imported[0].stored, data + "/01_blank-2.chrm");
}

TEST_F(Import, UnreadableFilesAreReportedWithTheirReason) {
  std::ofstream(folder / "damaged.chrm") << "STG but nothing more";
  std::ofstream(folder / "table.csv") << "1;2;3";
  const ImportReport report = ImportChromatograms(
      db, data, {folder / "damaged.chrm", folder / "table.csv", folder / "missing.chrm"}, formats);
  EXPECT_TRUE(report.imported.empty());
  ASSERT_EQ(report.skipped.size(), 3u);
  EXPECT_EQ(report.skipped[0].reason, SkipReason::NotChromatogram);
  EXPECT_LT(report.skipped[0].detail, 0);
  EXPECT_EQ(report.skipped[1].reason, SkipReason::UnknownFormat);
  EXPECT_EQ(report.skipped[2].reason, SkipReason::Unreadable);
  EXPECT_TRUE(db.List().empty());
}

TEST_F(Import, OnlyRegularFilesAreReadTheRestIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((folder / "pipe.chrm").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", folder / "zero.chrm");
  const ImportReport report = ImportChromatograms(
      db, data, {folder / "pipe.chrm", folder / "zero.chrm", kDemo + "/01_blank.chrm"}, formats);
  ASSERT_EQ(report.skipped.size(), 2u);
  EXPECT_EQ(report.skipped[0].error, "is a FIFO");
  EXPECT_EQ(report.skipped[1].error, "is a device");
  ASSERT_EQ(report.imported.size(), 1u);
  // The copy is stored as any file the programs write: what the umask leaves.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat(report.imported[0].stored.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
  // A name in another encoding would be registered and then open nowhere.
  const std::string latin = folder / "\xe4\xf2.chrm";
  std::filesystem::copy_file(kDemo + "/02_calibration.chrm", latin);
  const ImportReport named = ImportChromatograms(db, data, {latin}, formats);
  ASSERT_EQ(named.skipped.size(), 1u);
  EXPECT_NE(named.skipped[0].error.find("not UTF-8"), std::string::npos);
}

TEST_F(Import, AnIdThePluginCannotCarryIsNeverGivenNorReused) {
  db.WriteRows({{kMaxPluginAssayId - 1, "/lims/a.chrm", "A", 0, "", false, false, ""}});
  const ImportReport first = ImportChromatograms(db, data, {kDemo + "/01_blank.chrm"}, formats);
  ASSERT_EQ(first.imported.size(), 1u);
  EXPECT_EQ(first.imported[0].id, kMaxPluginAssayId);
  const ImportReport second = ImportChromatograms(db, data, {kDemo + "/02_calibration.chrm"}, formats);
  ASSERT_EQ(second.skipped.size(), 1u);
  EXPECT_NE(second.skipped[0].error.find("beyond the largest the plug-in opens"), std::string::npos);
  const std::vector<AssayRecord> rows = db.List();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].filename, first.imported[0].stored) << "the earlier registration stays";
  EXPECT_FALSE(std::filesystem::exists(data + "/02_calibration.chrm"));
  // Rows are never replaced: an id given twice fails, the first row stays.
  EXPECT_THROW(db.InTransaction([&] {
    db.Insert({kMaxPluginAssayId, "/x.chrm", "", 0, "", false, false, ""});
  }),
               std::exception);
  EXPECT_EQ(db.List()[1].filename, first.imported[0].stored);
}

TEST_F(Import, WhatAnImportKilledMidwayLeftIsPutRightAtTheNextStart) {
  ImportChromatograms(db, data, {kDemo + "/01_blank.chrm"}, formats);
  // Killed after copying and before registering: a copy, a temporary, another's leftover.
  std::filesystem::create_directories(data + "/set");
  std::filesystem::copy_file(kDemo + "/02_calibration.chrm", data + "/set/02_calibration.chrm");
  std::ofstream(data + "/set/.import-a1b2c3") << "half a copy";
  std::ofstream(data + "/.convert-d4e5f6") << "half a conversion";
  std::ofstream(data + "/notes.chrm") << "not a chromatogram";
  const Recovery recovery = RecoverInterruptedImport(db, data);
  EXPECT_EQ(recovery.removed, 2u);
  EXPECT_EQ(recovery.registered, 1u);
  ASSERT_EQ(db.List().size(), 2u);
  EXPECT_EQ(db.List()[1].filename, data + "/set/02_calibration.chrm");
  EXPECT_EQ(db.List()[1].role, "#градуировочная");
  EXPECT_TRUE(std::filesystem::exists(data + "/notes.chrm"));
  // Importing the run again finds it registered.
  const ImportReport again = ImportChromatograms(db, data, {kDemo + "/02_calibration.chrm"}, formats);
  ASSERT_EQ(again.skipped.size(), 1u);
  EXPECT_EQ(again.skipped[0].reason, SkipReason::Duplicate);
  EXPECT_EQ(RecoverInterruptedImport(db, data).registered, 0u);
}

TEST_F(Import, AnImportThatFailsMidwayLeavesTheDatabaseAndTheDataFolderAsTheyWere) {
  ImportChromatograms(db, data, {kDemo + "/01_blank.chrm"}, formats);
  const auto failing = [](std::size_t done, std::size_t) {
    if (done == 3) throw std::runtime_error("disk full");
  };
  EXPECT_THROW(ImportChromatograms(db, data, {kDemo}, formats, failing), std::runtime_error);
  ASSERT_EQ(db.List().size(), 1u);
  std::vector<std::string> stored;
  for (const auto& entry : std::filesystem::directory_iterator(data))
    stored.push_back(entry.path().filename());
  EXPECT_EQ(stored, std::vector<std::string>{"01_blank.chrm"});
}

TEST_F(Import, AnotherFormatIsConvertedThroughItsReader) {
  // The seam for foreign formats: a reader fills the chromatogram, the host stores it in
  // the plug-in's own format.
  formats.Add({".TXT", [](const std::string&, ChrmFile& file, std::string&) {
                 file.passport.sample = "Из другой системы";
                 file.channels.emplace_back();
                 file.channels.back().samples = {1.0f, 2.0f};
                 file.channels.back().step = 0.1;
                 return 0;
               }});
  std::ofstream(folder / "foreign.txt") << "x";
  const ImportReport report = ImportChromatograms(db, data, {folder / "foreign.txt"}, formats);
  ASSERT_EQ(report.imported.size(), 1u);
  EXPECT_EQ(report.imported[0].stored, data + "/foreign.chrm");
  ChrmFile back;
  ASSERT_EQ(back.LoadFromFile(report.imported[0].stored), 0);
  EXPECT_EQ(back.passport.sample, "Из другой системы");
  EXPECT_EQ(db.List()[0].sample, "Из другой системы");
}

}  // namespace
}  // namespace p528::hostkit
