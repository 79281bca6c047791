// Writing imported chromatograms: the file written reads back as the system's own file, an
// existing file is never replaced unless forced, the AIA file read is never written over;
// and chrm-import as the user runs it (exit statuses, the role text, --force, --lang).
#include "chromatogram/chrm_role.h"
#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/chrm_output.h"
#include "support/aia_test_file.h"
#include "support/files.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace p528::test {
namespace {

int ChrmImport(const std::string& arguments) {
  return RunCommand(std::string(CHRM_IMPORT) + " " + arguments + " >/dev/null 2>&1").status;
}

TEST(ChrmOutput, TheWrittenFileReadsBackAsTheSystemsOwn) {
  TempFolder folder;
  AiaTestFile f = TypicalAiaFile();
  // Attribute names and values no XML element could carry as they are.
  f.SetText("peak processing+results", "integrated <auto> & \"checked\"\x02");
  f.SetText("date", "not the passport's date");
  f.Write(folder / "run.cdf");
  aia::AiaImportResult r = aia::ImportAia(folder / "run.cdf", "#анализ");
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(aia::WriteChrmFile(r.file, folder / "run.chrm", false, folder / "run.cdf"), "");
  EXPECT_EQ(r.file.passport.path, folder / "run.chrm");

  ChrmFile back;
  ASSERT_EQ(back.LoadFromFile(folder / "run.chrm"), 0);
  EXPECT_EQ(back.passport.sample, r.file.passport.sample);
  EXPECT_EQ(back.passport.andate, r.file.passport.andate);
  EXPECT_EQ(back.passport.date, 0);
  ASSERT_EQ(back.passport.fields.size(), r.file.passport.fields.size());
  for (size_t i = 0; i < back.passport.fields.size(); ++i) {
    EXPECT_EQ(back.passport.fields[i].name, r.file.passport.fields[i].name);
    EXPECT_EQ(back.passport.fields[i].value, r.file.passport.fields[i].value);
  }
  EXPECT_EQ(back.channels[0].samples, r.file.channels[0].samples);
  EXPECT_EQ(back.channels[0].peaks[1].name, "C12");
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"run.cdf", "run.chrm"}));  // no temporary left
}

TEST(ChrmOutput, ExistingFilesAreReplacedOnlyWhenForcedAndNeverTheSource) {
  TempFolder folder;
  TypicalAiaFile().Write(folder / "run.cdf");
  aia::AiaImportResult r = aia::ImportAia(folder / "run.cdf", "#анализ");
  ASSERT_TRUE(r.ok()) << r.error;
  std::ofstream(folder / "run.chrm") << "older";
  EXPECT_EQ(aia::WriteChrmFile(r.file, folder / "run.chrm", false), folder / "run.chrm" + " exists");
  EXPECT_EQ(ReadBytes(folder / "run.chrm"), "older");
  EXPECT_EQ(aia::WriteChrmFile(r.file, folder / "run.chrm", true), "");
  EXPECT_EQ(ReadBytes(folder / "run.chrm").substr(0, 3), "STG");

  // An AIA file that happens to be named like its target.
  const std::string source = folder.Copy(folder / "run.cdf", "same.chrm");
  const std::string before = ReadBytes(source);
  EXPECT_NE(aia::WriteChrmFile(r.file, aia::ImportedPath(source, ""), true, source), "");
  EXPECT_EQ(ReadBytes(source), before);
  EXPECT_NE(aia::WriteChrmFile(r.file, folder / "no-folder/run.chrm", false), "");
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"run.cdf", "run.chrm", "same.chrm"}));
}

TEST(ChrmImportCommand, ConvertsWithTheRoleAndTellsFailuresByItsExitStatus) {
  TempFolder folder;
  TypicalAiaFile().Write(folder / "a.cdf");
  TypicalAiaFile().Write(folder / "b.cdf");
  const std::string out = folder / "out";
  EXPECT_EQ(ChrmImport("--help"), 0);
  EXPECT_EQ(ChrmImport("--version"), 0);
  EXPECT_EQ(ChrmImport(""), 2);
  EXPECT_EQ(ChrmImport(folder / "a.cdf"), 2);  // no role
  EXPECT_EQ(ChrmImport("--role analyses " + folder / "a.cdf"), 2);
  EXPECT_EQ(ChrmImport("--role blank --lang de " + folder / "a.cdf"), 2);

  // One file missing: the other is still converted, and the command reports the failure.
  EXPECT_EQ(ChrmImport("--role analysis --out " + out + " " + folder / "a.cdf " + folder / "missing.cdf"), 1);
  ChrmFile a;
  ASSERT_EQ(a.LoadFromFile(out + "/a.chrm"), 0);
  EXPECT_EQ(PassportRoleText(a), "#анализ");

  EXPECT_EQ(ChrmImport("--role blank --out " + out + " " + folder / "a.cdf"), 1);  // a.chrm exists
  EXPECT_EQ(
      ChrmImport("--role blank --lang en --force --out " + out + " " + folder / "a.cdf " + folder / "b.cdf"),
      0);
  ASSERT_EQ(a.LoadFromFile(out + "/a.chrm"), 0);
  EXPECT_EQ(PassportRoleText(a), "#blank");
  ChrmFile b;
  EXPECT_EQ(b.LoadFromFile(folder / "b.chrm"), -1);  // --out: nothing beside the AIA files
  EXPECT_EQ(b.LoadFromFile(out + "/b.chrm"), 0);

  // Two AIA files of the same name into one folder: the second would replace the first.
  std::filesystem::create_directory(folder / "other");
  AiaTestFile other = TypicalAiaFile();
  other.SetText("sample_name", "other");
  other.Write(folder / "other/a.cdf");
  EXPECT_EQ(
      ChrmImport("--role analysis --force --out " + out + " " + folder / "a.cdf " + folder / "other/a.cdf"),
      1);
  ASSERT_EQ(a.LoadFromFile(out + "/a.chrm"), 0);
  EXPECT_EQ(a.passport.sample, "Diesel fuel 528");
}

TEST(ChrmImportCommand, TextExportsTakeTheUnitTheyNameOrTheOneGiven) {
  TempFolder folder;
  std::ofstream(folder / "run.csv") << "Time;Signal\n30;1,5\n36;2,5\n";
  std::ofstream(folder / "named.asc") << "Time (s)\tSignal\n30\t1.5\n36\t2.5\n";
  EXPECT_EQ(ChrmImport("--role blank --time-unit hours " + folder / "run.csv"), 2);
  EXPECT_EQ(ChrmImport("--role blank " + folder / "run.csv " + folder / "named.asc"),
            1);  // run.csv names none
  EXPECT_EQ(ChrmImport("--role blank --force --time-unit s " + folder / "run.csv " + folder / "named.asc"),
            0);
  for (const char* name : {"run.chrm", "named.chrm"}) {
    ChrmFile file;
    ASSERT_EQ(file.LoadFromFile(folder / name), 0) << name;
    EXPECT_EQ(file.channels[0].startTime, 0.5) << name;
    EXPECT_EQ(file.channels[0].samples, (std::vector<float>{1.5f, 2.5f})) << name;
  }
}

}  // namespace
}  // namespace p528::test
