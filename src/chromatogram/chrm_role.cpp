#include "chromatogram/chrm_role.h"

#include "chromatogram/role_texts.h"
#include "shell/string_table.h"
#include "shell/text.h"

namespace p528 {

namespace {
bool IsRole(int role) { return role >= RoleCalibration && role <= RoleCheck; }

// Fills the "%i" of a numbered list text without handing a translated text to printf as
// its format: a satellite's text is data, not code.
std::string WithOrdinal(const std::string& pattern, int ordinal) {
  const std::size_t at = pattern.find("%i");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + std::to_string(ordinal) + pattern.substr(at + 2);
}
}  // namespace

int RoleLimit(int role) {
  switch (role) {
    case RoleAnalysis:
    case RoleStandard: return 3;
    case RoleCalibration:
    case RoleBlank:
    case RoleReference:
    case RoleCheck: return 1;
    default: return 0;
  }
}

const char* RolePathKey(int role) {
  switch (role) {
    case RoleCalibration: return "CHRM_GRAD";
    case RoleBlank: return "CHRM_IDLE";
    case RoleReference: return "CHRM_REF";
    case RoleCheck: return "CHRM_TEST";
    default: return nullptr;
  }
}

std::string RolePassportText(const Shell& shell, int role) {
  if (!IsRole(role)) return {};
  switch (role) {
    case RoleCalibration: return shell.Str(text::kRolePassportCalibration);
    case RoleBlank: return shell.Str(text::kRolePassportBlank);
    case RoleAnalysis: return shell.Str(text::kRolePassportAnalysis);
    case RoleStandard: return shell.Str(text::kRolePassportStandard);
    case RoleReference: return shell.Str(text::kRolePassportReference);
    default: return shell.Str(text::kRolePassportCheck);
  }
}

std::string PassportRoleText(const ChrmFile& file) {
  for (const PassportField& field : file.passport.fields) {
    if (field.title == "Chrm_Type") return field.value;
  }
  return {};
}

bool NamesRole(const Shell& shell, std::string_view text, int role) {
  if (!IsRole(role)) return false;
  if (EqualsNoCase(text, RolePassportText(shell, role))) return true;
  // A file keeps the role text of the interface it was made under: both languages' texts
  // name the role whatever the interface is now.
  const int id = text::kRolePassportCalibration + role - RoleCalibration;
  for (const StringTable* table : {&RussianStrings(), &EnglishStrings()}) {
    const char* known = table->Find(id);
    if (known != nullptr && EqualsNoCase(text, known)) return true;
  }
  return false;
}

int DetectRole(const Shell& shell, const ChrmFile& file, const RoleCounts& countsAtStart) {
  const std::string text = PassportRoleText(file);
  for (int role = RoleCalibration; role <= RoleCheck; ++role) {
    if (NamesRole(shell, text, role) && countsAtStart[static_cast<std::size_t>(role)] < RoleLimit(role)) {
      return role;
    }
  }
  return RoleNone;
}

std::string RoleListText(const Shell& shell, const ChrmFile& file) {
  switch (file.role) {
    case RoleCalibration: return shell.Str(text::kRoleListCalibration);
    case RoleBlank: return shell.Str(text::kRoleListBlank);
    case RoleAnalysis:
      return file.ordinal >= 1 ? WithOrdinal(shell.Str(text::kRoleListAnalysis), file.ordinal)
                               : shell.Str(text::kRoleListAnalysisUnnumbered);
    case RoleStandard:
      return file.ordinal >= 1 ? WithOrdinal(shell.Str(text::kRoleListStandard), file.ordinal)
                               : shell.Str(text::kRoleListStandardUnnumbered);
    case RoleReference: return shell.Str(text::kRoleListReference);
    case RoleCheck: return shell.Str(text::kRoleListCheck);
    default: return shell.Str(text::kRoleListNone);
  }
}

}  // namespace p528
