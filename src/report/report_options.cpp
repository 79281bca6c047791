#include "report/report_options.h"

#include "report/report_texts.h"
#include "shell/settings.h"
#include "shell/text.h"

namespace p528 {

const std::array<ReportFlagSpec, 9>& ReportFlags() {
  static const std::array<ReportFlagSpec, 9> flags = {{
      {"flag_files", 1035, text::kReportFlagFiles, &ReportOptions::flag_files},
      {"flag_grad_chart", 1036, text::kReportFlagGradChart, &ReportOptions::flag_grad_chart},
      {"flag_resp_rate", 1042, text::kReportFlagRespRate, &ReportOptions::flag_resp_rate},
      {"flag_Ref_table", 1040, text::kReportFlagRefTable, &ReportOptions::flag_Ref_table},
      {"flag_prop_chart", 1037, text::kReportFlagPropChart, &ReportOptions::flag_prop_chart},
      {"flag_prop_table", 1038, text::kReportFlagPropTable, &ReportOptions::flag_prop_table},
      {"flag_fract_table", 1041, text::kReportFlagFractTable, &ReportOptions::flag_fract_table},
      {"flag_prop_ISO3405", 1043, text::kReportFlagIso3405, &ReportOptions::flag_prop_ISO3405},
      {"flag_msgs", 1039, text::kReportFlagMsgs, &ReportOptions::flag_msgs},
  }};
  return flags;
}

void ReportOptions::LoadFlags(const Shell& shell) {
  for (const ReportFlagSpec& flag : ReportFlags()) {
    this->*flag.member = ReadSettingInt(shell, kSectionSettings, flag.key, 0);
  }
}

void ReportOptions::StoreFlags(const Shell& shell) const {
  for (const ReportFlagSpec& flag : ReportFlags()) {
    WriteSettingInt(shell, kSectionSettings, flag.key, this->*flag.member);
  }
}

bool SectionIncluded(const ReportOptions& options, int32_t ReportOptions::*member) {
  if (member == &ReportOptions::flag_msgs) return options.flag_msgs >= 1;
  return options.*member == 1;
}

bool ParseSectionList(std::string_view list, ReportOptions& options, std::string& bad) {
  ReportOptions chosen;
  const bool all = EqualsNoCase(list, "all");
  if (all || EqualsNoCase(list, "none")) {
    for (const ReportFlagSpec& flag : ReportFlags()) chosen.*flag.member = all ? 1 : 0;
    options = chosen;
    return true;
  }
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string_view::npos) end = list.size();
    std::string_view name = list.substr(start, end - start);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    bool known = false;
    for (const ReportFlagSpec& flag : ReportFlags()) {
      const std::string_view key = flag.key;
      if (EqualsNoCase(name, key) || EqualsNoCase(name, key.substr(5))) {
        chosen.*flag.member = 1;
        known = true;
      }
    }
    if (!known) {
      bad = std::string(name);
      return false;
    }
    start = end + 1;
  }
  options = chosen;
  return true;
}

}  // namespace p528
