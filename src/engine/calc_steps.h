// The steps of the calculation, in the order CalculateInto runs them: the result is
// emptied (ResetResult), every run is loaded into its record by role (LoadResult,
// AddAnalysis, AddStdRun), the calibration is built (BuildCalibration, when a calibration
// run is present) and the method's driver runs (RunCalc).
//
// Findings never throw: they are appended to the result's findings, and a finding that
// invalidates the results sets State so that later steps skip.
#pragma once

#include "engine/calculation.h"

namespace p528 {

// Empties every result: State 0, records reset, rows emptied, the window and the fraction
// summary -1.0, CurvesReady false, the findings forgotten. The records' vectors keep their
// memory for the next loading; settings, component table and calibration are left as they
// are.
void ResetResult(CalcResult& engine);

// Fills `result` from chromatogram `file` (not owned): File, and with at least one
// channel StartTime, Step, ZeroLevel and Number. `timeStartSample` is the start of sample
// elution in minutes.
void LoadResult(CalcResult& engine, ChrmResult& result, double timeStartSample, const ChrmFile& file);
// LoadResult into a fresh record appended to Analyses / StdRuns (ordinal >= 1 only), with
// the settings' start of sample elution.
void AddAnalysis(CalcResult& engine, const ChrmFile& file);
void AddStdRun(CalcResult& engine, const ChrmFile& file);

// The calculation driver; call only when a calibration run is present.
void RunCalc(CalcResult& engine);

// Driver steps of the area-normalisation methods (methods 0, 2, 5).
void AreaNormalisation(CalcResult& engine);
void BoilingRangeAndFractions(CalcResult& engine);
// Sets the area of every fraction j >= 1 of `result` to Area(boundary j-1, boundary j),
// a negative area replaced by 0.
void FractionAreas(ChrmResult& result);
// ExtendPointTemp of every analysis with a chromatogram; sets CurvesReady.
void ExtendCurves(CalcResult& engine);

}  // namespace p528
