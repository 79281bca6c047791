// A chart's picture draws exactly what the chart draws: the report's pictures come from
// pictures, the windows from the charts, and both must show the same thing.
#include "chart/chart_snapshot.h"

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/recording_canvas.h"

namespace p528 {
namespace {

using test::RecordingCanvas;

CAutoSeries Styled(COLORREF colour, int line, int marker) {
  CAutoSeries s;
  s.Colour = colour;
  s.LineMode = line;
  s.MarkerStyle = marker;
  return s;
}

void DistillationLike(CChart& chart) {
  chart.GridFlags = GridVertical | GridHorizontal;
  chart.CaptionColour = 0xFF0000;
  chart.SetXCaption("t, °C");
  chart.SetYCaption("Доля отгона, %");
  for (COLORREF colour : {0x0808FCu, 0xFC0808u, 0x08FC08u})
    chart.AddSeries(Styled(colour, LinePolyline, MarkerNone));
  chart.SetCurve(0, {36, 120, 250, 380}, {0, 30, 70, 100});
  chart.SetCurve(2, {40, 180, 400}, {0, 50, 100});
  chart.Series[2].Hidden = 1;
}

void ZoomedLogarithmic(CChart& chart) {
  chart.Mode = CoordLogY;
  chart.GridFlags = TicksMirrored;
  chart.AxisColour = 0x202020;
  chart.GridColour = 0x808080;
  chart.PlotColour = 0xF0F0F0;
  chart.BackColour = 0xE0E0E0;
  chart.AxisWidth = 2;
  chart.Margin = 5;
  chart.CaptionGap = 4;
  chart.XDigits = 2;
  chart.AxisFont.height = 16;
  chart.CaptionFont.height = 20;
  chart.SetXCaption("T, мин");
  chart.AddSeries(Styled(0x0808FC, LineSpline, MarkerSquare));
  chart.SetCurve(0, {0.5, 1, 2, 3, 5}, {1, 10, 40, 90, 400});
  chart.SetXRange(1, 4);
  chart.SetYRange(0.5, 2.5);
}

void BandsAndLeaders(CChart& chart) {
  CAutoSeries bands = Styled(0, LineNone, MarkerBands);
  bands.ZoneTypes = {1, 3};
  chart.AddSeries(bands);
  chart.SetCurve(0, {1, 3}, {2, 4});
  chart.AddSeries(Styled(0x0808FC, LinePolyline, MarkerCircle));
  chart.SetCurve(1, {0, 2, 4}, {1, 5, 2});
  CAutoSeries leaders = Styled(0x008000, LineNone, MarkerLeader);
  leaders.Linked = 1;
  chart.AddSeries(leaders);
  chart.SetCurve(2, {0, 2, 4}, {3, 1, 4});
}

TEST(ChartSnapshot, PictureDrawsWhatTheChartDraws) {
  const struct {
    const char* name;
    void (*setUp)(CChart&);
  } cases[] = {
      {"distillation curves with a hidden one", DistillationLike},
      {"zoomed, logarithmic, own colours and fonts", ZoomedLogarithmic},
      {"bands with zones and linked leaders", BandsAndLeaders},
      {"no series", [](CChart&) {}},
  };
  const PixelRect area{0, 0, 672, 420};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CChart chart;
    c.setUp(chart);
    const ChartPicture picture = PictureOf(chart);
    RecordingCanvas direct;
    chart.PaintTo(direct, area, false);
    RecordingCanvas viaPicture;
    PaintPicture(picture, viaPicture, area);
    ASSERT_GT(direct.Ops().size(), 1u);
    EXPECT_TRUE(direct.Ops() == viaPicture.Ops());
  }
}

TEST(ChartSnapshot, ANewPictureDrawsAsANewChart) {
  CChart chart;
  RecordingCanvas direct;
  chart.PaintTo(direct, PixelRect{0, 0, 300, 200}, false);
  RecordingCanvas viaPicture;
  PaintPicture(ChartPicture{}, viaPicture, PixelRect{0, 0, 300, 200});
  EXPECT_TRUE(direct.Ops() == viaPicture.Ops());
}

}  // namespace
}  // namespace p528
