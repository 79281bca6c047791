// Fraction composition: the light components eluting before the start mark are reported one
// by one under their peak names, the rest of the sample is cut into temperature fractions of
// a fixed width; each gets a mass percent from its area, corrected by the component response
// factors, by the non-volatile residue (internal-standard methods) and by the declared
// hydrogen sulphide, mercaptan sulphur and water. Over parallel analyses the composition is
// averaged and, for the GOST methods, judged against GOST R 56720-2015 (clauses 15.4, 15.5).
// The workbench shows the results in the "Комп.-фракц. состав" list.
//
// Layout of ChrmResult::Fractions after cutting: 0 "начало" (StartTime), 1 "без имени" (up
// to the front of the first early peak, or the start mark), 2 .. 1 + NamedFractionCount the
// early peaks by ascending peak time, then StepFractionCount records "Фр. lower-upper".
// Temperatures in °C, times in minutes, percents in % mass; -1.0 marks an unknown value.
// Messages go to the engine's log; nothing throws. User-interface thread only.
#pragma once

#include "engine/calculation.h"

#include <cstddef>
#include <cstdint>

namespace p528 {

// Relative limits of the fraction composition at mass percent X (-1 outside the table,
// that is below 0.005 % and above 25 %).
struct FractionLimit {
  double delta = -1.0;   // accuracy δ, relative %
  double sigmaR = -1.0;  // repeatability standard deviation σr, relative %
  double r = -1.0;       // repeatability limit r, relative %
};
FractionLimit FractionLimits(double x);

// More temperature fractions than this are not cut (a step typed as 1e-9 °C must not
// exhaust memory): such a step gives none.
inline constexpr double kMaxTemperatureFractions = 100000;

// Number of temperature fractions from the start mark to `endTemp` in steps of `stepMark`:
// whole steps, plus one for a remainder above 1 °C. 0 when the range or the step is not
// positive (or the count exceeds kMaxTemperatureFractions).
int32_t TemperatureFractionCount(double endTemp, double startMark, double stepMark);

// Rebuilds Fractions, NamedFractionCount and StepFractionCount of `result` from the start
// mark and step (°C). Boundaries come from the calibration curve; areas are left -1 (the
// driver measures them with FractionAreas).
void CutFractions(CalcResult& engine, ChrmResult& result, double startMark, double stepMark);

// Gives every analysis the early records that another analysis has and it lacks (pairs
// 1-2, 2-1, 1-3, 3-1, 2-3, 3-2; exact names). An inserted record is a placeholder: area -1,
// percents -1, left out of the weighted sum and shown "---"; NamedFractionCount grows by
// the records inserted. Runs whose fractions were not cut are left alone.
void AlignFractions(CalcResult& engine);

// Mass percents from the response-weighted areas, the residue correction (Residue >= 0),
// the H2S / mercaptan sulphur / water correction (% mass), FractionTotal; then removes the
// early records of components whose response factor is not above 0.
void ApplyFractionCorrections(CalcResult& engine, ChrmResult& result, double h2s, double mercaptan,
                              double water);

// Number of analyses the calculation gave results to: all of them in the area-normalisation
// methods, the first min(analyses, internal-standard runs) in the internal-standard methods
// (an analysis without its paired run keeps Residue -1, FractionTotal -1 and no fractions).
std::size_t CalculatedAnalyses(const CalcResult& engine);

// FractionRows, ResidueSummary, FractionMeanTotal and their messages over the calculated
// analyses (two: every method; three: GOST methods only; otherwise nothing). An analysis
// left without results takes no part: its -1 would enter the means and the verdicts.
void FractionComposition(CalcResult& engine);

}  // namespace p528
