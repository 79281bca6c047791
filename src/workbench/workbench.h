// The workbench: the main window's state and commands without the window. It holds the
// chromatogram set, the engine CAnalysis, the file list rows, the instrument number, the
// operator of analysis 1, and the module's result objects (component table, calibration tab
// model, result tables, both charts' logic, message log). The Qt main window is its view;
// the command line and the end-to-end tests drive it directly.
//
// The workbench is the one model of the main window: its state is private, the views read
// it through const accessors, and its commands are the only way to change it. Every
// command that changes the set or a setting ends in one Recalculate(), which rebuilds the
// list, the remembered paths and every result from the whole set; nothing is updated
// incrementally. The two charts show the engine's vectors (workbench/chart_curves.h).
//
// Failures: an SQL failure of a command (DataBase::SqlException) is caught here, shown to
// the user through WorkbenchUser::ShowDatabaseError, and the set is recalculated with what
// was done before the failure (files already added stay). Nothing here throws to the view
// but exhausted memory and a component table that cannot be written (ApplyComponents,
// SaveComponents).
//
// Ownership: the Shell and the WorkbenchUser belong to the caller and must outlive the
// workbench. Pointers handed out into the set (CalibrationChrm, ChrmResult::File) stay valid
// until the next command. User-interface thread only.
#pragma once

#include "chart/chart.h"
#include "chart/chart_picture.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram/component_table.h"
#include "lists/table_model.h"
#include "shell/shell.h"
#include "workbench/analysis.h"
#include "workbench/calibration_tab.h"
#include "workbench/message_log.h"
#include "workbench/result_tables.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace p528 {

namespace DataBase {
class SqlException;
}

// Columns of the file list.
enum FileListColumn : int {
  FileColumnName = 0,    // file name (text after the last path separator)
  FileColumnSample = 1,  // passport sample
  FileColumnTime = 2,    // analysis time, local, "%d.%m.%y  %H:%M"
  FileColumnRole = 3,    // role list text
  FileColumnPath = 4,    // full path, hidden: the key into the set
};

// What the workbench tells its user. The window shows message boxes and repaints; the
// command line prints. Every function has a silent default.
class WorkbenchUser {
 public:
  virtual ~WorkbenchUser() = default;
  // A database statement failed; `text` is the finished, translated message.
  virtual void ShowDatabaseError(const DataBase::SqlException& error, const std::string& text);
  // The instrument number typed was not a whole number; `text` is the message to show.
  virtual void ShowInstrumentNumberRefused(const std::string& text);
  // The add command left these files out (no message in the window).
  virtual void FilesSkipped(const std::vector<SkippedFile>& skipped);
  // A recalculation ended: lists, charts and the message log hold the new results.
  virtual void Recalculated();
};

class Workbench {
 public:
  // `componentPath`: the component table file ("tqle528data.csv" beside the module).
  // Constructs CAnalysis, which reads its settings: the shell's settings prefix must be set.
  Workbench(Shell& shell, std::string componentPath, WorkbenchUser* user = nullptr);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // --- Commands: the only way to change the workbench. Each one that changes the set or a
  // setting ends in exactly one Recalculate (before Initialise, the commands that take
  // settings only store them: Initialise's own recalculation follows).

  // The window's initialisation, in order: interface letters (ForeignUi) and the component
  // table; the file list's columns and the result pages; the remembered calibration, blank,
  // reference and check files; the instrument number; their assay ids; Recalculate.
  // Without `restoreRemembered` the set starts empty (the command line's --no-restore);
  // without `lookUpAssayIds` the assay database is not asked (the command line without a
  // database: restored files keep assay id -1 instead of failing on a missing table).
  // With `dropUnreadableRemembered` a remembered file that no longer loads is left out and
  // told through FilesSkipped (the command line); the window keeps it, empty.
  void Initialise(bool restoreRemembered = true, bool lookUpAssayIds = true,
                  bool dropUnreadableRemembered = false);

  // "Добавить": the files chosen in the host's assay dialog (needs "Main/OpenAssayIdDlgEx"
  // and "Cfg/DataPath"), shown with `ownerWindow` as its owner. Nothing happens when the
  // dialog returns 0 or more than 256 ids.
  void AddAssays(intptr_t ownerWindow = 0);
  // Adds files by path as the add command does (roles from the passports, limits counted
  // once before the first); with a database location each file's assay id is looked up by
  // its path. Recalculates. Used by the command line and tests.
  void AddFiles(const std::vector<std::string>& paths);
  // "Удалить" / Delete key: erases the paths of the given file list rows (column 4), then
  // recalculates (also when `rows` is empty).
  void RemoveRows(const std::vector<int>& rows);
  // "Удалить все": empties the set, recalculates.
  void RemoveAll();
  // "Открыть в ПО Вантиро": opens the assays of the given rows in the host (only when the
  // host offers "Main/OpenAssayFile" and a row is given). Changes nothing here.
  void OpenInHost(const std::vector<int>& rows);
  // Double click on the list: opens the assay of the first given row, without asking
  // whether the host offers the service. Changes nothing here.
  void OpenFirstInHost(const std::vector<int>& rows);
  // "Номер прибора:" changed to `text`: a whole number becomes the instrument number;
  // anything else is refused (the user is told). The number is stored in any case; returns
  // the text the field must show now. No recalculation: no result depends on it.
  std::string InstrumentNumberChanged(const std::string& text);
  // A C1-C4 edit of the calibration tab changed to `text` (already through the edit's
  // number filter): stores it (time_C1..time_C4), puts the times into the first component
  // rows and recalculates. `index` 0..3; another index changes nothing.
  void SetCalibrationTime(int index, std::string text);
  // The same without the recalculation, for the window, which requests it on its event
  // loop after the keystroke (one request per keystroke): the caller must then call
  // Recalculate. False, and nothing stored, for another index.
  bool StoreCalibrationTime(int index, std::string text);
  // The calibration tab's calculator: "Рассчитать Y по X" with `textX` typed returns the
  // Y text ("%.5g" of the lookup, "0" when it fails), "Рассчитать X по Y" the other way.
  // Both texts are kept for the tab; no result changes, so no recalculation.
  std::string CalculateCalibrationY(std::string textX);
  std::string CalculateCalibrationX(std::string textY);
  // The analysis settings dialog: `edit` works on the engine's settings texts, method and
  // reference choice through the dialog's rules (OpenAnalysisSettings, the typing,
  // AcceptAnalysisSettings or CancelAnalysisSettings), then one Recalculate.
  void EditAnalysisSettings(const std::function<void(CAnalysis&)>& edit);
  // OK of the components dialog: `edited` (the dialog's pending copy of components()) is
  // written over the table's file (atomically), and only then replaces the component table
  // and the set is recalculated. Throws ComponentTableSaveError when it cannot be written;
  // then nothing has changed, neither the table in memory nor its file.
  void ApplyComponents(ComponentTable edited);
  // The message page's three filters: which kinds of message the log shows; returns the
  // formatted log. Display state only, no recalculation.
  const std::string& FilterMessages(bool errors, bool warnings, bool information);
  // A recalculation request (report options, or any view that changed nothing else): the
  // one fixed sequence that rebuilds the file list, the remembered paths and every result.
  void Recalculate();
  // Writes the component table back to its file (the window's destructor). Throws
  // ComponentTableSaveError.
  void SaveComponents();

  // --- Views: read-only access for the windows, the report and the command line.
  const Shell& shell() const { return shell_; }
  const std::string& componentPath() const { return componentPath_; }
  const ComponentTable& components() const { return components_; }
  const MessageLog& messages() const { return messages_; }
  const CalibrationTab& calibrationTab() const { return calibration_; }
  const ResultTables& tables() const { return tables_; }
  const CChart& calibrationChart() const { return calibrationChart_; }
  const CChart& distillationChart() const { return distillationChart_; }
  // The charts as pictures (curves copied, as currently scaled and zoomed), for the report.
  ChartPicture CalibrationPicture() const;
  ChartPicture DistillationPicture() const;
  const CAnalysis& analysis() const { return analysis_; }
  const ChrmSet& chrmSet() const { return chrmSet_; }
  const TableModel& fileList() const { return fileList_; }
  int instrumentNumber() const { return instrumentNumber_; }
  // The operator of analysis 1 ("" without one).
  const std::string& operatorName() const { return operatorName_; }
  // The file list row's assay id (its RowData tag), -1 when the row does not exist.
  int RowAssayId(int row) const;

  // Display state only: a view may change how a chart shows its curves (colours, shown
  // flags, zoom and scrolling, painting), never which data it shows; the recalculation
  // sets the data again.
  CChart& calibrationChartForView() { return calibrationChart_; }
  CChart& distillationChartForView() { return distillationChart_; }
  // Likewise for the lists a grid shows: the grid hooks its redraw onto the list and may
  // sort the rows it shows (the file list's commands find a row's file by its path column);
  // the recalculation fills them again.
  TableModel& fileListForView() { return fileList_; }
  ResultTables& tablesForView() { return tables_; }
  TableModel& calibrationPointsForView() { return calibration_.points; }
  // The analysis settings dialog edits the engine's settings texts in place while it is
  // open: its OK stores them and asks for the one recalculation (Recalculate), its Cancel
  // puts them back. Everything else changes them through EditAnalysisSettings.
  CAnalysis& analysisForSettingsDialog() { return analysis_; }

 private:
  void ReportDatabaseError(const DataBase::SqlException& error);
  void OpenRows(const std::vector<int>& rows, bool askHost);
  void RecalculateIfInitialised();

  Shell& shell_;
  std::string componentPath_;
  ComponentTable components_;
  MessageLog messages_;
  CalibrationTab calibration_;
  ResultTables tables_;
  CChart calibrationChart_;
  CChart distillationChart_;
  CAnalysis analysis_;
  ChrmSet chrmSet_;
  TableModel fileList_;
  int instrumentNumber_ = 0;
  std::string operatorName_;
  bool initialised_ = false;
  WorkbenchUser* user_;
  WorkbenchUser silent_;
};

// Whole-number rule of the instrument number: optional blanks or tabs, an optional sign,
// decimal digits, optional blanks or tabs; a text that reads 0 must begin (after the
// blanks) with the digit 0; the value must fit an int. False when refused.
bool ParseWholeNumber(const std::string& text, int& value);

}  // namespace p528
