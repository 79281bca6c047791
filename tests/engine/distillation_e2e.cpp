// End to end on the generated gas oil set: the three parallel analyses of a diesel fuel
// built from a known boiling-point distribution must give that distribution back within
// the standard's reproducibility, with initial and final boiling points found, under every
// area-normalisation method.
#include "chromatogram/chrm_role.h"
#include "chromatogram/chrm_set.h"
#include "chromatogram_set.h"
#include "engine/calibration.h"
#include "generated_calculation.h"
#include "shell/shell.h"
#include "support/engine_fixture.h"
#include "workbench/analysis.h"
#include "workbench/message_log.h"
#include "workbench/result_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

namespace p528 {
namespace {

// Reproducibility R of the point tables, °C (GOST ISO 3924 / ASTM D 2887; the percents
// between the tabulated ones take the rule of their neighbours).
double Reproducibility(double p, double t) {
  if (p == 0.5) return 0.066 * t;
  if (p <= 20) return 0.015 * (t + 100);
  if (p < 40) return 0.013 * (t + 100);
  if (p <= 90) return 4.3;
  if (p <= 95) return 5.0;
  return 11.8;
}

class GasoilSet : public ::testing::TestWithParam<int32_t>, public test::EngineFixture {
 protected:
  void Calculate(int32_t method) {
    engine.Method = method;
    CalculateGenerated(*this, *set_, chrmSet);
  }

  chrmgen::GeneratedSet* set_ = &GeneratedScenario("gasoil");

  void SetUp() override { components = ProjectComponents(); }

  ChrmSet chrmSet;  // copies of the runs, which the results point into
};

TEST_P(GasoilSet, PointTablesReproduceTheTargetDistribution) {
  tables.SetUp(shell);
  Calculate(GetParam());
  const chrmgen::SampleExpectation* expected = set_->Sample("analysis");
  ASSERT_NE(expected, nullptr);
  std::map<double, double> target;
  for (const chrmgen::ExpectedPoint& p : expected->points) target[p.percent] = p.temperature;

  for (const std::string& e : messages.Errors()) ADD_FAILURE() << "error: " << e;
  ASSERT_EQ(engine.Analyses.size(), 3u);
  EXPECT_GE(engine.State, static_cast<uint32_t>(StateCurves));
  for (const ChrmResult& a : engine.Analyses) {
    SCOPED_TRACE(a.Number);
    EXPECT_NE(a.Ibp.time, -1.0);
    EXPECT_NE(a.Fbp.time, -1.0);
    EXPECT_GT(a.EndTime, a.Fbp.time);
    EXPECT_NEAR(a.PercentOff.back(), 100.0, 0.05);
    ASSERT_FALSE(a.PointTable.empty());
    for (const DistPoint& p : a.PointTable) {
      ASSERT_TRUE(target.count(p.percent)) << p.percent;
      const double t = target[p.percent];
      EXPECT_NE(p.time, -1.0) << p.percent;
      EXPECT_LE(std::fabs(p.temp - t), Reproducibility(p.percent, t))
          << "at " << p.percent << " %: found " << p.temp << " °C, target " << t << " °C";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AreaNormalisationMethods, GasoilSet,
                         ::testing::Values(AstmD2887A, Gost56720A, Iso3924));

}  // namespace
}  // namespace p528
