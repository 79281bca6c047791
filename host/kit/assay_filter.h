// Which assays a host's lists show: the filter of the assay chooser and of the main window
// (sample text, role text, a range of analysis days). An empty part lets every assay pass.
#pragma once

#include "host/kit/assay_database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p528::hostkit {

struct AssayFilter {
  std::string text;              // found in the sample name or the file name, any letter case
  std::string role;              // the role text exactly, "" for any role
  std::optional<int64_t> from;   // analysed at or after this moment (seconds since 1970 UTC)
  std::optional<int64_t> until;  // analysed before this moment

  bool Matches(const AssayRecord& record) const;
};

std::vector<AssayRecord> Filtered(const std::vector<AssayRecord>& records, const AssayFilter& filter);
// The role texts present in `records`, sorted, each once ("" left out).
std::vector<std::string> RoleTexts(const std::vector<AssayRecord>& records);

}  // namespace p528::hostkit
