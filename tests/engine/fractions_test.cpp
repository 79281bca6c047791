// Fraction composition: cutting, alignment of parallel analyses, corrections, the
// composition over the analyses with its limits and messages, and the fraction list.
#include "engine/fractions.h"
#include "shell/text.h"
#include "support/engine_fixture.h"
#include "workbench/result_lists.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace p528::test {
namespace {

using Strings = std::vector<std::string>;

// The names of an analysis's fraction records as the lists show them.
Strings NamesOf(const Shell& shell, const ChrmResult& a) {
  Strings names;
  for (const FractionRecord& r : a.Fractions)
    names.push_back(r.label.kind == FractionName::Peak ? r.name : FractionNameText(shell, r.label));
  return names;
}

// ---------------------------------------------------------------------------------------
// Limits and the number of temperature fractions.

TEST(FractionLimits, Bands) {
  const struct {
    double x, delta, sigmaR, r;
  } cases[] = {
      {0.004, -1, -1, -1},
      {0.005, 51 - 0.63, 10 - 0.155, 28 - 0.435},
      {0.05, 44.7, 8.45, 23.65},
      {0.1, 38.4, 6.9, 19.3},  // 0.1 still in the first band
      {0.5, 38, 7, 19},
      {1, 38, 7, 19},
      {1.5, 32, 6, 17},
      {2, 32, 6, 17},
      {5, 22, 4, 11},
      {25, 17, 3, 8},
      {25.01, -1, -1, -1},
  };
  for (const auto& c : cases) {
    const FractionLimit l = FractionLimits(c.x);
    EXPECT_NEAR(l.delta, c.delta, 1e-9) << c.x;
    EXPECT_NEAR(l.sigmaR, c.sigmaR, 1e-9) << c.x;
    EXPECT_NEAR(l.r, c.r, 1e-9) << c.x;
  }
}

TEST(FractionLimits, NumberOfTemperatureFractions) {
  const struct {
    double end, start, step;
    int32_t count;
  } cases
      [] =
          {
              {500, 70, 10, 43},  {495.4, 70, 10, 43}, {490.8, 70, 10, 42}, {491.0, 70, 10, 42},
              {70, 70, 10, 0},    {60, 70, 10, 0},     {500, 70, 0, 0},     {500, 70, -5, 0},
              {500, 70, 1e-9, 0},  // more than the list can hold: none instead of exhausting memory
              {-1, 70, 10, 0},
          };
  for (const auto& c : cases)
    EXPECT_EQ(TemperatureFractionCount(c.end, c.start, c.step), c.count) << c.end << " " << c.step;
}

// ---------------------------------------------------------------------------------------
// Cutting.

// An analysis on a 0.1 min grid of 601 points, calibrated 0 min = 0 °C to 60 min = 600 °C.
struct CutFixture : EngineFixture {
  ChrmResult* analysis = nullptr;
  CutFixture() : EngineFixture(AstmD2887A) {
    Calibrate(0, 0, 60, 600);
    analysis = &AddAnalysis();
    ChrmFile& file = *files.back();
    file.channels.resize(2);
    file.channels[0].startTime = 0;
    file.channels[0].step = 0.1;
    file.channels[0].samples.assign(601, 5.0f);
    analysis->StartTime = 0;
    analysis->Step = 0.1;
    analysis->Signal.assign(601, 5.0);
    analysis->EndTemp = 500;
  }
  void Peak(std::size_t channel, const std::string& name, double time, double front, double back) {
    ChrmPeak peak{.front = front, .back = back, .time = time, .name = name};
    files.back()->channels[channel].peaks.push_back(peak);
  }
  Strings Names() const { return NamesOf(shell, *analysis); }
};

TEST(CutFractions, WithoutEarlyPeaks) {
  const struct {
    double endTemp;
    std::size_t fractions;
    const char* last;
  } cases[] = {
      {500, 43, "Фр. 490-500"},
      {495.4, 43, "Фр. 490-495"},
      {490.8, 42, "Фр. 480-491"},
  };
  for (const auto& c : cases) {
    CutFixture f;
    f.analysis->EndTemp = c.endTemp;
    CutFractions(f.engine, *f.analysis, 70, 10);
    const Strings names = f.Names();
    ASSERT_EQ(names.size(), 2 + c.fractions) << c.endTemp;
    EXPECT_EQ(f.analysis->NamedFractionCount, 0);
    EXPECT_EQ(f.analysis->StepFractionCount, static_cast<int32_t>(c.fractions));
    EXPECT_EQ(names[0], "начало");
    EXPECT_EQ(names[1], "без имени");
    EXPECT_EQ(names[2], "Фр. 70-80");
    EXPECT_EQ(names.back(), c.last);
    // "без имени" ends at the start mark; the last fraction ends at EndTemp.
    EXPECT_DOUBLE_EQ(f.analysis->Fractions[1].boundaryTemp, 70);
    EXPECT_DOUBLE_EQ(f.analysis->Fractions[1].boundaryTime, 7.0);
    EXPECT_DOUBLE_EQ(f.analysis->Fractions.back().boundaryTemp, c.endTemp);
    EXPECT_DOUBLE_EQ(f.analysis->Fractions.back().boundaryTime, c.endTemp / 10);
    EXPECT_EQ(f.analysis->Fractions[2].area, -1);  // areas are measured by the driver
  }
}

TEST(CutFractions, EarlyPeaksEndAtTheSignalMinimumBetweenThem) {
  CutFixture f;
  f.Peak(1, "С6", 4.0, 3.8, 4.2);  // another channel
  f.Peak(0, "С5", 2.0, 1.9, 2.1);
  f.Peak(0, "С7", 8.0, 7.9, 8.1);  // after the start mark (7 min): not an early peak
  f.analysis->Signal[30] = 1.0;    // minimum between the peaks ...
  f.analysis->Signal[35] = 1.0;    // ... the earliest of equal values wins
  f.analysis->Signal[45] = 0.5;    // beyond the next peak's point: not looked at
  CutFractions(f.engine, *f.analysis, 70, 10);
  const Strings names = f.Names();
  ASSERT_EQ(names.size(), 2u + 2u + 43u);
  EXPECT_EQ(f.analysis->NamedFractionCount, 2);
  EXPECT_EQ(names[2], "С5");
  EXPECT_EQ(names[3], "С6");
  const FractionRecord& c5 = f.analysis->Fractions[2];
  EXPECT_DOUBLE_EQ(c5.peakTime, 2.0);
  EXPECT_DOUBLE_EQ(c5.boundaryTime, 3.0);
  EXPECT_DOUBLE_EQ(c5.boundaryTemp, 30);
  EXPECT_EQ(c5.boundarySignal, 1.0);
  const FractionRecord& c6 = f.analysis->Fractions[3];
  EXPECT_DOUBLE_EQ(c6.boundaryTime, 4.2);  // the back of the last early peak
  EXPECT_DOUBLE_EQ(c6.boundaryTemp, 42);
  EXPECT_EQ(c6.boundarySignal, 5.0);
  // "без имени" ends at the front of the first early peak found (channel 1 is read second).
  EXPECT_DOUBLE_EQ(f.analysis->Fractions[1].boundaryTime, 1.9);
  EXPECT_EQ(names[4], "Фр. 42-80");
}

// ---------------------------------------------------------------------------------------
// Corrections.

FractionRecord Record(const std::string& name, double area, double peakTime = -1.0) {
  FractionRecord r;
  r.name = name;
  r.area = area;
  r.peakTime = peakTime;
  return r;
}

ComponentRecord Component(const std::string& latinName, double factor) {
  ComponentRecord c;
  c.name = ToCyrillicC(latinName);
  c.nameLatin = latinName;
  c.responseFactor = factor;
  return c;
}

TEST(ApplyFractionCorrections, WeightedPercentsResidueAndDeclaredContents) {
  EngineFixture f(Gost56720B);
  f.components = {Component("C4", 0.0), Component("C5", 2.0)};
  ChrmResult& a = f.AddAnalysis();
  a.Fractions = {Record("начало", -1), Record("без имени", 10), Record("С4", 5, 1.0), Record("С5", 20, 2.0),
                 Record("Фр. 70-80", 70)};
  a.NamedFractionCount = 2;
  a.Residue = 10;
  ApplyFractionCorrections(f.engine, a, 1, 2, 2);
  // Weighted areas 10, 0, 40, 70: A = 120. Residue 10 % and 5 % declared contents.
  ASSERT_EQ(a.Fractions.size(), 4u);  // C4 (factor 0) is not reported
  EXPECT_EQ(a.NamedFractionCount, 1);
  const FractionRecord& c5 = a.Fractions[2];
  EXPECT_EQ(c5.name, "С5");
  EXPECT_EQ(c5.factor, 2.0);
  EXPECT_EQ(c5.weightedArea, 40);
  EXPECT_NEAR(c5.massPercent, 100.0 / 3, 1e-12);
  EXPECT_NEAR(c5.residuePercent, 30, 1e-12);
  EXPECT_NEAR(c5.correctedPercent, 28.5, 1e-12);
  EXPECT_NEAR(a.Fractions[1].correctedPercent, 7.125, 1e-12);
  EXPECT_NEAR(a.Fractions[3].correctedPercent, 49.875, 1e-12);
  EXPECT_NEAR(a.FractionTotal, 85.5 + 10, 1e-12);
}

TEST(ApplyFractionCorrections, PlaceholderStaysOutAndNoAreaGivesNoPercents) {
  EngineFixture f(Gost56720B);
  ChrmResult& a = f.AddAnalysis();
  a.Fractions = {Record("начало", -1), Record("без имени", 0), Record("С5", -1, 2.0),
                 Record("Фр. 70-80", 50)};
  a.NamedFractionCount = 1;
  ApplyFractionCorrections(f.engine, a, 0, 0, 0);
  EXPECT_EQ(a.Fractions[2].massPercent, -1);
  EXPECT_EQ(a.Fractions[2].correctedPercent, -1);
  EXPECT_EQ(a.Fractions[3].correctedPercent, 100);  // the placeholder takes no share
  EXPECT_EQ(a.FractionTotal, 100);

  ChrmResult& empty = f.AddAnalysis();
  empty.Fractions = {Record("начало", -1), Record("без имени", 0), Record("Фр. 70-80", 0)};
  ApplyFractionCorrections(f.engine, empty, 0, 0, 0);
  EXPECT_EQ(empty.Fractions[2].correctedPercent, -1);  // 0 / 0 is no percent
  EXPECT_EQ(empty.FractionTotal, 0);
}

// ---------------------------------------------------------------------------------------
// Alignment.

std::vector<FractionRecord> Cut(const Strings& early, const std::vector<double>& times) {
  std::vector<FractionRecord> list = {Record("начало", -1), Record("без имени", 1)};
  for (std::size_t i = 0; i < early.size(); ++i) list.push_back(Record(early[i], 1, times[i]));
  list.push_back(Record("Фр. 70-80", 1));
  return list;
}

TEST(AlignFractions, EveryAnalysisGetsTheEarlyRecordsOfTheOthers) {
  EngineFixture f(Gost56720B);
  ChrmResult& a1 = f.AddAnalysis();
  a1.Fractions = Cut({"С5", "С6"}, {2, 4});
  a1.NamedFractionCount = 2;
  f.AddAnalysis().Fractions = Cut({"С6"}, {4.1});
  f.engine.Analyses[1].NamedFractionCount = 1;
  f.AddAnalysis().Fractions = Cut({"С7"}, {5});
  f.engine.Analyses[2].NamedFractionCount = 1;
  AlignFractions(f.engine);
  for (const ChrmResult& a : f.engine.Analyses) {
    EXPECT_EQ(NamesOf(f.shell, a), (Strings{"начало", "без имени", "С5", "С6", "С7", "Фр. 70-80"}))
        << a.Number;
    EXPECT_EQ(a.NamedFractionCount, 3) << a.Number;
  }
  const FractionRecord& placeholder = f.engine.Analyses[1].Fractions[2];
  EXPECT_EQ(placeholder.area, -1);
  EXPECT_EQ(placeholder.peakTime, 2);
  EXPECT_EQ(f.engine.Analyses[1].Fractions[3].area, 1);  // its own record is untouched
}

TEST(AlignFractions, RunWithoutFractionsIsLeftAlone) {
  // Analysis 3 without a paired internal-standard run has no fractions cut.
  EngineFixture f(Gost56720B);
  f.AddAnalysis().Fractions = Cut({"С5"}, {2});
  f.engine.Analyses[0].NamedFractionCount = 1;
  f.AddAnalysis().Fractions = Cut({}, {});
  f.engine.Analyses[1].NamedFractionCount = 0;
  f.AddAnalysis();
  AlignFractions(f.engine);
  EXPECT_TRUE(f.engine.Analyses[2].Fractions.empty());
  EXPECT_EQ(NamesOf(f.shell, f.engine.Analyses[1]), (Strings{"начало", "без имени", "С5", "Фр. 70-80"}));
}

// ---------------------------------------------------------------------------------------
// Composition and the list.

// An analysis whose records carry the given reported concentrations (index 0 unused).
ChrmResult& WithConcentrations(EngineFixture& f, const Strings& names, const std::vector<double>& x,
                               double residue = -1) {
  ChrmResult& a = f.AddAnalysis();
  for (std::size_t i = 0; i < names.size(); ++i) {
    FractionRecord r = Record(names[i], 1);
    r.correctedPercent = x[i];
    a.Fractions.push_back(r);
  }
  a.Residue = residue;
  a.FractionTotal = 0;
  for (std::size_t i = 1; i < x.size(); ++i) a.FractionTotal += x[i] > 0 ? x[i] : 0;
  return a;
}

// The fraction list the engine's composition fills (named in the interface language).
const TableModel& FilledFractionList(EngineFixture& f) {
  NameFractions(f.shell, f.engine);
  FillFractionTable(f.engine, f.shell, f.tables.fractions);
  return f.tables.fractions;
}

const Strings kNames = {"начало", "без имени", "С5", "Фр. 70-80", "Фр. 80-90", "Фр. 90-100"};

TEST(FractionComposition, TwoAnalysesOfMethodA) {
  EngineFixture f(Gost56720A);
  WithConcentrations(f, kNames, {-1, 0.0005, 0.003, 40, 0.05, 3.0});
  WithConcentrations(f, kNames, {-1, 0.0009, 0.005, 44, 0.05, 3.5});
  FractionComposition(f.engine);
  const std::vector<FractionSummary>& rows = f.engine.FractionRows;
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[1].mean, -1);            // "без имени" up to 0.001 % counts as 0
  EXPECT_DOUBLE_EQ(rows[2].mean, 0.004);  // warned, kept
  EXPECT_EQ(rows[2].difference, -1);
  EXPECT_EQ(rows[3].verdict, 0);  // 42 % lies above the standard's table: not judged
  EXPECT_EQ(rows[3].r, -1);
  EXPECT_NEAR(rows[4].r, 23.65, 1e-12);
  EXPECT_EQ(rows[4].verdict, 1);
  EXPECT_NEAR(rows[5].difference, 0.5 * 200 / 6.5, 1e-12);
  EXPECT_EQ(rows[5].r, 11);
  EXPECT_EQ(rows[5].verdict, 0);
  EXPECT_NEAR(rows[5].accuracy, 22 * 0.01 * 3.25, 1e-12);
  EXPECT_NEAR(f.engine.FractionMeanTotal, 0.004 + 42 + 0.05 + 3.25, 1e-12);
  EXPECT_EQ(f.messages.Warnings(),
            (Strings{"Средняя массовая доля фракции \"С5\" менее 0.005% \r\n\tДанная фракция "
                     "исключена из расчета метрологической части."}));
  EXPECT_EQ(f.messages.Errors(),
            (Strings{"Расхождение массовых долей \"Фр. 90-100\" не соответствует ГОСТ Р 56720-2015 "
                     "п. 15.4!\r\n\t\t\t Предел повторяемости n = 2: 11.0\r\n\t\t\t Расхождение при "
                     "n = 2: 15.4"}));

  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(EngineFixture::Captions(t),
            (Strings{"", "Фракция", "Конц. 1, % масс", "Конц. 2, % масс", "Конц. ср, % масс", "±δ, %",
                     "Расхождение, %", "Норматив, %", "Соотв"}));
  ASSERT_EQ(t.RowCount(), 4 + 2);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"С5", "0.003", "0.005", "0.004", "---", "---", "---", "---"}));
  // 42 % has no limit: the difference is shown, limit and conformity are not.
  EXPECT_EQ(EngineFixture::Row(t, 1),
            (Strings{"Фр. 70-80", "40.000", "44.000", "42.000", "---", "9.524", "---", "---"}));
  EXPECT_EQ(EngineFixture::Row(t, 2), (Strings{"Фр. 80-90", "0.050", "0.050", "0.050",
                                               Format("%.3f", 44.7 * 0.01 * 0.05), "0.000", "23.650", "Да"}));
  EXPECT_EQ(EngineFixture::Row(t, 3),
            (Strings{"Фр. 90-100", "3.000", "3.500", "3.250", "0.715", "15.385", "11.000", "Нет"}));
  EXPECT_EQ(EngineFixture::Row(t, 4), (Strings{"", "", "", "", "", "", "", ""}));
  EXPECT_EQ(EngineFixture::Row(t, 5),
            (Strings{"сумма:", "43.1", "47.6", Format("%.1f", 0.004 + 42 + 0.05 + 3.25), "", "", "", ""}));
}

TEST(FractionComposition, ComponentMissingInAnalysisTwoIsShownMissing) {
  EngineFixture f(Gost56720B);
  f.AddAnalysis().Fractions = {Record("начало", -1), Record("без имени", 10), Record("С5", 10, 2),
                               Record("Фр. 70-80", 80)};
  f.engine.Analyses[0].NamedFractionCount = 1;
  f.engine.Analyses[0].Residue = 2.0;
  f.AddAnalysis().Fractions = {Record("начало", -1), Record("без имени", 10), Record("Фр. 70-80", 90)};
  f.engine.Analyses[1].NamedFractionCount = 0;
  f.engine.Analyses[1].Residue = 2.4;
  // Internal-standard order: alignment, corrections, composition.
  AlignFractions(f.engine);
  for (ChrmResult& a : f.engine.Analyses) ApplyFractionCorrections(f.engine, a, 0, 0, 0);
  FractionComposition(f.engine);
  EXPECT_EQ(f.engine.Analyses[1].NamedFractionCount, 1);
  EXPECT_EQ(f.engine.FractionRows[2].mean, -1);  // skipped: not observed in analysis 2
  // Residues 2.0 and 2.4: 0.4 × 200 / 4.4 = 18.2 % > 8 %.
  const FractionSummary& residue = f.engine.ResidueSummary;
  EXPECT_EQ(FractionNameText(f.shell, residue.label), "Остаток");
  EXPECT_NEAR(residue.difference, 0.4 * 200 / 4.4, 1e-9);
  EXPECT_EQ(residue.r, 8);
  EXPECT_EQ(residue.verdict, 0);
  EXPECT_EQ(f.messages.Errors(),
            (Strings{"Расхождение массовых долей нелетучего остатка не соответствует ГОСТ Р "
                     "56720-2015 п. 15.5!\r\n\t\t\t Предел повторяемости при n = 2: 8.0"}));

  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"С5", "9.800", "---", "---", "---", "---", "---", "---"}));
  const int residueRow = EngineFixture::FindRow(t, "Остаток");
  EXPECT_EQ(EngineFixture::Row(t, residueRow),
            (Strings{"Остаток", "2.000", "2.400", "2.200", "0.374", "18.182", "8.000", "Нет"}));
  EXPECT_EQ(t.Cell(EngineFixture::FindRow(t, "сумма:"), 2), "100.0");
}

TEST(FractionComposition, ThreeAnalysesUseTheCriticalRange) {
  EngineFixture f(Gost56720B);
  const Strings names = {"начало", "без имени", "Фр. 70-80", "Фр. 80-90"};
  WithConcentrations(f, names, {-1, 0, 10, 0.5}, 2.0);
  WithConcentrations(f, names, {-1, 0, 11, 0.5}, 2.0);
  WithConcentrations(f, names, {-1, 0, 12, 0.5}, 2.0);
  FractionComposition(f.engine);
  const FractionSummary& row = f.engine.FractionRows[2];
  EXPECT_EQ(row.sigmaR, 3);
  EXPECT_NEAR(row.criticalRange, 9.9, 1e-12);
  EXPECT_NEAR(row.difference, 2.0 * 300 / 33, 1e-12);
  EXPECT_EQ(row.verdict, 0);
  EXPECT_EQ(f.engine.FractionRows[3].verdict, 1);
  EXPECT_EQ(f.engine.ResidueSummary.verdict, 1);  // equal residues
  EXPECT_EQ(f.messages.Errors(),
            (Strings{"Расхождение массовых долей \"Фр. 70-80\" не соответствует ГОСТ Р 56720-2015 "
                     "п. 15.4!\r\n\t\t\t Знач. критического диапазона n = 3: 9.9\r\n\t\t\t "
                     "Расхождение при n = 3: 18.2"}));
  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"Фр. 70-80", "10.000", "11.000", "12.000", "11.000", "1.870",
                                               "18.182", "9.900", "Нет"}));
}

// A mean of exactly 0.005 % is left out of the comparison like a smaller one, in the
// composition and in the list; a mean just above it is judged.
TEST(FractionComposition, ThreeAnalysesAtTheSmallMeanBoundary) {
  EngineFixture f(Gost56720B);
  const Strings names = {"начало", "без имени", "Фр. 70-80", "Фр. 80-90"};
  for (int k = 0; k < 3; ++k) WithConcentrations(f, names, {-1, 0, 0.005, 0.006}, 2.0);
  FractionComposition(f.engine);
  const FractionSummary& boundary = f.engine.FractionRows[2];
  ASSERT_EQ(boundary.mean, 0.005);
  EXPECT_EQ(boundary.criticalRange, -1);  // not compared
  EXPECT_EQ(f.engine.FractionRows[3].verdict, 1);
  ASSERT_EQ(f.messages.Warnings().size(), 1u);
  EXPECT_NE(f.messages.Warnings()[0].find("\"Фр. 70-80\""), std::string::npos);
  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(EngineFixture::Row(t, 0),
            (Strings{"Фр. 70-80", "0.005", "0.005", "0.005", "0.005", "---", "---", "---", "---"}));
  EXPECT_EQ(EngineFixture::Row(t, 1).back(), "Да");
}

TEST(FractionComposition, CountsThatDifferAndMethodsWithoutMetrology) {
  EngineFixture f(AstmD2887A);
  WithConcentrations(f, {"начало", "без имени", "Фр. 70-80", "Фр. 80-90"}, {-1, 1, 60, 39});
  WithConcentrations(f, {"начало", "без имени", "Фр. 70-80"}, {-1, 1, 99});
  FractionComposition(f.engine);
  EXPECT_EQ(f.messages.Warnings(),
            (Strings{"При разметке хроматограмм получено разное число фракций, расчет "
                     "метрологической части проведен только для совпадающих фракций."}));
  EXPECT_TRUE(f.messages.Errors().empty());
  ASSERT_EQ(f.engine.FractionRows.size(), 3u);
  EXPECT_DOUBLE_EQ(f.engine.FractionRows[2].mean, 79.5);
  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(t.ColumnCount(), 5);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"Фр. 70-80", "60.000", "99.000", "79.500"}));
  EXPECT_EQ(EngineFixture::Row(t, 1), (Strings{"Фр. 80-90", "39.000", "---", "---"}));

  // Three analyses under ASTM D 2887: no composition.
  WithConcentrations(f, {"начало", "без имени", "Фр. 70-80"}, {-1, 1, 99});
  f.engine.FractionRows.clear();
  FractionComposition(f.engine);
  EXPECT_TRUE(f.engine.FractionRows.empty());
}

TEST(FractionComposition, SingleAnalysisListsItsConcentrationsAndTotal) {
  EngineFixture f(Gost54291);
  WithConcentrations(f, {"начало", "без имени", "Фр. 70-80"}, {-1, 1, 90}, 9.0);
  FractionComposition(f.engine);
  EXPECT_TRUE(f.engine.FractionRows.empty());
  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(t.ColumnCount(), 3);
  EXPECT_EQ(t.RowCount(), 5);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"Фр. 70-80", "90.000"}));
  EXPECT_EQ(EngineFixture::Row(t, 2), (Strings{"Остаток", "9.000"}));
  EXPECT_EQ(EngineFixture::Row(t, 4), (Strings{"сумма:", "91.0"}));
}

TEST(FractionComposition, AnalysisWithoutInternalStandardRunTakesNoPart) {
  // Three analyses, two internal-standard runs: analysis 3 has no results (Residue -1), which
  // must not enter the residue mean or raise a false non-conformity.
  EngineFixture f(Gost56720B);
  const Strings names = {"начало", "без имени", "Фр. 70-80"};
  WithConcentrations(f, names, {-1, 0, 10}, 2.0);
  WithConcentrations(f, names, {-1, 0, 10.2}, 2.1);
  ChrmResult& third = f.AddAnalysis();
  third.FractionTotal = -1;
  f.engine.StdRuns.pop_back();
  FractionComposition(f.engine);
  ASSERT_EQ(f.engine.FractionRows.size(), 3u);
  EXPECT_EQ(f.engine.FractionRows[2].r, 8);  // compared as two analyses
  EXPECT_EQ(f.engine.FractionRows[2].verdict, 1);
  EXPECT_DOUBLE_EQ(f.engine.ResidueSummary.mean, 2.05);
  EXPECT_TRUE(f.messages.Errors().empty());
  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(EngineFixture::Row(t, 0),
            (Strings{"Фр. 70-80", "10.000", "10.200", "---", "10.100", "1.717", "1.980", "8.000", "Да"}));
  EXPECT_EQ(EngineFixture::Row(t, EngineFixture::FindRow(t, "Остаток")),
            (Strings{"Остаток", "2.000", "2.100", "---", "2.050", "0.348", "4.878", "8.000", "Да"}));
  EXPECT_EQ(t.Cell(EngineFixture::FindRow(t, "сумма:"), 4), "---");
}

// A mean of 0.005 % or less is warned about and left out of the comparison; the list then
// shows "---" after the mean instead of the -1 values of a comparison that was never made.
// Just above 0.005 % the fraction is compared.
TEST(FractionList, MeanAtTheExclusionLimit) {
  for (int32_t method : {Gost56720A, Gost56720B}) {
    SCOPED_TRACE(testing::Message() << "method " << method);
    EngineFixture f(method);
    const Strings names = {"начало", "без имени", "С5", "С6", "Фр. 70-80"};
    WithConcentrations(f, names, {-1, 0, 0.005, 0.0051, 50}, method == Gost56720B ? 2.0 : -1);
    WithConcentrations(f, names, {-1, 0, 0.005, 0.0051, 49}, method == Gost56720B ? 2.0 : -1);
    FractionComposition(f.engine);
    ASSERT_EQ(f.messages.Warnings().size(), 1u);
    EXPECT_EQ(f.messages.Warnings()[0],
              "Средняя массовая доля фракции \"С5\" менее 0.005% \r\n\tДанная фракция "
              "исключена из расчета метрологической части.");
    EXPECT_EQ(f.engine.FractionRows[3].verdict, 1);  // 0.0051 %: equal values conform

    const TableModel& t = FilledFractionList(f);
    EXPECT_EQ(EngineFixture::Row(t, 0),
              (Strings{"С5", "0.005", "0.005", "0.005", "---", "---", "---", "---"}));
    const FractionLimit limit = FractionLimits(0.0051);
    EXPECT_EQ(EngineFixture::Row(t, 1),
              (Strings{"С6", "0.005", "0.005", "0.005", Format("%.3f", limit.delta * 0.01 * 0.0051), "0.000",
                       Format("%.3f", limit.r), "Да"}));
  }
}

// Above 25 % the standard gives no limit: with three analyses such a fraction is not
// judged and raises no error (a critical range of 3.3 × -1 would fail every one of them).
TEST(FractionList, ThreeAnalysesAboveTheTableOfLimits) {
  EngineFixture f(Gost56720B);
  const Strings names = {"начало", "без имени", "Фр. 70-80", "Фр. 80-90"};
  WithConcentrations(f, names, {-1, 0, 40, 3.0}, 2.0);
  WithConcentrations(f, names, {-1, 0, 44, 3.0}, 2.0);
  WithConcentrations(f, names, {-1, 0, 48, 3.0}, 2.0);
  FractionComposition(f.engine);
  EXPECT_TRUE(f.messages.Errors().empty()) << f.messages.Errors().front();
  const FractionSummary& above = f.engine.FractionRows[2];
  EXPECT_DOUBLE_EQ(above.mean, 44);
  EXPECT_EQ(above.verdict, 0);
  EXPECT_EQ(above.criticalRange, -1);
  EXPECT_NEAR(above.difference, 8.0 * 300 / 132, 1e-12);
  EXPECT_EQ(f.engine.FractionRows[3].verdict, 1);

  const TableModel& t = FilledFractionList(f);
  EXPECT_EQ(EngineFixture::Row(t, 0), (Strings{"Фр. 70-80", "40.000", "44.000", "48.000", "44.000", "---",
                                               Format("%.3f", 8.0 * 300 / 132), "---", "---"}));
  EXPECT_EQ(EngineFixture::Row(t, 1),
            (Strings{"Фр. 80-90", "3.000", "3.000", "3.000", "3.000", "0.660", "0.000", "13.200", "Да"}));
}

// Two early peaks on one sample point leave an empty range between them: the boundary is
// the first point after the peak's point.
TEST(CutFractions, EarlyPeaksOnOneSamplePoint) {
  CutFixture f;
  for (const auto& [name, time] : {std::pair{"С5", 2.0}, std::pair{"С6", 2.04}})
    f.Peak(0, name, time, time - 0.1, time + 0.1);
  f.analysis->Signal[20] = 1.0;  // the peaks' own point is not a candidate
  f.analysis->Signal[21] = 3.0;
  CutFractions(f.engine, *f.analysis, 70, 10);
  ASSERT_EQ(f.analysis->NamedFractionCount, 2);
  EXPECT_DOUBLE_EQ(f.analysis->Fractions[2].boundaryTime, 2.1);
  EXPECT_EQ(f.analysis->Fractions[2].boundarySignal, 3.0);
  EXPECT_DOUBLE_EQ(f.analysis->Fractions[3].boundaryTime, 2.14);  // the back of the last early peak
}

}  // namespace
}  // namespace p528::test
