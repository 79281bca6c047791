// The final-boiling-point rules applied one after another, and the last point of the point
// table, on small hand-made sets.
#include "engine/analysis.h"
#include "engine/distillation.h"

#include "engine_fixture.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

using engine_fixture::Curve;
using engine_fixture::EngineFixture;
using engine_fixture::MakeRun;

// Sampling every 1/64 min: sample times are exact in binary.
constexpr double kStep = 1.0 / 64.0;
constexpr std::size_t kSamples = static_cast<std::size_t>(40.0 / kStep);

// A blank at 0.5 and one analysis eluting at 100 units above its baseline of 2 from 1 min up
// to the end of elution `end`.
struct OneRunSet : EngineFixture {
  std::unique_ptr<ChrmFile> blank = MakeRun(0.0, kStep, kSamples, [](double) { return 0.5; });
  std::unique_ptr<ChrmFile> run;

  OneRunSet(double end, CalibCurve curve) {
    run = MakeRun(0.0, kStep, kSamples,
                  [end](double t) { return (t >= 1.0 && t < end - kStep) ? 102.0 : 2.0; }, 1);
    calibration.curve = std::move(curve);
  }
  void Calculate(int32_t method) {
    engine.Method = method;
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
       "Конечная точка кипения пробы превышает 538°C, что не соответствует условиям ASTM D 2887-2013 (метод А)!"},
      {Iso3924, 538.0, "Не удается найти точку конца кипения пробы по ГОСТ ISO 3924-2017 п.11.2.",
       "Конечная точка кипения пробы превышает 538°C, что не соответствует условиям ГОСТ ISO 3924-2017!"},
      {Gost56720A, 545.0,
       "Не удается найти точку конца кипения пробы по ГОСТ Р 56720-2015 п.10.3 - Примечание.",
       "Конечная точка кипения пробы превышает 545°C, что не соответствует условиям ГОСТ Р 56720-2015 (метод А)!"},
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

// A curve rising by 0.5 % per half minute up to `top` percent, and a calibration of 10 °C
// per minute.
struct StraightCurve {
  ChrmResult r;
  CalibCurve curve = Curve({0.0, 1000.0}, {0.0, 10000.0});
  explicit StraightCurve(double top) {
    const std::size_t n = static_cast<std::size_t>(top / 0.5) + 1;
    for (std::size_t i = 0; i < n; ++i) {
      r.Times.push_back(static_cast<double>(i) * 0.5);
      r.PercentOff.push_back(static_cast<double>(i) * 0.5);
    }
  }
};

// The last point is read at the curve's reach unless the table's entry `count - 1` (entry 0
// being the initial boiling point) already has that percent.
TEST(BuildPointTable, LastPointUnlessTheEntryBeforeTheCountHasTheReach) {
  struct Case {
    const char* name;
    double top;
    int32_t method;
    std::vector<double> percents;
    double lastPercent;  // -1.0: not read
  } cases[] = {
      // Step rewritten to 2: 0.5, 5, 2, 4 with count 2; entry 1 is the 5 % of the reach.
      {"method 2 reaching 5 %", 5.0, Gost56720A, {0.5, 5, 2, 4, 95, 99.5}, -1.0},
      {"method 0 reaching 60 %", 60.0, AstmD2887A, {0.5, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 95, 99.5},
       60.0},
      {"method 3 reaching 100 %", 100.0, Gost56720B, {0.5, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95}, 99.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StraightCurve s(c.top);
    std::string step;
    BuildPointTable(s.r, step, 1, c.method, s.curve);
    std::vector<double> percents;
    for (const DistPoint& d : s.r.PointTable) percents.push_back(d.percent);
    EXPECT_EQ(percents, c.percents);
    if (c.lastPercent < 0) {
      EXPECT_EQ(s.r.LastPoint.time, -1.0);
      EXPECT_EQ(s.r.LastPoint.temp, -1.0);
    } else {
      EXPECT_EQ(s.r.LastPoint.percent, c.lastPercent);
      EXPECT_DOUBLE_EQ(s.r.LastPoint.time, c.lastPercent);
      EXPECT_DOUBLE_EQ(s.r.LastPoint.temp, 10.0 * c.lastPercent);
    }
  }
}

}  // namespace
}  // namespace p528
