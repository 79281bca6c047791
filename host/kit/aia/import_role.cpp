#include "host/kit/aia/import_role.h"

#include "chromatogram/chrm_role.h"
#include "shell/text.h"

namespace p528::aia {

const std::vector<std::string>& RoleNames() {
  static const std::vector<std::string> kNames = {"calibration", "blank",     "analysis",
                                                  "standard",    "reference", "check"};
  return kNames;
}

int RoleFromName(std::string_view name) {
  const std::string folded = FoldCase(name);
  const std::vector<std::string>& names = RoleNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (folded == names[i]) return RoleCalibration + static_cast<int>(i);
  }
  return RoleNone;
}

int RoleForSample(const std::vector<RoleRule>& rules, std::string_view sampleName) {
  const std::string sample = FoldCase(sampleName);
  for (const RoleRule& rule : rules) {
    if (sample.find(FoldCase(rule.text)) != std::string::npos) return rule.role;
  }
  return RoleNone;
}

}  // namespace p528::aia
