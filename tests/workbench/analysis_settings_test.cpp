// The analysis settings' number filter, the normalisation on OK and what OK stores.
#include "workbench/analysis_settings.h"

#include "workbench/analysis.h"
#include "workbench_fixture.h"

namespace p528::test {
namespace {

TEST(NumericFilter, KeepsADecimalNumber) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {
      {"12,5", "12.5"},  {",", "0."},   {"-.5", "-0.5"}, {"5-", "5"},   {"1ab2", "12"},
      {"1.2.3", "1.23"}, {"--1", "-1"}, {"", ""},        {"-", "-"},    {" 7 ", "7"},
      {"1e5", "15"},     {"٣", ""},     {".", "0."},     {"-,", "-0."}, {"0.5", "0.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumericFilter(c.typed), c.kept) << c.typed;
}

TEST(NormalizeNumberText, ChangedTextsAreRoundedAndRaisedToTheMinimum) {
  struct Case {
    const char* text;
    const char* stored;
    int decimals;
    double minimum;
    bool changed;
    const char* result;
  };
  const Case cases[] = {
      {"2", "0.0", 3, 0.0, true, "2.0"},    {"1.50", "0.0", 3, 0.0, true, "1.5"},
      {"0.2", "10.0", 1, 0.5, true, "0.5"}, {"10.00", "10.0", 1, 0.5, false, "10.00"},
      {"-3", "0.0", 4, 0.0, true, "0.0"},   {"12.34567", "0", 4, 0.0, true, "12.3457"},
      {"abc", "0.0", 3, 0.0, false, "abc"}, {"0.05", "1", 1, 0.1, true, "0.1"},
      {"100", "0", 1, 0.0, true, "100.0"},  {"", "5", 4, 0.0, true, "0.0"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(NormalizeNumberText(text, c.stored, c.decimals, c.minimum), c.changed) << c.text;
    EXPECT_EQ(text, c.result) << c.text;
  }
}

using AnalysisSettings = WorkbenchTest;

TEST_F(AnalysisSettings, OkStoresWhatChangedAndNormalisesTheRest) {
  const std::string prefix = "plugins\\plug528\\settings\\";
  host.SetProfileText(prefix + "step_mark", "10.0");
  Workbench& wb = Start();
  const CAnalysis& a = wb.analysis();
  const int recalculations = user.recalculations;
  wb.EditAnalysisSettings([&](CAnalysis& typed) {
    OpenAnalysisSettings(typed);
    typed.step_mark = "0.2";
    typed.start_mark = "70.00";  // the same number as the default: not stored
    typed.TimeStartSample = "1,25";
    typed.TimeStartSample = NumericFilter(typed.TimeStartSample);
    typed.Method = Gost56720B;
    typed.SampleMass = "12.5";
    typed.StepPercent = "0.05";
    typed.UseDefaultStep = 0;
    typed.RefType = Lot2;
    host.ClearCalls();
    AcceptAnalysisSettings(typed);
  });
  EXPECT_EQ(user.recalculations, recalculations + 1);  // one recalculation per OK
  EXPECT_EQ(host.ProfileText(prefix + "step_mark"), "0.5");
  EXPECT_EQ(a.step_mark, "0.5");
  EXPECT_FALSE(host.ProfileText(prefix + "start_mark").has_value());
  EXPECT_EQ(a.start_mark, "70.00");
  EXPECT_EQ(host.ProfileText(prefix + "TimeStartSample"), "1.25");
  EXPECT_EQ(host.ProfileInt(prefix + "method"), Gost56720B);
  EXPECT_EQ(host.ProfileInt(prefix + "type_ref_gasoil"), Lot2);
  EXPECT_EQ(a.SampleMass, "12.5");  // normalised (already normal), never stored
  EXPECT_EQ(a.StepPercent, "0.1");
  for (const HostCall& call : host.CallsOf("CallService", "Profile/SetString")) {
    EXPECT_EQ(call.text.find(u"SampleMass"), std::u16string::npos);
  }

  // Cancel after new typing brings back the texts of the last opening.
  wb.EditAnalysisSettings([](CAnalysis& typed) {
    OpenAnalysisSettings(typed);
    typed.SampleMass = "99";
    CancelAnalysisSettings(typed);
  });
  EXPECT_EQ(a.SampleMass, "12.5");
}

TEST_F(AnalysisSettings, OkWritesTheMethodWhenNoneIsStoredYet) {
  Workbench& wb = Start();
  wb.EditAnalysisSettings([](CAnalysis& a) {
    OpenAnalysisSettings(a);
    AcceptAnalysisSettings(a);
  });
  // The stored method is compared with -1 when absent: the first OK stores method 0.
  EXPECT_EQ(host.ProfileInt("plugins\\plug528\\settings\\method"), 0);
}

}  // namespace
}  // namespace p528::test
