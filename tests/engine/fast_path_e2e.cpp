// The distillation primitives against the rule taken one sample at a time
// (support/literal_distillation.h) on the signals of generated sets: every analysis and
// reference run of each scenario, its end of elution and its curve, bit for bit.
#include "generated_calculation.h"

#include "support/literal_distillation.h"
#include "support/same_doubles.h"

#include <gtest/gtest.h>

namespace p528 {
namespace {

using test::SameDouble;
using test::SameDoubles;

// The area-normalisation steps of one run, once through the engine's primitives and once
// through the literal rule.
void ExpectSameCurve(const ChrmResult& calculated, int32_t method, const CalibCurve& curve) {
  ChrmResult fast = calculated;
  ChrmResult slow = calculated;
  const double last = fast.StartTime + (static_cast<double>(fast.Signal.size()) - 1) * fast.Step;
  fast.TotalArea = Area(fast, fast.StartTime, last);
  slow.TotalArea = literal::Area(slow, slow.StartTime, last);
  ASSERT_TRUE(SameDouble(fast.TotalArea, slow.TotalArea));
  fast.EndTime = slow.EndTime = last;
  FindEndTime(fast);
  literal::FindEndTime(slow);
  ASSERT_TRUE(SameDouble(fast.EndTime, slow.EndTime));
  ASSERT_GT(fast.EndTime, fast.StartTime);
  fast.TotalArea = Area(fast, fast.StartTime, fast.EndTime);
  slow.TotalArea = literal::Area(slow, slow.StartTime, slow.EndTime);
  BuildCurve(fast, method, curve);
  literal::BuildCurve(slow, method, curve);
  ASSERT_FALSE(fast.PercentOff.empty());
  EXPECT_TRUE(SameDoubles(fast.PercentOff, slow.PercentOff));
  EXPECT_TRUE(SameDoubles(fast.PointTemp, slow.PointTemp));
}

TEST(FastPathOnGeneratedSets, CurvesAreTheRule) {
  const struct {
    const char* scenario;
    int32_t method;
  } cases[] = {{"gasoil", AstmD2887A}, {"heavy", Gost56720A}, {"condensate", Gost56720B}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    GeneratedCalculation calculation(ProjectComponents(), GeneratedScenario(c.scenario), c.method);
    const CalibCurve& curve = calculation.calibration.curve;
    ASSERT_FALSE(curve.times.empty());
    int runs = 0;
    for (const ChrmResult& a : calculation.engine.Analyses) {
      if (a.File == nullptr) continue;
      ExpectSameCurve(a, c.method, curve);
      ++runs;
    }
    if (calculation.engine.Reference.File) ExpectSameCurve(calculation.engine.Reference, c.method, curve);
    EXPECT_GE(runs, 2);
  }
}

// A recalculation reuses the memory of the previous one's vectors: what it finds there must
// never reach its results. A long set first, then a shorter one and an internal-standard
// method, compared with a fresh engine.
TEST(FastPathOnGeneratedSets, RecalculationIsTheFirstCalculation) {
  GeneratedCalculation reused(ProjectComponents(), GeneratedScenario("heavy"), Gost56720A);
  reused.Calculate(GeneratedScenario("condensate"), Gost56720B);
  GeneratedCalculation first(ProjectComponents(), GeneratedScenario("condensate"), Gost56720B);
  ASSERT_EQ(reused.engine.Analyses.size(), first.engine.Analyses.size());
  ASSERT_EQ(reused.engine.State, first.engine.State);
  for (std::size_t i = 0; i < first.engine.Analyses.size(); ++i) {
    const ChrmResult& a = reused.engine.Analyses[i];
    const ChrmResult& b = first.engine.Analyses[i];
    EXPECT_TRUE(SameDoubles(a.Signal, b.Signal));
    EXPECT_TRUE(SameDoubles(a.Times, b.Times));
    EXPECT_TRUE(SameDoubles(a.PercentOff, b.PercentOff));
    EXPECT_TRUE(SameDoubles(a.PointTemp, b.PointTemp));
    EXPECT_TRUE(SameDouble(a.SampleArea, b.SampleArea));
    EXPECT_TRUE(SameDouble(a.Ibp.temp, b.Ibp.temp));
  }
}

}  // namespace
}  // namespace p528
