// Second look at the calibration checks, the fraction composition and its list: the limits
// of the comparison at their edges (a mean of exactly 0.005 %, fractions above the table of
// limits with three analyses), early peaks sharing one sample point, and a check mixture
// whose n-decane peak has no area.
#include "engine/calibration_checks.h"
#include "engine/fraction_table.h"
#include "engine/fractions.h"
#include "engine/result_tables.h"
#include "engine3_fixture.h"
#include "shell/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace p528::test {
namespace {

using Strings = std::vector<std::string>;

// An analysis whose records carry the given reported concentrations (index 0 unused).
ChrmResult& WithPercents(Engine3Fixture& f, const Strings& names, const std::vector<double>& x,
                         double residue = -1) {
  ChrmResult& a = f.AddAnalysis();
  for (std::size_t i = 0; i < names.size(); ++i) {
    FractionRecord r;
    r.name = names[i];
    r.area = 1;
    r.correctedPercent = x[i];
    a.Fractions.push_back(r);
  }
  a.Residue = residue;
  a.FractionTotal = 0;
  for (std::size_t i = 1; i < x.size(); ++i) a.FractionTotal += x[i] > 0 ? x[i] : 0;
  return a;
}

// A mean of 0.005 % or less is warned about and left out of the comparison; the list then
// shows "---" after the mean instead of the -1 values of a comparison that was never made.
// Just above 0.005 % the fraction is compared.
TEST(FractionListReview, MeanAtTheExclusionLimit) {
  for (int32_t method : {Gost56720A, Gost56720B}) {
    SCOPED_TRACE(testing::Message() << "method " << method);
    Engine3Fixture f(method);
    const Strings names = {"начало", "без имени", "С5", "С6", "Фр. 70-80"};
    WithPercents(f, names, {-1, 0, 0.005, 0.0051, 50}, method == Gost56720B ? 2.0 : -1);
    WithPercents(f, names, {-1, 0, 0.005, 0.0051, 49}, method == Gost56720B ? 2.0 : -1);
    FractionComposition(*f.engine);
    ASSERT_EQ(f.log.Warnings().size(), 1u);
    EXPECT_EQ(f.log.Warnings()[0], "Средняя массовая доля фракции \"С5\" менее 0.005% \r\n\tДанная фракция "
                                   "исключена из расчета метрологической части.");
    EXPECT_EQ(f.engine->FractionRows[3].verdict, 1);  // 0.0051 %: equal values conform

    FillFractionTable(*f.engine);
    const TableModel& t = f.tables.fractions;
    EXPECT_EQ(Engine3Fixture::Row(t, 0), (Strings{"С5", "0.005", "0.005", "0.005", "---", "---", "---", "---"}));
    const FractionLimit limit = FractionLimits(0.0051);
    EXPECT_EQ(Engine3Fixture::Row(t, 1),
              (Strings{"С6", "0.005", "0.005", "0.005", Format("%.3f", limit.delta * 0.01 * 0.0051), "0.000",
                       Format("%.3f", limit.r), "Да"}));
  }
}

// Above 25 % the standard gives no limit: with three analyses such a fraction is not
// judged and raises no error (a critical range of 3.3 × -1 would fail every one of them).
TEST(FractionListReview, ThreeAnalysesAboveTheTableOfLimits) {
  Engine3Fixture f(Gost56720B);
  const Strings names = {"начало", "без имени", "Фр. 70-80", "Фр. 80-90"};
  WithPercents(f, names, {-1, 0, 40, 3.0}, 2.0);
  WithPercents(f, names, {-1, 0, 44, 3.0}, 2.0);
  WithPercents(f, names, {-1, 0, 48, 3.0}, 2.0);
  FractionComposition(*f.engine);
  EXPECT_TRUE(f.log.Errors().empty()) << f.log.Errors().front();
  const FractionSummary& above = f.engine->FractionRows[2];
  EXPECT_DOUBLE_EQ(above.mean, 44);
  EXPECT_EQ(above.verdict, 0);
  EXPECT_EQ(above.criticalRange, -1);
  EXPECT_NEAR(above.difference, 8.0 * 300 / 132, 1e-12);
  EXPECT_EQ(f.engine->FractionRows[3].verdict, 1);

  FillFractionTable(*f.engine);
  const TableModel& t = f.tables.fractions;
  EXPECT_EQ(Engine3Fixture::Row(t, 0), (Strings{"Фр. 70-80", "40.000", "44.000", "48.000", "44.000", "---",
                                                Format("%.3f", 8.0 * 300 / 132), "---", "---"}));
  EXPECT_EQ(Engine3Fixture::Row(t, 1),
            (Strings{"Фр. 80-90", "3.000", "3.000", "3.000", "3.000", "0.660", "0.000", "13.200", "Да"}));
}

// Two early peaks on one sample point leave an empty range between them: the boundary is
// the first point after the peak's point.
TEST(CutFractionsReview, EarlyPeaksOnOneSamplePoint) {
  Engine3Fixture f(AstmD2887A);
  f.Calibrate(0, 0, 60, 600);
  ChrmResult& a = f.AddAnalysis();
  ChrmFile& file = *f.files.back();
  file.channels.resize(1);
  file.channels[0].startTime = 0;
  file.channels[0].step = 0.1;
  file.channels[0].samples.assign(601, 5.0f);
  for (const auto& [name, time] : {std::pair{"С5", 2.0}, std::pair{"С6", 2.04}}) {
    ChrmPeak peak;
    peak.name = name;
    peak.time = time;
    peak.front = time - 0.1;
    peak.back = time + 0.1;
    file.channels[0].peaks.push_back(peak);
  }
  a.StartTime = 0;
  a.Step = 0.1;
  a.Signal.assign(601, 5.0);
  a.Signal[20] = 1.0;  // the peaks' own point is not a candidate
  a.Signal[21] = 3.0;
  a.EndTemp = 500;
  CutFractions(*f.engine, a, 70, 10);
  ASSERT_EQ(a.NamedFractionCount, 2);
  EXPECT_DOUBLE_EQ(a.Fractions[2].boundaryTime, 2.1);
  EXPECT_EQ(a.Fractions[2].boundarySignal, 3.0);
  EXPECT_DOUBLE_EQ(a.Fractions[3].boundaryTime, 2.14);  // the back of the last early peak
}

// A check mixture whose n-decane peak has an area of 0 gives no ratio to judge against:
// no factor may come out infinite or not a number, in the rows or in the list.
TEST(CheckResponseFactorsReview, DecaneWithoutAreaGivesNoUndefinedFactor) {
  for (int32_t method : {AstmD2887A, Iso3924, Gost56720A}) {
    SCOPED_TRACE(testing::Message() << "method " << method);
    Engine3Fixture f(method);
    for (const char* name : {"C10", "C12"}) {
      ComponentRecord c;
      c.name = c.altName = ToCyrillicC(name);
      c.nameLatin = c.altNameLatin = name;
      c.mixtureMass = 1.0;
      f.components.push_back(c);
    }
    ChrmFile check;
    check.channels.resize(1);
    for (const auto& [name, area] : {std::pair{"С10", 0.0}, std::pair{"С12", 500.0}}) {
      ChrmPeak peak;
      peak.name = name;
      peak.area = area;
      check.channels[0].peaks.push_back(peak);
    }
    f.calibration.CheckChrm = &check;
    CheckResponseFactors(*f.engine);
    FillResponseList(*f.engine);
    for (const ResponseRow& row : f.calibration.responseRows) EXPECT_TRUE(std::isfinite(row.factor));
    const TableModel& list = f.tables.response;
    ASSERT_EQ(list.RowCount(), 2);
    for (int r = 0; r < list.RowCount(); ++r) {
      EXPECT_EQ(list.Cell(r, 4), "---") << r;  // no factor
      EXPECT_EQ(list.Cell(r, 5), "---") << r;  // so no conformity either
    }
  }
}

}  // namespace
}  // namespace p528::test
