// Limits for the comparison of parallel analyses: the GOST R 56720-2015 method B table, the
// GOST R 54291-2010 limits, the repeatability limits r and reproducibility limits R of the
// area-normalisation methods, and the rounding of a temperature difference used by the two
// internal-standard methods.
//
// Temperatures and limits in °C (the GOST R 54291 residue limit in % mass), percents off
// 0-100. -1.0 means "no limit at this point": the point is not judged. Percents are matched
// exactly: the point tables hold 0.5, 99.5 and whole multiples of the step, which compare
// exactly. Constant and read-only for the life of the module.
#pragma once

#include <cstdint>
#include <span>

namespace p528 {

struct LimitRow56720B {
  double percent;  // % off
  int32_t delta;   // accuracy ±Δ, °C
  double limit;    // repeatability limit, °C
};

// 13 rows, 0.5 % to 99.5 %.
std::span<const LimitRow56720B> LimitTable56720B();
// Limit at percent `key` (exact match; -1 = non-volatile residue, % mass); -1 otherwise.
double RepeatabilityLimit54291(double key);

// Repeatability limit r of ASTM D 2887-2013 and GOST ISO 3924-2017 at percent p; T is the
// absolute mean temperature, °C.
double RepeatabilityLimitAstm(double p, double T);
// Repeatability limit r and reproducibility limit R of GOST R 56720-2015 method A.
double RepeatabilityLimit56720A(double p, double T);
double ReproducibilityLimit56720A(double p, double T);

// |T1 - T2| as the internal-standard methods store and judge it: below 10 °C to the
// nearest 0.1 °C, from 10 °C on to the nearest 1 °C (halves round up).
double RoundTemperatureDifference(double difference);

}  // namespace p528
