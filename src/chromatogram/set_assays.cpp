#include "chromatogram/set_assays.h"

#include "shell/database.h"
#include "shell/text.h"

namespace p528 {

std::optional<std::vector<int>> AskAssayIds(const Shell& shell, intptr_t ownerWindow) {
  if (!shell.ServiceExists("Main/OpenAssayIdDlgEx") || !shell.ServiceExists("Cfg/DataPath")) {
    return std::nullopt;
  }
  int ids[kAssayDialogCapacity] = {};
  AssayIdRequest request{ids, kAssayDialogCapacity};
  const intptr_t count =
      shell.CallService("Main/OpenAssayIdDlgEx", reinterpret_cast<intptr_t>(&request), ownerWindow);
  if (count == 0 || count > kAssayDialogCapacity) return std::nullopt;
  if (count < 0) return std::vector<int>();
  return std::vector<int>(ids, ids + count);
}

void AddAssayFiles(const Shell& shell, ChrmSet& set, const std::vector<int>& ids,
                   std::vector<SkippedFile>& skipped) {
  const RoleCounts counts = CountRoles(set);
  DataBase::DbHandle db = DataBase::Open(shell);
  for (int id : ids) {
    bool found = false;
    DataBase::FileNamesForAssayId(db, id, [&](const std::string& path) {
      found = true;
      AddFile(shell, set, path, id, counts, skipped);
    });
    if (!found) skipped.push_back({std::string(), id, SkipReason::NoSuchAssay, {}, 0, {}, 0});
  }
}

void LookUpAssayIds(const Shell& shell, ChrmSet& set, const std::vector<std::string>& paths) {
  DataBase::DbHandle db = DataBase::Open(shell);
  for (const std::string& path : paths) {
    const auto file = set.find(path);
    if (path.empty() || file == set.end()) continue;
    DataBase::AssayIdsForFileName(db, path, [&](int id) { file->second.assayId = id; });
  }
}

void OpenAssaysInHost(const Shell& shell, const std::vector<int>& ids) {
  DataBase::DbHandle db = DataBase::Open(shell);
  for (int id : ids) {
    DataBase::FileNameForAssay(db, id, [&](const std::string& path) {
      const std::u16string name = Utf8ToUtf16(path);
      shell.CallService("Main/OpenAssayFile", 0, reinterpret_cast<intptr_t>(name.c_str()));
    });
  }
}

}  // namespace p528
