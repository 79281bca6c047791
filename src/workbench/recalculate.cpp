// The recalculation: the one fixed sequence that turns the chromatogram set into the file
// list, the remembered paths and the engine's input, and runs the calculation.
#include "workbench/workbench.h"

#include "chromatogram/chrm_role.h"
#include "engine/calibration.h"
#include "shell/settings.h"
#include "shell/text.h"

#include <ctime>

namespace p528 {

namespace {

constexpr int kNoCalibrationText = 146;  // "Отсутствует градуировочная хроматтограмма!"
constexpr int kDistillationSeries = 3;

std::string OperatorOf(const ChrmFile& file) {
  for (const PassportField& field : file.passport.fields) {
    if (field.name == "operator") return field.value;
  }
  return {};
}

}  // namespace

std::string AnalysisTimeText(int64_t andate) {
  const auto seconds = static_cast<std::time_t>(andate);
  if (static_cast<int64_t>(seconds) != andate) return {};
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return {};
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%d.%m.%y  %H:%M", &local);
  return std::string(text, length);
}

void Workbench::Recalculate() {
  // 1. Forget the previous results. The operator belongs to the analysis 1 of this set
  //    only: a set without one reports no operator.
  fileList.DeleteAllRows();
  ClearCalibration(analysis);
  analysis.ResetCalc();
  for (int series = 0; series < kDistillationSeries && series < distillationChart.SeriesCount(); ++series) {
    distillationChart.ClearSeriesData(series);
  }
  messages.Clear();
  OperatorName.clear();

  // 2. Number the parallel runs.
  NumberRuns(chrmSet);

  // 3. The C1-C4 times of the calibration tab into the first four component rows.
  calibration.ApplyTimes(components);

  // 4. The remembered paths are rewritten from the set below.
  DeleteSettingSection(shell, kSectionPaths);

  // 5. List every file and hand it to the engine by its role, in set order.
  const double timeStartSample = analysis.TimeStartSampleValue();
  bool calibrationMet = false;
  for (auto& [path, file] : chrmSet) {
    NormalizePeakNames(file, shell.foreignUi);

    RowData data;
    data.Tag = file.assayId;
    fileList.AppendRow({FileNamePart(path), file.passport.sample, AnalysisTimeText(file.passport.andate),
                        RoleListText(shell, file), path},
                       data);

    if (const char* key = RolePathKey(file.role)) WriteSettingText(shell, kSectionPaths, key, path);

    switch (file.role) {
      case RoleCalibration:
        calibration.CalibrationChrm = &file;
        calibrationMet = true;
        break;
      case RoleBlank:
        analysis.LoadResult(analysis.Blank, timeStartSample, file);
        break;
      case RoleAnalysis:
        if (file.ordinal == 1) OperatorName = OperatorOf(file);
        if (file.ordinal >= 1) analysis.AddAnalysis(file);
        break;
      case RoleStandard:
        if (file.ordinal >= 1) analysis.AddStdRun(file);
        break;
      case RoleReference:
        analysis.LoadResult(analysis.Reference, timeStartSample, file);
        break;
      case RoleCheck:
        calibration.CheckChrm = &file;
        break;
      default:
        break;
    }
  }

  // 6. Calibration and calculation, or the one message that there is nothing to calibrate.
  if (calibrationMet) {
    BuildCalibration(analysis);
    analysis.RunCalc();
  } else {
    messages.AddError(shell.Str(kNoCalibrationText));
  }

  // 7. Refresh the views and the message page.
  calibrationChart.Invalidate();
  distillationChart.Invalidate();
  messages.Format();
  user_->Recalculated();
}

}  // namespace p528
