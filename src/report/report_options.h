// Report options: the nine flags that choose the report's optional sections, kept in the
// settings section "settings" under keys named like the members. The report settings dialog
// edits a ReportOptions and stores it on OK; every report reads a fresh one (LoadFlags).
//
// A flag includes its section when it equals 1; "flag_msgs" counts from 1 up, so a stored 2
// still reports the messages while any other flag stored as 2 leaves its section out.
// A missing settings service reads every flag as 0 and stores nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace p528 {

class Shell;

struct ReportOptions {
  int32_t flag_files = 0;       // "Список файлов": files
  int32_t flag_grad_chart = 0;  // "Градуировочный график": grad_chart
  int32_t flag_resp_rate = 0;  // "Таблица относительных коэфф. отклика": outTable
  int32_t flag_Ref_table = 0;     // "Проверка эталонного образца": ref_table
  int32_t flag_prop_chart = 0;    // "Кривая разгонки": prop_chart
  int32_t flag_prop_table = 0;    // "Таблица долей отгона": prop_table_A/_B/_Gost
  int32_t flag_fract_table = 0;   // "Компонентно-фракционный состав": fract_table
  int32_t flag_prop_ISO3405 = 0;  // "Доли отгона ISO 3405": props_ISO3405
  int32_t flag_msgs = 0;          // "Системные сообщения": msg_head

  // Reads the nine keys in the order above (absent: 0).
  void LoadFlags(const Shell& shell);
  // The dialog's OK: writes the nine keys in the order above.
  void StoreFlags(const Shell& shell) const;
};

// One flag: its settings key, the check box's control number and caption text number.
struct ReportFlagSpec {
  const char* key;
  int controlId;
  int captionText;
  int32_t ReportOptions::*member;
};

// The nine flags in the order of the report's sections (and of the dialog's check boxes).
const std::array<ReportFlagSpec, 9>& ReportFlags();

// True when the flag's section goes into the report (1; for "flag_msgs" 1 or more).
bool SectionIncluded(const ReportOptions& options, int32_t ReportOptions::*member);

// The command line's choice of sections: "all", "none", or a comma-separated list of flag
// names with or without "flag_" ("files,grad_chart,msgs"; letter case ignored). Sets every
// flag to 1 or 0 accordingly. False with the unknown name in `bad` when a name is not a flag.
bool ParseSectionList(std::string_view list, ReportOptions& options, std::string& bad);

}  // namespace p528
