#include "chromatogram/chrm_role.h"

#include "shell/string_table.h"
#include "shell/text.h"

namespace p528 {

namespace {
// Numbers of the passport role texts, "#градуировочная" .. "#проверочная", by role 1..6.
constexpr int kPassportTextFirst = 278;

// Numbers of the list texts.
constexpr int kListNone = 137;
constexpr int kListCalibration = 138;
constexpr int kListBlank = 139;
constexpr int kListAnalysis = 140;        // "анализ - %i"
constexpr int kListAnalysisUnnumbered = 141;
constexpr int kListStandard = 142;        // "стандарт - %i"
constexpr int kListStandardUnnumbered = 143;
constexpr int kListReference = 144;
constexpr int kListCheck = 145;

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
    case RoleStandard:
      return 3;
    case RoleCalibration:
    case RoleBlank:
    case RoleReference:
    case RoleCheck:
      return 1;
    default:
      return 0;
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
  return shell.Str(kPassportTextFirst + role - RoleCalibration);
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
  const char* own = RussianStrings().Find(kPassportTextFirst + role - RoleCalibration);
  return own != nullptr && EqualsNoCase(text, own);
}

int DetectRole(const Shell& shell, const ChrmFile& file, const RoleCounts& countsAtStart) {
  const std::string text = PassportRoleText(file);
  for (int role = RoleCalibration; role <= RoleCheck; ++role) {
    if (NamesRole(shell, text, role) && countsAtStart[role] < RoleLimit(role)) {
      return role;
    }
  }
  return RoleNone;
}

std::string RoleListText(const Shell& shell, const ChrmFile& file) {
  switch (file.role) {
    case RoleCalibration: return shell.Str(kListCalibration);
    case RoleBlank: return shell.Str(kListBlank);
    case RoleAnalysis:
      return file.ordinal >= 1 ? WithOrdinal(shell.Str(kListAnalysis), file.ordinal)
                               : shell.Str(kListAnalysisUnnumbered);
    case RoleStandard:
      return file.ordinal >= 1 ? WithOrdinal(shell.Str(kListStandard), file.ordinal)
                               : shell.Str(kListStandardUnnumbered);
    case RoleReference: return shell.Str(kListReference);
    case RoleCheck: return shell.Str(kListCheck);
    default: return shell.Str(kListNone);
  }
}

}  // namespace p528
