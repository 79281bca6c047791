#include "engine/calibration_checks.h"

#include "engine/texts/calibration_check_texts.h"
#include "support/engine_fixture.h"
#include "workbench/calibration_tab.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>

namespace p528 {
namespace {

// The resolution as the calibration tab shows it.
std::string ResolutionText(const CalcCalibration& calibration) {
  CalibrationTab tab;
  tab.Show(calibration);
  return tab.ResolutionText();
}

using test::AddBoxPeak;
using test::Component;
using test::FlatChannel;
using test::TablePeak;

const char* const kResolution56720 =
    "Разрешающая способность не соответствует нормативу ГОСТ Р 56720-2015 п. 8.3.";
const char* const kResolutionIso =
    "Разрешающая способность не соответствует нормативу ГОСТ ISO 3924-2017 п. 8.3.";

struct ResolutionFixture : test::EngineFixture {
  ChrmFile run;

  // Calibration run on a 0.01 min grid: C14 at 8.00, C16 at 10.00, C17 at 10.20 and C18 at
  // 10.50 min, each peak `half` samples either side of its centre (+ `extra` on the right).
  // Peak names in the interface's letters: Cyrillic С unless `latin` is given.
  void Build(int half, int extra, bool withC18 = true, const char* latin = nullptr) {
    const std::string c = latin != nullptr ? latin : ToCyrillicC("C");
    for (const char* n : {"C14", "C16", "C17", "C18"}) components.push_back(Component(n));
    ChrmChannel channel = FlatChannel(0.0, 0.01, 2000);
    AddBoxPeak(channel, c + "14", 800, half, half + extra);
    AddBoxPeak(channel, c + "16", 1000, half, half + extra);
    AddBoxPeak(channel, c + "17", 1020, 1, 1);
    if (withC18) AddBoxPeak(channel, c + "18", 1050, half, half + extra);
    run.channels.push_back(std::move(channel));
    calibration.CalibrationChrm = &run;
  }
};

// 2 × 0.5 / (1.699 × 0.1) ≈ 5.9 passes; widths of 0.12 min give ≈ 2.45, which fails with the
// text of GOST R 56720 for methods 0 to 4 and of GOST ISO 3924 for method 5.
TEST(CheckResolution, ResolutionAndItsMessagePerMethod) {
  struct Case {
    int half, extra;
    int method;
    double expected;
    const char* text;  // nullptr: no message
  };
  const Case cases[] = {
      {2, 0, AstmD2887A, 5.886, nullptr},          {2, 0, Iso3924, 5.886, nullptr},
      {5, 1, AstmD2887A, 2.452, kResolution56720}, {5, 1, AstmD2887B, 2.452, kResolution56720},
      {5, 1, Gost56720A, 2.452, kResolution56720}, {5, 1, Gost56720B, 2.452, kResolution56720},
      {5, 1, Gost54291, 2.452, kResolution56720},  {5, 1, Iso3924, 2.452, kResolutionIso},
  };
  for (const Case& c : cases) {
    ResolutionFixture f;
    f.Build(c.half, c.extra);
    f.SetMethod(c.method);
    CheckResolution(f.engine);
    SCOPED_TRACE(testing::Message() << "method " << c.method << " widths " << (2 * c.half + 1 + c.extra));
    EXPECT_NEAR(f.calibration.resolution, c.expected, 1e-3);
    EXPECT_EQ(ResolutionText(f.calibration), c.expected > 5 ? "5.9" : "2.5");
    if (c.text == nullptr) {
      EXPECT_TRUE(f.messages.Errors().empty()) << f.Joined(f.messages.Errors());
    } else {
      ASSERT_EQ(f.messages.Errors().size(), 1u);
      EXPECT_EQ(f.messages.Errors()[0], c.text);
    }
  }
}

TEST(CheckResolution, WindowFromC14AndC17) {
  ResolutionFixture f;
  f.Build(2, 0);
  CheckResolution(f.engine);
  EXPECT_DOUBLE_EQ(f.calibration.isWindow.start, 8.0 * 0.95);
  EXPECT_DOUBLE_EQ(f.calibration.isWindow.end, 10.2 * 1.05);
}

TEST(CheckResolution, MissingC18GivesZeroAndTheError) {
  ResolutionFixture f;
  f.Build(2, 0, /*withC18=*/false);
  CheckResolution(f.engine);
  EXPECT_EQ(f.calibration.resolution, 0.0);
  EXPECT_EQ(ResolutionText(f.calibration), "0.0");
  ASSERT_EQ(f.messages.Errors().size(), 1u);
  EXPECT_EQ(f.messages.Errors()[0], kResolution56720);
}

// Regression: a component table without a C18 row leaves its peak label empty; an unnamed
// peak must not be taken for C18 (it would give a resolution from an arbitrary peak).
TEST(CheckResolution, UnnamedPeakIsNotAMissingParaffin) {
  ResolutionFixture f;
  f.Build(2, 0, /*withC18=*/false);
  f.components.pop_back();  // no C18 row at all
  AddBoxPeak(f.run.channels[0], "", 1200, 2, 2);
  CheckResolution(f.engine);
  EXPECT_EQ(f.calibration.resolution, 0.0);
  EXPECT_EQ(f.messages.Errors().size(), 1u);
}

// Regression: peaks whose widths cannot be measured (0) gave an infinite resolution that
// passed the check.
TEST(CheckResolution, ZeroWidthsGiveNoResolution) {
  ResolutionFixture f;
  f.Build(2, 0);
  for (ChrmPeak& peak : f.run.channels[0].peaks) peak.back = peak.front = 100.0;  // outside the run
  CheckResolution(f.engine);
  EXPECT_EQ(f.calibration.resolution, 0.0);
  EXPECT_EQ(f.messages.Errors().size(), 1u);
}

TEST(CheckResolution, ForeignInterfaceLooksForLatinNames) {
  ResolutionFixture f;
  f.shell.foreignUi = 1;
  f.engine.settings.latinNames = true;
  f.Build(2, 0, true, "c");  // peak names in Latin letters, lower case
  CheckResolution(f.engine);
  EXPECT_NEAR(f.calibration.resolution, 5.886, 1e-3);
  EXPECT_TRUE(f.messages.Errors().empty()) << f.Joined(f.messages.Errors());
}

TEST(CheckResolution, NoCalibrationRunChangesNothing) {
  test::EngineFixture f;
  f.calibration.resolution = 0.0;
  CheckResolution(f.engine);
  EXPECT_TRUE(f.messages.IsEmpty());
}

// ---- relative response factors ----

struct ResponseFixture : test::EngineFixture {
  std::unique_ptr<ChrmFile> check = std::make_unique<ChrmFile>();

  ResponseFixture() {
    components = {Component("C10", 1.0), Component("C12", 2.0), Component("C14", 2.24),
                  Component("C16", 0.0)};
    check->channels.push_back(FlatChannel(0.0, 0.01, 10));
    calibration.CheckChrm = check.get();
  }
  void Peaks(std::initializer_list<ChrmPeak> peaks) { check->channels[0].peaks = peaks; }
  void Run() {
    CheckResponseFactors(engine);
    FillResponseList(engine, shell, tables.response);
  }
};

const char* const kMassHint =
    "Задать массу комопнентов можно нажав кнопку \"Компоненты\" в основном окне программы.\r\n";

// Mass 2.0 mg with area 1000 against n-decane 1.0 mg with area 500 is a factor of 1.0; a
// factor of 1.12 fails under ASTM D 2887 with its value on a second line.
TEST(CheckResponseFactors, FactorsAndLimitsUnderAstm) {
  ResponseFixture f;
  f.SetMethod(AstmD2887A);
  f.Peaks({TablePeak("С10", 500), TablePeak("С12", 1000), TablePeak("С14", 1000)});
  f.Run();
  const auto& rows = f.calibration.responseRows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].factor, 1.0);
  EXPECT_DOUBLE_EQ(rows[1].factor, 1.0);
  EXPECT_NEAR(rows[2].factor, 1.12, 1e-12);
  EXPECT_EQ(rows[1].ok, 1);
  EXPECT_EQ(rows[2].ok, 0);
  ASSERT_EQ(f.messages.Errors().size(), 1u);
  EXPECT_EQ(f.messages.Errors()[0],
            "Отклик компонента \"С14\" не соответствует условию ASTM D 2887-13 п. 9.3.2."
            "\r\n\t\tОтносительный отклик компонента: 1.12");
  const TableModel& list = f.tables.response;
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.RowCells(1), (std::vector<std::string>{"2", "С12", "1000.000", "2.000", "1.000", "Да"}));
  EXPECT_EQ(list.RowCells(2), (std::vector<std::string>{"3", "С14", "1000.000", "2.240", "1.120", "Нет"}));
}

TEST(CheckResponseFactors, Iso3924UsesItsOwnText) {
  ResponseFixture f;
  f.SetMethod(Iso3924);
  f.Peaks({TablePeak("С10", 500), TablePeak("С14", 1000)});
  f.Run();
  ASSERT_EQ(f.messages.Errors().size(), 1u);
  EXPECT_EQ(f.messages.Errors()[0],
            "Отклик компонента \"С14\" не соответствует условию ГОСТ ISO 3924-2017 п. 8.4."
            "\r\n\t\tОтносительный отклик компонента: 1.12");
}

// Under GOST R 56720 method A the factors are listed but not judged.
TEST(CheckResponseFactors, OtherMethodsListWithoutJudging) {
  ResponseFixture f;
  f.SetMethod(Gost56720A);
  f.Peaks({TablePeak("С10", 500), TablePeak("С14", 1000), TablePeak("X", 10), TablePeak("С16", 10)});
  f.Run();
  EXPECT_TRUE(f.messages.IsEmpty());
  const TableModel& list = f.tables.response;
  ASSERT_EQ(list.RowCount(), 3);  // "X" has no component
  EXPECT_EQ(list.RowCells(1), (std::vector<std::string>{"2", "С14", "1000.000", "2.240", "1.120", "---"}));
  // Zero mass: mass and factor show "---", and the line keeps its peak number 4.
  EXPECT_EQ(list.RowCells(2), (std::vector<std::string>{"4", "С16", "10.000", "---", "---", "---"}));
}

TEST(CheckResponseFactors, UnknownPeakAndMissingMassUnderAstm) {
  ResponseFixture f;
  f.SetMethod(AstmD2887A);
  f.Peaks({TablePeak("С10", 500), TablePeak("X", 10), TablePeak("С16", 10), TablePeak("С12", 1000)});
  f.Run();
  EXPECT_EQ(f.messages.Errors(), (std::vector<std::string>{
                                     "Компонент \"X\" отсутствует в таблице компонентов.",
                                     "Для компонента \"С16\" не правильно задана масса в смеси.",
                                 }));
  EXPECT_EQ(f.messages.Information(), std::vector<std::string>{kMassHint});
  EXPECT_EQ(f.tables.response.Cell(1, 5), "---");  // С16: no factor, so no verdict
}

TEST(CheckResponseFactors, DecaneProblemsPerMethod) {
  struct Case {
    int method;
    std::vector<ChrmPeak> peaks;
    double decaneMass;
    std::vector<std::string> errors;
    std::size_t information;
  };
  const std::string notInRunAstm =
      "В списке компонентов градуировочной хроматограамы не обнаружен н-Декан (C10).\r\n"
      "\tПроверка относительного коэффициента отклика невозможна (ASTM D 2887-13 п. 9.3.2.)";
  const std::string notInRunIso =
      "В списке компонентов градуировочной хроматограамы не обнаружен н-Декан (C10).\r\n"
      "\tПроверка относительного коэффициента отклика невозможна (ГОСТ ISO 3924-2017 п. 8.4.)";
  const Case cases[] = {
      {AstmD2887A, {TablePeak("С12", 1000)}, 1.0, {notInRunAstm}, 0},
      {Iso3924, {TablePeak("С12", 1000)}, 1.0, {notInRunIso}, 0},
      {Gost56720A, {TablePeak("С12", 1000)}, 1.0, {}, 0},
      {AstmD2887A, {TablePeak("С10", 500)}, 0.0, {"Не задана масса компонента н-Декан (C10).\r\n"}, 1},
      {Gost54291, {TablePeak("С10", 500)}, 0.0, {}, 0},
  };
  for (const Case& c : cases) {
    ResponseFixture f;
    f.SetMethod(c.method);
    f.components[0].mixtureMass = c.decaneMass;
    f.check->channels[0].peaks = c.peaks;
    f.Run();
    SCOPED_TRACE(testing::Message() << "method " << c.method);
    EXPECT_EQ(f.messages.Errors(), c.errors);
    EXPECT_EQ(f.messages.Information().size(), c.information);
  }
}

TEST(CheckResponseFactors, DecaneMissingFromTheComponentTable) {
  for (int method : {AstmD2887A, Iso3924, Gost56720B}) {
    ResponseFixture f;
    f.SetMethod(method);
    f.components.erase(f.components.begin());
    f.Peaks({TablePeak("С10", 500), TablePeak("С12", 1000)});
    f.Run();
    SCOPED_TRACE(testing::Message() << "method " << method);
    ASSERT_FALSE(f.messages.Errors().empty());
    EXPECT_EQ(
        f.messages.Errors()[0],
        std::string("В списке компонентов программы не обнаружен н-Декан (C10).\r\n") +
            (method == Iso3924
                 ? "\tПроверка относительного коэффициента отклика невозможна (ГОСТ ISO 3924-2017 п. 8.4.)"
                 : "\tПроверка относительного коэффициента отклика невозможна (ASTM D 2887-13 п.9.3.2)"));
  }
}

// Regression: under a non-Russian interface the peak names are in Latin letters; comparing
// them with the Russian names reported a missing n-decane for every check mixture.
TEST(CheckResponseFactors, ForeignInterfaceComparesLatinNames) {
  ResponseFixture f;
  f.shell.foreignUi = 1;
  f.engine.settings.latinNames = true;
  f.SetMethod(AstmD2887A);
  f.Peaks({TablePeak("C10", 500), TablePeak("C12", 1000)});
  f.Run();
  EXPECT_TRUE(f.messages.IsEmpty()) << f.Joined(f.messages.Errors());
  ASSERT_EQ(f.tables.response.RowCount(), 2);
  EXPECT_EQ(f.tables.response.Cell(0, 1), "C10");  // the interface's (Latin) name
  EXPECT_EQ(f.tables.response.Cell(1, 4), "1.000");
  EXPECT_EQ(f.tables.response.Cell(1, 5), f.shell.Str(text::kYes));
}

// Without a check run nothing is reported and the list has no line; rows of an earlier
// check run never survive it (the old run may already be gone).
TEST(CheckResponseFactors, NoCheckRunLeavesNoRows) {
  ResponseFixture f;
  f.SetMethod(AstmD2887A);
  f.Peaks({TablePeak("С10", 500), TablePeak("С12", 1000)});
  f.Run();
  ASSERT_EQ(f.tables.response.RowCount(), 2);

  f.check.reset();  // the earlier check run is unloaded
  f.calibration.CheckChrm = nullptr;
  f.messages.Clear();
  f.Run();
  EXPECT_TRUE(f.messages.IsEmpty());
  EXPECT_TRUE(f.calibration.responseRows.empty());
  EXPECT_EQ(f.tables.response.RowCount(), 0);
}

TEST(EqualsLatinNoCase, FoldsLatinLettersOnly) {
  EXPECT_TRUE(EqualsLatinNoCase("c10", "C10"));
  EXPECT_TRUE(EqualsLatinNoCase("С10", "С10"));
  EXPECT_FALSE(EqualsLatinNoCase("с10", "С10"));  // Cyrillic case is not folded
  EXPECT_FALSE(EqualsLatinNoCase("C10", "С10"));  // Latin C is not Cyrillic С
  EXPECT_FALSE(EqualsLatinNoCase("C10", "C100"));
}

// A check mixture whose n-decane peak has an area of 0 gives no ratio to judge against:
// no factor may come out infinite or not a number, in the rows or in the list.
TEST(CheckResponseFactors, DecaneWithoutAreaGivesNoUndefinedFactor) {
  for (int32_t method : {AstmD2887A, Iso3924, Gost56720A}) {
    SCOPED_TRACE(testing::Message() << "method " << method);
    test::EngineFixture f(method);
    for (const char* name : {"C10", "C12"}) {
      ComponentRecord c;
      c.name = c.altName = ToCyrillicC(name);
      c.nameLatin = c.altNameLatin = name;
      c.mixtureMass = 1.0;
      f.components.push_back(c);
    }
    ChrmFile check;
    check.channels.resize(1);
    for (const auto& [name, area] : {std::pair{"С10", 0.0}, std::pair{"С12", 500.0}}) {
      ChrmPeak peak{.area = area, .name = name};
      check.channels[0].peaks.push_back(peak);
    }
    f.calibration.CheckChrm = &check;
    CheckResponseFactors(f.engine);
    FillResponseList(f.engine, f.shell, f.tables.response);
    for (const ResponseRow& row : f.calibration.responseRows) EXPECT_TRUE(std::isfinite(row.factor));
    const TableModel& list = f.tables.response;
    ASSERT_EQ(list.RowCount(), 2);
    for (int r = 0; r < list.RowCount(); ++r) {
      EXPECT_EQ(list.Cell(r, 4), "---") << r;  // no factor
      EXPECT_EQ(list.Cell(r, 5), "---") << r;  // so no conformity either
    }
  }
}

}  // namespace
}  // namespace p528
