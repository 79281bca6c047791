#include "host/kit/register/control_chart_plot.h"

#include "chart/chart_snapshot.h"

namespace p528::hostkit {

namespace {

enum PlotSeries { Values, Flagged, Centre, Upper, Lower };

constexpr COLORREF kValueColour = 0x8B4513;  // dark blue (0x00BBGGRR)
constexpr COLORREF kFlagColour = 0x0000E0;   // red
constexpr COLORREF kCentreColour = 0x008000;
constexpr COLORREF kLimitColour = 0x0000A0;

CAutoSeries Line(COLORREF colour, int penStyle, int marker) {
  CAutoSeries s;
  s.Colour = colour;
  s.PenStyle = penStyle;
  s.MarkerStyle = marker;
  s.LineMode = marker == MarkerSquare ? LineNone : LinePolyline;
  s.MarkerSize = marker == MarkerSquare ? 5 : 3;
  return s;
}

}  // namespace

ControlChartPlot::ControlChartPlot() {
  chart_.AddSeries(Line(kValueColour, PenSolid, MarkerCircle));
  chart_.AddSeries(Line(kFlagColour, PenSolid, MarkerSquare));
  chart_.AddSeries(Line(kCentreColour, PenSolid, MarkerNone));
  chart_.AddSeries(Line(kLimitColour, PenDash, MarkerNone));
  chart_.AddSeries(Line(kLimitColour, PenDash, MarkerNone));
}

void ControlChartPlot::Show(const ControlSeries& series, ControlPlotKind kind, const std::string& xCaption,
                            const std::string& yCaption) {
  for (int i = 0; i < chart_.SeriesCount(); ++i) chart_.ClearSeriesData(i);
  x_.clear();
  y_.clear();
  flaggedX_.clear();
  flaggedY_.clear();
  const bool ranges = kind == ControlPlotKind::MovingRanges;
  for (std::size_t i = 0; i < series.points.size(); ++i) {
    const ControlPoint& point = series.points[i];
    const double value = ranges ? point.movingRange : point.value;
    if (ranges && value < 0) continue;  // the first result has no moving range
    x_.push_back(static_cast<double>(i + 1));
    y_.push_back(value);
    const unsigned flags =
        ranges ? point.flags & MovingRangeBeyondLimit : point.flags & ~MovingRangeBeyondLimit;
    if (flags != 0) {
      flaggedX_.push_back(x_.back());
      flaggedY_.push_back(value);
    }
  }
  chart_.SetXCaption(xCaption);
  chart_.SetYCaption(yCaption);
  if (x_.empty()) {
    chart_.Invalidate();
    return;
  }
  const int n = static_cast<int>(x_.size());
  chart_.SetSeriesData(Values, x_.data(), y_.data(), n);
  if (!flaggedX_.empty())
    chart_.SetSeriesData(Flagged, flaggedX_.data(), flaggedY_.data(), static_cast<int>(flaggedX_.size()));
  if (series.hasLimits) {
    // Limit lines across the whole axis, from the first result to the last.
    lineX_ = {0.5, static_cast<double>(series.points.size()) + 0.5};
    const ControlLimits& l = series.limits;
    centre_.assign(2, ranges ? l.movingRangeMean : l.centre);
    upper_.assign(2, ranges ? l.movingRangeUpper : l.upper);
    lower_.assign(2, ranges ? 0.0 : l.lower);
    chart_.SetSeriesData(Centre, lineX_.data(), centre_.data(), 2);
    chart_.SetSeriesData(Upper, lineX_.data(), upper_.data(), 2);
    if (!ranges) chart_.SetSeriesData(Lower, lineX_.data(), lower_.data(), 2);
  }
  chart_.Invalidate();
}

ChartPicture ControlChartPlot::picture() const { return PictureOf(chart_); }

}  // namespace p528::hostkit
