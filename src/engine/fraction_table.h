// The "Комп.-фракц. состав" list: the fraction composition of the last calculation as the
// page and the report show it (fraction_texts.h gives its captions). The numbers come from
// the fraction calculation (fractions.h); this only writes them as texts.
#pragma once

namespace p528 {

class CAnalysis;

// Refills tables.fractions from the analyses' fractions, FractionRows, ResidueSummary and
// FractionMeanTotal: columns by method and number of analyses, "%.3f" values, "---" for a
// value not determined.
void FillFractionTable(CAnalysis& engine);

}  // namespace p528
