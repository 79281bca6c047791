// The folder the report's save dialog opens in: the folder the user saved the last report
// into, remembered in the settings ("settings", "report_folder"), not the process's working
// folder. A remembered folder that is gone (or is no folder) is forgotten; the user's home
// folder ($HOME) stands in for it.
#pragma once

#include <string>

namespace p528 {

class Shell;

// The folder to open the save dialog in; "" when neither the remembered folder nor $HOME is
// a folder (the dialog then chooses).
std::string ReportSaveFolder(const Shell& shell);

// `name` in ReportSaveFolder: what the save dialog offers ("name" alone without a folder).
std::string ReportSavePath(const Shell& shell, const std::string& name);

// Remembers the folder of `savedPath` (an absolute path chosen in the save dialog).
void RememberReportFolder(const Shell& shell, const std::string& savedPath);

}  // namespace p528
