#include "workbench/workbench.h"

#include "chromatogram/set_assays.h"
#include "shell/database.h"
#include "shell/settings.h"
#include "shell/text.h"

namespace p528 {

namespace {

// File list columns: caption text number and width in pixels (the path column is hidden).
struct FileColumnSpec {
  int text;
  int width;
};
constexpr FileColumnSpec kFileColumns[] = {{132, 260}, {133, 340}, {134, 130}, {135, 130}, {136, 0}};

// Distillation chart: one curve per analysis, red, blue, green.
constexpr COLORREF kAnalysisColours[] = {0x0808FC, 0xFC0808, 0x08FC08};
constexpr int kDistillationXCaption = 183;  // "t, °C"
constexpr int kDistillationYCaption = 184;  // "Доля отгона, %"

constexpr int kDatabaseErrorText = 3751;       // "Ошибка базы данных: %s"
constexpr int kDatabaseStatementText = 3752;   // "\r\n\tЗапрос: %s"
constexpr int kDatabaseCodeText = 3753;        // "\r\n\tКод ошибки SQLite: %i"

// Fills the single "%s" or "%i" of a translated text without using it as a printf format.
std::string Fill(const std::string& pattern, const char* placeholder, const std::string& value) {
  const std::size_t at = pattern.find(placeholder);
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

void SetUpDistillationChart(CChart& chart, const Shell& shell) {
  chart.GridFlags = GridVertical | GridHorizontal;
  chart.Mode = 0;
  chart.AutoX = true;
  chart.AutoY = true;
  chart.CaptionColour = 0xFF0000;
  chart.ZoomEnabled = false;
  chart.HScrollAllowed = true;
  chart.VScrollAllowed = true;
  chart.RemoveAllSeries();
  for (COLORREF colour : kAnalysisColours) {
    CAutoSeries curve;
    curve.LineMode = LinePolyline;
    curve.MarkerStyle = MarkerNone;
    curve.Colour = colour;
    chart.AddSeries(curve);
  }
  chart.SetXCaption(shell.Str(kDistillationXCaption));
  chart.SetYCaption(shell.Str(kDistillationYCaption));
}

}  // namespace

void WorkbenchUser::ShowDatabaseError(const DataBase::SqlException&, const std::string&) {}
void WorkbenchUser::ShowInstrumentNumberRefused(const std::string&) {}
void WorkbenchUser::FilesSkipped(const std::vector<SkippedFile>&) {}
void WorkbenchUser::Recalculated() {}

Workbench::Workbench(Shell& shellState, std::string componentFile, WorkbenchUser* user)
    : shell(shellState),
      componentPath(std::move(componentFile)),
      messages(&shellState),
      analysis(shellState, components, messages, calibration, tables, &distillationChart),
      user_(user != nullptr ? user : &silent_) {
  analysis.MainWindow = this;
  calibration.chart = &calibrationChart;
}

void Workbench::Initialise(bool restoreRemembered, bool lookUpAssayIds, bool dropUnreadableRemembered) {
  shell.UpdateForeignUi();
  components.clear();
  LoadComponentTable(componentPath, components);

  fileList.DeleteAllRows();
  fileList.DeleteAllColumns();
  for (const FileColumnSpec& column : kFileColumns) {
    fileList.AppendColumn(shell.Str(column.text), column.width, ColumnAlign::Left);
  }
  calibration.SetUpPointsList(shell);
  calibration.LoadTimes(shell);
  calibration.textX = "0.0";
  calibration.textY = "0.0";
  tables.SetUp(shell);
  SetUpDistillationChart(distillationChart, shell);
  messages.Clear();
  messages.Format();

  std::vector<SkippedFile> dropped;
  if (restoreRemembered) RestoreRememberedFiles(shell, chrmSet, dropUnreadableRemembered ? &dropped : nullptr);
  num_device = ReadSettingInt(shell, kSectionSettings, "num_device", 0);
  try {
    std::vector<std::string> paths;
    for (const auto& [path, file] : chrmSet) {
      if (!path.empty()) paths.push_back(path);
    }
    if (lookUpAssayIds) LookUpAssayIds(shell, chrmSet, paths);
  } catch (const DataBase::SqlException& error) {
    Recalculate();
    if (!dropped.empty()) user_->FilesSkipped(dropped);
    ReportDatabaseError(error);
    return;
  }
  Recalculate();
  if (!dropped.empty()) user_->FilesSkipped(dropped);
}

void Workbench::AddAssays(intptr_t ownerWindow) {
  const std::optional<std::vector<int>> ids = AskAssayIds(shell, ownerWindow);
  if (!ids) return;
  std::vector<SkippedFile> skipped;
  try {
    AddAssayFiles(shell, chrmSet, *ids, skipped);
  } catch (const DataBase::SqlException& error) {
    Recalculate();
    if (!skipped.empty()) user_->FilesSkipped(skipped);
    ReportDatabaseError(error);
    return;
  }
  Recalculate();
  if (!skipped.empty()) user_->FilesSkipped(skipped);
}

void Workbench::AddFiles(const std::vector<std::string>& paths) {
  const RoleCounts counts = CountRoles(chrmSet);
  std::vector<SkippedFile> skipped;
  std::vector<std::string> added;
  for (const std::string& path : paths) {
    if (AddFile(shell, chrmSet, path, -1, counts, skipped)) added.push_back(path);
  }
  if (shell.databaseLocation.has_value() && !added.empty()) {
    try {
      LookUpAssayIds(shell, chrmSet, added);
    } catch (const DataBase::SqlException& error) {
      Recalculate();
      if (!skipped.empty()) user_->FilesSkipped(skipped);
      ReportDatabaseError(error);
      return;
    }
  }
  Recalculate();
  if (!skipped.empty()) user_->FilesSkipped(skipped);
}

void Workbench::RemoveRows(const std::vector<int>& rows) {
  std::vector<std::string> paths;
  for (int row : rows) {
    if (row >= 0 && row < fileList.RowCount()) paths.push_back(fileList.Cell(row, FileColumnPath));
  }
  RemovePaths(chrmSet, paths);
  Recalculate();
}

void Workbench::RemoveAll() {
  chrmSet.clear();
  Recalculate();
}

int Workbench::RowAssayId(int row) const {
  const RowData* data = fileList.GetRowData(row);
  return data != nullptr ? data->Tag : -1;
}

void Workbench::OpenRows(const std::vector<int>& rows, bool askHost) {
  std::vector<int> ids;
  for (int row : rows) {
    if (row >= 0 && row < fileList.RowCount()) ids.push_back(RowAssayId(row));
  }
  if (askHost && (!shell.ServiceExists("Main/OpenAssayFile") || ids.empty())) return;
  try {
    OpenAssaysInHost(shell, ids);
  } catch (const DataBase::SqlException& error) {
    ReportDatabaseError(error);
  }
}

void Workbench::OpenInHost(const std::vector<int>& rows) { OpenRows(rows, true); }

void Workbench::OpenFirstInHost(const std::vector<int>& rows) {
  std::vector<int> first;
  for (int row : rows) {
    if (row >= 0 && row < fileList.RowCount()) {
      first.push_back(row);
      break;
    }
  }
  OpenRows(first, false);
}

void Workbench::SaveComponents() { SaveComponentTable(componentPath, components); }

void Workbench::ReportDatabaseError(const DataBase::SqlException& error) {
  std::string text = Fill(shell.Str(kDatabaseErrorText), "%s", error.what());
  if (!error.sql.empty()) text += Fill(shell.Str(kDatabaseStatementText), "%s", error.sql);
  text += Fill(shell.Str(kDatabaseCodeText), "%i", std::to_string(error.code));
  user_->ShowDatabaseError(error, text);
}

}  // namespace p528
