// Repeatability of parallel analyses: analyses 1 and 2 compared point by point against the
// limits of the selected standard (RepeatRows, messages) and the "Доля отгона" table.
#pragma once

namespace p528 {

class CAnalysis;

// ASTM D 2887 method A, GOST R 56720 method A, GOST ISO 3924.
void CheckRepeatability(CAnalysis& engine);
// GOST R 56720 method B.
void CheckRepeatability56720B(CAnalysis& engine);
// GOST R 54291.
void CheckRepeatability54291(CAnalysis& engine);
// Refills tables.repeatability for the selected method (GOST R 54291 also judges the
// residue here).
void FillRepeatabilityTable(CAnalysis& engine);

}  // namespace p528
