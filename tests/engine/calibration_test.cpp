#include "engine/calibration.h"
#include "workbench/calibration_tab.h"

#include "shell/text.h"
#include "support/engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace p528 {
namespace {

using test::Curve;
using test::EngineFixture;

TEST(CalibLookup, BothEndsInclusiveNothingBeyond) {
  const CalibCurve c = Curve({1.0, 2.0, 4.0}, {100.0, 200.0, 300.0});
  struct Case {
    CalibAxis from;
    double value;
    bool ok;
    double expected;
  } cases[] = {
      {CalibAxis::Time, 1.0, true, 100.0},
      {CalibAxis::Time, 4.0, true, 300.0},
      {CalibAxis::Time, 3.0, true, 250.0},
      {CalibAxis::Temp, 250.0, true, 3.0},
      {CalibAxis::Temp, 100.0, true, 1.0},
      {CalibAxis::Temp, 300.0, true, 4.0},
      {CalibAxis::Time, std::nextafter(4.0, 5.0), false, 0},
      {CalibAxis::Time, std::nextafter(1.0, 0.0), false, 0},
      {CalibAxis::Temp, 300.001, false, 0},
      {CalibAxis::Time, NAN, false, 0},
  };
  for (const Case& k : cases) {
    double result = -7.0;
    EXPECT_EQ(CalibLookup(c, k.from, k.value, result), k.ok) << k.value;
    EXPECT_DOUBLE_EQ(result, k.ok ? k.expected : -7.0) << "a failed lookup leaves the result alone";
  }
}

TEST(CalibLookup, DegenerateCurvesFail) {
  double result = -1.0;
  CalibCurve unregistered = Curve({1, 2}, {10, 20});
  unregistered.registered = false;
  EXPECT_FALSE(CalibLookup(unregistered, CalibAxis::Time, 1.5, result));
  EXPECT_FALSE(CalibLookup(Curve({}, {}), CalibAxis::Time, 0, result));
  EXPECT_FALSE(CalibLookup(Curve({1}, {10}), CalibAxis::Time, 1, result));         // one point
  EXPECT_FALSE(CalibLookup(Curve({1, 1}, {10, 20}), CalibAxis::Time, 1, result));  // flat pair
  EXPECT_FALSE(CalibLookup(Curve({1, 2}, {10}), CalibAxis::Time, 1, result));      // unequal lengths
  EXPECT_EQ(result, -1.0);
}

TEST(CalibrationTimes, C1IsKeptInSinglePrecision) {
  EngineFixture f;
  f.components.resize(2);
  CalibrationTab tab;
  tab.timeC = {"1.1", "2.5abc", "x", "9"};
  tab.ApplyTimes(f.components);  // only the rows that exist
  EXPECT_EQ(f.components[0].retentionTime, static_cast<double>(1.1f));
  EXPECT_NE(f.components[0].retentionTime, 1.1);
  EXPECT_EQ(f.components[1].retentionTime, 2.5);

  // A curve that starts at C1: the double 1.1 lies just below its first point.
  const CalibCurve c = Curve({static_cast<double>(1.1f), 3.0}, {-161.5, 36.1});
  double t = 0;
  EXPECT_FALSE(CalibLookup(c, CalibAxis::Time, 1.1, t));
  EXPECT_TRUE(CalibLookup(c, CalibAxis::Time, static_cast<double>(1.1f), t));
  EXPECT_DOUBLE_EQ(t, -161.5);
}

TEST(CalibrationTab, CalculatorTexts) {
  CalibrationTab tab;
  tab.curve = Curve({1.0, 2.0, 4.0}, {100.0, 200.0, 300.0});
  struct Case {
    std::string x;
    std::string y;
  } byX[] = {{"3", "250"}, {"1", "100"}, {"4.0001", "0"}, {"abc", "0"}, {"1.23456789", "123.46"}};
  for (const Case& c : byX) {
    tab.textX = c.x;
    tab.CalculateY();
    EXPECT_EQ(tab.textY, c.y) << c.x;
  }
  tab.textY = "250";
  tab.CalculateX();
  EXPECT_EQ(tab.textX, "3");
  tab.curve.registered = false;  // no calibration run
  tab.textX = "3";
  tab.CalculateY();
  EXPECT_EQ(tab.textY, "0");
  tab.resolution = 5.94;
  EXPECT_EQ(tab.ResolutionText(), "5.9");
}

// A channel of a Gaussian peak of height `height` and standard deviation `sigma` on a
// baseline of 10, sampled every 1/600 min.
ChrmChannel PeakChannel(double time, double sigma, double height, double length = 10.0) {
  ChrmChannel ch;
  ch.startTime = 0;
  ch.step = 1.0 / 600.0;
  const std::size_t n = static_cast<std::size_t>(length / ch.step);
  ch.samples.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) * ch.step;
    ch.samples[i] = static_cast<float>(10.0 + height * std::exp(-0.5 * std::pow((t - time) / sigma, 2)));
  }
  return ch;
}

ChrmPeak Peak(const char* name, double time, double sigma, double height) {
  return ChrmPeak{
      .front = time - 5 * sigma, .back = time + 5 * sigma, .time = time, .height = height, .name = name};
}

TEST(HalfHeightWidth, GaussianPeaksAndPeaksOutsideTheRun) {
  struct Case {
    double time, sigma;
  } cases[] = {{2.0, 0.02}, {5.0, 0.05}, {7.5, 0.1}};
  for (const Case& c : cases) {
    const ChrmChannel ch = PeakChannel(c.time, c.sigma, 100.0);
    const double width = HalfHeightWidth(ch, Peak("p", c.time, c.sigma, 100.0));
    EXPECT_NEAR(width, 2.35482 * c.sigma, 2 * ch.step) << c.time;
  }
  const ChrmChannel ch = PeakChannel(5.0, 0.05, 100.0, 5.1);
  EXPECT_EQ(HalfHeightWidth(ch, Peak("p", 5.0, 0.05, 100.0)), 0.0);  // back past the samples
  ChrmChannel noStep = ch;
  noStep.step = 0;
  EXPECT_GE(HalfHeightWidth(noStep, Peak("p", 5.0, 0.05, 100.0)), 0.0);
}

ComponentRecord Component(const char* name, const char* alt, double boiling) {
  return ComponentRecord{.name = name,
                         .altName = alt,
                         .nameLatin = ToLatinC(name),
                         .altNameLatin = ToLatinC(alt),
                         .boilingPoint = boiling};
}

struct CalibrationSet : EngineFixture {
  ChrmFile run;
  CalibrationSet() {
    components = {Component("С1", "Метан", -161.5),  Component("С2", "Этан", -88.6),
                  Component("С3", "Пропан", -42.1),  Component("С4", "н-Бутан", -0.5),
                  Component("С5", "н-Пентан", 36.1), Component("С6", "н-Гексан", 68.7),
                  Component("С7", "н-Гептан", 98.4), Component("С8", "н-Октан", 125.7)};
    ChrmChannel ch = PeakChannel(2.0, 0.02, 100.0);
    ch.peaks = {Peak("с5", 2.0, 0.02, 100.0), Peak("Н-ГЕКСАН", 3.0, 0.02, 100.0),
                Peak("unknown", 4.0, 0.02, 100.0)};
    run.channels.push_back(std::move(ch));
    tab.SetUpPointsList(shell);
  }

  // The calibration of `run` as the recalculation builds and shows it: the tab's C1-C4
  // times into the table, the curve and checks, the tab and the response list refilled.
  void Build(const ChrmFile* calibrationRun) {
    tab.ApplyTimes(components);
    engine.settings.latinNames = shell.foreignUi != 0;
    engine.calibration = CalcCalibration();
    engine.calibration.CalibrationChrm = calibrationRun;
    BuildCalibration(engine);
    tab.Show(engine.calibration);
    FillResponseList(engine, shell, tables.response);
  }
  void Build() { Build(&run); }

  CalibrationTab tab;
};

TEST(BuildCalibration, PeaksMatchedWithoutRegardToCaseUnknownPeaksIgnored) {
  CalibrationSet f;
  f.tab.timeC = {"0.5", "0.0", "0.0", "0.0"};
  f.Build();
  EXPECT_EQ(f.components[4].retentionTime, 2.0);
  EXPECT_EQ(f.components[5].retentionTime, 3.0);
  EXPECT_NEAR(f.components[4].peakWidth, 2.35482 * 0.02, 2.0 / 600.0);
  EXPECT_EQ(f.calibration.curve.times, (std::vector<double>{0.5, 2.0, 3.0}));
  EXPECT_EQ(f.calibration.curve.temps, (std::vector<double>{-161.5, 36.1, 68.7}));

  // The points list shows the curve.
  EXPECT_TRUE(f.calibration.curve.registered);
  ASSERT_EQ(f.tab.points.RowCount(), 3);
  EXPECT_EQ(f.tab.points.RowCells(2), (std::vector<std::string>{"", "3", "68.7"}));
  EXPECT_EQ(f.tab.points.GetColumnCaption(1), "T, мин");
}

// A component that no peak of the current calibration run matches kept the retention time
// of an earlier run and became a point of the new curve.
TEST(BuildCalibration, RowsWithoutAPeakLoseEarlierTimes) {
  CalibrationSet f;
  f.components[7].retentionTime = 9.0;  // from an earlier calibration run
  f.components[7].peakWidth = 0.1;
  f.components[2].retentionTime = 0.25;  // C3 comes from the tab: "0.0" now
  f.Build();
  EXPECT_EQ(f.components[7].retentionTime, 0.0);
  EXPECT_EQ(f.components[7].peakWidth, 0.0);
  EXPECT_EQ(f.components[2].retentionTime, 0.0);
  EXPECT_EQ(f.calibration.curve.times, (std::vector<double>{2.0, 3.0}));
}

TEST(BuildCalibration, LatinInterfaceMatchesTheLatinNames) {
  CalibrationSet f;
  f.shell.foreignUi = 1;
  f.run.channels[0].peaks = {Peak("c5", 2.0, 0.02, 100.0), Peak("С6", 3.0, 0.02, 100.0)};
  f.Build();
  EXPECT_EQ(f.components[4].retentionTime, 2.0);  // Latin "c5" matches "C5"
  EXPECT_EQ(f.components[5].retentionTime, 0.0);  // Cyrillic "С6" is not a Latin name
}

// An unnamed peak of the calibration run matched a user component whose additional name was
// left empty, so that component got the unnamed peak's time and became a false point.
TEST(BuildCalibration, UnnamedPeaksMatchNoComponent) {
  CalibrationSet f;
  ComponentRecord user = Component("Гептен", "", 93.6);
  f.components.push_back(user);
  f.run.channels[0].peaks.push_back(Peak("", 5.0, 0.02, 100.0));
  f.Build();
  EXPECT_EQ(f.components.back().retentionTime, 0.0);
  EXPECT_EQ(f.calibration.curve.times, (std::vector<double>{2.0, 3.0}));
}

TEST(CalibrationTab, ACalibrationWithoutRunForgetsEverythingOfTheLastBuild) {
  CalibrationSet f;
  f.Build();
  f.tab.textX = "2";
  f.tab.resolution = 4;
  f.tab.isWindow = {1, 2};
  f.tab.responseRows.resize(3);
  f.tables.response.AppendRow({"1", "С10"});
  f.Build(nullptr);
  EXPECT_EQ(f.tab.CalibrationChrm, nullptr);
  EXPECT_EQ(f.tab.points.RowCount(), 0);
  EXPECT_EQ(f.tab.textX, "0.0");
  EXPECT_EQ(f.tab.textY, "0.0");
  EXPECT_EQ(f.tab.resolution, 0.0);
  EXPECT_EQ(f.tab.isWindow.start, 0.0);
  EXPECT_EQ(f.tab.isWindow.end, 0.0);
  EXPECT_TRUE(f.tab.responseRows.empty());
  EXPECT_EQ(f.tables.response.RowCount(), 0);
  EXPECT_FALSE(f.tab.curve.registered);
  double t = -1;
  EXPECT_FALSE(CalibLookup(f.tab.curve, CalibAxis::Time, 2.5, t));
  f.tab.CalculateY();
  EXPECT_EQ(f.tab.textY, "0");
}

}  // namespace
}  // namespace p528
