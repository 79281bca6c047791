#include "chart/coord_object.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace p528 {

namespace {

constexpr double kPixelLimit = 1e9;

// A segment ending more than this many columns away from its start gets a dot at its end.
constexpr int kDotJump = 12;

// a * b / c in 64-bit integers, rounded to nearest (halves away from zero); c != 0.
int MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  std::int64_t num = a * b;
  if (c < 0) {
    num = -num;
    c = -c;
  }
  const std::int64_t half = c / 2;
  const std::int64_t q = num >= 0 ? (num + half) / c : -((-num + half) / c);
  return static_cast<int>(q);
}

// Slides the end `p` along the segment p-other onto the horizontal line y = edge.
void SlideToRow(PixelPoint& p, const PixelPoint& other, int edge) {
  p.x += MulDivRound(edge - p.y, other.x - p.x, other.y - p.y);
  p.y = edge;
}

void SlideToColumn(PixelPoint& p, const PixelPoint& other, int edge) {
  p.y += MulDivRound(edge - p.x, other.y - p.y, other.x - p.x);
  p.x = edge;
}

// Clips both ends against the row `edge`; `beyond(y)` tells whether a row lies outside it.
template <typename Beyond>
void ClipToRow(PixelPoint& a, PixelPoint& b, int edge, Beyond beyond) {
  const bool sameSide = (a.y < edge && b.y < edge) || (a.y > edge && b.y > edge);
  if (sameSide) return;
  if (beyond(a.y)) SlideToRow(a, b, edge);
  if (beyond(b.y)) SlideToRow(b, a, edge);
}

template <typename Beyond>
void ClipToColumn(PixelPoint& a, PixelPoint& b, int edge, Beyond beyond) {
  const bool sameSide = (a.x < edge && b.x < edge) || (a.x > edge && b.x > edge);
  if (sameSide) return;
  if (beyond(a.x)) SlideToColumn(a, b, edge);
  if (beyond(b.x)) SlideToColumn(b, a, edge);
}

}  // namespace

int RoundPixel(double v) {
  if (std::isnan(v)) return static_cast<int>(-kPixelLimit);
  // ceil(v - 0.5) without a call into the maths library (this runs twice for every point of
  // every curve): below 2^52 through the truncating conversion, beyond it w is an integer.
  const double w = v - 0.5;
  double r = w;
  if (std::fabs(w) < 0x1p52) {
    const auto k = static_cast<int64_t>(w);
    r = static_cast<double>(k) < w ? static_cast<double>(k + 1) : static_cast<double>(k);
  }
  return static_cast<int>(std::clamp(r, -kPixelLimit, kPixelLimit));
}

void ClipSegment(const PixelRect& plot, PixelPoint& a, PixelPoint& b) {
  const int top = plot.top;
  const int bottom = plot.bottom - 1;
  const int left = plot.left;
  const int right = plot.right - 1;
  // An end that is not beyond the edge never moves, and when both ends lie on the edge
  // line neither is beyond it: the slides never divide by zero.
  ClipToRow(a, b, top, [top](int y) { return y < top; });
  ClipToRow(a, b, bottom, [bottom](int y) { return y > bottom; });
  ClipToColumn(a, b, left, [left](int x) { return x < left; });
  ClipToColumn(a, b, right, [right](int x) { return x > right; });
}

int CAutoCoordObject::Px(double x) const {
  if (XMax == XMin) return 0;
  return PlotRect.left + RoundPixel((x - XMin) / (XMax - XMin) * (PlotRect.right - PlotRect.left - 1));
}

int CAutoCoordObject::Py(double y) const {
  if (YMax == YMin) return 0;
  return PlotRect.bottom - 1 - RoundPixel((y - YMin) / (YMax - YMin) * (PlotRect.bottom - PlotRect.top - 1));
}

int CAutoCoordObject::MapX(double x, double y) const {
  if (Mode & CoordPolar) return Px(std::cos(x) * y);
  return Px(x);
}

int CAutoCoordObject::MapY(double x, double y) const {
  if (Mode & CoordPolar) return Py(std::sin(x) * y);
  return Py(y);
}

double CAutoCoordObject::UnmapX(int column) const {
  const int span = PlotRect.right - PlotRect.left - 1;
  double x = XMin;
  if (span != 0) x = XMin + (column - PlotRect.left) * (XMax - XMin) / span;
  return (Mode & CoordLogX) ? std::pow(10.0, x) : x;
}

double CAutoCoordObject::UnmapY(int row) const {
  const int span = PlotRect.bottom - PlotRect.top - 1;
  double y = YMax;
  if (span != 0) y = YMax - (row - PlotRect.top) * (YMax - YMin) / span;
  return (Mode & CoordLogY) ? std::pow(10.0, y) : y;
}

void CAutoCoordObject::SetXRange(double a, double b) {
  if (a >= b) {
    AutoX = true;
    return;
  }
  AutoX = false;
  if (Mode & CoordLogX) {
    FixedXMin = std::log10(std::max(a, 0.0));
    FixedXMax = std::log10(b);
  } else {
    FixedXMin = a;
    FixedXMax = b;
  }
}

void CAutoCoordObject::SetYRange(double a, double b) {
  if (a >= b) {
    AutoY = true;
    return;
  }
  AutoY = false;
  if (Mode & CoordLogY) {
    FixedYMin = std::log10(a);
    FixedYMax = std::log10(b);
  } else {
    FixedYMin = a;
    FixedYMax = b;
  }
}

void CAutoCoordObject::StartLine(double x, double y, const Pen& /*pen*/) {
  lineBroken_ = !(std::isfinite(x) && std::isfinite(y));
  PenPoint = {MapX(x, y), MapY(x, y)};
  PenInside = PlotRect.Contains(PenPoint) ? 1 : 0;
  if (!lineBroken_ && Surface != nullptr) Surface->MoveTo(PenPoint);
}

void CAutoCoordObject::LineToValue(double x, double y, const Pen& pen) {
  if (!(std::isfinite(x) && std::isfinite(y))) {
    lineBroken_ = true;
    return;
  }
  const PixelPoint q{MapX(x, y), MapY(x, y)};
  if (lineBroken_) {
    // First finite point after a gap: the line starts again here.
    lineBroken_ = false;
    PenPoint = q;
    PenInside = PlotRect.Contains(q) ? 1 : 0;
    if (Surface != nullptr) Surface->MoveTo(q);
    return;
  }
  if (q == PenPoint) return;
  const bool inside = PlotRect.Contains(q);
  PixelPoint from = PenPoint;
  PixelPoint to = q;
  if (!(PenInside && inside)) ClipSegment(PlotRect, from, to);
  if ((PenInside || inside) && Surface != nullptr) {
    if (!PenInside) Surface->MoveTo(from);
    Surface->LineTo(to, pen);
    if (std::abs(to.x - from.x) > kDotJump) {
      Surface->Ellipse(PixelRect{to.x - 2, to.y - 2, to.x + 3, to.y + 3}, pen, Brush::Solid(pen.colour));
    }
  }
  PenPoint = q;
  PenInside = inside ? 1 : 0;
}

}  // namespace p528
