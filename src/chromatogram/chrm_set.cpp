#include "chromatogram/chrm_set.h"

#include "shell/settings.h"
#include "shell/text.h"

#include <algorithm>

namespace p528 {

bool PathOrder::operator()(const std::string& a, const std::string& b) const {
  const std::u16string wideA = Utf8ToUtf16(a);
  const std::u16string wideB = Utf8ToUtf16(b);
  if (wideA != wideB) return wideA < wideB;
  return a < b;
}

RoleCounts CountRoles(const ChrmSet& set) {
  RoleCounts counts{};
  for (const auto& [path, file] : set) {
    if (file.role >= 0 && file.role < kRoleCount) ++counts[static_cast<std::size_t>(file.role)];
  }
  return counts;
}

namespace {

// Gives ordinals 1..3 to the runs of one role by ascending analysis time. Returns the
// highest ordinal given, 0 when the role has no file.
int NumberRole(ChrmSet& set, int role) {
  std::vector<ChrmFile*> runs;  // files of the role, in set order
  for (auto& [path, file] : set) {
    if (file.role == role) runs.push_back(&file);
  }
  for (ChrmFile* run : runs) run->ordinal = -1;

  int highest = 0;
  for (int pass = 1; pass <= 3; ++pass) {
    // Pass 1 starts from the last run, later passes from the first unnumbered one; only a
    // strictly earlier time replaces the candidate, so ties keep the starting run.
    ChrmFile* candidate = nullptr;
    if (pass == 1) {
      if (!runs.empty()) candidate = runs.back();
    } else {
      for (ChrmFile* run : runs) {
        if (run->ordinal == -1) {
          candidate = run;
          break;
        }
      }
    }
    if (candidate == nullptr) break;
    for (ChrmFile* run : runs) {
      if (run->ordinal == -1 && run->passport.andate < candidate->passport.andate) candidate = run;
    }
    candidate->ordinal = pass;
    highest = pass;
  }
  return highest;
}

void Unnumber(ChrmSet& set, int role, int above) {
  for (auto& [path, file] : set) {
    if (file.role == role && file.ordinal > above) file.ordinal = -1;
  }
}

}  // namespace

void NumberRuns(ChrmSet& set) {
  const int analyses = NumberRole(set, RoleAnalysis);
  const int standards = NumberRole(set, RoleStandard);
  if (analyses == 0) {
    Unnumber(set, RoleStandard, -1);
    return;
  }
  if (standards == 0) return;
  if (analyses > standards) Unnumber(set, RoleAnalysis, standards);
  if (standards > analyses) Unnumber(set, RoleStandard, analyses);
}

void NormalizePeakNames(ChrmFile& file, int foreignUi) {
  for (ChrmChannel& channel : file.channels) {
    for (ChrmPeak& peak : channel.peaks) {
      peak.name = foreignUi ? ToLatinC(peak.name) : ToCyrillicC(peak.name);
    }
  }
}

void RestoreRememberedFiles(const Shell& shell, ChrmSet& set) {
  static constexpr int kOrder[] = {RoleBlank, RoleCalibration, RoleReference, RoleCheck};
  for (int role : kOrder) {
    const std::string path = ReadSettingText(shell, kSectionPaths, RolePathKey(role), "");
    if (path.empty()) continue;
    const auto [it, inserted] = set.try_emplace(path);
    if (!inserted) continue;
    it->second.LoadFromFile(path);  // a file that does not load stays, empty
    it->second.role = role;
  }
}

namespace {
SkipReason WhyNoRole(const Shell& shell, const std::string& roleText, int loadStatus) {
  if (roleText.empty()) return loadStatus != ChrmFileRead ? SkipReason::NotReadable : SkipReason::NoRoleText;
  for (int role = RoleCalibration; role <= RoleCheck; ++role) {
    if (EqualsNoCase(roleText, RolePassportText(shell, role))) return SkipReason::RoleFull;
  }
  return SkipReason::UnknownRoleText;
}
}  // namespace

bool AddFile(const Shell& shell, ChrmSet& set, const std::string& path, int assayId,
             const RoleCounts& countsAtStart, std::vector<SkippedFile>& skipped) {
  const auto [it, inserted] = set.try_emplace(path);
  if (!inserted) {
    skipped.push_back({path, assayId, SkipReason::AlreadyInSet, {}, 0});
    return false;
  }
  ChrmFile& file = it->second;
  int status = 0;
  try {
    status = file.LoadFromFile(path);
  } catch (...) {
    set.erase(it);  // a file that could not be read whole never joins the set half-made
    throw;
  }
  file.assayId = assayId;
  const int role = DetectRole(shell, file, countsAtStart);
  if (role == RoleNone) {
    const std::string roleText = PassportRoleText(file);
    skipped.push_back({path, assayId, WhyNoRole(shell, roleText, status), roleText, status});
    set.erase(it);
    return false;
  }
  file.role = role;
  return true;
}

void RemovePaths(ChrmSet& set, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) set.erase(path);
}

}  // namespace p528
