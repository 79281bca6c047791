#include "host/kit/assay_filter.h"

#include "shell/text.h"

#include <algorithm>

namespace p528::hostkit {

bool AssayFilter::Matches(const AssayRecord& record) const {
  if (!role.empty() && record.role != role) return false;
  if (from && record.andate < *from) return false;
  if (until && record.andate >= *until) return false;
  if (text.empty()) return true;
  const std::string wanted = FoldCase(text);
  return FoldCase(record.sample).find(wanted) != std::string::npos ||
         FoldCase(FileNamePart(record.filename)).find(wanted) != std::string::npos;
}

std::vector<AssayRecord> Filtered(const std::vector<AssayRecord>& records, const AssayFilter& filter) {
  std::vector<AssayRecord> out;
  std::copy_if(records.begin(), records.end(), std::back_inserter(out),
               [&filter](const AssayRecord& record) { return filter.Matches(record); });
  return out;
}

std::vector<std::string> RoleTexts(const std::vector<AssayRecord>& records) {
  std::vector<std::string> roles;
  for (const AssayRecord& record : records) {
    if (!record.role.empty()) roles.push_back(record.role);
  }
  std::sort(roles.begin(), roles.end());
  roles.erase(std::unique(roles.begin(), roles.end()), roles.end());
  return roles;
}

}  // namespace p528::hostkit
