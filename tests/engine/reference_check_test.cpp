#include "engine/reference_check.h"
#include "engine/tables/repeatability_tables.h"

#include "engine/tables/reference_tables.h"
#include "support/engine_fixture.h"
#include "support/fake_host.h"
#include "workbench/custom_reference.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace p528 {
namespace {

using Cells = std::vector<std::string>;

TEST(ReproducibilityLimits, PerStandard) {
  struct Case {
    double p, T;
    double astm, iso, gost;
  };
  const double T = 300.0;
  const Case cases[] = {
      {0.5, T, 7.6, 0.066 * T, 0.066 * T},
      {5, T, 3.8, 0.015 * (T + 100), 0.015 * (T + 100)},
      {10, T, 4.1, 0.015 * (T + 100), 0.015 * (T + 100)},
      {15, T, 4.5, 0.015 * (T + 100), 0.015 * (T + 100)},
      {20, T, 4.9, 0.015 * (T + 100), 0.015 * (T + 100)},
      {25, T, -1, -1, 0.015 * (T + 100)},
      {30, T, 4.7, 0.013 * (T + 100), 0.015 * (T + 100)},
      {35, T, -1, 0.013 * (T + 100), -1},
      {40, T, 4.3, 4.3, 4.3},
      {45, T, 4.3, -1, 4.3},
      {65, T, 4.3, 4.3, 4.3},
      {90, T, 4.3, 4.3, 4.3},
      {95, T, 5.0, 5.0, 5.0},
      {99.5, T, 11.8, 11.8, 12.0},
      {100, T, -1, 11.8, -1},
      {2, T, -1, -1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReproducibilityLimitAstm(c.p), c.astm) << c.p;
    EXPECT_EQ(ReproducibilityLimitIso3924(c.p, c.T), c.iso) << c.p;
    EXPECT_EQ(ReproducibilityLimit56720A(c.p, c.T), c.gost) << c.p;
  }
}

TEST(ReferenceTemperature, TablesByMethodAndLot) {
  struct Case {
    int method, lot;
    double p, expected;
  };
  const Case cases[] = {
      {AstmD2887A, Lot1, 0.5, 114}, {AstmD2887A, Lot2, 0.5, 115}, {AstmD2887A, Lot1, 25, -1},
      {AstmD2887A, Lot2, 25, 243},  {AstmD2887A, Lot1, 85, 389},  {AstmD2887A, Lot2, 99.5, 475},
      {Iso3924, Lot1, 95, 425},     {Gost56720A, Lot2, 90, 407},  {Gost56720A, Lot2, 25, -1},
      {Iso3924, Lot1, 85, -1},      {Gost56720B, Lot1, 50, -1},   {Gost54291, Lot2, 50, -1},
      {AstmD2887B, Lot1, 50, -1},   {AstmD2887A, Custom, 50, -1}, {AstmD2887A, Lot1, 50.0001, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReferenceTemperature(c.method, c.lot, c.p), c.expected)
        << "method " << c.method << " lot " << c.lot << " p " << c.p;
  EXPECT_EQ(RefTableAstm().size(), 21u);
  EXPECT_EQ(RefTableGost().size(), 14u);
}

TEST(ReferencePercents, PointListsOfTheReferenceTable) {
  EXPECT_EQ(ReferencePercents(AstmD2887A).size(), 21u);
  const std::vector<double> gost = {0.5, 5, 10, 15, 20, 30, 40, 50, 60, 70, 80, 90, 95, 99.5};
  for (int method : {Gost56720A, Gost56720B, Iso3924}) EXPECT_EQ(ReferencePercents(method), gost);
  std::vector<double> without95 = gost;
  without95.erase(without95.end() - 2);
  EXPECT_EQ(ReferencePercents(Gost54291), without95);  // 13 points
}

// The comparison on a given point table: each point measured at its certified temperature
// plus `offset` (300 °C where the lot certifies nothing).
struct CompareFixture : test::EngineFixture {
  CustomReference custom;

  void Points(int method, int lot, double offset) {
    SetMethod(method);
    engine.settings.refType = lot;
    engine.Reference.PointTable.clear();
    for (double p : ReferencePercents(method)) {
      double t =
          ReferenceTemperature(method == AstmD2887A ? AstmD2887A : Iso3924, lot == Custom ? Lot1 : lot, p);
      if (t < 0) t = 300.0;
      engine.Reference.PointTable.push_back({1.0, t + offset, p});
    }
  }
  void Compare() {
    engine.settings.customReference = CalculationReference(custom);
    CompareReferencePoints(engine, engine.settings.customReference);
    FillReferenceTable(engine, shell, tables.reference);
  }
  const Cells& Row(double p) const {
    for (int i = 0; i < tables.reference.RowCount(); ++i)
      if (engine.Reference.PointTable[static_cast<std::size_t>(i)].percent == p)
        return tables.reference.RowCells(i);
    static const Cells none;
    return none;
  }
};

TEST(CompareReferencePoints, Lot1UnderAstm) {
  CompareFixture f;
  f.Points(AstmD2887A, Lot1, 1.0);
  f.Compare();
  EXPECT_TRUE(f.messages.IsEmpty()) << f.Joined(f.messages.Errors());
  ASSERT_EQ(f.tables.reference.RowCount(), 21);
  EXPECT_EQ(f.Row(0.5), (Cells{"", "Тнк (0.5)", "114.00", "115.00", "1.00", "7.60", "Да"}));
  EXPECT_EQ(f.Row(99.5), (Cells{"", "Ткк (99.5)", "475.00", "476.00", "1.00", "11.80", "Да"}));
  for (double p : {25.0, 35.0, 45.0, 55.0})
    EXPECT_EQ(f.Row(p), (Cells{"", Format("%.1f", p), "---", "301.00", "---", "---", "---"})) << p;
  EXPECT_EQ(f.Row(65), (Cells{"", "65.0", "343.00", "344.00", "1.00", "4.30", "Да"}));
  EXPECT_EQ(f.Row(75)[2], "364.00");
  EXPECT_EQ(f.Row(85)[2], "389.00");
  const RefCheckRow& row25 = f.engine.RefRows[5];
  EXPECT_EQ(row25.verdict, 0);
  EXPECT_EQ(row25.R, -1.0);
  EXPECT_EQ(row25.percent, -1.0);  // the row's percent is never filled
}

TEST(CompareReferencePoints, Lot2UnderAstmComparesEveryPointButJudges25And35NoLimit) {
  CompareFixture f;
  f.Points(AstmD2887A, Lot2, -2.0);
  f.Compare();
  EXPECT_TRUE(f.messages.IsEmpty()) << f.Joined(f.messages.Errors());
  EXPECT_EQ(f.Row(25), (Cells{"", "25.0", "243.00", "241.00", "2.00", "---", "---"}));
  EXPECT_EQ(f.Row(35), (Cells{"", "35.0", "275.00", "273.00", "2.00", "---", "---"}));
  EXPECT_EQ(f.Row(45), (Cells{"", "45.0", "302.00", "300.00", "2.00", "4.30", "Да"}));
}

TEST(CompareReferencePoints, ExceededLimitMessagePerMethod) {
  struct Case {
    int method;
    double offset;
    double p;
    const char* head;
  };
  const Case cases[] = {
      {AstmD2887A, 5.0, 50,
       "При анализе эталонного образца превышен предел воспроизводимости для доли отгона 50.0%, ASTM D "
       "2887-2013 п. 10.4.1:"},
      {Iso3924, 5.0, 50,
       "При анализе эталонного образца превышен предел воспроизводимости для доли отгона 50.0%, ГОСТ ISO "
       "3924-2017 п. 9.4.3:"},
      {Gost56720A, 5.0, 50,
       "При анализе эталонного образца превышен предел воспроизводимости для доли отгона 50.0%, ГОСТ Р "
       "56720-2015 п. 9.4:"},
  };
  for (const Case& c : cases) {
    CompareFixture f;
    f.Points(c.method, Lot1, 0.0);
    for (DistPoint& point : f.engine.Reference.PointTable)
      if (point.percent == c.p) point.temp += c.offset;
    f.Compare();
    SCOPED_TRACE(testing::Message() << "method " << c.method);
    EXPECT_EQ(f.messages.Errors(),
              std::vector<std::string>{std::string(c.head) +
                                       "\r\n\t\tНорматив R, °С: 4.30\r\n\t\tРазность, °С: 5.00"});
    EXPECT_EQ(f.Row(c.p)[6], "Нет");
  }
}

// GOST R 56720 method A allows 12.0 °C at 99.5 %, GOST ISO 3924 11.8 °C.
TEST(CompareReferencePoints, FinalBoilingPointLimits) {
  for (int method : {Gost56720A, Iso3924}) {
    CompareFixture f;
    f.Points(method, Lot1, 0.0);
    f.engine.Reference.PointTable.back().temp = 475 + 11.9;
    f.Compare();
    const RefCheckRow& last = f.engine.RefRows.back();
    EXPECT_EQ(last.R, method == Gost56720A ? 12.0 : 11.8);
    EXPECT_EQ(last.verdict, method == Gost56720A ? 1 : 2);
  }
}

// GOST ISO 3924 uses 0.013 × (T + 100) at 30 % and 0.015 × (T + 100) at 20 %, T the mean.
TEST(CompareReferencePoints, Iso3924FactorsAt30And20Percent) {
  CompareFixture f;
  f.Points(Iso3924, Lot1, 3.0);
  f.Compare();
  const RefCheckRow& at20 = f.engine.RefRows[4];
  const RefCheckRow& at30 = f.engine.RefRows[5];
  EXPECT_EQ(at20.meanTemp, (224.0 + 221.0) / 2);
  EXPECT_EQ(at20.R, 0.015 * ((224.0 + 221.0) / 2 + 100));
  EXPECT_EQ(at30.R, 0.013 * ((261.0 + 258.0) / 2 + 100));
  EXPECT_EQ(f.Row(30)[5], Format("%.2f", 0.013 * (259.5 + 100)));
}

// A difference exactly equal to R is an exceeded limit; just below it conforms.
TEST(CompareReferencePoints, DifferenceEqualToTheLimitFails) {
  CompareFixture f;
  f.custom.rows[10].temperature = 300;  // 50 %
  f.custom.rows[10].deviation = 4.0;
  for (double offset : {4.0, 3.999}) {
    f.messages.Clear();
    f.Points(AstmD2887A, Custom, 0.0);
    f.engine.Reference.PointTable[10].temp = 300 + offset;
    f.Compare();
    const RefCheckRow& row = f.engine.RefRows[10];
    EXPECT_EQ(row.verdict, offset == 4.0 ? 2 : 1) << offset;
    EXPECT_EQ(f.messages.Errors().size(), offset == 4.0 ? 1u : 0u) << offset;
  }
}

// The internal-standard methods have no built-in table: with a built-in lot nothing is
// compared and nothing reported.
TEST(CompareReferencePoints, InternalStandardMethodsWithABuiltInLot) {
  for (int method : {Gost56720B, Gost54291}) {
    CompareFixture f;
    f.Points(method, Lot1, 0.0);
    f.Compare();
    EXPECT_TRUE(f.messages.IsEmpty());
    ASSERT_EQ(f.tables.reference.RowCount(), method == Gost54291 ? 13 : 14);
    for (int i = 0; i < f.tables.reference.RowCount(); ++i) {
      for (const std::size_t column : std::initializer_list<std::size_t>{2, 4, 5, 6})
        EXPECT_EQ(f.tables.reference.RowCells(i)[column], "---") << "row " << i << ", column " << column;
    }
  }
}

// A user-defined deviation of 0 fails every compared point, while the list shows "---" as
// limit and conformity; under a method without a built-in table the message's head line
// names the percent and the user's reference (never an empty first line).
TEST(CompareReferencePoints, CustomDeviationZeroFailsEveryPoint) {
  CompareFixture f;
  for (int i = 0; i < kGasoilRowCount; ++i) {
    f.custom.rows[static_cast<std::size_t>(i)].temperature = 200 + i;
    f.custom.rows[static_cast<std::size_t>(i)].deviation = 0.0;
  }
  f.custom.rows[3].temperature = -1;  // 15 %: not set, not compared
  f.Points(Gost56720B, Custom, 0.0);
  for (DistPoint& point : f.engine.Reference.PointTable)
    point.temp = f.custom.TemperatureAt(point.percent) + 0.5;
  f.Compare();
  EXPECT_EQ(f.messages.Errors().size(), 13u);  // 14 points, one not certified
  EXPECT_EQ(f.messages.Errors()[0],
            "При анализе эталонного образца превышено допустимое отклонение для доли отгона 0.5% (эталон "
            "пользователя):\r\n\t\tНорматив R, °С: 0.00\r\n\t\tРазность, °С: 0.50");
  EXPECT_EQ(f.Row(0.5), (Cells{"", "Тнк (0.5)", "200.00", "200.50", "0.50", "---", "---"}));
  EXPECT_EQ(f.Row(15)[2], "---");
  EXPECT_EQ(f.engine.RefRows[0].verdict, 2);
}

TEST(CompareReferencePoints, PointOutsideTheCalibration) {
  CompareFixture f;
  f.Points(AstmD2887A, Lot1, 0.0);
  f.engine.Reference.PointTable[0] = {-1.0, -1.0, 0.5};
  f.engine.Reference.PointTable[20] = {-1.0, -1.0, 99.5};
  f.Compare();
  EXPECT_EQ(f.messages.Errors(),
            std::vector<std::string>(
                2, "Градуировочный график не охватывает границы температуры кипения эталонного образца!"));
  EXPECT_EQ(f.Row(0.5), (Cells{"", "Тнк (0.5)", "114.00", "-1.00", "---", "---", "---"}));
  EXPECT_EQ(f.engine.RefRows[0].meanTemp, -1.0);
}

// ---- the whole check ----

TEST(CheckReferenceSample, MissingRunOrChannelsIsAWarning) {
  test::EngineFixture f;
  CheckReferenceSample(f.engine);
  EXPECT_EQ(f.messages.Warnings(), std::vector<std::string>{"Отсутствует хроматограмма эталонного образца!"});

  f.messages.Clear();
  ChrmFile empty;
  f.engine.LoadResult(f.engine.Reference, 0.0, empty);
  CheckReferenceSample(f.engine);
  EXPECT_EQ(f.messages.Warnings(),
            std::vector<std::string>{"В хроматограмме эталонного образца нет каналов"});
  EXPECT_TRUE(f.engine.RefRows.empty());
}

// A reference equal to the blank has no area: the check ends without a message.
TEST(CheckReferenceSample, NoAreaEndsSilently) {
  test::EngineFixture f;
  ChrmFile blank;
  blank.channels.push_back(test::FlatChannel(0.0, 0.01, 1000, 5.0f));
  ChrmFile reference = blank;
  f.Calibrate(0.0, 100.0, 10.0, 600.0);
  f.engine.LoadResult(f.engine.Blank, 0.0, blank);
  f.engine.LoadResult(f.engine.Reference, 0.0, reference);
  CheckReferenceSample(f.engine);
  EXPECT_TRUE(f.messages.IsEmpty());
  EXPECT_TRUE(f.engine.RefRows.empty());
  EXPECT_EQ(f.tables.reference.RowCount(), 0);
}

// The user-defined reference is read from the settings at every calculation.
TEST(CheckReferenceSample, CustomReferenceComesFromTheSettings) {
  test::FakeHost host;  // holds the stored reference
  test::EngineFixture f;
  f.shell = host.MakeShell();
  CustomReference stored(f.shell);
  stored.rows[0].temperature = 150;
  stored.rows[0].deviation = 100;
  stored.Save(f.shell);
  // A reference that elutes evenly between 1 and 9 min on a line from 100 °C (0 min) to
  // 600 °C (10 min).
  ChrmFile blank;
  blank.channels.push_back(test::FlatChannel(0.0, 0.01, 1001));
  ChrmFile reference = blank;
  for (std::size_t i = 100; i <= 900; ++i) reference.channels[0].samples[i] = 10.0f;
  f.Calibrate(0.0, 100.0, 10.0, 600.0);
  f.SetMethod(Iso3924);
  f.engine.RefType = Custom;
  f.engine.settings = f.engine.CurrentSettings();
  f.engine.LoadResult(f.engine.Blank, 0.0, blank);
  f.engine.LoadResult(f.engine.Reference, 0.0, reference);
  CheckReferenceSample(f.engine);
  FillReferenceTable(f.engine, f.shell, f.tables.reference);
  ASSERT_EQ(f.engine.RefRows.size(), 14u);
  EXPECT_EQ(f.engine.RefRows[0].verdict, 1);
  EXPECT_EQ(f.engine.RefRows[0].R, 100.0);
  EXPECT_EQ(f.engine.RefRows[1].verdict, 0);  // 5 %: not set in the stored reference
  EXPECT_EQ(f.tables.reference.Cell(0, 2), "150.00");
  EXPECT_TRUE(f.messages.Errors().empty()) << f.Joined(f.messages.Errors());
}

}  // namespace
}  // namespace p528
