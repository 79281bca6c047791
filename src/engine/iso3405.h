// ISO 3405 correlation: the temperatures an atmospheric distillation by ISO 3405 would give
// (percent by volume), each estimated from three simulated-distillation temperatures at
// neighbouring percents with the fixed coefficients of the correlation table, and the
// reproducibility R of each estimate (Iso3405Rows).
//
// Temperatures in °C. A missing value is kIsoMissing (the most negative finite double),
// shown "---". The correlation makes no finding.
#pragma once

namespace p528 {

struct CalcResult;
struct Iso3405Row;

// Appends one Iso3405Row per table row. Tsd: with one analysis its point table's
// temperature at the row's percent, with several the mean temperature of the repeatability
// row at that percent (only the area-normalisation methods give their rows a percent). A
// temperature of -1 (a point outside the curve or the calibration) counts as missing.
// Tiso = c0 + c1·T1 + c2·T2 + c3·T3 over rows i..i+2 (0.5 %), i-2..i (99.5 %), else
// i-1..i+1; missing when any of the three is missing. Nothing without analyses.
void CorrelateIso3405(CalcResult& engine);
// True when the ISO 3405 value has been determined (not kIsoMissing).
bool IsIso3405Value(double value);

}  // namespace p528
