#include "run_steps.h"

#include "notices.h"
#include "workbench/calc_diagnostics.h"

#include "shell/number_text.h"
#include "shell/settings.h"
#include "shell/string_table.h"
#include "shell/text.h"
#include "workbench/analysis_settings.h"

#include <filesystem>
#include <ostream>

namespace p528::simdist {

namespace {
constexpr uint16_t kEnglish = 0x0409;
}

void CliUser::ShowDatabaseError(const DataBase::SqlException&, const std::string& text) {
  err_ << "simdist: " << ForTerminal(text) << "\n";
  failed = true;
}

void CliUser::ShowInstrumentNumberRefused(const std::string& text) {
  err_ << "simdist: " << ForTerminal(text) << "\n";
}

void CliUser::FilesSkipped(const std::vector<SkippedFile>& skipped) {
  for (const SkippedFile& file : skipped) {
    err_ << "simdist: notice: " << ForTerminal(SkipText(file)) << "\n";
    const bool inSet = file.reason == SkipReason::AlreadyInSet || file.reason == SkipReason::SameRun;
    if (!inSet && file.reason != SkipReason::RememberedNotReadable) ++refused;
  }
}

Shell AttachedShell(CliHost& host) {
  return MakeShell({.host = host.Attach(), .foreignTexts = &EnglishStrings()});
}

void TypeAnalysisSettings(Workbench& workbench, const ParsedCalc& parsed, OptionContext& context) {
  if (!HasOptions(parsed, OptionPhase::Dialog)) return;
  workbench.EditAnalysisSettings([&](CAnalysis& analysis) {
    OpenAnalysisSettings(analysis);
    context.analysis = &analysis;
    ApplyOptions(parsed, OptionPhase::Dialog, context);
    context.analysis = nullptr;
    AcceptAnalysisSettings(analysis);
  });
}

std::string IncompleteReason(const Workbench& workbench, bool nothingAdded) {
  if (nothingAdded) return "nothing could be added";
  const unsigned final = FinalState(workbench);
  if (workbench.analysis().State < final) {
    return Format("the calculation stopped before its results (state %u, the method's last step is %u)",
                  workbench.analysis().State, final);
  }
  return {};
}

std::string FullPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

uint16_t LanguageId(const std::string& language) { return language == "en" ? kEnglish : kLangRussian; }

}  // namespace p528::simdist
