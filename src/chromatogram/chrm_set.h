// The chromatogram set: the files of one calculation, each held by value under its full
// path, with the role, ordinal and assay id that the set gives it.
//
// Paths are ordered as the host orders them: code unit by code unit of their UTF-16 form,
// case-sensitively; every walk over the set follows that order. A path is in the set at
// most once. Pointers to files in the set stay valid until that path is erased.
//
// Only files of the single-instance roles (calibration, blank, reference, check) are
// remembered between starts, under section "paths" of the settings.
//
// User-interface thread only.
#pragma once

#include "chromatogram/chrm_file.h"
#include "chromatogram/chrm_role.h"
#include "shell/shell.h"

#include <map>
#include <string>
#include <vector>

namespace p528 {

// Order of the set's keys: UTF-16 code units, then (for texts that are not valid UTF-8 and
// so convert alike) the bytes, so that two different paths never count as one.
struct PathOrder {
  bool operator()(const std::string& a, const std::string& b) const;
};

using ChrmSet = std::map<std::string, ChrmFile, PathOrder>;

// Files of each role now in the set (index = ChrmRole).
RoleCounts CountRoles(const ChrmSet& set);

// Numbers the parallel runs: analyses and internal-standard runs each get ordinals 1, 2, 3
// by ascending analysis time (`andate`), the rest -1; then only as many of each kind as can
// be paired with the other kind keep their numbers (standards without any analysis lose
// theirs). Unnumbered runs stay in the set but take no part in the calculation.
void NumberRuns(ChrmSet& set);

// Brings the peak names of every channel to the interface's letters: Cyrillic "С"/"с" when
// `foreignUi` is 0, Latin "C"/"c" otherwise, so that "C10" meets the component table.
void NormalizePeakNames(ChrmFile& file, int foreignUi);

// Why the add command left a chosen file out (the window says nothing; the command line
// reports it as a notice).
enum class SkipReason {
  AlreadyInSet,           // that path is already a member of the set
  NotReadable,            // the file did not load and so has no role text
  NoRoleText,             // the passport has no "Chrm_Type" field (or an empty one)
  UnknownRoleText,        // the role text names no role
  RoleFull,               // the role's limit was reached when the command began
  NoSuchAssay,            // the assay id chosen has no visible assay row (path is empty)
  SameRun,                // the same run is in the set under another path (`sameAs`)
  RememberedNotReadable,  // a remembered file that no longer loads (`role` its key's role)
};

struct SkippedFile {
  std::string path;
  int assayId = -1;
  SkipReason reason = SkipReason::NoRoleText;
  std::string roleText;  // the passport's role text
  int loadStatus = 0;    // status of LoadFromFile (0 = read)
  std::string sameAs;    // SameRun: the path of the run already in the set
  int role = 0;          // RememberedNotReadable: the role it was remembered for
};

// First step of restoring the set: loads the files remembered under "CHRM_IDLE",
// "CHRM_GRAD", "CHRM_REF", "CHRM_TEST" (in this order) with the role of their key. The
// passport is not consulted. A file that does not load is kept (empty), as the window keeps
// it; given `dropped`, it is left out instead and appended there (reason
// RememberedNotReadable), so that it cannot take the place of a file the user names. A path
// already in the set keeps its first role.
void RestoreRememberedFiles(const Shell& shell, ChrmSet& set, std::vector<SkippedFile>* dropped = nullptr);

// The path of a file of the set other than `path` that holds the same run as `file` (loaded
// from `path`): the same file reached by another path (a link), a byte-identical copy, or a
// run with the same assay GUID other than the all-zero default; "" when there is none.
std::string SameRunInSet(const ChrmSet& set, const std::string& path, const ChrmFile& file);

// Adds the file at `path` as the add command does: skipped when the path is already in the
// set; otherwise loaded (the status is not looked at: a file that did not load has no role
// text), skipped when the set holds the same run already (SameRunInSet: a run with itself
// would pass every repeatability check), given `assayId` and the role DetectRole finds with
// `countsAtStart`, and inserted when a role qualifies. Returns true when added; otherwise
// appends to `skipped` why not.
bool AddFile(const Shell& shell, ChrmSet& set, const std::string& path, int assayId,
             const RoleCounts& countsAtStart, std::vector<SkippedFile>& skipped);

// Erases each of `paths` from the set (paths not in the set are ignored).
void RemovePaths(ChrmSet& set, const std::vector<std::string>& paths);

}  // namespace p528
