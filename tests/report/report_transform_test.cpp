// The style sheets and the transformation: texts stay data, the HTML is self-contained and
// printable, the two languages share one layout, and every failure is told, not written.
#include "html_reader.h"
#include "report_fixture.h"
#include "support/files.h"
#include "support/temp_folder.h"

#include "report/report_transform.h"
#include "shell/text.h"

namespace p528::report_test {
namespace {

using test::WriteBytes;

TEST(StyleSheet, NameByInterfaceLanguage) {
  const std::pair<uint16_t, const char*> cases[] = {{0x0419, "plug528.xsl"},
                                                    {0x0409, "plug528ENU.xsl"},
                                                    {0x0809, "plug528ENU.xsl"},
                                                    {0x0407, "plug528ENU.xsl"},
                                                    {0, "plug528ENU.xsl"}};
  for (const auto& [language, name] : cases) EXPECT_STREQ(StyleSheetName(language), name) << language;
}

TEST(StyleSheet, PathBesideTheModule) {
  EXPECT_EQ(StyleSheetPath("/opt/chrom/plugins", "plug528.xsl"), "/opt/chrom/plugins/plug528.xsl");
  EXPECT_EQ(StyleSheetPath("/opt/chrom/plugins/", "plug528.xsl"), "/opt/chrom/plugins/plug528.xsl");
  EXPECT_EQ(StyleSheetPath("", "plug528.xsl"), "plug528.xsl");
  EXPECT_EQ(StyleSheetPath("/opt", "/etc/x.xsl"), "/etc/x.xsl");
}

// Everything of a style sheet but its header comment and its labels block.
std::string Layout(const std::string& sheet) {
  std::string text = sheet.substr(sheet.find("<xsl:stylesheet"));
  const std::size_t begin = text.find("<!-- labels -->");
  const std::size_t end = text.find("<!-- /labels -->");
  if (begin == std::string::npos || end == std::string::npos) return "no labels block";
  return text.erase(begin, end - begin);
}

// The names of the label variables, in order.
std::vector<std::string> LabelNames(const std::string& sheet) {
  std::vector<std::string> names;
  const std::size_t end = sheet.find("<!-- /labels -->");
  for (std::size_t at = sheet.find("<!-- labels -->"); at < end;) {
    at = sheet.find("<xsl:variable name=\"", at);
    if (at >= end) break;
    at += 20;
    names.push_back(sheet.substr(at, sheet.find('"', at) - at));
  }
  return names;
}

TEST(StyleSheet, BothLanguagesShareOneLayout) {
  const std::string russian = ReadBytes(StyleSheetIn("plug528.xsl"));
  const std::string english = ReadBytes(StyleSheetIn("plug528ENU.xsl"));
  ASSERT_FALSE(russian.empty());
  ASSERT_FALSE(english.empty());
  EXPECT_EQ(Layout(russian), Layout(english));
  EXPECT_EQ(LabelNames(russian), LabelNames(english));
  EXPECT_GT(LabelNames(russian).size(), 40u);
  // Texts of the document are always written escaped.
  EXPECT_EQ(russian.find("disable-output-escaping"), std::string::npos);
  EXPECT_EQ(english.find("disable-output-escaping"), std::string::npos);
}

// Texts a passport, the profile or a list may carry, each a piece of markup if mishandled.
struct Hostile : ReportFixture {
  const std::string sample = "<script>alert(1)</script> & \"quoted\" 'single' &amp;";
  const std::string operatorName = "O'Brien & Sons <b>bold</b>";
  const std::string passport = "№12 \"><img src=x onerror=alert(2)>";
  const std::string cell = "</td></tr></table><script>alert(3)</script>";
  const std::string message = "<!-- x --> ]]> <style>body{display:none}</style>";

  Hostile() {
    engine.Method = Gost56720B;
    engine.SampleMass = "1.0</td><script>alert(4)</script>";
    engine.StdMass = "\"0.1\"";
    OperatorName = operatorName;
    num_device = 12;
    AddFile("/data/<b onclick=x>evil&amp;.stg", RoleCalibration, -1, sample);
    AddFile("/data/a1.stg", RoleAnalysis, 1, sample + " #анализ");
    AddFile("/data/a2.stg", RoleAnalysis, 2, "second");
    AddAnalysisRecord("/data/a1.stg");
    AddAnalysisRecord("/data/a2.stg");
    host.SetProfileInt("plugins\\plug528\\settings\\type_ref_gasoil", 2);
    host.SetProfileText("plugins\\plug528\\GasoilParams\\gasoilPasportNum", passport);
    SetList(tables.response, {"№", cell}, {{"1", cell}});
    SetList(tables.reference, {"", "a", "b", "c", "d", "e", "f"}, {{"", cell, "1", "2", "3", "4", "Нет"}});
    SetList(tables.repeatability, {"", "a", "b", "c", "d", "e", "f", "g", "h"},
            {{"", cell, "1", "2", "3", "4", "5", "6", "Нет"}});
    SetList(tables.fractions, {"", "a", "b"}, {{"", cell, "0.5"}});
    messages.AddError(message);
  }

  std::string Transform(const char* sheet) {
    CXMLWrapper wrapper;
    EXPECT_EQ(Build(wrapper, AllSections()), BuildStatus::Built);
    std::string html;
    const TransformResult result = TransformReportToString(wrapper.Document(), StyleSheetIn(sheet), html);
    EXPECT_EQ(result.status, TransformStatus::Done) << result.detail;
    return html;
  }
};

TEST_F(Hostile, TextsAppearLiterallyNeverAsMarkup) {
  for (const char* sheet : {"plug528.xsl", "plug528ENU.xsl"}) {
    SCOPED_TRACE(sheet);
    const std::string html = Transform(sheet);
    Html page(html);
    ASSERT_TRUE(page.ok());
    // Nothing the data carried became an element or an attribute.
    EXPECT_TRUE(page.Nodes("//script").empty());
    EXPECT_TRUE(page.Nodes("//b | //i | //table//table").empty());
    EXPECT_TRUE(page.Nodes("//@onerror | //@onclick").empty());
    EXPECT_EQ(page.Nodes("//style").size(), 1u);
    EXPECT_EQ(page.Nodes("//img").size(), 2u);  // the two pictures, nothing else
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    // ... and every text reads exactly as it was given.
    const std::string shownSample = sample + " ";  // "#анализ" removed, its blank kept
    EXPECT_EQ(page.First("//td[@class='sample']"), shownSample);
    // The operator in the header and on the signature line.
    EXPECT_EQ(page.Texts("//td[@class='operator']"), (std::vector<std::string>{operatorName, operatorName}));
    EXPECT_EQ(page.First("//td[@class='an-mass']"), engine.SampleMass);
    EXPECT_EQ(page.First("//td[@class='std-mass']"), engine.StdMass);
    EXPECT_EQ(page.First("//strong[@class='gasoil']"), "Паспорт газойля №: " + passport);
    EXPECT_NE(page.First("//title").find(shownSample), std::string::npos);
    EXPECT_EQ(page.Texts("//section[contains(@class,'files')]//td[contains(@class,'wrap')]"),
              (std::vector<std::string>{sample, "<b onclick=x>evil&amp;.stg", sample + " #анализ", "a1.stg",
                                        "second", "a2.stg"}));
    for (const char* section : {"response", "reference", "percent-off", "fractions"}) {
      const std::vector<std::string> cells =
          page.Texts(std::string("//section[contains(@class,'") + section + "')]//tbody//td");
      EXPECT_NE(std::find(cells.begin(), cells.end(), cell), cells.end()) << section;
    }
    EXPECT_EQ(page.First("//ol[@class='messages']/li"), "Ошибка! \n\t" + message);
    // The style element holds the layout only.
    EXPECT_EQ(page.First("//style").find("alert"), std::string::npos);
  }
}

TEST_F(Hostile, FailedChecksAreMarkedPassedAndUnjudgedToo) {
  const std::string html = Transform("plug528.xsl");
  Html page(html);
  // The reference check and the repeatability each failed once.
  EXPECT_EQ(page.Texts("//td[@class='fail']"), (std::vector<std::string>{"Нет", "Нет"}));
  SetList(tables.reference, {"", "a", "b", "c", "d", "e", "f"}, {{"", "5.0", "1", "---", "3", "4", "Да"}});
  Html second(Transform("plug528ENU.xsl"));
  EXPECT_EQ(second.Texts("//section[@class='reference']//td[@class='pass']"),
            (std::vector<std::string>{"Да"}));
  EXPECT_EQ(second.Texts("//section[@class='reference']//td[@class='none']"),
            (std::vector<std::string>{"---"}));
}

TEST_F(Hostile, Html5SelfContainedAndPrintable) {
  for (const char* sheet : {"plug528.xsl", "plug528ENU.xsl"}) {
    SCOPED_TRACE(sheet);
    const std::string html = Transform(sheet);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    Html page(html);
    EXPECT_EQ(page.Nodes("/html[@lang]").size(), 1u);
    EXPECT_EQ(page.Nodes("//head/title").size(), 1u);
    EXPECT_EQ(page.Nodes("//meta[@charset] | //meta[@http-equiv='Content-Type']").size(), 1u);
    // No external resource of any kind.
    EXPECT_TRUE(page.Nodes("//link | //iframe | //object | //embed | //@href").empty());
    for (xmlNodePtr img : page.Nodes("//img")) {
      EXPECT_EQ(Html::Attribute(img, "src").rfind("data:image/png;base64,", 0), 0u);
      EXPECT_FALSE(Html::Attribute(img, "alt").empty());
    }
    const std::string style = page.First("//style");
    EXPECT_EQ(style.find("url("), std::string::npos);
    EXPECT_EQ(style.find("@import"), std::string::npos);
    // A4, each section on a new page, headings repeated, rows kept whole.
    EXPECT_NE(style.find("size: A4"), std::string::npos);
    EXPECT_NE(style.find("section + section { break-before: page"), std::string::npos);
    EXPECT_NE(style.find("thead { display: table-header-group; }"), std::string::npos);
    EXPECT_NE(style.find("tr { break-inside: avoid"), std::string::npos);
    // Sections in the document's order, each with a heading.
    std::vector<std::string> classes;
    for (xmlNodePtr section : page.Nodes("//body/section"))
      classes.push_back(Html::Attribute(section, "class"));
    EXPECT_EQ(classes, (std::vector<std::string>{"files", "chart grad_chart", "response", "reference",
                                                 "chart prop_chart", "percent-off prop_table_B", "fractions",
                                                 "messages"}));
    EXPECT_EQ(page.Nodes("//body/section/h2").size(), classes.size());
  }
}

TEST_F(Hostile, EmptyMethodColumnsAreNotShown) {
  // Method A: R and R_chek lie beyond the list and stay empty in every row.
  engine.Method = Gost56720A;
  SetList(tables.repeatability, {"", "a", "b", "c", "d", "e", "f", "g"},
          {{"", "5.0", "100.00", "101.00", "100.50", "1.00", "0.80", "Нет"}});
  Html page(Transform("plug528.xsl"));
  EXPECT_EQ(page.Texts("//section[contains(@class,'prop_table_A')]//thead//th"),
            (std::vector<std::string>{"Доля отгона, % масс", "T1, °C", "T2, °C", "Тср, °C", "|Т1 − Т2|, °C",
                                      "Норматив r, °C", "Соответствие r"}));
  EXPECT_EQ(page.Texts("//section[contains(@class,'prop_table_A')]//tbody//td"),
            (std::vector<std::string>{"5.0", "100.00", "101.00", "100.50", "1.00", "0.80", "Нет"}));
}

TEST(Transform, FailuresAreToldAndNothingIsWritten) {
  test::TempFolder folder;
  WriteBytes(folder / "broken.xsl", "<xsl:stylesheet version=\"1.0\"");
  WriteBytes(folder / "plain.xsl", "<a/>");
  WriteBytes(folder / "stops.xsl",
             "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
             "<xsl:template match=\"/\"><xsl:message terminate=\"yes\">stop</xsl:message></xsl:template>"
             "</xsl:stylesheet>");
  WriteBytes(folder / "writes.xsl",
             "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" "
             "xmlns:exsl=\"http://exslt.org/common\" extension-element-prefixes=\"exsl\">"
             "<xsl:template match=\"/\"><exsl:document href=\"" +
                 (folder / "planted.txt") +
                 "\" method=\"text\">x</exsl:document><p/></xsl:template></xsl:stylesheet>");
  CXMLWrapper wrapper;
  ASSERT_TRUE(wrapper.Init());
  struct Case {
    std::string sheet;
    std::string output;
    TransformStatus status;
  };
  const std::string out = folder / "out.html";
  const Case cases[] = {
      {folder / "missing.xsl", out, TransformStatus::NoStyleSheet},
      {folder / "broken.xsl", out, TransformStatus::NoStyleSheet},
      {folder / "plain.xsl", out, TransformStatus::NoStyleSheet},
      {folder / "stops.xsl", out, TransformStatus::TransformFailed},
      {folder / "writes.xsl", out, TransformStatus::TransformFailed},
      {StyleSheetIn("plug528.xsl"), folder / "no-such-folder/out.html", TransformStatus::CannotWrite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sheet);
    const TransformResult result = TransformReport(wrapper.Document(), c.sheet, c.output);
    EXPECT_EQ(result.status, c.status);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_EQ(result.detail.find('\n'), std::string::npos);
  }
  // Nothing was written, not even by the style sheet that tried.
  EXPECT_EQ(folder.Files(), (std::vector<std::string>{"broken.xsl", "plain.xsl", "stops.xsl", "writes.xsl"}));
}

TEST(Transform, AnExistingFileIsOverwritten) {
  test::TempFolder folder;
  WriteBytes(folder / "report.html", std::string(100000, 'x'));
  CXMLWrapper wrapper;
  ASSERT_TRUE(wrapper.Init());
  const TransformResult result =
      TransformReport(wrapper.Document(), StyleSheetIn("plug528.xsl"), folder / "report.html");
  ASSERT_EQ(result.status, TransformStatus::Done) << result.detail;
  const std::string html = ReadBytes(folder / "report.html");
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(html.find("xxxx"), std::string::npos);
}

}  // namespace
}  // namespace p528::report_test
