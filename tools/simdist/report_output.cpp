#include "report_output.h"
#include "host/kit/plugin_library.h"

#include "options.h"

#include "report/report_options.h"
#include "report/workbench_report.h"
#include "workbench/workbench.h"

#include <filesystem>
#include <ostream>

namespace p528::simdist {

namespace {

// The command line names the file itself: the save dialog's answer is that path.
class CommandLineDesktop : public ReportDesktop {
 public:
  explicit CommandLineDesktop(std::string path) : path_(std::move(path)) {}
  bool AskSaveFileName(const std::string&, std::string& path) override {
    path = path_;
    return true;
  }
  void OpenFile(const std::string&) override {}

 private:
  std::string path_;
};

std::string ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

}  // namespace

std::string ReportStyleSheetFolder(uint16_t uiLangId) {
  std::error_code ec;
  const std::string folder = ProgramFolder();
  if (!folder.empty() &&
      std::filesystem::is_regular_file(StyleSheetPath(folder, StyleSheetName(uiLangId)), ec)) {
    return folder;
  }
  const std::string installed = hostkit::InstalledPluginFolder(folder);
  if (!folder.empty() &&
      std::filesystem::is_regular_file(StyleSheetPath(installed, StyleSheetName(uiLangId)), ec)) {
    return installed;
  }
#ifdef PLUG528_DATA_DIR
  return PLUG528_DATA_DIR;
#else
  return folder;
#endif
}

bool CheckSections(std::string_view value, std::string& normal, std::string& error) {
  ReportOptions options;
  std::string bad;
  if (!ParseSectionList(value, options, bad)) {
    error = "unknown section \"" + bad +
            "\" (all, none, or files, grad_chart, resp_rate, Ref_table, prop_chart, prop_table, "
            "fract_table, prop_ISO3405, msgs)";
    return false;
  }
  normal = std::string(value);
  return true;
}

bool WriteReport(Workbench& workbench, const CalcConfig& config, ChartRendererFactory pictures,
                 std::ostream& err) {
  const Shell& shell = workbench.shell();
  CommandLineDesktop desktop(*config.reportPath);
  ReportRequest request;
  request.mode = ReportMode::Save;
  request.styleSheetFolder = ReportStyleSheetFolder(shell.uiLangId);
  request.desktop = &desktop;
  if (config.reportSections) {
    ReportOptions options;
    std::string bad;
    ParseSectionList(*config.reportSections, options, bad);
    request.options = options;
  }
  const ReportOptions chosen = request.options.value_or([&shell] {
    ReportOptions stored;
    stored.LoadFlags(shell);
    return stored;
  }());
  // Qt is started only when a picture is wanted.
  std::unique_ptr<ChartPngRenderer> renderer;
  if (pictures != nullptr && (chosen.flag_grad_chart == 1 || chosen.flag_prop_chart == 1))
    renderer = pictures();
  request.renderer = renderer.get();

  const ReportOutcome outcome = MakeWorkbenchReport(workbench, request);
  if (outcome.status == ReportStatus::Written) return true;
  err << "simdist: " << ReportOutcomeText(shell, outcome) << "\n";
  if (outcome.status == ReportStatus::NoPicture && renderer == nullptr) {
    // Without a renderer at all the program was built without Qt; otherwise the picture
    // module failed to load, and its loader has already said why.
    if (pictures == nullptr)
      err << "simdist: this simdist draws no charts (built without Qt); ";
    else
      err << "simdist: the charts cannot be drawn; ";
    err << "leave out grad_chart and prop_chart with --sections\n";
  }
  return false;
}

}  // namespace p528::simdist
