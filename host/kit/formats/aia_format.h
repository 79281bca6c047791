// The formats of other data systems in the host's import table, AIA files (".cdf") and text
// exports (".csv", ".txt", ".asc"), and the roles their files get there: one role the user
// names for every such file of an import, or the rules by sample name the user keeps in the
// host's profile.
//
// Rules in the profile: one text value per rule under the section kRoleRulesSection, keys
// "1", "2", ... in rule order (the first missing number ends the list); the value is the
// role word of RoleNames() ("reference"), a space, and the text the sample name must contain
// (empty: every sample), e.g. `text plug528-host\aia_role_rules\1 = reference эталон`.
#pragma once

#include "host/kit/aia/import_role.h"
#include "host/kit/aia/time_unit.h"
#include "host/kit/assay_import.h"
#include "host/kit/profile_store.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace p528::aia {

inline constexpr const char* kRoleRulesSection = "plug528-host\\aia_role_rules";

// How the AIA files of one import get their role.
struct AiaRoleChoice {
  bool byRules = false;
  int role = 0;                          // the role of every file (when not byRules)
  std::vector<RoleRule> rules;           // the rules by sample name (when byRules)
  std::optional<TimeUnit> textTimeUnit;  // of text exports that name none (none: they are refused)
  // The role the person chose for each file of the import, by its path (0: not imported);
  // a file named here gets this role whatever the other members say.
  std::map<std::string, int> byFile;
};

// The role of the file at `path` whose sample is `sample`; RoleNone (0) when none was
// chosen or no rule fits it.
int ChosenRole(const AiaRoleChoice& choice, const std::string& path, std::string_view sample);

// The sample name of the file at `path` of the formats below ("" when it does not read), for
// the question; an AIA file is read in the worker process `converter`.
std::string AiaSampleName(const std::string& path, const std::string& converter);

// The ".cdf" format: ImportAia in the worker process `converter` (conversion_worker.h) with
// the role of `*choice` (read at each file, so the caller may change it between imports; it
// must outlive the table), written as the text `roleText(role)` in "Chrm_Type". A file no
// rule fits is refused with its sample named.
hostkit::ChromatogramFormat AiaFormat(const AiaRoleChoice* choice, std::function<std::string(int)> roleText,
                                      std::string converter);

// The text export formats ".csv", ".txt", ".asc" (text_export.h), with roles as AiaFormat and
// the time unit `choice->textTimeUnit` for files that name none.
std::vector<hostkit::ChromatogramFormat> TextExportFormats(const AiaRoleChoice* choice,
                                                           std::function<std::string(int)> roleText);

// True for a file of the formats above, whose role the user is asked for.
bool AsksRole(const std::string& path);

// One stored rule and back; nullopt for a value without a known role word.
std::optional<RoleRule> RoleRuleFromText(std::string_view text);
std::string RoleRuleText(const RoleRule& rule);

std::vector<RoleRule> LoadRoleRules(const hostkit::ProfileStore& profile);
// Replaces the stored rules; false when the profile could not be written.
bool SaveRoleRules(hostkit::ProfileStore& profile, const std::vector<RoleRule>& rules);

}  // namespace p528::aia
