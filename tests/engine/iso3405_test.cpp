// ISO 3405 correlation: sources of the simulated temperatures, the rows used at both ends,
// missing values, and the list.
#include "engine/iso3405.h"
#include "engine/repeatability.h"
#include "engine/tables/iso3405_table.h"
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace p528::test {
namespace {

using Strings = std::vector<std::string>;

const std::vector<double> kGostPercents = {0.5, 5, 10, 15, 20, 30, 40, 50, 60, 70, 80, 90, 95, 99.5};

// Simulated temperatures rising with the percent: T(p) = 100 + 4p.
std::vector<double> Temps(const std::vector<double>& percents, double shift = 0) {
  std::vector<double> t;
  for (double p : percents) t.push_back(100 + 4 * p + shift);
  return t;
}

double Tiso(const Iso3405Coeff& c, double t1, double t2, double t3) {
  return c.c0 + c.c1 * t1 + c.c2 * t2 + c.c3 * t3;
}

TEST(Iso3405, TableRows) {
  const auto table = Iso3405Table();
  ASSERT_EQ(table.size(), 11u);
  EXPECT_EQ(table[0].percent, 0.5);
  EXPECT_EQ(table[0].R, 13.71);
  EXPECT_EQ(table[5].percent, 50);
  EXPECT_EQ(table[9].c1, -0.0979);
  EXPECT_EQ(table[10].percent, 99.5);
  EXPECT_EQ(table[10].c0, 19.444);
}

TEST(Iso3405, OneAnalysisInitialBoilingPoint) {
  EngineFixture f;
  f.AddPoints({0.5, 5, 10}, {100, 150, 180});
  CorrelateIso3405(f.engine);
  const std::vector<Iso3405Row>& rows = f.engine.Iso3405Rows;
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_NEAR(rows[0].tiso, 156.7497, 1e-9);
  EXPECT_EQ(rows[0].tsd, 100);
  EXPECT_TRUE(IsIso3405Value(rows[1].tiso));   // 5 % uses 0.5, 5 and 10
  EXPECT_FALSE(IsIso3405Value(rows[2].tiso));  // 10 % needs 20 %
  FillIso3405Table(f.engine, f.shell, f.tables.iso3405);
  const TableModel& t = f.tables.iso3405;
  ASSERT_EQ(t.RowCount(), 11);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"Тнк (0.5)", "156.75", "13.71"}));
  EXPECT_EQ(EngineFixture::Row(t, 3), (Strings{"20.0", "---", "---"}));
  EXPECT_EQ(EngineFixture::Row(t, 10), (Strings{"Ткк (99.5)", "---", "---"}));
}

TEST(Iso3405, RowsUsedAtBothEndsAndInBetween) {
  EngineFixture f(Gost56720A);
  const std::vector<double> temps = Temps(kGostPercents);
  f.AddPoints(kGostPercents, temps);
  CorrelateIso3405(f.engine);
  const auto table = Iso3405Table();
  const auto T = [](double p) { return 100 + 4 * p; };
  const std::vector<Iso3405Row>& rows = f.engine.Iso3405Rows;
  EXPECT_DOUBLE_EQ(rows[0].tiso, Tiso(table[0], T(0.5), T(5), T(10)));
  EXPECT_DOUBLE_EQ(rows[4].tiso, Tiso(table[4], T(20), T(30), T(50)));  // 30 %: its table neighbours
  EXPECT_DOUBLE_EQ(rows[10].tiso, Tiso(table[10], T(90), T(95), T(99.5)));
  for (const Iso3405Row& row : rows) EXPECT_TRUE(IsIso3405Value(row.tiso)) << row.coeff->percent;
}

TEST(Iso3405, TwoAnalysesOfMethodAUseTheMeanTemperatures) {
  EngineFixture f(Gost56720A);
  f.AddPoints(kGostPercents, Temps(kGostPercents));
  f.AddPoints(kGostPercents, Temps(kGostPercents, 2));
  CheckRepeatability(f.engine);
  CorrelateIso3405(f.engine);
  const auto table = Iso3405Table();
  const auto M = [](double p) { return 100 + 4 * p + 1; };
  EXPECT_DOUBLE_EQ(f.engine.Iso3405Rows[5].tsd, M(50));
  EXPECT_DOUBLE_EQ(f.engine.Iso3405Rows[5].tiso, Tiso(table[5], M(30), M(50), M(70)));
}

TEST(Iso3405, SeveralAnalysesOfMethodBGiveNothing) {
  EngineFixture f(Gost56720B);
  const std::vector<double> percents = {0.5, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95};
  f.AddPoints(percents, Temps(percents));
  f.AddPoints(percents, Temps(percents, 1));
  CheckRepeatability56720B(f.engine);
  CorrelateIso3405(f.engine);
  FillIso3405Table(f.engine, f.shell, f.tables.iso3405);
  const TableModel& t = f.tables.iso3405;
  ASSERT_EQ(t.RowCount(), 11);
  for (int r = 0; r < t.RowCount(); ++r) EXPECT_EQ(t.Cell(r, 2), "---") << r;
}

TEST(Iso3405, MissingTwentyPercentBlanksItsNeighbours) {
  EngineFixture f(Gost56720A);
  std::vector<double> percents;
  for (double p : kGostPercents)
    if (p != 20) percents.push_back(p);
  f.AddPoints(percents, Temps(percents));
  CorrelateIso3405(f.engine);
  FillIso3405Table(f.engine, f.shell, f.tables.iso3405);
  const TableModel& t = f.tables.iso3405;
  const Strings expectedMissing = {"10.0", "20.0", "30.0"};
  for (int r = 0; r < t.RowCount(); ++r) {
    const bool missing =
        std::find(expectedMissing.begin(), expectedMissing.end(), t.Cell(r, 1)) != expectedMissing.end();
    EXPECT_EQ(t.Cell(r, 2) == "---", missing) << t.Cell(r, 1);
    EXPECT_EQ(t.Cell(r, 3) == "---", missing) << t.Cell(r, 1);
  }
}

TEST(Iso3405, TemperatureOutsideTheCalibrationIsMissing) {
  // A point that the calibration does not cover has temperature -1, not a temperature.
  EngineFixture f(AstmD2887A);
  std::vector<double> temps = Temps(kGostPercents);
  temps.back() = -1;  // 99.5 % outside
  f.AddPoints(kGostPercents, temps);
  CorrelateIso3405(f.engine);
  const std::vector<Iso3405Row>& rows = f.engine.Iso3405Rows;
  EXPECT_FALSE(IsIso3405Value(rows[10].tsd));
  EXPECT_FALSE(IsIso3405Value(rows[10].tiso));
  EXPECT_FALSE(IsIso3405Value(rows[9].tiso));  // 95 % uses 90, 95 and 99.5
  EXPECT_TRUE(IsIso3405Value(rows[8].tiso));
}

TEST(Iso3405, NoAnalysisNoRows) {
  EngineFixture f;
  CorrelateIso3405(f.engine);
  FillIso3405Table(f.engine, f.shell, f.tables.iso3405);
  EXPECT_TRUE(f.engine.Iso3405Rows.empty());
  EXPECT_EQ(f.tables.iso3405.RowCount(), 0);
}

}  // namespace
}  // namespace p528::test
