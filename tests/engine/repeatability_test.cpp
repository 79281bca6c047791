// Repeatability of parallel analyses: the limits of each standard, the rounding of the
// internal-standard methods, the verdicts and messages, and the three layouts of the
// "Доля отгона" table.
#include "engine/repeatability.h"
#include "engine/tables/repeatability_tables.h"
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace p528::test {
namespace {

using Strings = std::vector<std::string>;

// The repeatability list filled from the engine's rows.
const TableModel& RepeatabilityList(EngineFixture& f) {
  FillRepeatabilityTable(f.engine, f.shell, f.tables.repeatability);
  return f.tables.repeatability;
}

// ---------------------------------------------------------------------------------------
// Limits and rounding.

struct LimitCase {
  const char* what;
  double (*limit)(double, double);
  double p;
  double T;
  double expected;
};

TEST(RepeatabilityLimits, LimitsByPercentAndTemperature) {
  const LimitCase cases[] = {
      {"ASTM r at IBP", RepeatabilityLimitAstm, 0.5, 100, 1.1},
      {"ASTM r at 5 %", RepeatabilityLimitAstm, 5, 150, 0.8},
      {"ASTM r at 40 %", RepeatabilityLimitAstm, 40, 300, 0.8},
      {"ASTM r just above 40 %", RepeatabilityLimitAstm, 45, 300, 1.0},
      {"ASTM r at 90 %", RepeatabilityLimitAstm, 90, 300, 1.0},
      {"ASTM r at 95 %", RepeatabilityLimitAstm, 95, 300, 1.2},
      {"ASTM r at FBP", RepeatabilityLimitAstm, 99.5, 300, 3.2},
      {"ASTM r below IBP", RepeatabilityLimitAstm, 0.25, 300, -1},
      {"56720 A r at IBP", RepeatabilityLimit56720A, 0.5, 200, 2.2},
      {"56720 A r at 45 % (none)", RepeatabilityLimit56720A, 45, 300, -1},
      {"56720 A r at 95 %", RepeatabilityLimit56720A, 95, 300, 1.2},
      {"56720 A r at FBP", RepeatabilityLimit56720A, 99.5, 300, 3.3},
      {"56720 A R at 30 %", ReproducibilityLimit56720A, 30, 200, 4.5},
      {"56720 A R at 35 % (none)", ReproducibilityLimit56720A, 35, 200, -1},
      {"56720 A R at FBP", ReproducibilityLimit56720A, 99.5, 500, 12.0},
  };
  for (const LimitCase& c : cases) EXPECT_NEAR(c.limit(c.p, c.T), c.expected, 1e-12) << c.what;
  // 0.0032 × (T + 100) for 0.5 < p <= 5.
  EXPECT_NEAR(RepeatabilityLimitAstm(5, 150), 0.8, 1e-12);
  EXPECT_NEAR(RepeatabilityLimitAstm(2, 150), 0.0032 * 250, 1e-12);
}

TEST(RepeatabilityLimits, TablesOfTheInternalStandardMethods) {
  ASSERT_EQ(LimitTable56720B().size(), 13u);
  EXPECT_EQ(LimitTable56720B()[6].percent, 50);
  EXPECT_EQ(LimitTable56720B()[6].delta, 15);
  EXPECT_EQ(LimitTable56720B()[6].limit, 11.0);
  EXPECT_EQ(LimitTable56720B()[12].percent, 99.5);
  EXPECT_EQ(RepeatabilityLimit54291(-1), 2.6);
  EXPECT_EQ(RepeatabilityLimit54291(85), 18.8);
  EXPECT_EQ(RepeatabilityLimit54291(90), 20.7);
  EXPECT_EQ(RepeatabilityLimit54291(15), -1);
  EXPECT_EQ(RepeatabilityLimit54291(95), -1);
}

TEST(RepeatabilityLimits, RoundingOfTheDifference) {
  const struct {
    double in, out;
  } cases[] = {{11.04, 11}, {9.96, 10.0}, {9.94, 9.9}, {9.95, 10.0}, {10.5, 11}, {0.04, 0.0}, {0.05, 0.1}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundTemperatureDifference(c.in), c.out) << c.in;
}

// ---------------------------------------------------------------------------------------
// Area-normalisation methods.

const std::vector<double> kAstmPercents = {0.5, 5, 10, 50, 95, 99.5};

TEST(CheckRepeatability, DifferenceEqualToRIsExceeded) {
  EngineFixture f(AstmD2887A);
  f.AddPoints(kAstmPercents, {100, 150, 180, 300, 400, 500});
  f.AddPoints(kAstmPercents, {100, 150, 180, 301, 400, 500});
  CheckRepeatability(f.engine);
  ASSERT_EQ(f.engine.RepeatRows.size(), 6u);
  const RepeatRow& row = f.engine.RepeatRows[3];
  EXPECT_EQ(row.percent, 50);
  EXPECT_EQ(row.difference, 1.0);
  EXPECT_EQ(row.r, 1.0);
  EXPECT_EQ(row.verdict, 2);
  EXPECT_EQ(row.meanTemp, 300.5);
  EXPECT_EQ(row.R, 4.3);  // GOST ISO 3924 R, stored without verdict
  ASSERT_EQ(f.messages.Errors().size(), 1u);
  EXPECT_EQ(f.messages.Errors()[0],
            "Расхождение температур доли отгона 50.0% превышает предел повторяемости, ASTM D 2887-2013 "
            "п.14.1.1:\r\n\t\t\tПредел повторяемости, °C: 1.00\r\n\t\t\tРасхождение, °C: 1.00");
  EXPECT_EQ(f.engine.RepeatRows[0].verdict, 1);  // equal temperatures pass

  const TableModel& t = RepeatabilityList(f);
  EXPECT_EQ(EngineFixture::Captions(t), (Strings{"", "Доля, масс%", "T1, °C", "T2, °C", "Тср, °C",
                                                 "|Т1 - Т2|", "Норматив, °C", "Соответствие"}));
  EXPECT_EQ(t.Columns()[4].width, 75);
  ASSERT_EQ(t.RowCount(), 6);
  EXPECT_EQ(EngineFixture::Row(t, 3), (Strings{"50.0", "300.00", "301.00", "300.50", "1.00", "1.00", "Нет"}));
  EXPECT_EQ(t.Cell(0, 1), "Тнк (0.5)");
  EXPECT_EQ(t.Cell(5, 1), "Ткк (99.5)");
  EXPECT_EQ(t.Cell(0, 7), "Да");
}

TEST(CheckRepeatability, MessageHeadFollowsTheMethod) {
  const struct {
    int32_t method;
    const char* head;
  } cases[] = {
      {Iso3924, "ГОСТ ISO 3924-2017 п.13.1:"},
      {Gost56720A, "ГОСТ Р 56720-2015 п. 11.1:"},
  };
  for (const auto& c : cases) {
    EngineFixture f(c.method);
    f.AddPoints({50}, {300});
    f.AddPoints({50}, {310});
    CheckRepeatability(f.engine);
    ASSERT_EQ(f.messages.Errors().size(), 1u);
    EXPECT_NE(f.messages.Errors()[0].find(c.head), std::string::npos) << f.messages.Errors()[0];
  }
}

TEST(CheckRepeatability, Method56720AAt45PercentIsNotJudged) {
  EngineFixture f(Gost56720A);
  f.AddPoints({0.5, 40, 45, 50}, {100, 290, 300, 310});
  f.AddPoints({0.5, 40, 45, 50}, {100, 290, 305, 310});
  CheckRepeatability(f.engine);
  const RepeatRow& row = f.engine.RepeatRows[2];
  EXPECT_EQ(row.r, -1);
  EXPECT_EQ(row.verdict, 0);
  EXPECT_TRUE(f.messages.Errors().empty());
  EXPECT_EQ(EngineFixture::Row(RepeatabilityList(f), 2),
            (Strings{"45.0", "300.00", "305.00", "302.50", "5.00", "---", "---"}));
}

TEST(CheckRepeatability, ThreeAnalysesShowTwoAndAverageThree) {
  EngineFixture f(AstmD2887A);
  f.AddPoints({0.5, 50}, {100, 300});
  f.AddPoints({0.5, 50}, {100, 300.5});
  f.AddPoints({0.5, 50}, {103, 306});
  CheckRepeatability(f.engine);
  EXPECT_DOUBLE_EQ(f.engine.RepeatRows[1].meanTemp, (300 + 300.5 + 306) / 3);
  EXPECT_EQ(f.engine.RepeatRows[1].difference, 0.5);  // analyses 1 and 2 only
  const TableModel& t = RepeatabilityList(f);
  EXPECT_EQ(t.ColumnCount(), 8);  // no T3 column
  EXPECT_EQ(EngineFixture::Row(t, 1), (Strings{"50.0", "300.00", "300.50", "302.17", "0.50", "1.00", "Да"}));
}

TEST(CheckRepeatability, ThirdAnalysisOutsideTheCalibrationLeavesTheMeanUnknown) {
  // A temperature of -1 in the mean of three would show a mean a third too low.
  EngineFixture f(AstmD2887A);
  f.AddPoints({95, 99.5}, {400, 500});
  f.AddPoints({95, 99.5}, {400, 500.5});
  f.AddPoints({95, 99.5}, {400, -1});
  CheckRepeatability(f.engine);
  EXPECT_EQ(f.engine.RepeatRows[1].meanTemp, -1);
  EXPECT_EQ(f.engine.RepeatRows[1].verdict, 1);  // analyses 1 and 2 are still compared
  EXPECT_EQ(EngineFixture::Row(RepeatabilityList(f), 1),
            (Strings{"Ткк (99.5)", "500.00", "500.50", "---", "---", "---", "---"}));
}

TEST(CheckRepeatability, PointOutsideTheCalibrationAndDisagreeingPercents) {
  EngineFixture f(AstmD2887A);
  f.AddPoints({0.5, 5, 10, 15}, {100, -1, 180, 200});
  f.AddPoints({0.5, 5, 12, 15}, {100, 150, 180, 200});
  CheckRepeatability(f.engine);
  ASSERT_EQ(f.engine.RepeatRows.size(), 4u);
  EXPECT_EQ(f.engine.RepeatRows[1].percent, 5);
  EXPECT_EQ(f.engine.RepeatRows[1].meanTemp, -1);
  EXPECT_EQ(f.messages.Errors(),
            Strings{"Градуировочный график не охватывает границы температуры кипения пробы!"});
  // The check stops at the first index whose percents differ: rows 2 and 3 stay fresh.
  EXPECT_EQ(f.engine.RepeatRows[2].percent, -1);
  EXPECT_EQ(f.engine.RepeatRows[3].percent, -1);
  EXPECT_EQ(EngineFixture::Row(RepeatabilityList(f), 1),
            (Strings{"5.0", "---", "150.00", "---", "---", "---", "---"}));
}

TEST(CheckRepeatability, SingleAnalysisShowsItsTemperaturesOnly) {
  EngineFixture f(AstmD2887A);
  f.AddPoints({0.5, 5}, {100, 150});
  CheckRepeatability(f.engine);
  EXPECT_TRUE(f.engine.RepeatRows.empty());
  const TableModel& t = RepeatabilityList(f);
  EXPECT_EQ(EngineFixture::Captions(t),
            (Strings{"", "Доля, масс%", "T1, °C", "Тср, °C", "|Т1 - Т2|", "Норматив, °C", "Соответствие"}));
  EXPECT_EQ(EngineFixture::Row(t, 1), (Strings{"5.0", "150.00", "", "", "", ""}));
  EXPECT_TRUE(f.messages.Errors().empty());
}

// ---------------------------------------------------------------------------------------
// GOST R 56720 method B.

TEST(CheckRepeatability56720B, RoundedDifferenceAgainstTheTable) {
  EngineFixture f(Gost56720B);
  const std::vector<double> percents = {0.5, 5, 50, 90};
  f.AddPoints(percents, {100, 150, 300, 400});
  f.AddPoints(percents, {100, 159.96, 311.04, 417.6});
  const std::vector<DistPoint> third = f.engine.Analyses[0].PointTable;
  f.AddAnalysis().PointTable = third;
  f.engine.Analyses[0].LastPoint = {41, 410, 92.5};
  CheckRepeatability56720B(f.engine);
  const std::vector<RepeatRow>& rows = f.engine.RepeatRows;
  EXPECT_DOUBLE_EQ(rows[1].difference, 10.0);  // 9.96 -> 10.0 (then to the nearest degree: 10)
  EXPECT_EQ(rows[1].verdict, 2);               // 10 > 5.5
  EXPECT_EQ(rows[2].difference, 11);           // 11.04 -> 11, equal to the limit: conforms
  EXPECT_EQ(rows[2].verdict, 1);
  EXPECT_EQ(rows[3].difference, 18);  // 17.6 -> 18 > 17
  EXPECT_EQ(rows[3].verdict, 2);
  EXPECT_EQ(rows[2].percent, -1);  // method B leaves the percent
  EXPECT_EQ(rows[2].r, -1);
  ASSERT_EQ(f.messages.Errors().size(), 2u);
  EXPECT_EQ(f.messages.Errors()[1],
            "Разность температур доли отгона 90.0% не соответствует ГОСТ Р 56720-2015 п. 15.1!\r\n\t\t\t "
            "Предел повторяемости: 17.000 °C\r\n\t\t\t Разность температур анализа 1 и 2: 18.000 °C");

  const TableModel& t = RepeatabilityList(f);
  EXPECT_EQ(EngineFixture::Captions(t), (Strings{"", "Доля, масс%", "T1, °C", "T2, °C", "T3, °C", "Тср, °C",
                                                 "±Δ, °C", "|Т1 - Т2|", "Норматив, °C", "Соответствие"}));
  EXPECT_EQ(EngineFixture::Row(t, 2),
            (Strings{"50.0", "300.0", "311.0", "300.0", "303.7", "15.0", "11.0", "11.0", "Да"}));
  ASSERT_EQ(t.RowCount(), 5);
  EXPECT_EQ(EngineFixture::Row(t, 4),
            (Strings{"Посл. доля", "410.0 (92.5%)", "---", "---", "", "", "", "", ""}));
}

TEST(CheckRepeatability56720B, PointsOutsideTheCalibrationAreSilent) {
  EngineFixture f(Gost56720B);
  f.AddPoints({0.5, 5}, {100, -1});
  f.AddPoints({0.5, 5}, {100, 200});
  CheckRepeatability56720B(f.engine);
  EXPECT_EQ(f.engine.RepeatRows[1].difference, -1);
  EXPECT_EQ(f.engine.RepeatRows[1].verdict, 0);
  EXPECT_TRUE(f.messages.Errors().empty());
  EXPECT_EQ(EngineFixture::Row(RepeatabilityList(f), 1),
            (Strings{"5.0", "---", "200.0", "---", "---", "---", "---", "---"}));
}

// ---------------------------------------------------------------------------------------
// GOST R 54291.

TEST(CheckRepeatability54291, FivePercentStepAndOneMessagePerFailingPoint) {
  EngineFixture f(Gost54291);
  std::vector<double> percents = {0.5};
  for (double p = 5; p <= 90; p += 5) percents.push_back(p);
  std::vector<double> t1, t2;
  for (double p : percents) {
    t1.push_back(100 + 3 * p);
    // At 10 % the difference equals the limit 6.9: it conforms.
    t2.push_back(100 + 3 * p + (p == 85 ? 18.8 : p == 70 ? 19 : p == 10 ? 6.9 : 2));
  }
  f.AddPoints(percents, t1);
  f.AddPoints(percents, t2);
  CheckRepeatability54291(f.engine);
  const std::vector<RepeatRow>& rows = f.engine.RepeatRows;
  const auto at = [&](double p) -> const RepeatRow& {
    for (std::size_t i = 0; i < percents.size(); ++i)
      if (percents[i] == p) return rows[i];
    throw std::out_of_range("percent");
  };
  EXPECT_EQ(at(15).R, -1);  // no limit between the table's points
  EXPECT_EQ(at(15).verdict2, 0);
  EXPECT_EQ(at(85).R, 18.8);
  EXPECT_EQ(at(85).difference, 19);  // 18.8 rounds to 19 from 10 °C on
  EXPECT_EQ(at(85).verdict2, 2);
  EXPECT_EQ(at(70).verdict2, 2);  // 19 > 17.6
  EXPECT_EQ(at(80).verdict2, 1);
  EXPECT_EQ(at(10).difference, at(10).R);
  EXPECT_EQ(at(10).verdict2, 1);
  EXPECT_EQ(at(80).verdict, 0);  // GOST R 54291 gives the second verdict only
  ASSERT_EQ(f.messages.Errors().size(), 2u);
  EXPECT_EQ(f.messages.Errors()[1],
            "Разность температур доли отгона 85.0% не соответствует ГОСТ Р 54291-2010 п. 14.1.1!\r\n\t\t\t "
            "Норматив: 18.800 °C\r\n\t\t\t Разность температур анализа 1 и 2: 19.000 °C");

  f.engine.Analyses[0].Residue = 1.0;
  f.engine.Analyses[1].Residue = 3.6;
  CheckResidue54291(f.engine);
  const TableModel& t = RepeatabilityList(f);
  EXPECT_EQ(EngineFixture::Captions(t), (Strings{"", "Доля, масс%", "T1, °C", "T2, °C", "Тср, °C",
                                                 "|Т1 - Т2|", "Норматив, °C", "Соответствие"}));
  EXPECT_EQ(t.Columns()[4].width, 105);
  EXPECT_EQ(t.Columns()[6].width, 110);
  const int r85 = EngineFixture::FindRow(t, "85.0");
  EXPECT_EQ(EngineFixture::Row(t, r85), (Strings{"85.0", "355.0", "373.8", "364.4", "19.0", "18.8", "Нет"}));
  EXPECT_EQ(EngineFixture::Row(t, EngineFixture::FindRow(t, "15.0")),
            (Strings{"15.0", "145.0", "147.0", "146.0", "2.0", "---", "---"}));
  // Residues 1.0 and 3.6 differ by exactly the limit 2.6: they conform.
  const int residue = EngineFixture::FindRow(t, "Остаток");
  ASSERT_GT(residue, 0);
  EXPECT_EQ(EngineFixture::Row(t, residue - 1),
            (Strings{"Имя", "Конц.1, %масс", "Конц.2, %масс", "Ср конц., %масс", "Расхожд, %масс",
                     "Норматив, %масс", "Соответствие"}));
  EXPECT_EQ(EngineFixture::Row(t, residue),
            (Strings{"Остаток", "1.000", "3.600", "2.300", "2.600", "2.6", "Да"}));
  EXPECT_EQ(f.messages.Errors().size(), 2u);
}

TEST(CheckRepeatability54291, ResidueAboveTheLimitIsReportedOnce) {
  EngineFixture f(Gost54291);
  f.AddPoints({0.5}, {100}).Residue = 1.0;
  f.AddPoints({0.5}, {100}).Residue = 3.7;
  CheckResidue54291(f.engine);
  const TableModel& t = RepeatabilityList(f);
  ASSERT_EQ(f.messages.Errors().size(), 1u);
  EXPECT_EQ(f.messages.Errors()[0],
            "Расхождение массовых долей нелетучего остатка (RES) Анлиза 1 и 2 не соответствует\r\n\tГОСТ Р "
            "54291-2010 "
            "п.14.1.1:\r\n\t\tНоратив, %масс: 2.6\r\n\t\tРасхождение, %масс: 2.7");
  EXPECT_EQ(t.Cell(EngineFixture::FindRow(t, "Остаток"), 7), "Нет");
}

}  // namespace
}  // namespace p528::test
