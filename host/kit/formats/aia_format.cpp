#include "host/kit/formats/aia_format.h"

#include "host/kit/aia/aia_import.h"
#include "host/kit/aia/conversion_worker.h"
#include "host/kit/aia/text_export.h"
#include "shell/text.h"

#include <filesystem>

#include <utility>

namespace p528::aia {

int ChosenRole(const AiaRoleChoice& choice, const std::string& path, std::string_view sample) {
  if (const auto found = choice.byFile.find(path); found != choice.byFile.end()) return found->second;
  return choice.byRules ? RoleForSample(choice.rules, sample) : choice.role;
}

std::string AiaSampleName(const std::string& path, const std::string& converter) {
  const AiaImportResult result = IsTextExportName(path) ? ImportTextExport(path, "", std::nullopt)
                                                        : ImportAiaInWorker(converter, path, "");
  return result.ok() ? result.file.passport.sample : std::string();
}

namespace {

using Importer = std::function<AiaImportResult(const std::string& path, const AiaRoleChoice& choice)>;

// A format of another data system: the file imported without a role, then given the role of
// the choice, written as `roleText(role)` in "Chrm_Type".
hostkit::ChromatogramFormat RoleAskingFormat(std::string extension, Importer import,
                                             const AiaRoleChoice* choice,
                                             std::function<std::string(int)> roleText) {
  auto read = [choice, import = std::move(import), roleText = std::move(roleText)](
                  const std::string& path, ChrmFile& file, std::string& message) {
    AiaImportResult result = import(path, *choice);
    if (!result.ok()) {
      message = result.error;
      return -1;
    }
    const int role = ChosenRole(*choice, path, result.file.passport.sample);
    if (role == 0) {
      // Imported without a role the set would not know what the run is: the user adds a
      // rule or names the role and imports the file again.
      message = RoleForSample(choice->rules, result.file.passport.sample) == 0
                    ? "no role rule fits the sample \"" + result.file.passport.sample + "\""
                    : "no role was chosen for the sample \"" + result.file.passport.sample + "\"";
      return -1;
    }
    SetChrmType(result.file, roleText(role));
    file = std::move(result.file);
    return 0;
  };
  return {std::move(extension), std::move(read), false};
}

}  // namespace

hostkit::ChromatogramFormat AiaFormat(const AiaRoleChoice* choice, std::function<std::string(int)> roleText,
                                      std::string converter) {
  return RoleAskingFormat(
      ".cdf",
      [converter = std::move(converter)](const std::string& path, const AiaRoleChoice&) {
        return ImportAiaInWorker(converter, path, "");
      },
      choice, std::move(roleText));
}

std::vector<hostkit::ChromatogramFormat> TextExportFormats(const AiaRoleChoice* choice,
                                                           std::function<std::string(int)> roleText) {
  std::vector<hostkit::ChromatogramFormat> formats;
  for (const char* extension : {".csv", ".txt", ".asc"}) {
    formats.push_back(RoleAskingFormat(
        extension,
        [](const std::string& path, const AiaRoleChoice& c) {
          return ImportTextExport(path, "", c.textTimeUnit);
        },
        choice, roleText));
    formats.back().looksLikeOne = LooksLikeTextExport;
  }
  return formats;
}

bool AsksRole(const std::string& path) {
  const std::string extension = FoldCase(std::filesystem::path(path).extension().string());
  return extension == ".cdf" || IsTextExportName(path);
}

std::optional<RoleRule> RoleRuleFromText(std::string_view text) {
  const size_t space = text.find(' ');
  const int role = RoleFromName(text.substr(0, space));
  if (role == 0) return std::nullopt;
  return RoleRule{space == std::string_view::npos ? std::string() : std::string(text.substr(space + 1)),
                  role};
}

std::string RoleRuleText(const RoleRule& rule) {
  const std::vector<std::string>& names = RoleNames();
  const size_t index = static_cast<size_t>(rule.role - 1);
  return (index < names.size() ? names[index] : std::string()) + " " + rule.text;
}

std::vector<RoleRule> LoadRoleRules(const hostkit::ProfileStore& profile) {
  std::vector<RoleRule> rules;
  for (int n = 1;; ++n) {
    const std::optional<std::string> value =
        profile.GetText(std::string(kRoleRulesSection) + "\\" + std::to_string(n));
    if (!value) break;
    if (std::optional<RoleRule> rule = RoleRuleFromText(*value)) rules.push_back(std::move(*rule));
  }
  return rules;
}

bool SaveRoleRules(hostkit::ProfileStore& profile, const std::vector<RoleRule>& rules) {
  profile.DeleteSection(kRoleRulesSection);
  bool saved = true;
  for (size_t i = 0; i < rules.size(); ++i) {
    if (rules[i].role < 1 || rules[i].role > static_cast<int>(RoleNames().size())) continue;
    saved = profile.SetText(std::string(kRoleRulesSection) + "\\" + std::to_string(i + 1),
                            RoleRuleText(rules[i])) &&
            saved;
  }
  return saved;
}

}  // namespace p528::aia
