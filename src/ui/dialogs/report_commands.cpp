// "Отчет" and "Сохранить отчет": MakeReport over the workbench with the window layer's
// chart pictures (QPainter into a QImage, PNG) and the window's seams for the save dialog
// and the desktop's viewer.
#include "ui/dialogs/dialog_commands.h"

#include "chart/chart_snapshot.h"
#include "chart/qt/chart_png.h"
#include "chart/qt/chart_widget.h"
#include "report/report_file_name.h"
#include "report/report_folder.h"
#include "report/report_registration.h"
#include "report/report_texts.h"
#include "report/workbench_report.h"
#include "shell/module_file.h"
#include "shell/text.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/dialog_texts.h"
#include "ui/window_texts.h"
#include "workbench/workbench.h"

namespace p528::ui {

namespace {

class SeamsDesktop : public ReportDesktop {
 public:
  SeamsDesktop(QWidget* window, DialogSeams& seams, const Shell& shell)
      : window_(window), seams_(seams), shell_(shell) {}
  bool AskSaveFileName(const std::string& defaultName, std::string& path) override {
    // The dialog opens in the folder saved into last, remembered for the next report.
    const std::optional<QString> chosen = seams_.AskSaveFileName(
        window_, Text(shell_, text::kSaveReportCaption),
        QString::fromStdString(ReportSavePath(shell_, defaultName)), QStringLiteral("html (*.html)"));
    if (!chosen || chosen->isEmpty()) return false;
    path = WithDefaultExtension(chosen->toStdString(), "html");
    RememberReportFolder(shell_, path);
    return true;
  }
  // A preview no viewer shows would be lost without a word: the user is told where it is.
  void OpenFile(const std::string& path) override {
    if (seams_.OpenWithViewer(QString::fromStdString(path))) return;
    seams_.ShowMessage(
        window_, Text(shell_, text::kMainReport),
        QString::fromStdString(Format(shell_.Str(text::kReportNoViewer).c_str(), path.c_str())),
        DialogSeams::MessageKind::Warning);
  }

 private:
  QWidget* window_;
  DialogSeams& seams_;
  const Shell& shell_;
};

// The chart its window shows, as a picture; drawn at the report's own size, whatever the
// window's.
ChartPicture PictureOfWindow(CChartWidget& widget) { return PictureOf(widget.Chart()); }

// The folder of the module these windows are part of (the style sheets lie beside it).
std::string ModuleFolder() {
  static const int anchor = 0;
  return FolderOf(ModuleFileOf(&anchor));
}

ReportOutcome RunReport(ReportMode mode, QWidget* window, Workbench& workbench, DialogSeams& seams,
                        CChartWidget& calibration, CChartWidget& distillation,
                        const std::string& styleSheetFolder) {
  QtChartPngRenderer renderer;
  SeamsDesktop desktop(window, seams, workbench.shell());
  ReportRequest request;
  request.mode = mode;
  request.styleSheetFolder = styleSheetFolder.empty() ? ModuleFolder() : styleSheetFolder;
  request.calibrationChart = PictureOfWindow(calibration);
  request.distillationChart = PictureOfWindow(distillation);
  request.renderer = &renderer;
  request.desktop = &desktop;
  const ReportOutcome outcome = MakeWorkbenchReport(workbench, request);
  // A report made or saved is a result issued: the host's register keeps it, when it has one.
  RegisterReport(workbench, outcome);
  return outcome;
}

}  // namespace

ReportOutcome ShowReport(QWidget* window, Workbench& workbench, DialogSeams& seams, CChartWidget& calibration,
                         CChartWidget& distillation, const std::string& styleSheetFolder) {
  return RunReport(ReportMode::Show, window, workbench, seams, calibration, distillation, styleSheetFolder);
}

ReportOutcome SaveReport(QWidget* window, Workbench& workbench, DialogSeams& seams, CChartWidget& calibration,
                         CChartWidget& distillation, const std::string& styleSheetFolder) {
  return RunReport(ReportMode::Save, window, workbench, seams, calibration, distillation, styleSheetFolder);
}

}  // namespace p528::ui
