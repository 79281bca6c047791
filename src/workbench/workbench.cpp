#include "workbench/workbench.h"

#include "chart/chart_snapshot.h"
#include "chromatogram/set_assays.h"
#include "shell/database.h"
#include "shell/settings.h"
#include "shell/text.h"
#include "workbench/chart_curves.h"
#include "workbench/workbench_texts.h"

namespace p528 {

namespace {

// File list columns: caption text number and width in pixels (the path column is hidden).
struct FileColumnSpec {
  int text;
  int width;
};
constexpr FileColumnSpec kFileColumns[] = {{text::kFileListName, 260},
                                           {text::kFileListSample, 340},
                                           {text::kFileListTime, 130},
                                           {text::kFileListRole, 130},
                                           {text::kFileListPath, 0}};

// Fills the single "%s" or "%i" of a translated text without using it as a printf format.
std::string Fill(const std::string& pattern, const char* placeholder, const std::string& value) {
  const std::size_t at = pattern.find(placeholder);
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + value + pattern.substr(at + 2);
}

}  // namespace

void WorkbenchUser::ShowDatabaseError(const DataBase::SqlException&, const std::string&) {}
void WorkbenchUser::ShowInstrumentNumberRefused(const std::string&) {}
void WorkbenchUser::FilesSkipped(const std::vector<SkippedFile>&) {}
void WorkbenchUser::Recalculated() {}

Workbench::Workbench(Shell& shellState, std::string componentFile, WorkbenchUser* user)
    : shell_(shellState),
      componentPath_(std::move(componentFile)),
      messages_(&shellState),
      analysis_(shellState),
      user_(user != nullptr ? user : &silent_) {}

void Workbench::Initialise(bool restoreRemembered, bool lookUpAssayIds, bool dropUnreadableRemembered) {
  shell_.UpdateForeignUi();
  components_.clear();
  LoadComponentTable(componentPath_, components_);

  fileList_.DeleteAllRows();
  fileList_.DeleteAllColumns();
  for (const FileColumnSpec& column : kFileColumns) {
    fileList_.AppendColumn(shell_.Str(column.text), column.width, ColumnAlign::Left);
  }
  calibration_.SetUpPointsList(shell_);
  calibration_.LoadTimes(shell_);
  calibration_.textX = "0.0";
  calibration_.textY = "0.0";
  tables_.SetUp(shell_);
  SetUpDistillationChart(distillationChart_, shell_);
  messages_.Clear();
  messages_.Format();

  initialised_ = true;
  std::vector<SkippedFile> dropped;
  if (restoreRemembered)
    RestoreRememberedFiles(shell_, chrmSet_, dropUnreadableRemembered ? &dropped : nullptr);
  instrumentNumber_ = ReadSettingInt(shell_, kSectionSettings, "num_device", 0);
  try {
    std::vector<std::string> paths;
    for (const auto& [path, file] : chrmSet_) {
      if (!path.empty()) paths.push_back(path);
    }
    if (lookUpAssayIds) LookUpAssayIds(shell_, chrmSet_, paths);
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
  const std::optional<std::vector<int>> ids = AskAssayIds(shell_, ownerWindow);
  if (!ids) return;
  std::vector<SkippedFile> skipped;
  try {
    AddAssayFiles(shell_, chrmSet_, *ids, skipped);
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
  const RoleCounts counts = CountRoles(chrmSet_);
  std::vector<SkippedFile> skipped;
  std::vector<std::string> added;
  for (const std::string& path : paths) {
    if (AddFile(shell_, chrmSet_, path, -1, counts, skipped)) added.push_back(path);
  }
  if (shell_.databaseLocation.has_value() && !added.empty()) {
    try {
      LookUpAssayIds(shell_, chrmSet_, added);
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
    if (row >= 0 && row < fileList_.RowCount()) paths.push_back(fileList_.Cell(row, FileColumnPath));
  }
  RemovePaths(chrmSet_, paths);
  Recalculate();
}

void Workbench::RemoveAll() {
  chrmSet_.clear();
  Recalculate();
}

int Workbench::RowAssayId(int row) const {
  const RowData* data = fileList_.GetRowData(row);
  return data != nullptr ? data->Tag : -1;
}

void Workbench::OpenRows(const std::vector<int>& rows, bool askHost) {
  std::vector<int> ids;
  for (int row : rows) {
    if (row >= 0 && row < fileList_.RowCount()) ids.push_back(RowAssayId(row));
  }
  if (askHost && (!shell_.ServiceExists("Main/OpenAssayFile") || ids.empty())) return;
  try {
    OpenAssaysInHost(shell_, ids);
  } catch (const DataBase::SqlException& error) {
    ReportDatabaseError(error);
  }
}

void Workbench::OpenInHost(const std::vector<int>& rows) { OpenRows(rows, true); }

void Workbench::OpenFirstInHost(const std::vector<int>& rows) {
  std::vector<int> first;
  for (int row : rows) {
    if (row >= 0 && row < fileList_.RowCount()) {
      first.push_back(row);
      break;
    }
  }
  OpenRows(first, false);
}

void Workbench::SaveComponents() { SaveComponentTable(componentPath_, components_); }

void Workbench::RecalculateIfInitialised() {
  if (initialised_) Recalculate();
}

void Workbench::SetCalibrationTime(int index, std::string text) {
  if (StoreCalibrationTime(index, std::move(text))) RecalculateIfInitialised();
}

bool Workbench::StoreCalibrationTime(int index, std::string text) {
  if (index < 0 || index > 3) return false;
  calibration_.SetTime(shell_, index, std::move(text), components_);
  return true;
}

std::string Workbench::CalculateCalibrationY(std::string textX) {
  calibration_.textX = std::move(textX);
  calibration_.CalculateY();
  return calibration_.textY;
}

std::string Workbench::CalculateCalibrationX(std::string textY) {
  calibration_.textY = std::move(textY);
  calibration_.CalculateX();
  return calibration_.textX;
}

void Workbench::EditAnalysisSettings(const std::function<void(CAnalysis&)>& edit) {
  edit(analysis_);
  RecalculateIfInitialised();
}

void Workbench::ApplyComponents(ComponentTable edited) {
  // Written first: a table that cannot be saved changes nothing, neither here nor in its file.
  SaveComponentTable(componentPath_, edited);
  // Assigned in place: the engine keeps a reference to this table.
  components_ = std::move(edited);
  RecalculateIfInitialised();
}

const std::string& Workbench::FilterMessages(bool errors, bool warnings, bool information) {
  messages_.showErrors = errors;
  messages_.showWarnings = warnings;
  messages_.showInformation = information;
  return messages_.Format();
}

void Workbench::ReportDatabaseError(const DataBase::SqlException& error) {
  std::string text = Fill(shell_.Str(text::kDatabaseError), "%s", error.what());
  if (!error.sql.empty()) text += Fill(shell_.Str(text::kDatabaseStatement), "%s", error.sql);
  text += Fill(shell_.Str(text::kDatabaseCode), "%i", std::to_string(error.code));
  user_->ShowDatabaseError(error, text);
}

ChartPicture Workbench::CalibrationPicture() const { return PictureOf(calibrationChart_); }
ChartPicture Workbench::DistillationPicture() const { return PictureOf(distillationChart_); }

}  // namespace p528
