// The recalculation: the one fixed sequence that turns the chromatogram set into the file
// list, the remembered paths and the engine's input, and runs the calculation.
#include "workbench/workbench.h"

#include "chromatogram/analysis_time.h"
#include "chromatogram/chrm_role.h"
#include "engine/calculation.h"
#include "shell/settings.h"
#include "shell/text.h"
#include "workbench/calc_input.h"
#include "workbench/chart_curves.h"
#include "workbench/result_lists.h"
#include "workbench/wording.h"

namespace p528 {

namespace {

std::string OperatorOf(const ChrmFile& file) {
  for (const PassportField& field : file.passport.fields) {
    if (field.name == "operator") return field.value;
  }
  return {};
}

}  // namespace

void Workbench::Recalculate() {
  // 1. Forget the previous results. The operator belongs to the analysis 1 of this set
  //    only: a set without one reports no operator. The charts forget their curves.
  fileList_.DeleteAllRows();
  ClearCalibrationChart(calibrationChart_);
  ClearDistillationCurves(distillationChart_);
  messages_.Clear();
  operatorName_.clear();

  // 2. Number the parallel runs.
  NumberRuns(chrmSet_);

  // 3. The C1-C4 times of the calibration tab into the first four component rows.
  calibration_.ApplyTimes(components_);

  // 4. The remembered paths are rewritten from the set below.
  DeleteSettingSection(shell_, kSectionPaths);

  // 5. List every file and remember its path, in set order.
  for (auto& [path, file] : chrmSet_) {
    NormalizePeakNames(file, shell_.foreignUi);

    RowData data;
    data.Tag = file.assayId;
    fileList_.AppendRow({FileNamePart(path), file.passport.sample, AnalysisTimeText(file.passport.andate),
                         RoleListText(shell_, file), path},
                        data);

    if (const char* key = RolePathKey(file.role)) WriteSettingText(shell_, kSectionPaths, key, path);
    if (file.role == RoleAnalysis && file.ordinal == 1) operatorName_ = OperatorOf(file);
  }

  // 6. The calculation (or the one finding that there is nothing to calibrate); the
  //    component table takes the calibration run's times.
  analysis_.Calculate(MakeCalcInput(analysis_, calibration_, components_, chrmSet_));
  components_ = analysis_.components;

  // 7. The result shown: calibration tab, result lists, charts, message log.
  calibration_.Show(analysis_.calibration);
  FillResultLists(analysis_, shell_, tables_);
  LogFindings(shell_, analysis_.findings, messages_);
  if (calibration_.curve.registered) ShowCalibrationCurve(calibrationChart_, calibration_.curve, shell_);
  if (analysis_.CurvesReady) ShowDistillationCurves(distillationChart_, analysis_);

  // 8. Refresh the views and the message page.
  calibrationChart_.Invalidate();
  distillationChart_.Invalidate();
  messages_.Format();
  user_->Recalculated();
}

}  // namespace p528
