// A day's sequence of runs as the instrument records it (a calibration mix, a blank, the
// reference gas oil, then the samples, each injected two or three times) turned into one
// calculation set per sample.
//
// The rules, in sequence order (analysis time, runs of the same time in the order given):
// - analyses are grouped by their passport's sample name; names that differ only in letter
//   case or in blanks are one sample ("Gas oil 12" and " GAS OIL  12"); the group is named
//   as its first analysis spells it and placed where its first run is;
// - an internal-standard run joins the analyses of its sample name, else those whose name
//   its own begins with ("Condensate 7 + standard" joins "Condensate 7"; the longest such
//   name), else it forms a group of its own;
// - each group gets the calibration, blank, reference and check runs named for the whole
//   sequence, and for each role that is not named the latest run of that role before the
//   group's first run; a role without such a run stays empty (without a calibration or a blank
//   the sample calculates no results, and the group says why);
// - every analysis and internal-standard run of the group goes into its set: the set numbers
//   the three earliest of each and leaves the others out of the calculation, as the add
//   command does with more than three chosen; the group notes it;
// - a run that cannot be read, or whose passport names no role, belongs to no group and is
//   left out with its reason.
// Nothing here reads a file: the runs come in already read (sequence_runs.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace p528::hostkit {

// Why a run of a sequence cannot be used.
enum class RunProblem {
  None,
  NotReadable,  // the file did not load (`loadStatus`)
  NoRole,       // its passport names no role ("Chrm_Type" missing, empty or unknown: `roleText`)
  NoSuchAssay,  // an assay id chosen has no visible assay row
};

struct SequenceRun {
  std::string path;      // full path ("" for an assay without a row)
  int64_t assayId = -1;  // -1 unknown
  int role = 0;          // ChrmRole from the passport's role text (sequences know no limits)
  std::string roleText;  // the passport's role text as written
  std::string sample;    // the passport's sample name
  int64_t andate = 0;    // time of the analysis, seconds since 1970 UTC
  RunProblem problem = RunProblem::None;
  int loadStatus = 0;  // LoadFromFile's status when NotReadable
};

// The roles a group is paired with, in the order their runs enter the set.
inline constexpr std::array<int, 4> kPairedRoles = {1, 2, 5, 6};  // calibration, blank, reference, check

// What the planning found about a group that limits its results.
enum class GroupNote {
  NoCalibration,             // no calibration run before the group's first run, none named
  NoBlank,                   // likewise for the blank
  ExtraAnalyses,             // more than three analyses: the three earliest are calculated
  ExtraStandards,            // likewise for the internal-standard runs
  StandardsWithoutAnalyses,  // internal-standard runs without analyses calculate nothing
};

struct SampleGroup {
  std::string sample;                                // as the group's first run spells it
  std::vector<SequenceRun> analyses;                 // in sequence order
  std::vector<SequenceRun> standards;                // in sequence order
  std::array<std::optional<SequenceRun>, 4> paired;  // by kPairedRoles
  std::vector<GroupNote> notes;

  const std::optional<SequenceRun>& Paired(int role) const;
  // Every run of the set: the paired runs (calibration, blank, reference, check), then the
  // analyses and the internal-standard runs.
  std::vector<const SequenceRun*> Runs() const;
  std::vector<std::string> Paths() const;
};

struct SequencePlan {
  std::vector<SampleGroup> groups;   // in the order of their first runs
  std::vector<SequenceRun> leftOut;  // runs with a problem, in sequence order
};

// The key that makes two sample names one sample: case folded, blanks (spaces, tabs, line
// breaks, no-break spaces) removed.
std::string SampleKey(std::string_view name);

// The plan of `runs` (in the order given); `named` holds runs chosen for every group, by
// kPairedRoles (an empty entry: the latest before each group).
SequencePlan PlanSequence(const std::vector<SequenceRun>& runs,
                          const std::array<std::optional<SequenceRun>, 4>& named = {});

// The note in English words ("no calibration run before the sample's first run").
std::string GroupNoteText(GroupNote note);

}  // namespace p528::hostkit
