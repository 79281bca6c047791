// The reference sample check: the reference gas oil run is processed like an analysis and
// its temperatures at fixed percents are compared with the certified ones against the
// reproducibility limit of the selected standard; fills RefRows and the reference table.
#pragma once

#include <cstdint>

namespace p528 {

class CAnalysis;

// Last step of every calculation run.
void CheckReferenceSample(CAnalysis& engine);
// Certified temperature of the built-in lot at `percent` (exact match), -1 when none.
double ReferenceTemperature(int32_t method, int32_t refType, double percent);
// Reproducibility R of GOST ISO 3924 (also ASTM D 2887) at percent p and |mean| T, °C.
double ReproducibilityLimitIso3924(double p, double T);

}  // namespace p528
