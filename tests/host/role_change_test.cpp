// Changing an assay's role: the host's own copy rewritten, a file kept elsewhere never
// written (a copy takes its place), the database row and the plug-in agreeing afterwards.
#include "host/kit/role_change.h"
#include "chromatogram/chrm_file.h"
#include "chromatogram/chrm_role.h"
#include "host/kit/assay_database.h"
#include "host/kit/assay_roles.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace p528::hostkit {
namespace {

const std::string kDemoBlank = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil/01_blank.chrm";

std::string RoleInFile(const std::string& path) {
  ChrmFile file;
  EXPECT_EQ(file.LoadFromFile(path), 0) << path;
  return PassportRoleText(file);
}

TEST(AssayRoles, EitherLanguagesTextNamesTheRoleAndTheHostWritesThePluginsOwn) {
  const struct {
    const char* text;
    int role;
  } cases[] = {{"#холостая", RoleBlank},
               {"#blank", RoleBlank},
               {"#АНАЛИЗ", RoleAnalysis},
               {"#Check", RoleCheck},
               {"#эталон", RoleReference},
               {"blank", RoleNone},
               {"", RoleNone}};
  for (const auto& c : cases) EXPECT_EQ(RoleOfText(c.text), c.role) << c.text;
  EXPECT_EQ(StoredRoleText(RoleCalibration), "#градуировочная");
  EXPECT_EQ(RoleTextsOf(RoleBlank), (std::vector<std::string>{"#холостая", "#blank"}));
}

TEST(RoleChange, TheHostsOwnCopyIsRewrittenAndTheRowFollows) {
  test::TempFolder folder;
  const std::string data = folder / "data";
  const std::string own = data + "/set/01_blank.chrm";
  test::WriteBytes(own, test::ReadBytes(kDemoBlank));
  AssayDatabase db(folder / "assays.db");
  db.WriteRows({{7, own, "Холостой опыт", 1, "#анализ", false, false, "d"}});

  EXPECT_EQ(ChangeAssayRole(db, data, 7, RoleBlank), "");
  EXPECT_EQ(RoleInFile(own), "#холостая");
  const AssayRecord row = *db.Find(7);
  EXPECT_EQ(row.role, "#холостая");
  EXPECT_EQ(row.filename, own) << "the own copy stays where it was";
  EXPECT_EQ(row.digest, "d") << "the run is the same: a second import of it is still recognised";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data + "/set"), {}), 1)
      << "no temporary file left";
}

TEST(RoleChange, AFileKeptElsewhereIsNeverWrittenACopyTakesItsPlace) {
  test::TempFolder folder;
  const std::string outside = folder / "shared/run.chrm";
  test::WriteBytes(outside, test::ReadBytes(kDemoBlank));
  const std::string before = test::ReadBytes(outside);
  AssayDatabase db(folder / "assays.db");
  db.WriteRows({{3, outside, "Холостой опыт", 1, "#холостая", false, false, ""}});

  EXPECT_EQ(ChangeAssayRole(db, folder / "data", 3, RoleCheck), "");
  EXPECT_EQ(test::ReadBytes(outside), before);
  const AssayRecord row = *db.Find(3);
  EXPECT_EQ(row.filename, folder / "data/run.chrm");
  EXPECT_EQ(row.role, "#проверочная");
  EXPECT_EQ(RoleInFile(row.filename), "#проверочная");
}

TEST(RoleChange, WhatCannotBeDoneIsToldAndChangesNothing) {
  test::TempFolder folder;
  test::WriteBytes(folder / "data/damaged.chrm", "STG");
  AssayDatabase db(folder / "assays.db");
  db.WriteRows({{1, folder / "data/damaged.chrm", "", 0, "#анализ", false, false, ""}});
  EXPECT_NE(ChangeAssayRole(db, folder / "data", 1, RoleBlank), "");
  EXPECT_NE(ChangeAssayRole(db, folder / "data", 2, RoleBlank), "") << "no such assay";
  EXPECT_NE(ChangeAssayRole(db, folder / "data", 1, 9), "") << "no such role";
  EXPECT_EQ(db.Find(1)->role, "#анализ");
  EXPECT_EQ(test::ReadBytes(folder / "data/damaged.chrm"), "STG");
}

}  // namespace
}  // namespace p528::hostkit
