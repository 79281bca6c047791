#include "engine/internal_standard.h"

#include "engine/distillation.h"
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace p528 {
namespace {

using test::FlatChannel;

TEST(InternalStandardArithmetic, SampleAreaResidueAndFactor) {
  // Analysis run: total 1000, window 100; standard run: total 1400, window 500; 0.1 g of
  // standard in 0.9 g of sample (k = 9): scale 900 / 900, standard area 400, sample 3600.
  const double k = SampleAreaFactor(0.1, 0.9);
  EXPECT_NEAR(k, 9.0, 1e-12);
  EXPECT_NEAR(SampleAreaFactor(0.05, 0.95), 19.0, 1e-12);
  EXPECT_NEAR(SampleAreaOf(1000, 100, 1400, 500, k), 3600.0, 1e-9);
  EXPECT_NEAR(ResidueOf(1000, 3600), 72.2, 0.05);
  EXPECT_DOUBLE_EQ(ResidueOf(1000, 3600), 100 - 1000 / 3600.0 * 100);
}

// Results that are not a number or infinite become 0 (and then the curve falls back to the
// total area as divisor).
TEST(InternalStandardArithmetic, UndefinedResultsBecomeZero) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    double value;
  };
  const Case cases[] = {
      {"standard run with equal total and window", SampleAreaOf(1000, 100, 500, 500, 9)},
      {"no standard mass (k infinite)", SampleAreaOf(1000, 100, 1400, 500, SampleAreaFactor(0, 1))},
      {"all areas zero", SampleAreaOf(0, 0, 0, 0, 9)},
      {"k not a number", SampleAreaOf(1000, 100, 1400, 500, std::nan(""))},
      {"residue over a zero sample area", ResidueOf(1000, 0)},
      {"residue of nothing over nothing", ResidueOf(0, 0)},
      {"residue over an infinite area", ResidueOf(inf, inf)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, 0.0) << c.what;
}

// Runs on a 0.01 min grid from 0 to 10 min: level 1 from 0.05 min to `end` min, plus `extra`
// inside the window 2..3 min (the internal standard).
ChrmFile Run(int ordinal, double end, double extra = 0.0) {
  ChrmFile file;
  file.ordinal = ordinal;
  ChrmChannel channel = FlatChannel(0.0, 0.01, 1001);
  for (std::size_t i = 5; i < channel.samples.size(); ++i) {
    const double t = static_cast<double>(i) * 0.01;
    float v = t <= end ? 1.0f : 0.0f;
    if (t >= 2.0 && t <= 3.0) v += static_cast<float>(extra);
    channel.samples[i] = v;
  }
  file.channels.push_back(std::move(channel));
  return file;
}

struct IsFixture : test::EngineFixture {
  ChrmFile blank;
  std::vector<ChrmFile> analyses;
  std::vector<ChrmFile> standards;

  IsFixture(int method, int nAnalyses, int nStandards) {
    SetMethod(method);
    engine.settings.stdMass = 0.1;
    engine.settings.sampleMass = 0.9;
    Calibrate(0.0, 100.0, 10.0, 600.0);  // 545 °C at 8.9 min, 538 °C at 8.76 min
    calibration.isWindow = {2.0, 3.0};
    blank.channels.push_back(FlatChannel(0.0, 0.01, 1001));
    analyses.reserve(3);
    standards.reserve(3);
    for (int i = 1; i <= nAnalyses; ++i) analyses.push_back(Run(i, 8.0));
    for (int i = 1; i <= nStandards; ++i) standards.push_back(Run(i, 8.0, 2.0));
    engine.LoadResult(engine.Blank, 0.0, blank);
    for (const ChrmFile& f : analyses) engine.AddAnalysis(f);
    for (const ChrmFile& f : standards) engine.AddStdRun(f);
    engine.State = StateStarted;
  }
  void RunBoth() {
    InternalStandardAreas(engine);
    if (engine.State > StateStarted) InternalStandardCurves(engine);
  }
};

TEST(InternalStandardAreas, MissingMassesStopWithTheirMessage) {
  const std::string stdHint =
      "\r\n\tДля задания массы внутреннего стандарта откройте меню \"Настройки анализа\".";
  const std::string sampleError =
      "Не задана масса СГК! ГОСТ Р 56720-2015 п.14.2.2.\r\n\tДля задания массы СГК откройте меню \"Настройки "
      "анализа\".";
  struct Case {
    int method;
    const char* stdMass;
    const char* sampleMass;
    std::string error;
  };
  const Case cases[] = {
      // Both empty: only the standard's mass is reported.
      {Gost56720B, "", "", "Не задана масса внутреннего стандарта! ГОСТ Р 56720-2015 п.14.2.2." + stdHint},
      {Gost54291, "", "", "Не задана масса внутреннего стандарта! ГОСТ Р 54291-2010 п.12.2.3." + stdHint},
      {Gost54291, "-0.1", "0.9",
       "Не задана масса внутреннего стандарта! ГОСТ Р 54291-2010 п.12.2.3." + stdHint},
      {Gost56720B, "0.1", "", sampleError},
      {Gost54291, "0.1", "abc", sampleError},  // the same text for both methods
  };
  for (const Case& c : cases) {
    IsFixture f(c.method, 1, 1);
    f.engine.settings.stdMass = DecimalPrefix(c.stdMass);
    f.engine.settings.sampleMass = DecimalPrefix(c.sampleMass);
    f.RunBoth();
    SCOPED_TRACE(testing::Message() << "method " << c.method << " masses '" << c.stdMass << "' '"
                                    << c.sampleMass << "'");
    EXPECT_EQ(f.messages.Errors(), std::vector<std::string>{c.error});
    EXPECT_EQ(f.engine.State, StateStarted);
    EXPECT_EQ(f.engine.WindowStart, -1.0);  // the window is not even taken
  }
}

TEST(InternalStandardAreas, NoAnalysisRunIsAWarning) {
  IsFixture f(Gost54291, 0, 1);
  f.RunBoth();
  EXPECT_EQ(f.messages.Warnings(), std::vector<std::string>{"Отсутствуют анализируемые хроматограммы!"});
  EXPECT_TRUE(f.messages.Errors().empty());
  EXPECT_EQ(f.engine.State, StateStarted);
}

// The analyses get their areas, the error follows, and no curve is built.
TEST(InternalStandardAreas, NoInternalStandardRun) {
  IsFixture f(Gost56720B, 2, 0);
  f.RunBoth();
  EXPECT_EQ(f.messages.Errors(),
            std::vector<std::string>{"Отсутствует хроматограмма с внутренним стандартом!"});
  EXPECT_EQ(f.engine.State, StateStarted);
  double timeEnd = 0;
  ASSERT_TRUE(CalibLookup(f.calibration.curve, CalibAxis::Temp, 545.0, timeEnd));
  for (const ChrmResult& a : f.engine.Analyses) {
    EXPECT_NEAR(a.WindowArea, 1.0, 1e-9);
    EXPECT_NEAR(a.TotalArea, 7.96, 0.011);  // level 1 from 0.05 to 8.0 min, ramps included
    EXPECT_EQ(a.EndTime, timeEnd);
    EXPECT_EQ(a.EndTemp, 545.0);
    EXPECT_TRUE(a.PercentOff.empty());
  }
  EXPECT_EQ(f.engine.WindowStart, 2.0);
  EXPECT_EQ(f.engine.WindowEnd, 3.0);
}

// The curve is normalised to the sample's area and ends near 100 - residue; only analyses
// with a standard run of their own get a curve.
TEST(InternalStandardCurves, CurvesNormalisedToTheSampleArea) {
  for (int method : {Gost56720B, Gost54291}) {
    IsFixture f(method, 3, 2);
    f.RunBoth();
    SCOPED_TRACE(testing::Message() << "method " << method);
    EXPECT_TRUE(f.messages.Errors().empty()) << f.Joined(f.messages.Errors());
    EXPECT_EQ(f.engine.State, StateCurves);
    for (int i = 0; i < 2; ++i) {
      const ChrmResult& a = f.engine.Analyses[static_cast<std::size_t>(i)];
      const ChrmResult& s = f.engine.StdRuns[static_cast<std::size_t>(i)];
      EXPECT_EQ(a.SampleArea, SampleAreaOf(a.TotalArea, a.WindowArea, s.TotalArea, s.WindowArea,
                                           SampleAreaFactor(0.1, 0.9)));
      EXPECT_NEAR(a.SampleArea, 18.0, 0.1);  // about ((7 / 7) × 3 - 1) × 9
      EXPECT_EQ(a.Residue, ResidueOf(a.TotalArea, a.SampleArea));
      EXPECT_NEAR(a.Residue, 55.8, 0.5);
      ASSERT_FALSE(a.PercentOff.empty());
      EXPECT_NEAR(a.PercentOff.back(), 100 - a.Residue, 1e-6);
      EXPECT_NE(a.Ibp.time, -1.0);
      EXPECT_EQ(a.EndTemp, method == Gost56720B ? 545.0 : 538.0);
    }
    const ChrmResult& third = f.engine.Analyses[2];
    EXPECT_TRUE(third.PercentOff.empty());
    EXPECT_FALSE(third.Signal.empty());  // corrected and integrated, but no curve
    EXPECT_EQ(third.SampleArea, -1.0);
  }
}

// The end temperature beyond the calibration: integration to time 0, so every area, the
// sample area and the residue are 0, the curve is empty and the IBP error ends the step.
TEST(InternalStandardCurves, EndTemperatureBeyondTheCalibration) {
  IsFixture f(Gost56720B, 1, 1);
  f.Calibrate(0.0, 100.0, 10.0, 500.0);
  f.RunBoth();
  const ChrmResult& a = f.engine.Analyses[0];
  EXPECT_EQ(a.EndTime, 0.0);
  EXPECT_EQ(a.TotalArea, 0.0);
  EXPECT_EQ(a.SampleArea, 0.0);
  EXPECT_EQ(a.Residue, 0.0);
  EXPECT_TRUE(a.PercentOff.empty());
  EXPECT_EQ(f.messages.Errors(),
            std::vector<std::string>{"Градуировочный график не охватывает Тнк анализа-1 !"});
  EXPECT_EQ(f.engine.State, StateNotRun);
}

TEST(InternalStandardCurves, DoesNothingBeforeTheAreas) {
  IsFixture f(Gost54291, 1, 1);
  InternalStandardCurves(f.engine);  // State 1
  EXPECT_TRUE(f.engine.Analyses[0].PercentOff.empty());
  EXPECT_TRUE(f.messages.IsEmpty());
}

}  // namespace
}  // namespace p528
