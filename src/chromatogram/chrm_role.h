// Roles of the chromatograms of a set: what each role is called in the passport and in the
// file list, how many files of it a set may hold, and under which key of section "paths"
// its file is remembered.
//
// A file's role comes from the passport field titled "Chrm_Type" (exact title). Its value is
// compared case-insensitively (Cyrillic letters fold too) with the role texts of the current
// string table and with the module's own (Russian) role texts, which every file recorded
// under the Russian interface carries, roles tried in the order 1 to 6; the first matching role whose limit
// is not reached wins. Limits are counted once, when a command begins.
#pragma once

#include "chromatogram/chrm_file.h"
#include "shell/shell.h"

#include <array>
#include <string>

namespace p528 {

enum ChrmRole : int {
  RoleNone = 0,
  RoleCalibration = 1,  // n-paraffin calibration run, at most 1
  RoleBlank = 2,        // blank run, at most 1
  RoleAnalysis = 3,     // parallel analysis of the sample, at most 3
  RoleStandard = 4,     // sample with internal standard, at most 3
  RoleReference = 5,    // reference gas oil, at most 1
  RoleCheck = 6,        // check mixture, at most 1
};

inline constexpr int kRoleCount = 7;  // RoleNone .. RoleCheck

// Number of files of each role, indexed by ChrmRole (index 0 counts files without a role).
using RoleCounts = std::array<int, kRoleCount>;

// How many files of `role` a set may hold: 3 for analyses and standards, 1 for the other
// roles, 0 for RoleNone and unknown values.
int RoleLimit(int role);

// Key of section "paths" that remembers the file of `role` ("CHRM_GRAD", "CHRM_IDLE",
// "CHRM_REF", "CHRM_TEST"); nullptr for roles that are not remembered.
const char* RolePathKey(int role);

// Role text of the passport for `role` ("#анализ", ...) from the shell's string table;
// "" for RoleNone and unknown values.
std::string RolePassportText(const Shell& shell, int role);

// Value of the first passport field whose title is exactly "Chrm_Type"; "" without one.
std::string PassportRoleText(const ChrmFile& file);

// True when `text` is the passport text of `role` in the interface language, in Russian or
// in English, ignoring case (a file keeps the text of the interface it was made under).
bool NamesRole(const Shell& shell, std::string_view text, int role);

// The role a file gets when added to a set whose files were counted as `countsAtStart`:
// the first role (1..6) whose text the file's role text is (NamesRole) and whose count is
// below its limit; RoleNone when none qualifies (the file is not added).
int DetectRole(const Shell& shell, const ChrmFile& file, const RoleCounts& countsAtStart);

// Text of the file list's role column: "град.", "анализ - 2", "анализ - ???", ... from the
// shell's string table; "некоррект." for RoleNone and unknown values.
std::string RoleListText(const Shell& shell, const ChrmFile& file);

}  // namespace p528
