// The reference sample check: the reference gas oil run is processed like an analysis,
// its boiling temperatures at fixed percents off are compared with the certified ones of
// the chosen reference (built-in lot 1 or 2, or the user-defined reference of
// calculation.h: ReferenceGasoil), and each difference is judged against the reproducibility limit R
// of the selected standard. Exceeded limits become error findings; the outcome fills
// RefRows (one row per reference point).
//
// Percents in %, temperatures and limits in °C; -1 marks a value that is not known or a
// point that is not judged. Percents are matched by exact equality: the points come from
// fixed lists (0.5, multiples of 5, 99.5). User-interface thread only.
#pragma once

#include <cstdint>
#include <vector>

namespace p528 {

struct CalcResult;
struct ReferenceGasoil;

// Last step of every calculation run, whatever the method. Without a reference run, or
// with one without channels, a warning; a reference whose total area is not above 0 ends
// the check silently; both leave RefRows empty.
void CheckReferenceSample(CalcResult& engine);

// The comparison part of the check on Reference.PointTable as it stands: RefRows sized to
// the points, each point compared with `custom` (user-defined choice) or the built-in lot,
// the errors appended.
void CompareReferencePoints(CalcResult& engine, const ReferenceGasoil& custom);

// The certified temperature at p by the rule of the chosen reference: `custom`'s for the
// user-defined choice, else the built-in lot's (ReferenceTemperature).
double CertifiedTemperature(int32_t method, int32_t refType, const ReferenceGasoil& custom, double p);

// Percents of the reference point table: under ASTM D 2887 0.5, 5, 10, ... 95, 99.5 (21);
// otherwise 0.5, 5, 10, 15, 20, 30, ... 90, 95, 99.5 (14), without 95 under GOST R 54291
// (13).
std::vector<double> ReferencePercents(int32_t method);

// Certified temperature of built-in lot `refType` (Lot1, Lot2) at `percent` (exact match)
// in the table of `method` (ASTM D 2887 method A; GOST R 56720 method A and GOST ISO 3924);
// -1 for any other method or lot, a percent the table lacks, or one the lot does not
// certify.
double ReferenceTemperature(int32_t method, int32_t refType, double percent);

// Reproducibility limits R, °C, at percent p; -1 where the standard gives none. `T` is the
// absolute mean of the measured and certified temperatures, °C.
double ReproducibilityLimitAstm(double p);               // ASTM D 2887-13 method A
double ReproducibilityLimitIso3924(double p, double T);  // GOST ISO 3924-2017
// GOST R 56720-2015 method A: ReproducibilityLimit56720A in engine/tables/repeatability_tables.h.

}  // namespace p528
