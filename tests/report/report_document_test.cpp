// The report document: which elements appear under which flags, their order, nesting and
// values, built from lists and a set written by hand.
#include "report_fixture.h"

#include "report/report_options.h"
#include "shell/settings.h"
#include "shell/string_table.h"
#include "shell/text.h"
#include "workbench/custom_reference.h"

#include <algorithm>
#include <optional>

namespace p528::report_test {
namespace {

using Names = std::vector<std::string>;

// `count` texts `prefix` + k from k = `first` on; a row's cell k holds "c<k>", so every
// copied position is visible.
Names Numbered(const std::string& prefix, std::size_t first, std::size_t count) {
  Names texts;
  for (std::size_t k = first; k < first + count; ++k) texts.push_back(prefix + std::to_string(k));
  return texts;
}

// Fills every source so that only the flags decide what the document holds.
struct FullSources : ReportFixture {
  FullSources() {
    AddFile("/data/grad.stg", RoleCalibration, -1, "н-парафины");
    AddFile("/data/blank.stg", RoleBlank, -1, "холостой");
    AddAnalyses(2);
    SetList(tables.response, {"№", "Компонент", "Площадь пика", "Масса в смеси, мг", "Отклик", "Соотв."},
            {{"1", "С16", "1234.5", "10.0", "1.000", "Да"}});
    SetList(tables.reference, {"", "Доля", "Эталон", "Измерение", "Расхождение", "Норматив", "Соотв."},
            {{"", "Тнк (0.5)", "115", "114.20", "0.80", "7.6", "Да"}});
    SetList(tables.repeatability, {"", "Доля", "T1", "T2", "Тср", "|Т1 - Т2|", "Норматив", "Соответствие"},
            {{"", "Тнк (0.5)", "101.10", "102.30", "101.70", "1.20", "7.60", "Да"}});
    SetList(tables.fractions, {"", "Фракция", "Конц. 1", "Конц. 2", "Конц. ср"},
            {{"", "Фр. 70-80", "1.000", "1.100", "1.050"}});
    engine.Iso3405Rows.push_back(Iso3405Row{&coeff, 100.0, 120.0});
    messages.AddError("Отсутствует холостая хроматтограмма!");
  }
  Iso3405Coeff coeff{50.0, 1, 1, 1, 1, 4.5};
};

using DocumentFlags = FullSources;

TEST_F(DocumentFlags, AllFlagsZeroLeaveOnlyTheFixedElements) {
  struct Case {
    int32_t method;
    Names expected;
  };
  const Names fixed{"reportdate", "num_device", "name_an", "method", "operator_str"};
  const Names withMass{"reportdate", "num_device", "name_an", "method", "mass", "operator_str"};
  const Case cases[] = {{AstmD2887A, fixed},
                        {Gost56720A, fixed},
                        {Gost56720B, withMass},
                        {Gost54291, withMass},
                        {Iso3924, fixed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method);
    engine.Method = c.method;
    const xmlNodePtr root = Built(ReportOptions{});
    EXPECT_EQ(ChildNames(root), c.expected);
  }
}

TEST_F(DocumentFlags, EverySectionInTheDocumentsOrder) {
  engine.Method = Gost56720B;
  engine.StdMass = "0,0150";
  engine.SampleMass = "1.2";
  const xmlNodePtr root = Built(AllSections());
  EXPECT_EQ(ChildNames(root), (Names{"reportdate", "num_device", "name_an", "method", "mass", "files",
                                     "grad_chart", "outTable", "ref_table", "prop_chart", "prop_table_B",
                                     "fract_table", "props_ISO3405", "msg_head", "operator_str"}));
  // The masses exactly as typed, standard first.
  EXPECT_EQ(ChildValues(Find(root, "mass")), (Names{"0,0150", "1.2"}));
  EXPECT_EQ(ChildNames(Find(root, "mass")), (Names{"std_mass", "an_mass"}));
  EXPECT_EQ(Value(Find(root, "operator_str/operator")), "Иванова А. П.");
}

TEST_F(DocumentFlags, AFlagStoredAsTwoCountsOnlyForTheMessages) {
  for (const ReportFlagSpec& flag : ReportFlags()) {
    SCOPED_TRACE(flag.key);
    ReportOptions options;
    options.*flag.member = 2;
    const xmlNodePtr root = Built(options);
    const Names names = ChildNames(root);
    const bool listed = std::find(names.begin(), names.end(), "msg_head") != names.end();
    EXPECT_EQ(names.size(), listed ? 6u : 5u);
    EXPECT_EQ(listed, std::string(flag.key) == "flag_msgs");
  }
}

TEST_F(DocumentFlags, SectionsWithEmptySourcesAreLeftOut) {
  set.clear();
  engine.Analyses.clear();
  engine.Iso3405Rows.clear();
  messages.Clear();
  messages.AddWarning("только предупреждение");
  for (TableModel* list : {&tables.response, &tables.reference, &tables.repeatability, &tables.fractions}) {
    list->DeleteAllRows();
  }
  const xmlNodePtr root = Built(AllSections());
  // The pictures have no source list: their flags alone decide.
  EXPECT_EQ(ChildNames(root), (Names{"reportdate", "num_device", "name_an", "method", "grad_chart",
                                     "prop_chart", "operator_str"}));
  EXPECT_EQ(Value(Find(root, "name_an")), "");
}

using DocumentHeader = ReportFixture;

TEST_F(DocumentHeader, ValuesAndDataTypes) {
  struct Case {
    std::tm now;
    const char* date;
  };
  const Case cases[] = {
      {Day(5, 3, 2024), "5.03.2024"}, {Day(25, 12, 2023), "25.12.2023"}, {Day(1, 1, 2000), "1.01.2000"}};
  for (const Case& c : cases) {
    const xmlNodePtr root = Built(ReportOptions{}, c.now);
    EXPECT_EQ(Value(Find(root, "reportdate")), c.date);
    EXPECT_EQ(DataType(Find(root, "reportdate")), "string");
  }
  num_device = -12;
  const xmlNodePtr root = Built(ReportOptions{});
  EXPECT_EQ(Value(Find(root, "num_device")), "-12");
  EXPECT_EQ(DataType(Find(root, "num_device")), "i4");
  EXPECT_EQ(DataType(Find(root, "method")), "");  // containers are untyped
}

TEST_F(DocumentHeader, MethodNames) {
  const std::pair<int32_t, const char*> cases[] = {
      {AstmD2887A, "ASTM D 2887-2013, метод А."}, {Gost56720A, "ГОСТ Р 56720-2015 Метод А."},
      {Gost56720B, "ГОСТ Р 56720-2015 Метод Б."}, {Gost54291, "ГОСТ Р 54291-2010."},
      {Iso3924, "ГОСТ ISO 3924-2017."},           {AstmD2887B, ""}};
  for (const auto& [method, name] : cases) {
    engine.Method = method;
    const xmlNodePtr root = Built(ReportOptions{});
    EXPECT_EQ(Value(Find(root, "method/method_name")), name) << method;
  }
}

TEST_F(DocumentHeader, SampleNameLosesEveryAnalysisTag) {
  const std::pair<const char*, const char*> cases[] = {
      {"Бензин #анализ", "Бензин "}, {"#анализ ДТ-Л #анализ", " ДТ-Л "},
      {"Газойль", "Газойль"},        {"#АНАЛИЗ", "#АНАЛИЗ"},  // only the exact tag is removed
      {"##анализанализ", "#анализ"},
  };
  AddFile("/data/a.stg", RoleAnalysis, 1);
  AddAnalysisRecord("/data/a.stg");
  for (const auto& [sample, expected] : cases) {
    set.at("/data/a.stg").passport.sample = sample;
    const xmlNodePtr root = Built(ReportOptions{});
    EXPECT_EQ(Value(Find(root, "name_an")), expected) << sample;
  }
}

TEST_F(DocumentHeader, EmptyOperatorIsStillWritten) {
  OperatorName.clear();
  const xmlNodePtr root = Built(ReportOptions{});
  xmlNodePtr op = Find(root, "operator_str/operator");
  ASSERT_NE(op, nullptr);
  EXPECT_EQ(Value(op), "");
  EXPECT_EQ(DataType(op), "string");
}

using FileList = ReportFixture;

TEST_F(FileList, RolesInReportOrderAnalysesNumberedInSetOrder) {
  // Paths chosen so that set order differs from the report's order of roles.
  AddFile("/d/a-std.stg", RoleStandard, 1, "с внутр. стандартом");
  AddFile("/d/b-analysis.stg", RoleAnalysis, 2, "ДТ #анализ 2");
  AddFile("/d/c-analysis.stg", RoleAnalysis, 1, "ДТ #анализ 1");
  AddFile("/d/d-check.stg", RoleCheck, -1, "смесь");
  AddFile("/d/e-ref.stg", RoleReference, -1, "эталон");
  AddFile("/d/f-blank.stg", RoleBlank, -1, "холостой");
  AddFile("/d/g-grad.stg", RoleCalibration, -1, "н-парафины");
  // The engine's records before any sorting: set order.
  AddAnalysisRecord("/d/b-analysis.stg");
  AddAnalysisRecord("/d/c-analysis.stg");

  const xmlNodePtr root = Built(Sections({&ReportOptions::flag_files}));
  xmlNodePtr files = Find(root, "files");
  ASSERT_NE(files, nullptr);
  std::vector<Names> rows;
  for (xmlNodePtr one : Elements(files)) {
    EXPECT_EQ(ChildNames(one), (Names{"proba", "type", "analise_time", "filename"}));
    const Names values = ChildValues(one);
    rows.push_back({values[1], values[3], values[0]});
  }
  EXPECT_EQ(rows, (std::vector<Names>{{"градуировочная", "g-grad.stg", "н-парафины"},
                                      {"холостая", "f-blank.stg", "холостой"},
                                      {"эталон", "e-ref.stg", "эталон"},
                                      {"проверочная", "d-check.stg", "смесь"},
                                      {"анализ - 1", "b-analysis.stg", "ДТ #анализ 2"},
                                      {"анализ - 2", "c-analysis.stg", "ДТ #анализ 1"},
                                      {"стандарт - 1", "a-std.stg", "с внутр. стандартом"}}));
  // The sample name is that of the analysis numbered 1, whatever the set order.
  EXPECT_EQ(Value(Find(root, "name_an")), "ДТ  1");
}

TEST_F(FileList, LaterFileOfASingleRoleAndRunsBeyondTheThird) {
  AddFile("/d/1grad.stg", RoleCalibration);
  AddFile("/d/2grad.stg", RoleCalibration);
  for (int i = 1; i <= 4; ++i) AddFile("/d/an" + std::to_string(i) + ".stg", RoleAnalysis, i <= 3 ? i : -1);
  const std::vector<ReportFile> files = ReportFileList(shell, set);
  Names listed;
  for (const ReportFile& f : files) listed.push_back(f.path + " " + f.typeText);
  EXPECT_EQ(listed, (Names{"/d/2grad.stg градуировочная", "/d/an1.stg анализ - 1", "/d/an2.stg анализ - 2",
                           "/d/an3.stg анализ - 3", "/d/an4.stg анализ - 4"}));
}

TEST_F(FileList, FileNameIsTheTextAfterTheLastSeparator) {
  AddFile("C:\\Data\\Series\\grad.stg", RoleCalibration);
  AddFile("/srv/lab/blank.stg", RoleBlank);
  AddFile("noslash.stg", RoleReference);
  const xmlNodePtr root = Built(Sections({&ReportOptions::flag_files}));
  Names names;
  for (xmlNodePtr one : Elements(Find(root, "files"))) names.push_back(Value(Find(one, "filename")));
  EXPECT_EQ(names, (Names{"grad.stg", "blank.stg", "noslash.stg"}));
}

// A fresh set of `analyses` analyses under `method`.
struct PropertyTable : ReportFixture {
  void UseAnalyses(int32_t method, int analyses) {
    engine.Method = method;
    engine.Analyses.clear();
    set.clear();
    AddAnalyses(analyses);
  }
};

TEST_F(PropertyTable, ThreeAnalysesUnderGost56720AShowTwoAndEmptyReproducibility) {
  engine.Method = Gost56720A;
  AddAnalyses(3);
  SetList(tables.repeatability,
          {"", "Доля, масс%", "T1, °C", "T2, °C", "Тср, °C", "|Т1 - Т2|", "Норматив, °C", "Соответствие"},
          {{"", "Тнк (0.5)", "101.10", "102.30", "101.70", "1.20", "7.60", "Да"},
           {"", "45.0", "250.00", "262.00", "256.00", "12.00", "---", "---"},
           {"", "50.0", "260.00", "281.00", "270.50", "21.00", "9.40", "Нет"}});
  const xmlNodePtr root = Built(Sections({&ReportOptions::flag_prop_table}));
  xmlNodePtr table = Find(root, "prop_table_A");
  ASSERT_NE(table, nullptr);
  const std::vector<xmlNodePtr> children = Elements(table);
  ASSERT_EQ(children.size(), 5u);
  EXPECT_EQ(Value(Find(children[0], "label")), "T1");
  EXPECT_EQ(Value(Find(children[1], "label")), "T2");
  EXPECT_EQ(ChildNames(children[2]),
            (Names{"prop", "col", "col", "a_temp", "d_temp", "r", "r_chek", "R", "R_chek"}));
  EXPECT_EQ(ChildValues(children[4]),
            (Names{"50.0", "260.00", "281.00", "270.50", "21.00", "9.40", "Нет", "", ""}));
  EXPECT_EQ(ChildValues(children[3]),
            (Names{"45.0", "250.00", "262.00", "256.00", "12.00", "---", "---", "", ""}));
}

TEST_F(PropertyTable, ElementAndMethodCellsByMethod) {
  struct Case {
    int32_t method;
    int analyses;
    const char* section;
    Names rowNames;
  };
  const Case cases[] = {
      {Gost56720B,
       3,
       "prop_table_B",
       {"prop", "col", "col", "col", "a_temp", "accuracy", "d_temp", "r", "r_chek"}},
      {Gost54291, 2, "prop_table_Gost", {"prop", "col", "col", "a_temp", "d_temp", "R", "R_chek"}},
      {AstmD2887A, 3, "prop_table_Gost", {"prop", "col", "col", "a_temp", "d_temp", "R", "R_chek"}},
      {Iso3924, 2, "prop_table_Gost", {"prop", "col", "col", "a_temp", "d_temp", "R", "R_chek"}},
      {Gost56720A, 1, "prop_table_A", {"prop", "col"}},
      {Gost56720B, 1, "prop_table_B", {"prop", "col"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section + std::string(" ") + std::to_string(c.analyses));
    UseAnalyses(c.method, c.analyses);
    SetList(tables.repeatability, Numbered("h", 0, 12), {Numbered("c", 0, 12)});
    const xmlNodePtr root = Built(Sections({&ReportOptions::flag_prop_table}));
    xmlNodePtr table = Find(root, c.section);
    ASSERT_NE(table, nullptr);
    xmlNodePtr row = Find(table, "row");
    EXPECT_EQ(ChildNames(row), c.rowNames);
    EXPECT_EQ(ChildValues(row), Numbered("c", 1, c.rowNames.size()));
  }
}

using FractionTable = PropertyTable;

TEST_F(FractionTable, HeadingsAndCellsByMethodAndAnalyses) {
  struct Case {
    int32_t method;
    int analyses;
    Names heads;
    Names rowNames;  // element under each col
  };
  const Case cases[] = {
      {Gost56720A,
       1,
       {"Фракции", "Конц. 1, %масс", "Конц.ср, % масс", "±δ, %", "Расхождение, %", "Норматив, %", "Соотв"},
       {"val", "val"}},
      {AstmD2887A, 1, {"Фракции", "Конц. 1, %масс", "Конц.ср, % масс"}, {"val", "val"}},
      {Gost56720B,
       2,
       {"Фракции", "Конц. 1, %масс", "Конц. 2, %масс", "Конц.ср, % масс", "±δ, %", "Расхождение, %",
        "Норматив, %", "Соотв"},
       {"val", "val", "val", "val", "acvalcuracy", "val", "val", "val"}},
      {Iso3924,
       2,
       {"Фракции", "Конц. 1, %масс", "Конц. 2, %масс", "Конц.ср, % масс"},
       {"val", "val", "val", "val"}},
      {Gost54291,
       3,
       {"Фракции", "Конц. 1, %масс", "Конц. 2, %масс", "Конц. 3, %масс", "Конц.ср, % масс", "±δ, %",
        "Расхождение, %", "Норматив, %", "Соотв"},
       {"val", "val", "val", "val", "val", "acvalcuracy", "val", "val", "val"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.method) + " " + std::to_string(c.analyses));
    UseAnalyses(c.method, c.analyses);
    SetList(tables.fractions, Numbered("h", 0, 12), {Numbered("c", 0, 12), {"", "сумма:", "100.0"}});
    const xmlNodePtr root = Built(Sections({&ReportOptions::flag_fract_table}));
    xmlNodePtr table = Find(root, "fract_table");
    ASSERT_NE(table, nullptr);
    Names heads, rowNames, rowValues;
    std::vector<xmlNodePtr> rows;
    for (xmlNodePtr child : Elements(table)) {
      if (Str(child->name) == "head_col") heads.push_back(Value(Find(child, "label")));
      if (Str(child->name) == "row") rows.push_back(child);
    }
    EXPECT_EQ(heads, c.heads);
    ASSERT_EQ(rows.size(), 2u);
    for (xmlNodePtr col : Elements(rows[0])) {
      EXPECT_EQ(Str(col->name), "col");
      rowNames.push_back(ChildNames(col).at(0));
      rowValues.push_back(Value(col));
    }
    EXPECT_EQ(rowNames, c.rowNames);
    EXPECT_EQ(rowValues, Numbered("c", 1, c.rowNames.size()));
    // A shorter line gives the same number of cells, the missing ones empty.
    EXPECT_EQ(Elements(rows[1]).size(), c.rowNames.size());
  }
}

using SmallSections = ReportFixture;

TEST_F(SmallSections, ResponseFactorsCopyCaptionsAndCells) {
  SetList(tables.response, {"№", "Компонент", "Площадь пика"}, {{"1", "С16", "1234.5"}, {"2", "С18", ""}});
  const xmlNodePtr root = Built(Sections({&ReportOptions::flag_resp_rate}));
  xmlNodePtr table = Find(root, "outTable");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(ChildNames(table), (Names{"fileTableHeader", "headCol", "headCol", "headCol", "row", "row"}));
  EXPECT_EQ(ChildValues(table), (Names{"Относительные коэффициенты отклика", "№", "Компонент", "Площадь пика",
                                       "1С161234.5", "2С18"}));
  EXPECT_EQ(ChildNames(Elements(table)[5]), (Names{"col", "col", "col"}));
}

TEST_F(SmallSections, ReferenceDesignationByStoredChoice) {
  struct Case {
    std::optional<int> stored;
    std::optional<std::string> passport;
    const char* expected;  // nullptr: no type_gasoil
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, "Газойль партия №1"},
      {0, std::nullopt, "Газойль партия №1"},
      {1, std::nullopt, "Газойль партия №2"},
      {2, std::nullopt, "Паспорт газойля №: "},
      {2, "ГСО 1234-56", "Паспорт газойля №: ГСО 1234-56"},
      {3, std::nullopt, nullptr},
      {-1, std::nullopt, nullptr},
  };
  SetList(tables.reference, {"", "Доля", "Эталон", "Измерение", "Расхождение", "Норматив", "Соотв."},
          {{"", "5.0", "150", "151.00", "1.00", "5.0", "Да"}});
  for (const Case& c : cases) {
    host.profile.clear();
    if (c.stored) host.SetProfileInt("plugins\\plug528\\settings\\type_ref_gasoil", *c.stored);
    if (c.passport) host.SetProfileText("plugins\\plug528\\GasoilParams\\gasoilPasportNum", *c.passport);
    const xmlNodePtr root = Built(Sections({&ReportOptions::flag_Ref_table}));
    xmlNodePtr table = Find(root, "ref_table");
    ASSERT_NE(table, nullptr);
    if (c.expected == nullptr) {
      EXPECT_EQ(ChildNames(table), (Names{"row"}));
    } else {
      EXPECT_EQ(ChildNames(table), (Names{"type_gasoil", "row"}));
      EXPECT_EQ(Value(Find(table, "type_gasoil")), c.expected);
    }
    xmlNodePtr row = Find(table, "row");
    EXPECT_EQ(ChildNames(row), (Names{"prop", "temp_std", "temp_Ref", "d_temp", "R", "R_chek"}));
    EXPECT_EQ(ChildValues(row), (Names{"5.0", "150", "151.00", "1.00", "5.0", "Да"}));
  }
}

TEST_F(SmallSections, Iso3405RowsFromTheEngine) {
  const Iso3405Coeff ibp{0.5, 0, 0, 0, 0, 8.1}, mid{50.0, 0, 0, 0, 0, 4.25}, fbp{99.5, 0, 0, 0, 0, 11.0};
  engine.Iso3405Rows = {Iso3405Row{&ibp, 100, 123.456}, Iso3405Row{&mid, 250, kIsoMissing},
                        Iso3405Row{&fbp, 400, 385.005}};
  const xmlNodePtr root = Built(Sections({&ReportOptions::flag_prop_ISO3405}));
  std::vector<Names> rows;
  for (xmlNodePtr row : Elements(Find(root, "props_ISO3405"))) {
    Names values;
    for (xmlNodePtr col : Elements(row)) {
      EXPECT_EQ(ChildNames(col), (Names{"val"}));
      values.push_back(Value(col));
    }
    rows.push_back(values);
  }
  EXPECT_EQ(rows, (std::vector<Names>{{"Тнк (0.5)", "123.46", "8.10"},
                                      {"50.0", "---", "---"},
                                      {"Ткк (99.5)", Format("%.2f", 385.005), "11.00"}}));
}

TEST_F(SmallSections, ErrorsOnlyNumberedFromOne) {
  ReportOptions options;
  options.flag_msgs = 1;
  {
    messages.AddWarning("предупреждение");
    messages.AddInformation("информация");
    const xmlNodePtr root = Built(options);
    EXPECT_EQ(Find(root, "msg_head"), nullptr);
  }
  messages.AddError("Первая ошибка");
  messages.AddError("Вторая\r\n\tстрока");
  const xmlNodePtr root = Built(options);
  xmlNodePtr head = Find(root, "msg_head");
  ASSERT_NE(head, nullptr);
  const std::vector<xmlNodePtr> items = Elements(head);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(ChildNames(items[1]), (Names{"num", "msg_str"}));
  EXPECT_EQ(DataType(Find(items[1], "num")), "i4");
  EXPECT_EQ(ChildValues(items[0]), (Names{"1", "Ошибка! \r\n\tПервая ошибка\r\n"}));
  EXPECT_EQ(ChildValues(items[1]), (Names{"2", "Ошибка! \r\n\tВторая\r\n\tстрока\r\n"}));
}

TEST_F(SmallSections, PicturesCarryThePngAndAFailedPictureStopsTheReport) {
  ReportOptions options;
  options.flag_grad_chart = 1;
  options.flag_prop_chart = 1;
  {
    const xmlNodePtr root = Built(options);
    for (const char* path : {"grad_chart/picture", "prop_chart/picture"}) {
      xmlNodePtr picture = Find(root, path);
      ASSERT_NE(picture, nullptr) << path;
      EXPECT_EQ(DataType(picture), "bin.base64");
      EXPECT_EQ(Value(picture), Base64Encode(png.data(), png.size()));
    }
  }
  // Only the distillation chart fails: the calibration picture was made, the report is not.
  ChartPictureSource failing = [this](ReportChart chart, std::vector<unsigned char>& out) {
    out = png;
    return chart == ReportChart::Calibration;
  };
  CXMLWrapper wrapper;
  EXPECT_EQ(BuildReportDocument(wrapper, Sources(), options, Day(5, 3, 2024), failing),
            BuildStatus::NoPicture);
  EXPECT_EQ(BuildReportDocument(wrapper, Sources(), options, Day(5, 3, 2024), nullptr),
            BuildStatus::NoPicture);
}

TEST_F(SmallSections, EnglishInterfaceGivesEnglishWords) {
  shell.resources = &EnglishStrings();
  engine.Method = Gost56720B;
  AddAnalyses(1);
  AddFile("/d/grad.stg", RoleCalibration);
  SetList(tables.fractions, {"", "Fraction", "Conc. 1"}, {{"", "Fr. 70-80", "1.000"}});
  const xmlNodePtr root = Built(Sections({&ReportOptions::flag_files, &ReportOptions::flag_fract_table}));
  EXPECT_EQ(Value(Find(root, "method/method_name")), "GOST R 56720-2015 Method B.");
  EXPECT_EQ(Value(Find(root, "files/onefile/type")), "calibration");
  EXPECT_EQ(Value(Find(root, "fract_table/head_col/label")), "Fractions");
}

}  // namespace
}  // namespace p528::report_test
