#include "chart/chart_snapshot.h"

namespace p528 {

namespace {

// The one list of what decides the look of the axes: the chart and its picture name these
// fields alike, so the same list copies either way.
template <class From, class To>
void CopyAxes(const From& from, To& to) {
  to.Mode = from.Mode;
  to.AutoX = from.AutoX;
  to.AutoY = from.AutoY;
  to.FixedXMin = from.FixedXMin;
  to.FixedXMax = from.FixedXMax;
  to.FixedYMin = from.FixedYMin;
  to.FixedYMax = from.FixedYMax;
  to.XDigits = from.XDigits;
  to.YDigits = from.YDigits;
  to.AxisColour = from.AxisColour;
  to.GridColour = from.GridColour;
  to.PlotColour = from.PlotColour;
  to.CaptionColour = from.CaptionColour;
  to.BackColour = from.BackColour;
  to.AxisWidth = from.AxisWidth;
  to.GridFlags = from.GridFlags;
  to.CaptionGap = from.CaptionGap;
  to.Margin = from.Margin;
  to.AxisFont = from.AxisFont;
  to.CaptionFont = from.CaptionFont;
  to.XCaption = from.XCaption;
  to.YCaption = from.YCaption;
}

}  // namespace

ChartPicture PictureOf(const CAutoPanel& chart) {
  ChartPicture picture;
  CopyAxes(chart, picture.axes);
  picture.curves.reserve(chart.Series.size());
  for (const CAutoSeries& s : chart.Series) picture.curves.push_back(static_cast<const Curve&>(s));
  return picture;
}

void PaintPicture(const ChartPicture& picture, Canvas& canvas, const PixelRect& r) {
  CAutoPanel panel;
  CopyAxes(picture.axes, panel);
  for (const Curve& c : picture.curves) {
    CAutoSeries s;
    static_cast<Curve&>(s) = c;
    panel.Series.push_back(std::move(s));
  }
  panel.PaintTo(canvas, r, false);
}

}  // namespace p528
