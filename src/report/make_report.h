// The report commands "Отчет" (show) and "Сохранить отчет" (save): build the document from
// the last calculation, render the two charts into PNG pictures, transform the document
// with the style sheet of the interface language and write the HTML, either into a new
// temporary file that the desktop's viewer then opens, or into the file the user names.
//
// The report gets the charts as pictures (their curves and axes, values of their own), never
// the charts themselves. The platform is reached through two seams the caller supplies: a
// ChartPngRenderer (the window layer draws a picture into a PNG at a given size) and a
// ReportDesktop (ask for a file name; open a file in the desktop's viewer). Without a
// renderer or a picture no chart section can be made, and then no report is written.
//
// Failures are returned, never shown: the windows ignore the outcome, the command line
// prints it (ReportOutcomeText). User-interface thread only.
#pragma once

#include "chart/chart_picture.h"
#include "report/report_document.h"
#include "report/report_transform.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace p528 {

// Size of every chart picture of the report, pixels: the width of an A4 page's text at 96
// pixels per inch, so the picture prints at its own size. It does not follow the window that
// shows the chart: a page never shown (or shown small) would otherwise give a picture
// without its curve.
inline constexpr int kReportChartWidth = 672;
inline constexpr int kReportChartHeight = 420;

class ReportDesktop {
 public:
  virtual ~ReportDesktop() = default;
  // The save dialog: offers `defaultName` (extension "html" added when the user gives none)
  // and never asks before overwriting. True with the chosen path; false when cancelled.
  virtual bool AskSaveFileName(const std::string& defaultName, std::string& path) = 0;
  // Opens the file with the desktop's viewer for its type.
  virtual void OpenFile(const std::string& path) = 0;
};

enum class ReportMode { Show = 0, Save = 1 };

struct ReportRequest {
  ReportMode mode = ReportMode::Show;
  std::string styleSheetFolder;  // the module's folder
  // The charts as currently scaled and zoomed, drawn kReportChartWidth × kReportChartHeight.
  std::optional<ChartPicture> calibrationChart;   // the calibration page's chart
  std::optional<ChartPicture> distillationChart;  // the distillation chart page's chart
  ChartPngRenderer* renderer = nullptr;
  ReportDesktop* desktop = nullptr;
  std::optional<ReportOptions> options;  // none: the stored flags (LoadFlags)
  std::optional<std::time_t> now;        // none: the current time
  std::string tempFolder;                // where the preview folder is made; "": $TMPDIR, else /tmp
};

enum class ReportStatus {
  Written,         // the HTML is at `path` (and, in show mode, handed to the viewer)
  Cancelled,       // the save dialog was cancelled
  NoPicture,       // a chart picture could not be made
  DocumentFailed,  // the document could not be built
  NoTempFile,      // no temporary file could be created (show mode)
  NoStyleSheet,
  TransformFailed,
  CannotWrite,
};

struct ReportOutcome {
  ReportStatus status = ReportStatus::Written;
  std::string path;    // the output path once known
  std::string detail;  // reason given by the libraries or the system
};

// The command. The window first takes its controls' values into its members, so that an
// instrument number still being edited is reported. Show: a new "qvtXXXXXX.tmp" in this
// process's private preview folder (ReportPreviewFolder; left there, empty) and the report
// beside it with ".html" appended, handed to the desktop's viewer. Save: the save dialog
// offers DefaultReportName and the report is written where the user chose; nothing is
// opened. A chart that cannot be drawn ends the command before anything is asked, written
// or opened.
ReportOutcome MakeReport(const ReportSources& sources, const ReportRequest& request);

// "Report528_<d><mm><yyyy>_<hhmmss>": "Report528_5032024_093005".
std::string DefaultReportName(const std::tm& now);

// Folder for temporary reports: $TMPDIR when set and not empty, else "/tmp".
std::string ReportTempFolder();

// The folder of this process's report previews inside `base`: "plug528-report-<pid>-XXXXXX",
// made by mkdtemp (mode 0700, so no other user can plant a link or a file in it) at the
// first preview and kept for the process. Folders an earlier process of this user left
// there (it has ended) are removed then. "" with the reason in `error` when it cannot be
// made.
std::string ReportPreviewFolder(const std::string& base, std::string& error);

// Creates a new empty file "qvtXXXXXX.tmp" in `folder` and the empty report file beside it
// (".html" appended), both new (O_CREAT | O_EXCL | O_NOFOLLOW: never an existing file or a
// link), and returns the path of the first; "" with the reason in `error` when it cannot.
std::string CreateReportTempFile(const std::string& folder, std::string& error);

// One line for the user in the interface language: where the report went or why not.
std::string ReportOutcomeText(const Shell& shell, const ReportOutcome& outcome);

}  // namespace p528
