#include "engine/analysis.h"

#include "engine/calibration.h"
#include "engine/distillation.h"
#include "engine/fraction_table.h"
#include "engine/fractions.h"
#include "engine/internal_standard.h"
#include "engine/iso3405.h"
#include "engine/message_log.h"
#include "engine/reference_check.h"
#include "engine/result_tables.h"
#include "engine/texts/calculation_texts.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "shell/text.h"

#include <algorithm>
#include <cstdarg>

namespace p528 {

CAnalysis::CAnalysis(const Shell& shellState, ComponentTable& componentTable, MessageLog& messageLog,
                     CalibrationTab& calibrationTab, ResultTables& resultTables)
    : shell(shellState),
      components(componentTable),
      messages(messageLog),
      calibration(calibrationTab),
      tables(resultTables) {
  LoadSettings();
}

void CAnalysis::LoadSettings() {
  Method = ReadSettingInt(shell, kSectionSettings, "method", 0);
  RefType = ReadSettingInt(shell, kSectionSettings, "type_ref_gasoil", 0);
  TimeStartSample = ReadSettingText(shell, kSectionSettings, "TimeStartSample", "0.0");
  start_mark = ReadSettingText(shell, kSectionSettings, "start_mark", "70.0");
  step_mark = ReadSettingText(shell, kSectionSettings, "step_mark", "10.0");
}

std::string CAnalysis::Text(int id) const { return shell.Str(id); }

std::string CAnalysis::TextF(int id, ...) const {
  const std::string format = shell.Str(id);
  va_list args;
  va_start(args, id);
  std::string text = FormatV(format.c_str(), args);
  va_end(args);
  return text;
}

double CAnalysis::TimeStartSampleValue() const { return DecimalPrefix(TimeStartSample); }

void CAnalysis::ResetCalc() {
  State = StateNotRun;
  CurvesReady = false;
  tables.repeatability.DeleteAllRows();
  tables.fractions.DeleteAllRows();
  tables.reference.DeleteAllRows();
  // The ISO 3405 step does not run in every calculation: its list must not keep the rows
  // of an earlier set.
  tables.iso3405.DeleteAllRows();
  // The records' vectors go to the next calculation empty, their memory kept.
  buffers_.Clear();
  buffers_.Keep(Blank);
  buffers_.Keep(Reference);
  for (ChrmResult& r : Analyses) buffers_.Keep(r);
  for (ChrmResult& r : StdRuns) buffers_.Keep(r);
  Blank.Reset();
  Reference.Reset();
  Iso3405Rows.clear();
  Analyses.clear();
  StdRuns.clear();
  RepeatRows.clear();
  RefRows.clear();
  FractionRows.clear();
  WindowStart = -1.0;
  WindowEnd = -1.0;
  ResidueSummary = FractionSummary();
  FractionMeanTotal = -1.0;
}

void CAnalysis::LoadResult(ChrmResult& result, double timeStartSample, const ChrmFile& file) {
  result.File = &file;
  buffers_.Give(result);
  if (file.channels.empty()) return;
  const ChrmChannel& channel = file.channels[0];
  {
    std::lock_guard<std::mutex> lock(*channel.lock);
    result.Step = channel.step;
    result.StartTime = channel.startTime;
  }
  result.ZeroLevel = ZeroLevel(channel, timeStartSample);
  result.Number = file.ordinal;
}

void CAnalysis::AddAnalysis(const ChrmFile& file) {
  if (file.ordinal < 1) return;
  ChrmResult result;
  LoadResult(result, TimeStartSampleValue(), file);
  Analyses.push_back(std::move(result));
}

void CAnalysis::AddStdRun(const ChrmFile& file) {
  if (file.ordinal < 1) return;
  ChrmResult result;
  LoadResult(result, TimeStartSampleValue(), file);
  StdRuns.push_back(std::move(result));
}

void CAnalysis::SortRuns() {
  auto byNumber = [](const ChrmResult& a, const ChrmResult& b) { return a.Number < b.Number; };
  std::stable_sort(Analyses.begin(), Analyses.end(), byNumber);
  std::stable_sort(StdRuns.begin(), StdRuns.end(), byNumber);
}

void CAnalysis::RunCalc() {
  SortRuns();
  State = StateStarted;
  if (Blank.File == nullptr) {
    messages.AddError(Text(text::kNoBlank));
    return;
  }

  if (IsAreaNormalisation(Method)) {
    AreaNormalisation(*this);
    BoilingRangeAndFractions(*this);
  } else if (IsInternalStandard(Method)) {
    InternalStandardAreas(*this);
    if (State > StateStarted) InternalStandardCurves(*this);
    if (State >= StateCurves) {
      const double startMark = DecimalPrefix(start_mark);
      const double stepMark = DecimalPrefix(step_mark);
      const std::size_t n = std::min(Analyses.size(), StdRuns.size());
      for (std::size_t i = 0; i < n; ++i) {
        if (Analyses[i].File == nullptr) continue;
        CutFractions(*this, Analyses[i], startMark, stepMark);
        FractionAreas(Analyses[i]);
      }
      AlignFractions(*this);
      State = StateFractions;
      const double h2s = DecimalPrefix(H2SPercent);
      const double mercaptan = DecimalPrefix(MercaptanPercent);
      const double water = DecimalPrefix(WaterPercent);
      for (std::size_t i = 0; i < n; ++i) {
        if (Analyses[i].File == nullptr) continue;
        ApplyFractionCorrections(*this, Analyses[i], h2s, mercaptan, water);
      }
      FractionComposition(*this);
      FillFractionTable(*this);
      ExtendCurves(*this);
    }
  } else {
    // Method B of ASTM D 2887 (disabled) and unknown values calculate nothing.
    return;
  }

  CorrelateIso3405(*this);
  FillIso3405Table(*this);
  CheckReferenceSample(*this);
}

void FractionAreas(ChrmResult& result) {
  for (std::size_t j = 1; j < result.Fractions.size(); ++j) {
    double area = Area(result, result.Fractions[j - 1].boundaryTime, result.Fractions[j].boundaryTime);
    if (area < 0) area = 0;
    result.Fractions[j].area = area;
  }
}

void ExtendCurves(CAnalysis& engine) {
  for (ChrmResult& a : engine.Analyses) {
    if (a.File != nullptr) ExtendPointTemp(a);
  }
  engine.CurvesReady = true;
}

}  // namespace p528
