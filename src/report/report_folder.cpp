#include "report/report_folder.h"

#include "shell/settings.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace p528 {

namespace {

constexpr const char* kReportFolderKey = "report_folder";

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

std::string ReportSaveFolder(const Shell& shell) {
  const std::string remembered = ReadSettingText(shell, kSectionSettings, kReportFolderKey, "");
  if (IsFolder(remembered)) return remembered;
  const char* home = std::getenv("HOME");
  if (home != nullptr && IsFolder(home)) return home;
  return {};
}

std::string ReportSavePath(const Shell& shell, const std::string& name) {
  const std::string folder = ReportSaveFolder(shell);
  if (folder.empty()) return name;
  return (std::filesystem::path(folder) / name).string();
}

void RememberReportFolder(const Shell& shell, const std::string& savedPath) {
  const std::filesystem::path folder = std::filesystem::path(savedPath).parent_path();
  if (folder.empty() || !folder.is_absolute()) return;
  WriteSettingText(shell, kSectionSettings, kReportFolderKey, folder.string());
}

}  // namespace p528
