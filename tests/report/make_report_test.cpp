// The two report commands over fake seams: which style sheet, which file, which picture
// size, what is opened, and that a failure writes nothing.
#include "html_reader.h"
#include "report_fixture.h"
#include "support/temp_folder.h"

#include "report/make_report.h"
#include "report/report_texts.h"
#include "shell/text.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace p528::report_test {
namespace {

struct FakeDesktop : ReportDesktop {
  bool AskSaveFileName(const std::string& defaultName, std::string& path) override {
    offered.push_back(defaultName);
    if (answer.empty()) return false;
    path = answer;
    return true;
  }
  void OpenFile(const std::string& path) override { opened.push_back(path); }
  std::string answer;
  std::vector<std::string> offered;
  std::vector<std::string> opened;
};

// Records the pictures it is given: the report hands over curves and axes, never a chart.
struct FakeRenderer : ChartPngRenderer {
  bool RenderPng(const ChartPicture& picture, int width, int height,
                 std::vector<unsigned char>& png) override {
    drawn.push_back({picture, width, height});
    if (fail) return false;
    png = {0x89, 'P', 'N', 'G', static_cast<unsigned char>(drawn.size())};
    return true;
  }
  struct Call {
    ChartPicture picture;
    int width, height;
  };
  std::vector<Call> drawn;
  bool fail = false;
};

// Style sheets that show which one ran and a few values of the document.
const char* const kMarkerSheet =
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    "<xsl:output method=\"text\"/>"
    "<xsl:template match=\"/\">%s|<xsl:value-of select=\"Document/reportdate\"/>"
    "|<xsl:value-of select=\"count(Document/*)\"/>|<xsl:value-of select=\"Document/grad_chart/picture\"/>"
    "|<xsl:value-of select=\"Document/prop_chart/picture\"/>|<xsl:value-of "
    "select=\"count(Document/msg_head)\"/>"
    "</xsl:template></xsl:stylesheet>";

struct Commands : ReportFixture {
  test::TempFolder sheets;
  test::TempFolder out;
  FakeDesktop desktop;
  FakeRenderer renderer;
  ChartPicture calibrationPicture = Picture("T, мин", {0.5, 2.0}, {-161.5, 36.1});
  ChartPicture distillationPicture = Picture("t, °C", {100, 200, 300}, {0, 50, 100});

  static ChartPicture Picture(const std::string& caption, std::vector<double> x, std::vector<double> y) {
    ChartPicture picture;
    picture.axes.XCaption = caption;
    picture.curves.emplace_back().SetPoints(std::move(x), std::move(y));
    return picture;
  }

  Commands() {
    for (const auto& [name, marker] : {std::pair{"plug528.xsl", "RU"}, std::pair{"plug528ENU.xsl", "EN"}}) {
      std::ofstream(sheets / name) << Format(kMarkerSheet, marker);
    }
    shell.uiLangId = 0x0419;
  }

  ReportRequest Request(ReportMode mode) {
    ReportRequest request;
    request.mode = mode;
    request.styleSheetFolder = sheets.path();
    request.calibrationChart = calibrationPicture;
    request.distillationChart = distillationPicture;
    request.renderer = &renderer;
    request.desktop = &desktop;
    request.options = ReportOptions{};
    std::tm when = Day(5, 3, 2024, 9, 30, 5);
    when.tm_isdst = -1;
    request.now = std::mktime(&when);
    request.tempFolder = out.path();
    return request;
  }
  ReportOutcome Make(const ReportRequest& request) { return MakeReport(Sources(), request); }
};

TEST(DefaultReportName, DayWithoutMonthWithLeadingZero) {
  EXPECT_EQ(DefaultReportName(Day(5, 3, 2024, 9, 30, 5)), "Report528_5032024_093005");
  EXPECT_EQ(DefaultReportName(Day(25, 12, 2023, 23, 59, 59)), "Report528_25122023_235959");
  EXPECT_EQ(DefaultReportName(Day(1, 1, 2000, 0, 0, 0)), "Report528_1012000_000000");
}

TEST_F(Commands, SaveOffersTheDefaultNameWritesAndOpensNothing) {
  desktop.answer = out / "chosen.html";
  const ReportOutcome outcome = Make(Request(ReportMode::Save));
  EXPECT_EQ(outcome.status, ReportStatus::Written) << outcome.detail;
  EXPECT_EQ(outcome.path, out / "chosen.html");
  EXPECT_EQ(desktop.offered, (std::vector<std::string>{"Report528_5032024_093005"}));
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_EQ(ReadBytes(out / "chosen.html"), "RU|5.03.2024|5|||0");
  EXPECT_EQ(out.Files(), (std::vector<std::string>{"chosen.html"}));
}

TEST_F(Commands, StyleSheetByInterfaceLanguage) {
  desktop.answer = out / "r.html";
  const std::pair<uint16_t, const char*> cases[] = {
      {0x0419, "RU"}, {0x0409, "EN"}, {0x0407, "EN"}, {0, "EN"}};
  for (const auto& [language, marker] : cases) {
    shell.uiLangId = language;
    ASSERT_EQ(Make(Request(ReportMode::Save)).status, ReportStatus::Written);
    EXPECT_EQ(ReadBytes(out / "r.html").substr(0, 2), marker) << language;
  }
}

TEST_F(Commands, CancelledSaveWritesNothing) {
  const ReportOutcome outcome = Make(Request(ReportMode::Save));
  EXPECT_EQ(outcome.status, ReportStatus::Cancelled);
  EXPECT_TRUE(out.Files().empty());
  EXPECT_EQ(ReportOutcomeText(shell, outcome), "");
}

TEST_F(Commands, ShowWritesANewFileInAPrivateFolderEachTimeAndOpensIt) {
  const ReportOutcome first = Make(Request(ReportMode::Show));
  const ReportOutcome second = Make(Request(ReportMode::Show));
  ASSERT_EQ(first.status, ReportStatus::Written);
  ASSERT_EQ(second.status, ReportStatus::Written);
  EXPECT_NE(first.path, second.path);
  EXPECT_EQ(desktop.opened, (std::vector<std::string>{first.path, second.path}));
  EXPECT_TRUE(desktop.offered.empty());
  // One folder of this process, only its user may enter; in it each preview: the empty
  // "qvt....tmp" the name came from, and the report beside it.
  ASSERT_EQ(out.Files().size(), 1u);
  const std::filesystem::path folder = out / out.Files()[0];
  EXPECT_EQ(out.Files()[0].rfind("plug528-report-" + std::to_string(getpid()) + "-", 0), 0u);
  EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 4);
  for (const ReportOutcome* outcome : {&first, &second}) {
    EXPECT_EQ(std::filesystem::path(outcome->path).parent_path(), folder);
    const std::string name = std::filesystem::path(outcome->path).filename();
    EXPECT_EQ(name.rfind("qvt", 0), 0u);
    EXPECT_EQ(name.substr(name.size() - 9), ".tmp.html");
    EXPECT_EQ(ReadBytes(outcome->path.substr(0, outcome->path.size() - 5)), "");
    EXPECT_EQ(ReadBytes(outcome->path).substr(0, 2), "RU");
  }
}

TEST_F(Commands, PreviewsLeftByAnEndedProcessGoAndNothingPlantedIsFollowed) {
  // A folder of a process that has ended (pid far above any running one) and another user's
  // trap: a link named like a preview folder.
  const std::string stale = out / "plug528-report-2147483646-abcdef";
  std::filesystem::create_directories(stale);
  std::ofstream(stale + "/qvt123456.tmp.html") << "old";
  std::filesystem::create_directory_symlink(sheets.path(), out / "plug528-report-2147483645-trap");
  const ReportOutcome outcome = Make(Request(ReportMode::Show));
  ASSERT_EQ(outcome.status, ReportStatus::Written);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(sheets / "plug528.xsl")) << "a link is never followed";
}

TEST_F(Commands, ShowWithoutStyleSheetLeavesOnlyTheEmptyTemporaryFiles) {
  std::filesystem::remove(sheets / "plug528.xsl");
  const ReportOutcome outcome = Make(Request(ReportMode::Show));
  EXPECT_EQ(outcome.status, ReportStatus::NoStyleSheet);
  EXPECT_EQ(outcome.path, sheets / "plug528.xsl");
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_NE(ReportOutcomeText(shell, outcome).find("plug528.xsl"), std::string::npos);
}

TEST_F(Commands, ShowWithoutTemporaryFolderWritesNothing) {
  ReportRequest request = Request(ReportMode::Show);
  request.tempFolder = out / "missing";
  const ReportOutcome outcome = Make(request);
  EXPECT_EQ(outcome.status, ReportStatus::NoTempFile);
  EXPECT_FALSE(outcome.detail.empty());
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_TRUE(out.Files().empty());
}

TEST_F(Commands, PicturesAtTheReportsOwnSize) {
  desktop.answer = out / "r.html";
  ReportRequest request = Request(ReportMode::Save);
  request.options->flag_grad_chart = 1;
  request.options->flag_prop_chart = 1;
  ASSERT_EQ(Make(request).status, ReportStatus::Written);
  ASSERT_EQ(renderer.drawn.size(), 2u);
  const ChartPicture* expected[] = {&calibrationPicture, &distillationPicture};
  for (std::size_t k = 0; k < 2; ++k) {
    const FakeRenderer::Call& call = renderer.drawn[k];
    EXPECT_EQ(call.picture.axes.XCaption, expected[k]->axes.XCaption);
    ASSERT_EQ(call.picture.curves.size(), 1u);
    EXPECT_EQ(call.picture.curves[0].XData, expected[k]->curves[0].XData);
    EXPECT_EQ(call.picture.curves[0].YData, expected[k]->curves[0].YData);
    EXPECT_EQ(call.width, kReportChartWidth);
    EXPECT_EQ(call.height, kReportChartHeight);
  }
  const unsigned char first[] = {0x89, 'P', 'N', 'G', 1}, second[] = {0x89, 'P', 'N', 'G', 2};
  EXPECT_EQ(ReadBytes(out / "r.html"),
            "RU|5.03.2024|7|" + Base64Encode(first, 5) + "|" + Base64Encode(second, 5) + "|0");
}

TEST_F(Commands, AFailedPictureEndsTheCommandBeforeAnythingIsAskedOrWritten) {
  desktop.answer = out / "r.html";
  // No renderer, a failing renderer (save and show), no picture of the chart.
  for (int variant = 0; variant < 4; ++variant) {
    ReportRequest request = Request(variant == 2 ? ReportMode::Show : ReportMode::Save);
    request.options->flag_prop_chart = 1;
    if (variant == 0) request.renderer = nullptr;
    if (variant == 3) request.distillationChart.reset();
    renderer.fail = variant == 1 || variant == 2;
    const ReportOutcome outcome = Make(request);
    EXPECT_EQ(outcome.status, ReportStatus::NoPicture) << variant;
    EXPECT_EQ(ReportOutcomeText(shell, outcome), shell.Str(text::kReportNoPicture));
  }
  EXPECT_TRUE(desktop.offered.empty());
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_TRUE(out.Files().empty());
}

TEST_F(Commands, StoredFlagsWhenTheRequestGivesNone) {
  desktop.answer = out / "r.html";
  messages.AddError("ошибка");
  ReportRequest request = Request(ReportMode::Save);
  request.options.reset();
  ASSERT_EQ(Make(request).status, ReportStatus::Written);
  EXPECT_EQ(ReadBytes(out / "r.html"), "RU|5.03.2024|5|||0");
  host.SetProfileInt("plugins\\plug528\\settings\\flag_msgs", 1);
  ASSERT_EQ(Make(request).status, ReportStatus::Written);
  EXPECT_EQ(ReadBytes(out / "r.html"), "RU|5.03.2024|6|||1");
}

TEST_F(Commands, UnwritableOutputIsTold) {
  desktop.answer = out / "missing/r.html";
  const ReportOutcome outcome = Make(Request(ReportMode::Save));
  EXPECT_EQ(outcome.status, ReportStatus::CannotWrite);
  const std::string text = ReportOutcomeText(shell, outcome);
  EXPECT_NE(text.find(out / "missing/r.html"), std::string::npos);
  EXPECT_NE(text.find(outcome.detail), std::string::npos);
  EXPECT_TRUE(out.Files().empty());
}

}  // namespace
}  // namespace p528::report_test
