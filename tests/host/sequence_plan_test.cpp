// The grouping and pairing rules of a day's sequence, as a table: runs in, groups out.
#include "host/kit/sequence_plan.h"

#include "chromatogram/chrm_role.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace p528::hostkit {
namespace {

// A run by its short name (its path), role, sample name and minute of analysis.
SequenceRun Seq(const std::string& name, int role, const std::string& sample, int64_t minute,
                RunProblem problem = RunProblem::None) {
  SequenceRun run;
  run.path = name;
  run.role = role;
  run.sample = sample;
  run.andate = minute * 60;
  run.problem = problem;
  return run;
}

const char* NoteName(GroupNote note) {
  switch (note) {
    case GroupNote::NoCalibration: return "no-calibration";
    case GroupNote::NoBlank: return "no-blank";
    case GroupNote::ExtraAnalyses: return "extra-analyses";
    case GroupNote::ExtraStandards: return "extra-standards";
    case GroupNote::StandardsWithoutAnalyses: return "standards-only";
  }
  return "?";
}

// "SAMPLE[analyses / standards] calibration blank reference check {notes}; ...; left: names"
std::string Describe(const SequencePlan& plan) {
  std::string out;
  for (const SampleGroup& group : plan.groups) {
    std::string runs;
    for (const SequenceRun& run : group.analyses) runs += (runs.empty() ? "" : " ") + run.path;
    if (!group.standards.empty()) runs += " /";
    for (const SequenceRun& run : group.standards) runs += " " + run.path;
    out += group.sample + "[" + runs + "]";
    for (const auto& run : group.paired) out += " " + (run ? run->path : std::string("-"));
    for (const GroupNote note : group.notes) out += std::string(" {") + NoteName(note) + "}";
    out += "; ";
  }
  out += "left:";
  for (const SequenceRun& run : plan.leftOut) out += " " + run.path;
  return out;
}

struct PlanCase {
  const char* what;
  std::vector<SequenceRun> runs;
  std::array<std::optional<SequenceRun>, 4> named;
  const char* expected;
};

constexpr int C = RoleCalibration, B = RoleBlank, A = RoleAnalysis, S = RoleStandard, R = RoleReference,
              K = RoleCheck;

const std::vector<PlanCase>& Cases() {
  static const std::vector<PlanCase> cases = {
      {"a day: calibration, blank, check, reference, two samples",
       {Seq("c", C, "mix", 0), Seq("b", B, "blank", 1), Seq("k", K, "check", 2), Seq("r", R, "ref", 3),
        Seq("a1", A, "Gas oil 12", 4), Seq("a2", A, "Gas oil 12", 5), Seq("x1", A, "Diesel", 6),
        Seq("x2", A, "Diesel", 7)},
       {},
       "Gas oil 12[a1 a2] c b r k; Diesel[x1 x2] c b r k; left:"},
      {"names differing only in letter case or blanks are one sample, named as first spelt",
       {Seq("c", C, "", 0), Seq("b", B, "", 1), Seq("a1", A, "Дизельное топливо 7", 2),
        Seq("a2", A, " ДИЗЕЛЬНОЕ  топливо\t7 ", 3), Seq("a3", A, "дизельное\xC2\xA0топливо 7", 4),
        Seq("a4", A, "Дизельное топливо 8", 5)},
       {},
       "Дизельное топливо 7[a1 a2 a3] c b - -; Дизельное топливо 8[a4] c b - -; left:"},
      {"no calibration before the first run: the group says so, a later one is not taken",
       {Seq("b", B, "", 0), Seq("a1", A, "early", 1), Seq("c", C, "", 2), Seq("x1", A, "late", 3)},
       {},
       "early[a1] - b - - {no-calibration}; late[x1] c b - -; left:"},
      {"a group of four analyses keeps all four; the set calculates the three earliest",
       {Seq("c", C, "", 0), Seq("b", B, "", 1), Seq("a4", A, "s", 9), Seq("a1", A, "s", 2),
        Seq("a2", A, "s", 3), Seq("a3", A, "s", 4)},
       {},
       "s[a1 a2 a3 a4] c b - - {extra-analyses}; left:"},
      {"the latest calibration before the group's first run; a recalibration serves later samples",
       {Seq("c1", C, "", 0), Seq("b", B, "", 1), Seq("a1", A, "one", 2), Seq("c2", C, "", 3),
        Seq("a2", A, "one", 4), Seq("x1", A, "two", 5)},
       {},
       "one[a1 a2] c1 b - -; two[x1] c2 b - -; left:"},
      {"runs named for every sample win over the sequence's",
       {Seq("c1", C, "", 0), Seq("b", B, "", 1), Seq("a1", A, "one", 2)},
       {Seq("cx", C, "", 99), std::nullopt, Seq("rx", R, "", 99), std::nullopt},
       "one[a1] cx b rx -; left:"},
      {"runs of one minute keep the order given; a group is named as its first analysis spells it",
       {Seq("c", C, "", 0), Seq("b", B, "", 0), Seq("s1", S, "cond", 1), Seq("a1", A, "COND", 1)},
       {},
       "COND[a1 / s1] c b - -; left:"},
      {"standards alone, a run that does not read, a run without a role",
       {Seq("c", C, "", 0), Seq("b", B, "", 1), Seq("bad", A, "", 2, RunProblem::NotReadable),
        Seq("norole", 0, "x", 3), Seq("s1", S, "only", 4)},
       {},
       "only[ / s1] c b - - {standards-only}; left: bad norole"},
      {"an internal-standard run named after its sample joins it, the longest name first",
       {Seq("c", C, "", 0), Seq("b", B, "", 1), Seq("s1", S, "Condensate 7 + IS", 2),
        Seq("a1", A, "Condensate 7", 3), Seq("x1", A, "Condensate", 4), Seq("s2", S, "condensate 7+is", 5),
        Seq("s3", S, "Other + IS", 6)},
       {},
       "Condensate 7[a1 / s1 s2] c b - -; Condensate[x1] c b - -; Other + IS[ / s3] c b - - "
       "{standards-only}; left:"},
      {"a sequence without samples has no group", {Seq("c", C, "", 0), Seq("b", B, "", 1)}, {}, "left:"},
  };
  return cases;
}

TEST(SequencePlan, GroupsAndPairsAsTheTableSays) {
  for (const PlanCase& c : Cases()) {
    EXPECT_EQ(Describe(PlanSequence(c.runs, c.named)), c.expected) << c.what;
  }
}

TEST(SequencePlan, TheRunsOfAGroupEnterItsSetPairedRunsFirst) {
  const SequencePlan plan = PlanSequence({Seq("c", C, "", 0), Seq("b", B, "", 1), Seq("r", R, "", 2),
                                          Seq("s1", S, "x", 3), Seq("a1", A, "x", 4)});
  ASSERT_EQ(plan.groups.size(), 1u);
  EXPECT_EQ(plan.groups[0].Paths(), (std::vector<std::string>{"c", "b", "r", "a1", "s1"}));
}

}  // namespace
}  // namespace p528::hostkit
