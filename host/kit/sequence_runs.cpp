#include "host/kit/sequence_runs.h"

#include "chromatogram/chrm_file.h"
#include "chromatogram/chrm_role.h"
#include "host/kit/assay_filter.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace p528::hostkit {

namespace {

std::string FullPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

}  // namespace

SequenceRun ReadSequenceRun(const Shell& shell, const std::string& path, int64_t assayId) {
  SequenceRun run;
  run.path = FullPath(path);
  run.assayId = assayId;
  ChrmFile file;
  run.loadStatus = file.LoadFromFile(run.path);
  if (run.loadStatus != ChrmFileRead) {
    run.problem = RunProblem::NotReadable;
    return run;
  }
  run.roleText = PassportRoleText(file);
  run.sample = file.passport.sample;
  run.andate = file.passport.andate;
  run.role = DetectRole(shell, file, RoleCounts{});
  if (run.role == RoleNone) run.problem = RunProblem::NoRole;
  return run;
}

bool ReadSequenceFolder(const Shell& shell, const std::string& folder, std::vector<SequenceRun>& runs,
                        std::string& error) {
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    if (path.filename().string().starts_with(".")) continue;
    std::error_code kind;
    if (std::filesystem::is_regular_file(it->status(kind))) files.push_back(path);
  }
  if (ec) {
    error = folder + ": " + ec.message();
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const std::filesystem::path& path : files) {
    SequenceRun run = ReadSequenceRun(shell, path.string());
    if (run.problem == RunProblem::NotReadable && run.loadStatus == ChrmFileBadMagic) continue;
    runs.push_back(std::move(run));
  }
  return true;
}

std::vector<SequenceRun> ReadSequenceAssays(const Shell& shell, const AssayDatabase& database,
                                            const std::vector<int64_t>& ids) {
  std::map<int64_t, std::string> fileOfId;
  for (const AssayRecord& record : database.Visible()) fileOfId.emplace(record.id, record.filename);
  std::vector<SequenceRun> runs;
  for (const int64_t id : ids) {
    const auto it = fileOfId.find(id);
    if (it == fileOfId.end()) {
      SequenceRun missing;
      missing.assayId = id;
      missing.problem = RunProblem::NoSuchAssay;
      runs.push_back(missing);
      continue;
    }
    runs.push_back(ReadSequenceRun(shell, it->second, id));
  }
  return runs;
}

std::vector<int64_t> AssaysAnalysedBetween(const AssayDatabase& database, std::optional<int64_t> from,
                                           std::optional<int64_t> until) {
  AssayFilter filter;
  filter.from = from;
  filter.until = until;
  filter.hidden = false;
  filter.orderBy = AssayColumn::Id;
  filter.descending = false;
  std::vector<int64_t> ids;
  for (const AssayRecord& record : database.Page(filter, 0, database.Count(filter))) ids.push_back(record.id);
  return ids;
}

}  // namespace p528::hostkit
