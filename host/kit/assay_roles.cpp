#include "host/kit/assay_roles.h"

#include "chromatogram/chrm_role.h"
#include "shell/shell.h"
#include "shell/string_table.h"

namespace p528::hostkit {

namespace {

const Shell& TranslatedShell() {
  static const Shell shell = MakeShell({.language = kLangEnglish, .foreignTexts = &EnglishStrings()});
  return shell;
}

}  // namespace

int RoleOfText(std::string_view text) {
  // NamesRole accepts the interface language's text and the module's own.
  for (int role = RoleCalibration; role <= RoleCheck; ++role) {
    if (NamesRole(TranslatedShell(), text, role)) return role;
  }
  return RoleNone;
}

std::string StoredRoleText(int role) { return RolePassportText(Shell(), role); }

std::vector<std::string> RoleTextsOf(int role) {
  if (role < RoleCalibration || role > RoleCheck) return {};
  return {StoredRoleText(role), RolePassportText(TranslatedShell(), role)};
}

}  // namespace p528::hostkit
