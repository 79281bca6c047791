#include "engine/distillation.h"
#include "workbench/analysis.h"

#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace p528 {
namespace {

using test::Curve;
using test::EngineFixture;
using test::MakeRun;

// Sampling every 1/64 min: sample times are exact in binary, so an end of elution can be
// placed exactly (the end found is one sample after the last non-zero one).
constexpr double kStep = 1.0 / 64.0;
constexpr double kRunLength = 40.0;

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// A set of a blank (offset 0.5) and analyses (offset 2.0) eluting at 100 units from 1 min
// up to the end of elution `end`, with a calibration whose 538 °C (or 545 °C) point lies at
// 30 min.
struct DistillationSet : EngineFixture {
  std::unique_ptr<ChrmFile> blank;
  std::vector<std::unique_ptr<ChrmFile>> runs;

  DistillationSet() {
    blank = MakeRun(0.0, kStep, static_cast<std::size_t>(kRunLength / kStep), [](double) { return 0.5; });
    UseCurve(Curve({0.5, 22.0, 30.0}, {30.0, 410.0, 538.0}));
  }
  void UseCurve(CalibCurve c) { calibration.curve = std::move(c); }
  void AddRun(double end, int ordinal) {
    runs.push_back(MakeRun(
        0.0, kStep, static_cast<std::size_t>(kRunLength / kStep),
        [end](double t) { return (t >= 1.0 && t < end - kStep) ? 102.0 : 2.0; }, ordinal));
  }
  // The recalculation as the main window runs it, without the calibration build.
  void Calculate(int32_t method) {
    SetMethod(method);
    engine.ResetCalc();
    messages.Clear();
    engine.LoadResult(engine.Blank, 0.0, *blank);
    for (const auto& run : runs) engine.AddAnalysis(*run);
    engine.RunCalc();
  }
  std::vector<std::string> Errors() const { return messages.Errors(); }
  std::vector<std::string> Warnings() const { return messages.Warnings(); }
};

TEST(AreaNormalisation, CurveBuiltAndBoilingPointsFound) {
  DistillationSet f;
  f.AddRun(25.0, 1);
  f.Calculate(AstmD2887A);
  ASSERT_EQ(f.engine.Analyses.size(), 1u);
  const ChrmResult& a = f.engine.Analyses[0];
  EXPECT_EQ(a.EndTime, 25.0);
  EXPECT_NEAR(a.EndTemp, 410.0 + 3.0 * 16.0, 1e-9);
  EXPECT_NEAR(a.PercentOff.back(), 100.0, 1e-9);
  EXPECT_GE(f.engine.State, static_cast<uint32_t>(StateCurves));
  EXPECT_NE(a.Ibp.time, -1.0);
  EXPECT_NE(a.Fbp.time, -1.0);
  EXPECT_EQ(a.PointTable.size(), 21u);
  EXPECT_FALSE(Contains(f.Errors(), "Градуировочный график не охватывает Тнк анализа-1 !"));
}

TEST(AreaNormalisation, FinalBoilingPointRules) {
  const std::string within538 =
      "Конечная точка кипения пробы превышает 538°C не более чем на 1мин."
      "\r\n\tЗа точку конца кипения пробы взято время соответствующее 538°C на град. графике."
      "\r\n\t\tВремя соответствующее 538°C, мин: 30.00"
      "\r\n\t\tРасчитанное время Ткк, мин: 30.50";
  const std::string within545 =
      "Конечная точка кипения пробы превышает 545°C не более чем на 1мин."
      "\r\n\tЗа точку конца кипения пробы взято время выхода компонента C44 градуировочного граффика."
      "\r\n\t\tВремя выхода С44, мин: 30.00"
      "\r\n\t\tРасчитанное время Ткк, мин: 30.50";
  struct Case {
    const char* name;
    int32_t method;
    double end;
    std::string warning;
    std::string error;
    double endTemp, endTime;
  } cases[] = {
      {"half a minute, method 0", AstmD2887A, 30.5, within538, "", 538.0, 30.0},
      {"half a minute, method 5", Iso3924, 30.5, within538, "", 538.0, 30.0},
      {"half a minute, method 2", Gost56720A, 30.5, within545, "", 545.0, 30.0},
      {"exactly one minute", AstmD2887A, 31.0, "", "", -1.0, 31.0},
      {"three minutes, method 0", AstmD2887A, 33.0, "",
       "Конечная точка кипения пробы превышает 538°C, что не соответствует условиям ASTM D 2887-2013 (метод "
       "А)!",
       538.0, 30.0},
      {"three minutes, method 5", Iso3924, 33.0, "",
       "Конечная точка кипения пробы превышает 538°C, что не соответствует условиям ГОСТ ISO 3924-2017!",
       538.0, 30.0},
      {"three minutes, method 2", Gost56720A, 33.0, "",
       "Конечная точка кипения пробы превышает 545°C, что не соответствует условиям ГОСТ Р 56720-2015 (метод "
       "А)!",
       545.0, 30.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DistillationSet f;
    if (c.method == Gost56720A) f.UseCurve(Curve({0.5, 22.0, 30.0}, {30.0, 417.0, 545.0}));
    f.AddRun(c.end, 1);
    f.Calculate(c.method);
    const ChrmResult& a = f.engine.Analyses[0];
    EXPECT_EQ(a.EndTemp, c.endTemp);
    EXPECT_EQ(a.EndTime, c.endTime);
    EXPECT_EQ(Contains(f.Warnings(), c.warning), !c.warning.empty());
    if (!c.error.empty()) {
      EXPECT_TRUE(Contains(f.Errors(), c.error));
    }
    // The curve keeps describing the elution found.
    EXPECT_NEAR(a.PercentOff.back(), 100.0, 1e-9);
    EXPECT_EQ(a.PercentOff.size(), static_cast<std::size_t>(c.end / kStep));
    for (const std::string& e : f.Errors()) EXPECT_EQ(e.find("Не удается найти"), std::string::npos) << e;
  }
}

TEST(AreaNormalisation, EndOfElutionNotFoundGivesNoCurveAndTheIbpError) {
  DistillationSet f;
  // A signal rising slowly over the whole run: nowhere a change fast enough to end on.
  f.runs.push_back(MakeRun(
      0.0, kStep, static_cast<std::size_t>(kRunLength / kStep), [](double t) { return 2.0 + t; }, 1));
  f.Calculate(AstmD2887A);
  const ChrmResult& a = f.engine.Analyses[0];
  EXPECT_EQ(a.EndTime, -1.0);
  EXPECT_TRUE(a.PercentOff.empty());
  EXPECT_TRUE(
      Contains(f.Errors(), "Не удается найти точку конца кипения пробы по ASTM D 2887-2013 п.12.5.1."));
  EXPECT_TRUE(Contains(f.Errors(), "Градуировочный график не охватывает Тнк анализа-1 !"));
  for (const std::string& e : f.Errors()) EXPECT_EQ(e.find("превышает"), std::string::npos) << e;
  EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateNotRun));
}

TEST(AreaNormalisation, NothingElutedStopsSilently) {
  DistillationSet f;
  f.AddRun(0.5, 1);  // the signal never leaves the baseline
  f.Calculate(AstmD2887A);
  EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateStarted));
  EXPECT_FALSE(Contains(f.Errors(), "Градуировочный график не охватывает Тнк анализа-1 !"));
  EXPECT_TRUE(f.engine.Analyses[0].PercentOff.empty());
}

TEST(AreaNormalisation, NoAnalysisRun) {
  DistillationSet f;
  f.Calculate(Iso3924);
  EXPECT_TRUE(Contains(f.Errors(), "Отсутствуют хроматограммы для анализа"));
  EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateStarted));
}

TEST(InitialBoilingPoint, LowerLimitsPerMethod) {
  // The IBP time is found first; the calibration then puts the wanted temperature there.
  DistillationSet probe;
  probe.AddRun(25.0, 1);
  probe.Calculate(AstmD2887A);
  const double ibpTime = probe.engine.Analyses[0].Ibp.time;
  ASSERT_GT(ibpTime, 1.0);

  const std::string astm = "Тнк анализа-1 ниже 55.5°C, что не соответствует условиям ASTM D 2887-2013!";
  const std::string iso = "Тнк анализа-1 ниже 55°C, что не соответствует условиям ГОСТ ISO 3924-2017!";
  struct Case {
    double ibpTemp;
    int32_t method;
    std::string warning;
  } cases[] = {{55.2, AstmD2887A, astm}, {55.2, Iso3924, ""},    {55.2, Gost56720A, ""},
               {54.9, Iso3924, iso},     {55.6, AstmD2887A, ""}, {10.0, Gost56720A, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ibpTemp);
    SCOPED_TRACE(c.method);
    DistillationSet f;
    f.UseCurve(Curve({0.5, ibpTime, 22.0, 30.0}, {30.0, c.ibpTemp, 417.0, 545.0}));
    f.AddRun(25.0, 1);
    f.Calculate(c.method);
    EXPECT_NEAR(f.engine.Analyses[0].Ibp.temp, c.ibpTemp, 1e-9);
    EXPECT_EQ(Contains(f.Warnings(), astm), c.warning == astm);
    EXPECT_EQ(Contains(f.Warnings(), iso), c.warning == iso);
  }
}

TEST(InitialBoilingPoint, NotCoveredByTheCalibrationStopsTheStep) {
  DistillationSet f;
  f.UseCurve(Curve({5.0, 22.0, 30.0}, {100.0, 410.0, 538.0}));  // starts after the IBP
  f.AddRun(25.0, 2);
  f.Calculate(AstmD2887A);
  EXPECT_TRUE(Contains(f.Errors(), "Градуировочный график не охватывает Тнк анализа-2 !"));
  EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateNotRun));
  EXPECT_EQ(f.engine.Analyses[0].Ibp.time, -1.0);
}

TEST(Driver, NoBlankStopsAfterTheCheck) {
  DistillationSet f;
  f.AddRun(25.0, 1);
  f.SetMethod(AstmD2887A);
  f.engine.AddAnalysis(*f.runs[0]);
  f.engine.RunCalc();
  EXPECT_EQ(f.Errors(), std::vector<std::string>{"Отсутствует холостая хроматтограмма!"});
  EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateStarted));
  EXPECT_TRUE(f.engine.Analyses[0].PercentOff.empty());
  EXPECT_TRUE(f.engine.Iso3405Rows.empty());
  EXPECT_TRUE(f.engine.RefRows.empty());
}

TEST(Driver, DisabledAndUnknownMethodsCalculateNothing) {
  for (int32_t method : {static_cast<int32_t>(AstmD2887B), 6, -1}) {
    DistillationSet f;
    f.AddRun(25.0, 1);
    f.Calculate(method);
    EXPECT_TRUE(f.messages.IsEmpty()) << method;
    EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateStarted));
    EXPECT_TRUE(f.engine.Analyses[0].Signal.empty());
  }
}

TEST(Driver, AnalysesAreSortedByNumberAndTheirCurvesCompleted) {
  DistillationSet f;
  f.AddRun(25.0, 3);
  f.AddRun(20.0, 1);
  f.AddRun(22.0, 2);
  f.AddRun(21.0, 0);  // no ordinal: not loaded
  f.Calculate(Gost56720A);
  ASSERT_EQ(f.engine.Analyses.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    const ChrmResult& a = f.engine.Analyses[k];
    EXPECT_EQ(a.Number, static_cast<int32_t>(k) + 1);
    EXPECT_EQ(a.PointTemp.size(), a.PercentOff.size());
    // The curve's temperatures reach over the whole curve.
    EXPECT_NE(a.PointTemp.front(), 0.0);
    EXPECT_NE(a.PointTemp.back(), 0.0);
  }
  EXPECT_EQ(f.engine.Analyses[0].EndTime, 20.0);
  EXPECT_EQ(f.engine.Analyses[2].EndTime, 25.0);

  EXPECT_TRUE(f.engine.CurvesReady);

  f.engine.ResetCalc();
  EXPECT_FALSE(f.engine.CurvesReady);
}

TEST(Driver, ResetEmptiesEveryResultButKeepsTheSettings) {
  DistillationSet f;
  f.AddRun(25.0, 1);
  f.Calculate(AstmD2887A);
  f.engine.StepPercent = "7";
  f.tables.iso3405.AppendRow({"", "0.5"});
  f.tables.repeatability.AppendRow({"", "0.5"});
  f.engine.RepeatRows.resize(2);
  f.engine.WindowStart = 3;
  f.engine.ResetCalc();
  f.FillLists();
  EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateNotRun));
  EXPECT_TRUE(f.engine.Analyses.empty());
  EXPECT_EQ(f.engine.Blank.File, nullptr);
  EXPECT_EQ(f.engine.Blank.Number, -1);
  EXPECT_TRUE(f.engine.RepeatRows.empty());
  EXPECT_EQ(f.engine.WindowStart, -1.0);
  EXPECT_EQ(f.engine.FractionMeanTotal, -1.0);
  EXPECT_EQ(f.tables.iso3405.RowCount(), 0);
  EXPECT_EQ(f.tables.repeatability.RowCount(), 0);
  EXPECT_EQ(f.tables.iso3405.ColumnCount(), 4);  // the columns stay
  EXPECT_EQ(f.engine.StepPercent, "7");
}

TEST(LoadResult, ChannelParametersZeroLevelAndNumber) {
  EngineFixture f;
  auto run = MakeRun(
      0.25, 0.01, 100, [](double) { return 4.0; }, 2);
  ChrmResult r;
  f.engine.LoadResult(r, 0.0, *run);
  EXPECT_EQ(r.File, run.get());
  EXPECT_EQ(r.StartTime, 0.25);
  EXPECT_EQ(r.Step, 0.01);
  EXPECT_EQ(r.Number, 2);
  EXPECT_EQ(r.ZeroLevel, 0.0);  // the default window ends before the run starts

  ChrmFile noChannels;
  noChannels.ordinal = 1;
  ChrmResult empty;
  f.engine.LoadResult(empty, 0.0, noChannels);
  EXPECT_EQ(empty.File, &noChannels);
  EXPECT_EQ(empty.Number, -1);
  EXPECT_EQ(empty.Step, -1.0);
}

// 40 minutes of samples at kStep.
constexpr std::size_t kSamples = static_cast<std::size_t>(40.0 / kStep);

// A blank at 0.5 and one analysis eluting at 100 units above its baseline of 2 from 1 min up
// to the end of elution `end`.
struct OneRunSet : EngineFixture {
  std::unique_ptr<ChrmFile> blank = MakeRun(0.0, kStep, kSamples, [](double) { return 0.5; });
  std::unique_ptr<ChrmFile> run;

  OneRunSet(double end, CalibCurve curve) {
    run = MakeRun(
        0.0, kStep, kSamples, [end](double t) { return (t >= 1.0 && t < end - kStep) ? 102.0 : 2.0; }, 1);
    calibration.curve = std::move(curve);
  }
  void Calculate(int32_t method) {
    SetMethod(method);
    engine.ResetCalc();
    messages.Clear();
    engine.LoadResult(engine.Blank, 0.0, *blank);
    engine.AddAnalysis(*run);
    engine.RunCalc();
  }
};

// An end of elution found before the calibration begins lies outside it and at or before the
// limit time: the "cannot find" error, and then, being far from the limit time, the "exceeds"
// error too, each a message of its own; the limit replaces the end.
TEST(FinalBoilingPointRules, NotFoundAndFarFromTheLimitGiveBothErrorsInOrder) {
  struct Case {
    int32_t method;
    double limit;
    std::string notFound;
    std::string exceeds;
  } cases[] = {
      {AstmD2887A, 538.0, "Не удается найти точку конца кипения пробы по ASTM D 2887-2013 п.12.5.1.",
       "Конечная точка кипения пробы превышает 538°C, что не соответствует условиям ASTM D 2887-2013 (метод "
       "А)!"},
      {Iso3924, 538.0, "Не удается найти точку конца кипения пробы по ГОСТ ISO 3924-2017 п.11.2.",
       "Конечная точка кипения пробы превышает 538°C, что не соответствует условиям ГОСТ ISO 3924-2017!"},
      {Gost56720A, 545.0,
       "Не удается найти точку конца кипения пробы по ГОСТ Р 56720-2015 п.10.3 - Примечание.",
       "Конечная точка кипения пробы превышает 545°C, что не соответствует условиям ГОСТ Р 56720-2015 (метод "
       "А)!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    // The calibration starts at 5 min: the end at 3 min and the initial boiling point near
    // 1 min are both outside it.
    OneRunSet f(3.0, Curve({5.0, 22.0, 30.0}, {100.0, 410.0, c.limit}));
    f.Calculate(c.method);
    const ChrmResult& a = f.engine.Analyses[0];
    EXPECT_EQ(a.EndTime, 30.0);
    EXPECT_EQ(a.EndTemp, c.limit);
    // The curve keeps describing the elution found.
    EXPECT_EQ(a.PercentOff.size(), static_cast<std::size_t>(3.0 / kStep));
    const std::vector<std::string> expected = {c.notFound, c.exceeds,
                                               "Градуировочный график не охватывает Тнк анализа-1 !"};
    EXPECT_EQ(f.messages.Errors(), expected);
    // No warning of an end taken within one minute of the limit.
    for (const std::string& w : f.messages.Warnings()) {
      EXPECT_EQ(w.find("Конечная точка кипения"), std::string::npos) << w;
    }
    EXPECT_EQ(f.engine.State, static_cast<uint32_t>(StateNotRun));
  }
}

}  // namespace
}  // namespace p528
