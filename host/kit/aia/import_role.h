// The role an imported chromatogram gets: named by the user ("analysis", ...) or found by
// the rules the user sets for sample names. The role ends up as the role text of the current
// string table in the passport field "Chrm_Type", which the set reads as for any other file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace p528::aia {

// The role named by one of the words "calibration", "blank", "analysis", "standard",
// "reference", "check" (any letter case); RoleNone (0) for any other text.
int RoleFromName(std::string_view name);

// The words above, in role order 1 to 6.
const std::vector<std::string>& RoleNames();

// A rule: a sample whose name contains `text` (ignoring letter case, Cyrillic too) gets `role`.
struct RoleRule {
  std::string text;
  int role = 0;
};

// The role of the first rule whose text the sample name contains; RoleNone (0) when none
// does. A rule with an empty text matches every sample.
int RoleForSample(const std::vector<RoleRule>& rules, std::string_view sampleName);

}  // namespace p528::aia
