#include "chart/panel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "chart/curve_styles.h"
#include "chart/ticks.h"
#include "shell/text.h"

namespace p528 {

namespace {

// Widest label of a tick sequence in the font.
int WidestLabel(Canvas& c, const std::vector<double>& ticks, const FontSpec& font) {
  int widest = 0;
  for (double v : ticks) widest = std::max(widest, c.MeasureText(TickLabel(v), font).width);
  return widest;
}

// Intersection of two rectangles; all zeros when they do not overlap.
PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.left >= r.right || r.top >= r.bottom) return PixelRect{};
  return r;
}

struct Range {
  double lo;
  double hi;
};

// Widens [lo, hi] so that it is never narrower than max(|lo|, |hi|) / 10^digits.
Range MinimumWidth(double lo, double hi, int digits) {
  const double p = std::pow(10.0, digits);
  if (hi == lo) {
    lo -= 0.5 / p;
    hi += 0.5 / p;
  } else {
    const double width = std::max(std::abs(lo), std::abs(hi)) / p;
    if (hi - lo < width) {
      const double centre = (lo + hi) / 2;
      lo = centre - width / 2;
      hi = centre + width / 2;
    }
  }
  return {lo, hi};
}

// Automatic range over every series (bands excluded, hidden series included). `which` 0
// is X, 1 is Y. Values that are not finite are left out, so that one bad point does not
// blank the whole plot; a chart whose series have no finite point gets the range 0..0.
Range DataRange(std::deque<CAutoSeries>& series, int mode, int which, int digits) {
  double lo = DBL_MAX;
  double hi = -lo;
  for (CAutoSeries& s : series) {
    s.Mode = mode;
    if (s.MarkerStyle == MarkerBands || s.Count() <= 0) continue;
    for (int i = 0; i < s.Count(); ++i) {
      double v;
      if (mode & CoordPolar) {
        const double angle = s.GetX(i);
        v = (which == 0 ? std::cos(angle) : std::sin(angle)) * s.GetY(i);
      } else {
        v = which == 0 ? s.GetX(i) : s.GetY(i);
      }
      if (!std::isfinite(v)) continue;
      if (v < lo) lo = v;
      if (v > hi) hi = v;
    }
  }
  if (lo > hi) return {0, 0};
  return MinimumWidth(lo, hi, digits);
}

}  // namespace

CAutoPanel::CAutoPanel() {
  CaptionFont.outPrecision = 7;  // TrueType only
  CaptionFont.quality = 2;       // proof
  CaptionFont.pitch = 2;         // variable
}

std::string LimitCaption(std::string_view text) {
  std::u16string units = Utf8ToUtf16(text);
  if (units.size() <= 255) return std::string(text);
  units.resize(255);
  // Never keep the first half of a surrogate pair.
  if (units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  return Utf16ToUtf8(units);
}

void CAutoPanel::SetXCaption(std::string_view text) { XCaption = LimitCaption(text); }
void CAutoPanel::SetYCaption(std::string_view text) { YCaption = LimitCaption(text); }

void CAutoPanel::AutoRangeX() {
  if (XRangeCached) return;
  if (Series.empty()) {
    XMin = XMax = 0;
    return;
  }
  const Range r = DataRange(Series, Mode, 0, XDigits);
  XMin = r.lo;
  XMax = r.hi;
  XRangeCached = true;
}

void CAutoPanel::AutoRangeY() {
  if (YRangeCached) return;
  if (Series.empty()) {
    YMin = YMax = 0;
    return;
  }
  const Range r = DataRange(Series, Mode, 1, YDigits);
  YMin = r.lo;
  YMax = r.hi;
  YRangeCached = true;
}

void CAutoPanel::TakeViewRanges() {
  if (AutoX) {
    AutoRangeX();
  } else {
    XMin = FixedXMin;
    XMax = FixedXMax;
  }
  if (AutoY) {
    AutoRangeY();
  } else {
    YMin = FixedYMin;
    YMax = FixedYMax;
  }
}

int CAutoPanel::FitXTicks(Canvas& c) {
  const int charWidth = c.MeasureFont(AxisFont).aveCharWidth;
  // A font without width must not stop the spacing from growing.
  const int growth = std::max(1, charWidth);
  const int n = PlotRect.right - PlotRect.left;
  const double lo = XMin;
  const double hi = XMax;
  int spacing = 6 * charWidth;
  NiceStepResult r;
  int widest = 0;
  for (;;) {
    r = NiceStep(lo, hi, n, spacing, AutoX);
    widest = WidestLabel(c, TickSequence(r.firstTick, r.lastTick, r.step), AxisFont);
    spacing += growth;
    const double tickSpacing = n * r.step / (hi - lo);
    if (!(spacing < n && widest + 3 * charWidth > tickSpacing)) break;
  }
  XMin = r.lo;
  XMax = r.hi;
  XStep = r.step;
  FirstXTick = r.firstTick;
  LastXTick = r.lastTick;
  return widest;
}

int CAutoPanel::FitYTicks(Canvas& c) {
  const FontMetrics fm = c.MeasureFont(AxisFont);
  const NiceStepResult r = NiceStep(YMin, YMax, PlotRect.bottom - PlotRect.top, 2 * fm.height, AutoY);
  YMin = r.lo;
  YMax = r.hi;
  YStep = r.step;
  FirstYTick = r.firstTick;
  LastYTick = r.lastTick;
  return WidestLabel(c, TickSequence(r.firstTick, r.lastTick, r.step), AxisFont);
}

std::vector<double> CAutoPanel::XTicks() const { return TickSequence(FirstXTick, LastXTick, XStep); }
std::vector<double> CAutoPanel::YTicks() const { return TickSequence(FirstYTick, LastYTick, YStep); }

void CAutoPanel::PaintTo(Canvas& canvas, const PixelRect& r, bool buffered) {
  std::unique_ptr<Canvas> offscreen;
  if (buffered && r.Width() > 0 && r.Height() > 0) offscreen = canvas.CreateOffscreen(r.Width(), r.Height());
  if (offscreen) {
    LayoutAndDraw(*offscreen, PixelRect{0, 0, r.Width(), r.Height()});
    canvas.CopyFrom(*offscreen, PixelPoint{r.left, r.top});
  } else {
    LayoutAndDraw(canvas, r);
  }
  // Every paint computes the automatic ranges afresh, also one that found no room for the
  // plot after computing them.
  XRangeCached = false;
  YRangeCached = false;
  Surface = nullptr;
}

void CAutoPanel::LayoutAndDraw(Canvas& c, const PixelRect& area) {
  Surface = &c;
  plotDrawn_ = false;
  c.FillRect(area, BackColour);
  PixelRect r = area;
  r.bottom -= Margin;
  r.left += Margin;

  int hx = 0;
  if (!XCaption.empty()) {
    FontSpec font = CaptionFont;
    font.escapement = 0;
    c.DrawText(PixelPoint{r.right - Margin - 1, r.bottom}, XCaption, TextAlign::RightBottom, font,
               CaptionColour);
    hx = c.MeasureText(XCaption, font).height;
  }
  int hy = 0;
  if (!YCaption.empty()) {
    FontSpec font = CaptionFont;
    font.escapement = 900;
    c.DrawText(PixelPoint{r.left, r.top + Margin + 1}, YCaption, TextAlign::RightTop, font, CaptionColour);
    FontSpec upright = CaptionFont;
    upright.escapement = 0;
    hy = c.MeasureText(YCaption, upright).height;
  }
  r.bottom -= hx + CaptionGap;
  r.left += hy + CaptionGap;

  const FontMetrics fm = c.MeasureFont(AxisFont);
  const int h = fm.height;
  TickIn = std::max(1, h / 3);
  TickOut = std::max(1, h / 6);
  LabelGap = std::max(1, h / 5);
  const int e =
      ((GridFlags & (TicksMirrored | FrameBox)) ? 1 : 0) + ((GridFlags & TicksMirrored) ? TickOut : 0);

  PixelRect base;
  base.top = r.top + std::max(fm.ascent, e);
  base.left = r.left + TickOut + LabelGap + 1;
  base.right = r.right - e;
  base.bottom = r.bottom - (h + TickOut + LabelGap + 1);

  // Narrow the plot until the tick labels of its own ticks fit beside it. Each pass either
  // settles or shrinks the rectangle, so the loop ends.
  PixelRect p = base;
  for (;;) {
    if (p.Width() < 1 || p.Height() < 1) return;
    PlotRect = p;
    TakeViewRanges();
    const int wx = FitXTicks(c);
    const int wy = FitYTicks(c);
    const int l = std::max(wx / 2 - TickOut - LabelGap, wy);
    PixelRect n = base;
    n.left = base.left + l;
    n.right = base.right - wx / 2 - 1;
    n = Intersect(n, p);
    if (n == p) break;
    p = n;
  }
  DrawPlot(c);
  plotDrawn_ = true;
}

void CAutoPanel::DrawPlot(Canvas& c) {
  TakeViewRanges();
  FitXTicks(c);
  FitYTicks(c);

  const PixelRect& p = PlotRect;
  const Pen outline = AxisWidth > 1 ? Pen{PenSolid, AxisWidth, 0x000000} : Pen{PenNone, 0, 0};
  c.Rectangle(p, outline, Brush::Solid(PlotColour));
  DrawGrid(c);
  for (CAutoSeries& s : Series) {
    if (s.Hidden) continue;
    DrawSeries(c, s);
    if (s.MarkerStyle == MarkerBands) DrawGrid(c);
  }
  DrawFrameAndTicks(c);
  XRangeCached = false;
  YRangeCached = false;
}

void CAutoPanel::DrawGrid(Canvas& c) {
  const PixelRect& p = PlotRect;
  const Pen pen{PenSolid, 1, GridColour};
  const bool mirrored = (GridFlags & TicksMirrored) != 0;
  if (GridFlags & GridVertical) {
    for (double v : XTicks()) {
      const int x = Px(v);
      c.MoveTo({x, p.top + (mirrored ? TickIn : 0)});
      c.LineTo({x, p.bottom - TickIn}, pen);
    }
  }
  if (GridFlags & GridHorizontal) {
    for (double v : YTicks()) {
      const int y = Py(v);
      c.MoveTo({(mirrored ? p.right - TickIn : p.right) - 1, y});
      c.LineTo({p.left - 1 + TickIn, y}, pen);
    }
  }
}

void CAutoPanel::DrawSeries(Canvas& c, CAutoSeries& s) {
  s.PlotRect = PlotRect;
  s.Surface = &c;
  s.XMin = XMin;
  s.XMax = XMax;
  s.YMin = YMin;
  s.YMax = YMax;
  if (s.MarkerStyle == MarkerBands) {
    DrawBands(s);
  } else {
    const bool linked = s.Linked >= 0 && static_cast<std::size_t>(s.Linked) < Series.size();
    DrawMarkers(s, linked ? &Series[static_cast<std::size_t>(s.Linked)] : nullptr);
  }
  if (s.Count() > 1) {
    if (s.LineMode == LinePolyline || (s.LineMode == LineSpline && s.Count() == 2)) {
      DrawPolyline(s);
    } else if (s.LineMode == LineSpline) {
      DrawSmoothCurve(s);
    }
  }
  s.Surface = nullptr;
}

void CAutoPanel::DrawFrameAndTicks(Canvas& c) {
  const PixelRect& p = PlotRect;
  const Pen pen{PenSolid, AxisWidth, AxisColour};
  const bool mirrored = (GridFlags & TicksMirrored) != 0;
  c.MoveTo({p.left - 1, p.top - 1});
  c.LineTo({p.left - 1, p.bottom}, pen);
  c.LineTo({p.right, p.bottom}, pen);
  if (GridFlags & (TicksMirrored | FrameBox)) {
    c.LineTo({p.right, p.top - 1}, pen);
    c.LineTo({p.left - 1, p.top - 1}, pen);
  }
  for (double v : XTicks()) {
    const int x = Px(v);
    if (mirrored) {
      c.MoveTo({x, p.top - TickOut - 1});
      c.LineTo({x, p.top + TickIn}, pen);
    }
    c.MoveTo({x, p.bottom - TickIn});
    c.LineTo({x, p.bottom + TickOut + 1}, pen);
    c.DrawText({x, p.bottom + TickOut + 1 + LabelGap}, TickLabel(v), TextAlign::CentreTop, AxisFont,
               AxisColour);
  }
  for (double v : YTicks()) {
    const int y = Py(v);
    if (mirrored) {
      c.MoveTo({p.right + TickOut, y});
      c.LineTo({p.right - TickIn - 1, y}, pen);
    }
    c.MoveTo({p.left + TickIn - 1, y});
    c.LineTo({p.left - TickOut - 2, y}, pen);
    c.DrawText({p.left - TickOut - LabelGap - 1, y}, TickLabel(v), TextAlign::RightBaseline, AxisFont,
               AxisColour);
  }
}

}  // namespace p528
