// The main window's commands that run a dialog or the report, for the window's buttons:
// "Настройки анализа", "Компоненты", "Настройки отчета", "Отчет" and "Сохранить отчет".
// Each runs on the workbench the window shows; the window refreshes itself when the
// workbench tells it that a recalculation ended (WorkbenchUser::Recalculated).
//
// Questions to the person (message boxes, the save dialog) and opening the report in the
// desktop's viewer go through the window's DialogSeams. `window` is the main window (the
// dialogs' parent; may be null). User-interface thread only.
#pragma once

#include "report/make_report.h"
#include "ui/dialog_seams.h"

#include <string>

class QWidget;

namespace p528 {
class CChartWidget;
class Workbench;
}  // namespace p528

namespace p528::ui {

// "Настройки анализа": the dialog, modal. Its OK stores the changed settings and posts the
// recalculation to `window` (queued on the event loop); without a window nothing is
// recalculated.
void RunAnalysisSettings(QWidget* window, Workbench& workbench);

// "Компоненты": the dialog, modal. On OK the pending edits are applied and the table saved
// atomically, then the set is recalculated; a save that fails changes nothing, is told to
// the user and ends the command before the recalculation. Cancel changes nothing.
void RunComponentsDialog(QWidget* window, Workbench& workbench, DialogSeams& seams);

// "Настройки отчета": the dialog, modal; after OK the set is recalculated.
void RunReportOptions(QWidget* window, Workbench& workbench);

// "Отчет" / "Сохранить отчет": the report of the last calculation with both charts drawn at
// the report's picture size (kReportChartWidth × kReportChartHeight) whatever their windows
// show. Show writes a new temporary file and opens it in the
// desktop's viewer; save asks for the file name ("Report528_<date>_<time>", filter html,
// ".html" added to a name without extension; no overwrite question). A report that cannot
// be made is not told to the user and leaves no file behind; the outcome is returned for
// tests. The window first takes its fields' values (the instrument number being typed).
// `styleSheetFolder` "" means the module's own folder.
ReportOutcome ShowReport(QWidget* window, Workbench& workbench, DialogSeams& seams, CChartWidget& calibration,
                         CChartWidget& distillation, const std::string& styleSheetFolder = {});
ReportOutcome SaveReport(QWidget* window, Workbench& workbench, DialogSeams& seams, CChartWidget& calibration,
                         CChartWidget& distillation, const std::string& styleSheetFolder = {});

}  // namespace p528::ui
