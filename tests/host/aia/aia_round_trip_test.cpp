// A whole simulated distillation from AIA input and from text exports: a generated gas oil
// set exported as AIA files (or text), imported with the roles its files had, and calculated,
// gives the same results as the set's own chromatogram files: the same JSON apart from the
// folder in the paths.
#include "aia_writer.h"
#include "calc.h"
#include "chromatogram/chrm_role.h"
#include "e2e/demo_set.h"
#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/chrm_output.h"
#include "host/kit/aia/text_export.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace p528::test {
namespace {

std::string CalculatedJson(const WrittenSet& set, const std::vector<std::string>& files,
                           const std::string& work) {
  std::vector<std::string> arguments = {"--profile",    work + ".profile", "--no-restore",
                                        "--no-summary", "--json",          work + ".json"};
  arguments.insert(arguments.end(), set.settingOptions.begin(), set.settingOptions.end());
  arguments.insert(arguments.end(), files.begin(), files.end());
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(simdist::RunCalcCommand(arguments, out, err), 0) << err.str();
  return ReadBytes(work + ".json");
}

std::string WithoutFolder(std::string text, const std::string& folder) {
  for (size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
    text.replace(at, folder.size(), "SET");
  return text;
}

// Exports one run in a data system's format and imports it again with its role.
using Exporter = void (*)(const ChrmFile& file, const std::string& path);
using Importer = aia::AiaImportResult (*)(const std::string& path, const std::string& roleText);

void RoundTrip(const char* extension, Exporter exporter, Importer importer) {
  TempFolder folder;
  const WrittenSet& set = DemoSet();
  const std::string imported = folder / "imported";
  std::filesystem::create_directory(imported);

  std::vector<std::string> files;
  for (const std::string& path : set.files) {
    ChrmFile own;
    ASSERT_EQ(own.LoadFromFile(path), 0);
    const std::string exported = folder / (std::filesystem::path(path).stem().string() + extension);
    exporter(own, exported);
    aia::AiaImportResult r = importer(exported, PassportRoleText(own));
    ASSERT_TRUE(r.ok()) << exported << ": " << r.error;
    files.push_back(aia::ImportedPath(exported, imported));
    ASSERT_EQ(aia::WriteChrmFile(r.file, files.back(), false, exported), "");
  }

  const std::string expected = WithoutFolder(CalculatedJson(set, set.files, folder / "own-run"), set.folder);
  const std::string actual = WithoutFolder(CalculatedJson(set, files, folder / "imported-run"), imported);
  EXPECT_NE(expected.find("\"state\": 2"), std::string::npos);  // a complete calculation
  EXPECT_EQ(actual, expected);
}

TEST(AiaRoundTrip, GasOilSetFromAiaFilesCalculatesAsFromItsOwnFiles) {
  RoundTrip(".cdf", chrmgen::WriteAiaFile, aia::ImportAia);
}

TEST(AiaRoundTrip, GasOilSetFromTextExportsCalculatesAsFromItsOwnFiles) {
  RoundTrip(".txt", chrmgen::WriteTextExport, [](const std::string& path, const std::string& roleText) {
    return aia::ImportTextExport(path, roleText, std::nullopt);
  });
}

}  // namespace
}  // namespace p528::test
