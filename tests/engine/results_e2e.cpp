// End to end on generated chromatogram sets for the repeatability comparison, the fraction
// composition and the ISO 3405 estimates: the generator knows the boiling-point distribution
// of every sample, so the fraction percents and the estimates can be checked against it, and
// every list must be complete and show exactly the engine's numbers.
#include "chromatogram/chrm_role.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram_set.h"
#include "engine/calibration.h"
#include "engine/fractions.h"
#include "engine/iso3405.h"
#include "engine/tables/iso3405_table.h"
#include "generated_calculation.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/analysis.h"
#include "workbench/message_log.h"
#include "workbench/result_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace p528 {
namespace {

struct ResultsCalculation : GeneratedCalculation {
  ResultsCalculation(const ComponentTable& table, chrmgen::GeneratedSet& set, int32_t method,
                     int maxStdRuns = 3)
      : GeneratedCalculation(table, set, method, Lot1, maxStdRuns) {}

  std::string Missing() const { return "---"; }
  // The row whose label (column 1) is `label`, or -1.
  static int FindLabel(const TableModel& table, const std::string& label) {
    for (int r = 0; r < table.RowCount(); ++r)
      if (table.Cell(r, 1) == label) return r;
    return -1;
  }
};

// Percent of the sample boiling below `temp` by the generator's distribution.
double CumulativeAt(const chrmgen::SampleExpectation& sample, double temp) {
  const auto& c = sample.cumulativeAt;
  if (temp <= c.front().first) return c.front().second;
  if (temp >= c.back().first) return c.back().second;
  const auto hi = std::lower_bound(c.begin(), c.end(), temp,
                                   [](const std::pair<double, double>& p, double t) { return p.first < t; });
  const auto lo = hi - 1;
  return lo->second + (hi->second - lo->second) * (temp - lo->first) / (hi->first - lo->first);
}

// Boiling point of the generator's sample at `percent` off.
double ExpectedTemperature(const chrmgen::SampleExpectation& sample, double percent) {
  for (const chrmgen::ExpectedPoint& p : sample.points)
    if (p.percent == percent) return p.temperature;
  return -1.0;
}

class Generated3 : public ::testing::Test {
 protected:
  const ComponentTable* components_ = &ProjectComponents();
  chrmgen::GeneratedSet* gasoil_ = &GeneratedScenario("gasoil", 1, 2);
  chrmgen::GeneratedSet* condensate_ = &GeneratedScenario("condensate");
};

// Two parallel runs of a diesel fuel: every point conforms, every fraction of the list has
// its share of the known distribution, and the ISO 3405 estimates follow from the mean
// temperatures exactly as the list shows them.
TEST_F(Generated3, DieselFuelWithTwoAnalyses) {
  const chrmgen::SampleExpectation* sample = gasoil_->Sample("analysis");
  ASSERT_NE(sample, nullptr);
  for (int32_t method : {AstmD2887A, Gost56720A, Iso3924}) {
    SCOPED_TRACE(testing::Message() << "method " << method);
    ResultsCalculation c(*components_, *gasoil_, method);
    for (const std::string& e : c.messages.Errors()) ADD_FAILURE() << "error: " << e;
    CAnalysis& e = c.engine;
    ASSERT_EQ(e.Analyses.size(), 2u);

    // Repeatability: one row per point, all judged, all within the limits.
    const std::vector<DistPoint>& points = e.Analyses[0].PointTable;
    ASSERT_EQ(e.RepeatRows.size(), points.size());
    ASSERT_EQ(c.tables.repeatability.RowCount(), static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
      const RepeatRow& row = e.RepeatRows[i];
      EXPECT_EQ(row.percent, points[i].percent);
      if (row.r >= 0) {
        EXPECT_EQ(row.verdict, 1) << row.percent;
      }
      EXPECT_EQ(c.tables.repeatability.Cell(static_cast<int>(i), 4), Format("%.2f", row.meanTemp));
    }

    // Fractions: the same list in both runs, percents of the whole sample as generated.
    const std::vector<FractionRecord>& f1 = e.Analyses[0].Fractions;
    ASSERT_EQ(f1.size(), e.Analyses[1].Fractions.size());
    EXPECT_GT(e.Analyses[0].StepFractionCount, 30);
    EXPECT_NEAR(e.Analyses[0].FractionTotal, 100.0, 1e-9);
    EXPECT_NEAR(e.FractionMeanTotal, 100.0, 0.01);
    const std::size_t firstStep = 2 + static_cast<std::size_t>(e.Analyses[0].NamedFractionCount);
    // The last fraction ends where elution is found to end, where the blank-corrected
    // detector noise (never negative) adds about 0.1 % of its own: it is looked at loosely.
    for (std::size_t j = firstStep; j < f1.size(); ++j) {
      const double expected =
          CumulativeAt(*sample, f1[j].boundaryTemp) - CumulativeAt(*sample, f1[j - 1].boundaryTemp);
      const double tolerance = j + 1 == f1.size() ? 0.2 : 0.05 + 0.01 * expected;
      EXPECT_NEAR(f1[j].correctedPercent, expected, tolerance) << f1[j].name;
    }
    const TableModel& list = c.tables.fractions;
    ASSERT_EQ(list.RowCount(), static_cast<int>(f1.size()) - 2 + 2);
    for (std::size_t i = 2; i < f1.size(); ++i) {
      const int r = static_cast<int>(i) - 2;
      EXPECT_EQ(list.Cell(r, 1), f1[i].name);
      EXPECT_EQ(list.Cell(r, 2), Format("%.3f", f1[i].correctedPercent));
      const FractionSummary& s = e.FractionRows[i];
      EXPECT_EQ(list.Cell(r, 4), s.mean > 0 ? Format("%.3f", s.mean) : c.Missing());
    }
    EXPECT_EQ(list.Cell(list.RowCount() - 1, 1), "сумма:");

    // ISO 3405 from the mean temperatures; close to the estimate from the true distribution.
    const auto table = Iso3405Table();
    ASSERT_EQ(e.Iso3405Rows.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
      const Iso3405Row& row = e.Iso3405Rows[i];
      ASSERT_TRUE(IsIso3405Value(row.tiso)) << table[i].percent;
      EXPECT_EQ(c.tables.iso3405.Cell(static_cast<int>(i), 2), Format("%.2f", row.tiso));
      const std::size_t lo = table[i].percent <= 0.5 ? i : table[i].percent >= 99.5 ? i - 2 : i - 1;
      const double t1 = ExpectedTemperature(*sample, table[lo].percent);
      const double t2 = ExpectedTemperature(*sample, table[lo + 1].percent);
      const double t3 = ExpectedTemperature(*sample, table[lo + 2].percent);
      const Iso3405Coeff& k = table[i];
      EXPECT_NEAR(row.tiso, k.c0 + k.c1 * t1 + k.c2 * t2 + k.c3 * t3, 1.0) << k.percent;
    }
  }
}

// Three runs of a gas condensate with light components under both internal-standard
// methods: the early components are named alike in every run, the composition covers all of
// them, and the residue rows show the residue the generator left in the sample.
TEST_F(Generated3, CondensateWithThreeAnalyses) {
  const chrmgen::SampleExpectation* sample = condensate_->Sample("analysis");
  ASSERT_NE(sample, nullptr);
  for (int32_t method : {Gost56720B, Gost54291}) {
    SCOPED_TRACE(testing::Message() << "method " << method);
    ResultsCalculation c(*components_, *condensate_, method);
    for (const std::string& e : c.messages.Errors()) ADD_FAILURE() << "error: " << e;
    CAnalysis& e = c.engine;
    ASSERT_EQ(e.State, static_cast<uint32_t>(StateFractions));
    ASSERT_EQ(e.Analyses.size(), 3u);
    const std::vector<FractionRecord>& f1 = e.Analyses[0].Fractions;
    EXPECT_GT(e.Analyses[0].NamedFractionCount, 3);
    for (const ChrmResult& a : e.Analyses) {
      ASSERT_EQ(a.Fractions.size(), f1.size()) << a.Number;
      for (std::size_t j = 0; j < f1.size(); ++j) EXPECT_EQ(a.Fractions[j].name, f1[j].name);
      // Corrected percents plus the residue make the whole sample.
      EXPECT_NEAR(a.FractionTotal, 100.0, 1e-9) << a.Number;
    }
    ASSERT_EQ(e.FractionRows.size(), f1.size());
    EXPECT_NEAR(e.ResidueSummary.mean, sample->residue, 0.1);
    EXPECT_NEAR(e.FractionMeanTotal, 100.0, 0.01);

    const TableModel& rep = c.tables.repeatability;
    EXPECT_EQ(rep.ColumnCount(), method == Gost56720B ? 10 : 9);
    EXPECT_GE(ResultsCalculation::FindLabel(rep, "Посл. доля"), 0);
    const int residueRow = ResultsCalculation::FindLabel(c.tables.fractions, "Остаток");
    ASSERT_GE(residueRow, 0);
    EXPECT_EQ(c.tables.fractions.Cell(residueRow, 5), Format("%.3f", e.ResidueSummary.mean));
    if (method == Gost54291) {
      const int r = ResultsCalculation::FindLabel(rep, "Остаток");
      ASSERT_GE(r, 0);
      EXPECT_EQ(rep.Cell(r, 8), "Да");
    }
    // Several analyses of an internal-standard method give no ISO 3405 estimate.
    for (const Iso3405Row& row : e.Iso3405Rows) EXPECT_FALSE(IsIso3405Value(row.tiso));
  }
}

// Three analyses but two internal-standard runs: analysis 3 gets no results and takes no
// part in the composition, which compares analyses 1 and 2 without a false finding.
TEST_F(Generated3, CondensateWithoutTheThirdInternalStandardRun) {
  ResultsCalculation c(*components_, *condensate_, Gost56720B, 2);
  for (const std::string& e : c.messages.Errors()) ADD_FAILURE() << "error: " << e;
  CAnalysis& e = c.engine;
  ASSERT_EQ(e.Analyses.size(), 3u);
  EXPECT_TRUE(e.Analyses[2].Fractions.empty());
  EXPECT_EQ(CalculatedAnalyses(e), 2u);
  ASSERT_FALSE(e.FractionRows.empty());
  EXPECT_EQ(e.ResidueSummary.r, 8);  // two-analysis limit
  EXPECT_EQ(e.ResidueSummary.verdict, 1);
  const int residueRow = ResultsCalculation::FindLabel(c.tables.fractions, "Остаток");
  ASSERT_GE(residueRow, 0);
  EXPECT_EQ(c.tables.fractions.Cell(residueRow, 4), "---");  // analysis 3
}

}  // namespace
}  // namespace p528
