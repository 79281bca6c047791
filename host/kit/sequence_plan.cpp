#include "host/kit/sequence_plan.h"

#include "chromatogram/chrm_role.h"
#include "shell/text.h"

#include <algorithm>
#include <numeric>

namespace p528::hostkit {

namespace {

constexpr std::size_t kParallelLimit = 3;  // the set numbers at most three runs of each kind

std::size_t PairedIndex(int role) {
  const auto it = std::find(kPairedRoles.begin(), kPairedRoles.end(), role);
  return static_cast<std::size_t>(it - kPairedRoles.begin());
}

bool IsBlank(std::string_view text, std::size_t i, std::size_t& length) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c == ' ' || (c >= '\t' && c <= '\r')) {
    length = 1;
    return true;
  }
  // U+00A0 no-break space, U+202F narrow no-break space: what a copied name brings along.
  if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
    length = 2;
    return true;
  }
  if (c == 0xE2 && text.substr(i, 3) == "\xE2\x80\xAF") {
    length = 3;
    return true;
  }
  return false;
}

}  // namespace

const std::optional<SequenceRun>& SampleGroup::Paired(int role) const { return paired.at(PairedIndex(role)); }

std::vector<const SequenceRun*> SampleGroup::Runs() const {
  std::vector<const SequenceRun*> runs;
  for (const std::optional<SequenceRun>& run : paired) {
    if (run) runs.push_back(&*run);
  }
  for (const SequenceRun& run : analyses) runs.push_back(&run);
  for (const SequenceRun& run : standards) runs.push_back(&run);
  return runs;
}

std::vector<std::string> SampleGroup::Paths() const {
  std::vector<std::string> paths;
  for (const SequenceRun* run : Runs()) paths.push_back(run->path);
  return paths;
}

std::string SampleKey(std::string_view name) {
  std::string kept;
  for (std::size_t i = 0; i < name.size();) {
    std::size_t length = 1;
    if (!IsBlank(name, i, length)) kept += name[i];
    i += length;
  }
  return FoldCase(kept);
}

SequencePlan PlanSequence(const std::vector<SequenceRun>& runs,
                          const std::array<std::optional<SequenceRun>, 4>& named) {
  // Sequence order: analysis time; runs of the same time keep the order given.
  std::vector<std::size_t> order(runs.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&runs](std::size_t a, std::size_t b) { return runs[a].andate < runs[b].andate; });

  SequencePlan plan;
  struct Found {
    std::string key;
    std::size_t firstPosition;
    SampleGroup group;
  };
  std::vector<Found> found;
  // The paired-role runs met so far, with their positions.
  std::array<std::vector<std::pair<std::size_t, const SequenceRun*>>, 4> pairedRuns;
  std::vector<std::pair<std::size_t, const SequenceRun*>> standards;

  const auto groupOf = [&found](const std::string& key) -> Found* {
    for (Found& entry : found) {
      if (entry.key == key) return &entry;
    }
    return nullptr;
  };
  const auto add = [&found, &groupOf](std::size_t position, const SequenceRun& run, const std::string& key) {
    Found* entry = groupOf(key);
    if (entry == nullptr) {
      found.push_back(Found{key, position, SampleGroup{}});
      entry = &found.back();
      entry->group.sample = run.sample;
    }
    entry->firstPosition = std::min(entry->firstPosition, position);
    (run.role == RoleAnalysis ? entry->group.analyses : entry->group.standards).push_back(run);
  };

  for (std::size_t position = 0; position < order.size(); ++position) {
    const SequenceRun& run = runs[order[position]];
    if (run.problem != RunProblem::None || run.role < RoleCalibration || run.role > RoleCheck) {
      plan.leftOut.push_back(run);
      if (plan.leftOut.back().problem == RunProblem::None) plan.leftOut.back().problem = RunProblem::NoRole;
    } else if (run.role == RoleAnalysis) {
      add(position, run, SampleKey(run.sample));
    } else if (run.role == RoleStandard) {
      standards.emplace_back(position, &run);
    } else {
      pairedRuns[PairedIndex(run.role)].emplace_back(position, &run);
    }
  }
  // An internal-standard run joins the analyses of its own sample name, else those whose
  // name its name begins with ("Condensate 7" for "Condensate 7 + standard"), the longest
  // such; otherwise it makes a group of its own.
  for (const auto& [position, run] : standards) {
    const std::string key = SampleKey(run->sample);
    std::string joined = key;
    if (groupOf(key) == nullptr) {
      std::size_t longest = 0;
      for (const Found& entry : found) {
        if (!entry.group.analyses.empty() && entry.key.size() > longest && key.starts_with(entry.key)) {
          longest = entry.key.size();
          joined = entry.key;
        }
      }
    }
    add(position, *run, joined);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return a.firstPosition < b.firstPosition; });
  std::vector<std::size_t> firstPosition;
  for (Found& entry : found) {
    firstPosition.push_back(entry.firstPosition);
    plan.groups.push_back(std::move(entry.group));
  }

  for (std::size_t g = 0; g < plan.groups.size(); ++g) {
    SampleGroup& group = plan.groups[g];
    for (std::size_t p = 0; p < kPairedRoles.size(); ++p) {
      if (named[p]) {
        group.paired[p] = named[p];
        continue;
      }
      for (const auto& [position, run] : pairedRuns[p]) {
        if (position < firstPosition[g]) group.paired[p] = *run;
      }
    }
    if (!group.Paired(RoleCalibration)) group.notes.push_back(GroupNote::NoCalibration);
    if (!group.Paired(RoleBlank)) group.notes.push_back(GroupNote::NoBlank);
    if (group.analyses.size() > kParallelLimit) group.notes.push_back(GroupNote::ExtraAnalyses);
    if (group.standards.size() > kParallelLimit) group.notes.push_back(GroupNote::ExtraStandards);
    if (group.analyses.empty()) group.notes.push_back(GroupNote::StandardsWithoutAnalyses);
  }
  return plan;
}

std::string GroupNoteText(GroupNote note) {
  switch (note) {
    case GroupNote::NoCalibration: return "no calibration run before the sample's first run";
    case GroupNote::NoBlank: return "no blank run before the sample's first run";
    case GroupNote::ExtraAnalyses: return "more than three analyses: the three earliest are calculated";
    case GroupNote::ExtraStandards:
      return "more than three internal-standard runs: the three earliest are calculated";
    case GroupNote::StandardsWithoutAnalyses:
      return "internal-standard runs without analyses calculate nothing";
  }
  return {};
}

}  // namespace p528::hostkit
