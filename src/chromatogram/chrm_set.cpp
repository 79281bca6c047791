#include "chromatogram/chrm_set.h"

#include "shell/regular_file.h"
#include "shell/settings.h"
#include "shell/text.h"

#include <algorithm>

#include <sys/stat.h>

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

void RestoreRememberedFiles(const Shell& shell, ChrmSet& set, std::vector<SkippedFile>* dropped) {
  static constexpr int kOrder[] = {RoleBlank, RoleCalibration, RoleReference, RoleCheck};
  for (int role : kOrder) {
    const std::string path = ReadSettingText(shell, kSectionPaths, RolePathKey(role), "");
    if (path.empty()) continue;
    const auto [it, inserted] = set.try_emplace(path);
    if (!inserted) continue;
    const int status = it->second.LoadFromFile(path);
    if (status != 0 && dropped != nullptr) {
      set.erase(it);
      dropped->push_back({path, -1, SkipReason::RememberedNotReadable, {}, status, {}, role});
      continue;
    }
    it->second.role = role;  // without `dropped`, a file that does not load stays, empty
  }
}

namespace {

constexpr const char* kNoAssayId = "00000000-0000-0000-0000-000000000000";

bool SameBytes(const std::string& a, const std::string& b) {
  std::string first;
  std::string second;
  return ReadRegularFile(a, first) && ReadRegularFile(b, second) && first == second;
}

}  // namespace

std::string SameRunInSet(const ChrmSet& set, const std::string& path, const ChrmFile& file) {
  struct stat mine {};
  const bool statOk = ::stat(path.c_str(), &mine) == 0;
  const bool realId = !file.passport.assayid.empty() && file.passport.assayid != kNoAssayId;
  for (const auto& [otherPath, other] : set) {
    if (otherPath == path || &other == &file) continue;
    if (realId && other.passport.assayid == file.passport.assayid) return otherPath;
    struct stat theirs {};
    if (!statOk || ::stat(otherPath.c_str(), &theirs) != 0) continue;
    if (mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino) return otherPath;
    // Runs whose signals differ are different runs; only look at the bytes otherwise.
    const bool sameSignals = other.channels.size() == file.channels.size() &&
                             (file.channels.empty() || other.channels[0].samples == file.channels[0].samples);
    if (mine.st_size == theirs.st_size && sameSignals && SameBytes(path, otherPath)) return otherPath;
  }
  return {};
}

namespace {
SkipReason WhyNoRole(const Shell& shell, const std::string& roleText, int loadStatus) {
  if (roleText.empty()) return loadStatus != ChrmFileRead ? SkipReason::NotReadable : SkipReason::NoRoleText;
  for (int role = RoleCalibration; role <= RoleCheck; ++role) {
    if (NamesRole(shell, roleText, role)) return SkipReason::RoleFull;
  }
  return SkipReason::UnknownRoleText;
}
}  // namespace

bool AddFile(const Shell& shell, ChrmSet& set, const std::string& path, int assayId,
             const RoleCounts& countsAtStart, std::vector<SkippedFile>& skipped) {
  const auto [it, inserted] = set.try_emplace(path);
  if (!inserted) {
    skipped.push_back({path, assayId, SkipReason::AlreadyInSet, {}, 0, {}, 0});
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
  if (status == 0) {
    std::string sameAs = SameRunInSet(set, path, file);
    if (!sameAs.empty()) {
      skipped.push_back(
          {path, assayId, SkipReason::SameRun, PassportRoleText(file), status, std::move(sameAs), 0});
      set.erase(it);
      return false;
    }
  }
  file.assayId = assayId;
  const int role = DetectRole(shell, file, countsAtStart);
  if (role == RoleNone) {
    const std::string roleText = PassportRoleText(file);
    skipped.push_back({path, assayId, WhyNoRole(shell, roleText, status), roleText, status, {}, 0});
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
