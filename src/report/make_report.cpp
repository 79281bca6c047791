#include "report/make_report.h"

#include "report/report_texts.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/analysis.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

namespace p528 {

namespace {

ReportStatus FromTransform(TransformStatus status) {
  switch (status) {
    case TransformStatus::Done: return ReportStatus::Written;
    case TransformStatus::NoStyleSheet: return ReportStatus::NoStyleSheet;
    case TransformStatus::TransformFailed: return ReportStatus::TransformFailed;
    case TransformStatus::CannotWrite: return ReportStatus::CannotWrite;
  }
  return ReportStatus::TransformFailed;
}

}  // namespace

std::string DefaultReportName(const std::tm& now) {
  return Format("Report528_%d%02d%d_%02d%02d%02d", now.tm_mday, now.tm_mon + 1, now.tm_year + 1900,
                now.tm_hour, now.tm_min, now.tm_sec);
}

std::string ReportTempFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && *folder != '\0' ? std::string(folder) : std::string("/tmp");
}

std::string ReportPreviewFolder(const std::string& base, std::string& error) {
  static std::mutex guard;
  static std::map<std::string, std::string> made;  // base -> this process's folder
  const std::lock_guard<std::mutex> lock(guard);
  if (const auto found = made.find(base); found != made.end()) return found->second;

  namespace fs = std::filesystem;
  const std::string prefix = "plug528-report-";
  std::error_code ec;
  for (fs::directory_iterator it(base, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    struct stat info {};
    // Only real folders of this user: never a link, never another user's folder.
    if (::lstat(it->path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
      continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid <= 0 || pid == static_cast<long>(::getpid())) continue;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove_all(it->path(), ec);
    ec.clear();
  }

  std::string folder = base;
  if (folder.empty() || folder.back() != '/') folder += '/';
  folder += prefix + std::to_string(::getpid()) + "-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) {
    error = std::strerror(errno);
    return {};
  }
  made[base] = folder;
  return folder;
}

std::string CreateReportTempFile(const std::string& folder, std::string& error) {
  std::string name = folder;
  if (name.empty() || name.back() != '/') name += '/';
  name += "qvtXXXXXX.tmp";
  const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    error = std::strerror(errno);
    return {};
  }
  ::close(fd);
  const std::string report = name + ".html";
  const int reportFd = ::open(report.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (reportFd < 0) {
    error = report + ": " + std::strerror(errno);
    return {};
  }
  ::close(reportFd);
  return name;
}

ReportOutcome MakeReport(const ReportSources& sources, const ReportRequest& request) {
  const Shell& shell = sources.analysis.shell;

  // One instant for the report's date and the default file name.
  const std::time_t now = request.now.value_or(std::time(nullptr));
  std::tm local{};
  localtime_r(&now, &local);

  ReportOptions options;
  if (request.options) {
    options = *request.options;
  } else {
    options.LoadFlags(shell);
  }

  ChartPictureSource pictures = [&request](ReportChart which, std::vector<unsigned char>& png) {
    const std::optional<ChartPicture>& picture =
        which == ReportChart::Calibration ? request.calibrationChart : request.distillationChart;
    if (request.renderer == nullptr || !picture) return false;
    return request.renderer->RenderPng(*picture, kReportChartWidth, kReportChartHeight, png);
  };

  CXMLWrapper wrapper;
  switch (BuildReportDocument(wrapper, sources, options, local, pictures)) {
    case BuildStatus::Built: break;
    case BuildStatus::NoPicture: return {ReportStatus::NoPicture, {}, {}};
    case BuildStatus::DocumentFailed: return {ReportStatus::DocumentFailed, {}, {}};
  }

  ReportOutcome outcome;
  if (request.mode == ReportMode::Save) {
    if (request.desktop == nullptr ||
        !request.desktop->AskSaveFileName(DefaultReportName(local), outcome.path)) {
      return {ReportStatus::Cancelled, {}, {}};
    }
  } else {
    std::string error;
    const std::string base = request.tempFolder.empty() ? ReportTempFolder() : request.tempFolder;
    const std::string folder = ReportPreviewFolder(base, error);
    if (folder.empty()) return {ReportStatus::NoTempFile, base, error};
    const std::string temp = CreateReportTempFile(folder, error);
    if (temp.empty()) return {ReportStatus::NoTempFile, folder, error};
    outcome.path = temp + ".html";
  }

  const std::string styleSheet = StyleSheetPath(request.styleSheetFolder, StyleSheetName(shell.uiLangId));
  const TransformResult transformed = TransformReport(wrapper.Document(), styleSheet, outcome.path);
  outcome.status = FromTransform(transformed.status);
  outcome.detail = transformed.detail;
  if (outcome.status == ReportStatus::NoStyleSheet) outcome.path = styleSheet;
  if (outcome.status == ReportStatus::Written && request.mode == ReportMode::Show &&
      request.desktop != nullptr) {
    request.desktop->OpenFile(outcome.path);
  }
  return outcome;
}

std::string ReportOutcomeText(const Shell& shell, const ReportOutcome& outcome) {
  auto with = [&shell](int id, const std::string& a) { return Format(shell.Str(id).c_str(), a.c_str()); };
  switch (outcome.status) {
    case ReportStatus::Written: return with(text::kReportWritten, outcome.path);
    case ReportStatus::Cancelled: return {};
    case ReportStatus::NoPicture: return shell.Str(text::kReportNoPicture);
    case ReportStatus::DocumentFailed: return shell.Str(text::kReportDocumentFailed);
    case ReportStatus::NoTempFile: return with(text::kReportNoTempFile, outcome.detail);
    case ReportStatus::NoStyleSheet:
      return with(text::kReportNoStyleSheet, outcome.detail.empty() ? outcome.path : outcome.detail);
    case ReportStatus::TransformFailed: return with(text::kReportTransformFailed, outcome.detail);
    case ReportStatus::CannotWrite:
      return Format(shell.Str(text::kReportCannotWrite).c_str(), outcome.path.c_str(),
                    outcome.detail.c_str());
  }
  return {};
}

}  // namespace p528
