// The steps a calculation of the command line takes, shared by `simdist calc` (one set) and
// `simdist batch` (one set per sample): the shell over the in-process host, the command line
// as the workbench's user, the analysis settings typed into the dialog, and how far the
// files asked for got.
#pragma once

#include "cli_host.h"
#include "options.h"

#include "shell/shell.h"
#include "workbench/workbench.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace p528::simdist {

// The command line as the workbench's user: everything it would show goes to `err`.
class CliUser : public WorkbenchUser {
 public:
  explicit CliUser(std::ostream& err) : err_(err) {}
  void ShowDatabaseError(const DataBase::SqlException&, const std::string& text) override;
  void ShowInstrumentNumberRefused(const std::string& text) override;
  void FilesSkipped(const std::vector<SkippedFile>& skipped) override;
  bool failed = false;
  int refused = 0;  // files (or assays) named that were left out for a reason of their own

 private:
  std::ostream& err_;
};

// The plug-in's shell over `host` (attached to this thread): its language and string
// table, the settings prefix, the database location when the host offers one.
Shell AttachedShell(CliHost& host);

// The analysis settings dialog: opened, the values of the Dialog options typed, OK pressed.
// Nothing happens without such options.
void TypeAnalysisSettings(Workbench& workbench, const ParsedCalc& parsed, OptionContext& context);

// Why a run has no results to hand on ("" when it has): it could add none of the files
// asked for, or its calculation stopped before the method's last step.
std::string IncompleteReason(const Workbench& workbench, bool nothingAdded);

// The host's language id of --lang ("ru" 0x0419, "en" 0x0409).
uint16_t LanguageId(const std::string& language);

// `path` made absolute and normal; the path itself when that fails.
std::string FullPath(const std::string& path);

}  // namespace p528::simdist
