#include "workbench/analysis.h"

#include "engine/calc_steps.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/custom_reference.h"
#include "workbench/wording.h"

namespace p528 {

CAnalysis::CAnalysis(const Shell& shellState) : shell(shellState) { LoadSettings(); }

void CAnalysis::LoadSettings() {
  Method = ReadSettingInt(shell, kSectionSettings, "method", 0);
  RefType = ReadSettingInt(shell, kSectionSettings, "type_ref_gasoil", 0);
  TimeStartSample = ReadSettingText(shell, kSectionSettings, "TimeStartSample", "0.0");
  start_mark = ReadSettingText(shell, kSectionSettings, "start_mark", "70.0");
  step_mark = ReadSettingText(shell, kSectionSettings, "step_mark", "10.0");
}

double CAnalysis::TimeStartSampleValue() const { return DecimalPrefix(TimeStartSample); }

CalcSettings CAnalysis::CurrentSettings() const {
  CalcSettings s;
  s.method = Method;
  s.refType = RefType;
  s.timeStartSample = TimeStartSampleValue();
  s.startMark = DecimalPrefix(start_mark);
  s.stepMark = DecimalPrefix(step_mark);
  s.useDefaultStep = UseDefaultStep;
  s.stepPercent = DecimalPrefix(StepPercent);
  s.sampleMass = DecimalPrefix(SampleMass);
  s.stdMass = DecimalPrefix(StdMass);
  s.h2sPercent = DecimalPrefix(H2SPercent);
  s.mercaptanPercent = DecimalPrefix(MercaptanPercent);
  s.waterPercent = DecimalPrefix(WaterPercent);
  s.latinNames = shell.foreignUi != 0;
  if (RefType == Custom) s.customReference = CalculationReference(CustomReference::FromSettings(shell));
  return s;
}

void CAnalysis::Calculate(const CalcInput& input) {
  CalculateInto(input, *this);
  if (RewrittenStepPercent) StepPercent = Format("%.1f", *RewrittenStepPercent);
  NameFractions(shell, *this);
}

void CAnalysis::ResetCalc() { ResetResult(*this); }

void CAnalysis::LoadResult(ChrmResult& result, double timeStartSample, const ChrmFile& file) {
  p528::LoadResult(*this, result, timeStartSample, file);
}

void CAnalysis::AddAnalysis(const ChrmFile& file) {
  settings.timeStartSample = TimeStartSampleValue();
  p528::AddAnalysis(*this, file);
}

void CAnalysis::AddStdRun(const ChrmFile& file) {
  settings.timeStartSample = TimeStartSampleValue();
  p528::AddStdRun(*this, file);
}

void CAnalysis::RunCalc() { p528::RunCalc(*this); }

}  // namespace p528
