#include "chart/curve_styles.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace p528 {

namespace {

struct Point2 {
  double x = 0;
  double y = 0;
};

Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
Point2 operator-(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
Point2 operator*(double k, Point2 a) { return {k * a.x, k * a.y}; }
Point2 operator/(Point2 a, double k) { return {a.x / k, a.y / k}; }

void Line(Canvas& c, PixelPoint from, PixelPoint to, const Pen& pen) {
  c.MoveTo(from);
  c.LineTo(to, pen);
}

void DrawLeader(CAutoSeries& s, const CAutoSeries* linked, int i, int x, int y, const Pen& pen) {
  Canvas& c = *s.Surface;
  const int m = s.MarkerSize;
  c.Ellipse(PixelRect{x - m, y - m, x + m + 1, y + m + 1}, pen, Brush::None());
  int x2 = 0;
  int y2 = 0;
  if (linked != nullptr) {
    // A linked series shorter than this one has no partner for the point: no leader.
    if (i >= linked->Count()) return;
    const double lx = linked->GetX(i);
    const double ly = linked->GetY(i);
    x2 = s.MapX(lx, ly);
    y2 = s.MapY(lx, ly);
  }
  const int d = std::abs(y - y2);
  const int dir = y > y2 ? 1 : -1;
  if (d >= m) {
    Line(c, {x, y - m * dir}, {x2, y2}, pen);
    if (d >= 4 * m) {
      Line(c, {x2, y2}, {x2 - 2, y2 + 3 * m * dir}, pen);
      Line(c, {x2, y2}, {x2 + 2, y2 + 3 * m * dir}, pen);
    }
  }
}

void LineTo(CAutoSeries& s, Point2 p, const Pen& pen) { s.LineToValue(p.x, p.y, pen); }

void DrawFunctionCurve(CAutoSeries& s, const Pen& pen, int n) {
  const int count = s.Count();
  const double steps = n;
  if (count == 3) {
    // Too few points for a middle piece: the parabola through all three.
    const double x0 = s.GetX(0), x1 = s.GetX(1), x2 = s.GetX(2);
    const double y0 = s.GetY(0), y1 = s.GetY(1), y2 = s.GetY(2);
    const double h0 = x1 - x0, h1 = x2 - x1;
    const double a = (h0 * (y2 - y1) - h1 * (y1 - y0)) / (h0 * h1 * (x2 - x0));
    const double e = (y2 - y1) / h1;
    const double c = e - a * h1;
    s.StartLine(x0, y0, pen);
    for (int j = 0; j < n; ++j) {
      const double X = x0 + j * h0 / steps;
      s.LineToValue(X, y1 + (X - x1) * (c + a * (X - x1)), pen);
    }
    for (int j = 0; j <= n; ++j) {
      const double X = x1 + j * h1 / steps;
      s.LineToValue(X, y1 + (X - x1) * (c + a * (X - x1)), pen);
    }
    return;
  }
  for (int i = 1; i <= count - 3; ++i) {
    const double x0 = s.GetX(i - 1), x1 = s.GetX(i), x2 = s.GetX(i + 1), x3 = s.GetX(i + 2);
    const double y0 = s.GetY(i - 1), y1 = s.GetY(i), y2 = s.GetY(i + 1), y3 = s.GetY(i + 2);
    const double h0 = x1 - x0, h1 = x2 - x1, h2 = x3 - x2;
    const double a = (h0 * (y2 - y1) - h1 * (y1 - y0)) / (h0 * h1 * (x2 - x0));
    const double b = (h1 * (y3 - y2) - h2 * (y2 - y1)) / (h1 * h2 * (x3 - x1));
    const double e = (y2 - y1) / h1;
    const double c = e - a * h1;
    const double d = (y3 - y2) / h2 - b * h2;
    const double g = (d - e - a * h1) / (h1 * h1);
    if (i == 1) {
      s.StartLine(x0, y0, pen);
      for (int j = 0; j < n; ++j) {
        const double X = x0 + j * h0 / steps;
        s.LineToValue(X, y1 + (X - x1) * (c + a * (X - x1)), pen);
      }
    }
    // The cubic between P1 and P2 with the slopes of the neighbouring parabolas at both
    // ends (c at x1, d at x2), so that the pieces join without a kink.
    for (int j = 0; j < n; ++j) {
      const double X = x1 + j * h1 / steps;
      const double t = X - x1;
      const double u = X - x2;
      s.LineToValue(X, y1 + t * (e + u * (a + g * t)), pen);
    }
    if (i == count - 3) {
      for (int j = 0; j <= n; ++j) {
        const double X = x2 + j * h2 / steps;
        const double t = X - x2;
        s.LineToValue(X, y2 + d * t + b * t * t, pen);
      }
    }
  }
}

void DrawParametricCurve(CAutoSeries& s, const Pen& pen, int n) {
  const int count = s.Count();
  const double steps = n;
  auto point = [&s](int k) { return Point2{s.GetX(k), s.GetY(k)}; };
  if (count == 3) {
    // The parabola through the three points, from the first to the last.
    const Point2 P0 = point(0), P1 = point(1), P2 = point(2);
    s.StartLine(P0.x, P0.y, pen);
    for (int j = 0; j <= 2 * n; ++j) {
      const double sp = j / steps - 1;
      LineTo(s, P1 + sp * (P2 - P0) / 2 + (sp * sp) * ((P2 + P0) / 2 - P1), pen);
    }
    return;
  }
  for (int i = 1; i <= count - 3; ++i) {
    const Point2 P0 = point(i - 1), P1 = point(i), P2 = point(i + 1), P3 = point(i + 2);
    const Point2 C = (P3 + P1) / 2 - P2;
    const Point2 D = 2 * P2 - (3 * P1 + P3) / 2;
    const Point2 E = (P3 - 3 * P2 + 3 * P1 - P0) / 2;
    if (i == 1) {
      s.StartLine(P0.x, P0.y, pen);
      for (int j = 0; j < n; ++j) {
        const double sp = j / steps - 1;
        LineTo(s, P1 + sp * (P2 - P0) / 2 + (sp * sp) * ((P2 + P0) / 2 - P1), pen);
      }
    }
    for (int j = 0; j < n; ++j) {
      const double t = j / steps;
      LineTo(s, P1 + t * D + (t * t) * C + (t * (t - 1) * (t - 1)) * E, pen);
    }
    if (i == count - 3) {
      for (int j = 0; j <= n; ++j) {
        const double sp = j / steps + 1;
        LineTo(s, P1 + sp * D + (sp * sp) * C, pen);
      }
    }
  }
}

COLORREF ZoneColour(const CAutoSeries& s, int i) {
  // A point beyond the zone list gets the default colour.
  if (i < 0 || static_cast<std::size_t>(i) >= s.ZoneTypes.size()) return kBandDefault;
  switch (s.ZoneTypes[static_cast<std::size_t>(i)]) {
    case 1: return kBandZone1;
    case 2: return kBandZone2;
    case 3: return kBandZone3;
    default: return kBandDefault;
  }
}

}  // namespace

void DrawMarkers(CAutoSeries& s, const CAutoSeries* linked) {
  if (s.Surface == nullptr || s.MarkerStyle == MarkerNone || s.MarkerStyle == MarkerBands) return;
  Canvas& c = *s.Surface;
  const Pen pen = s.LinePen();
  const int m = s.MarkerSize;
  for (int i = 0; i < s.Count(); ++i) {
    const double vx = s.GetX(i);
    const double vy = s.GetY(i);
    const int x = s.MapX(vx, vy);
    const int y = s.MapY(vx, vy);
    if (!s.PlotRect.Contains({x, y})) continue;
    switch (s.MarkerStyle) {
      case MarkerCircle: c.Ellipse(PixelRect{x - m, y - m, x + m + 1, y + m + 1}, pen, Brush::None()); break;
      case MarkerCross:
        Line(c, {x - m, y - m}, {x + m + 1, y + m + 1}, pen);
        Line(c, {x + m, y - m}, {x - m - 1, y + m + 1}, pen);
        break;
      case MarkerPlus:
        Line(c, {x, y - m}, {x, y + m + 1}, pen);
        Line(c, {x - m, y}, {x + m + 1, y}, pen);
        break;
      case MarkerSquare:
        c.Rectangle(PixelRect{x - m, y - m, x + m + 1, y + m + 1}, pen, Brush::None());
        break;
      case MarkerLeader: DrawLeader(s, linked, i, x, y, pen); break;
      default: break;
    }
  }
}

void DrawPolyline(CAutoSeries& s) {
  if (s.Count() < 1) return;
  const Pen pen = s.LinePen();
  s.StartLine(s.GetX(0), s.GetY(0), pen);
  for (int i = 1; i < s.Count(); ++i) s.LineToValue(s.GetX(i), s.GetY(i), pen);
}

bool SmoothCurveIsParametric(const CAutoSeries& s) {
  if (s.Count() < 2) return false;
  const double d0 = s.GetX(1) - s.GetX(0);
  if (d0 == 0) return true;
  for (int k = 1; k <= s.Count() - 2; ++k) {
    if ((s.GetX(k + 1) - s.GetX(k)) * d0 <= 0) return true;
  }
  return false;
}

void DrawSmoothCurve(CAutoSeries& s) {
  if (s.Count() < 3) return;
  const Pen pen = s.LinePen();
  // Fewer than one sub-segment per interval would divide by zero.
  const int n = std::max(1, s.SplineSteps);
  if (SmoothCurveIsParametric(s)) {
    DrawParametricCurve(s, pen, n);
  } else {
    DrawFunctionCurve(s, pen, n);
  }
}

void DrawBands(CAutoSeries& s) {
  if (s.Surface == nullptr || s.Count() < 1) return;
  Canvas& c = *s.Surface;
  const PixelRect& plot = s.PlotRect;
  struct Band {
    int a;
    int b;
  };
  std::vector<Band> inPlot;
  for (int i = 0; i < s.Count(); ++i) {
    const int a = s.MapX(s.GetX(i), 0);
    const int b = s.MapX(s.GetY(i), 0);
    if (!((a > plot.left || b > plot.left) && (a < plot.right || b < plot.right))) continue;
    const Band band{std::max(a, plot.left), std::min(b, plot.right)};
    c.FillRect(PixelRect{band.a, plot.top, band.b, plot.bottom}, ZoneColour(s, i));
    inPlot.push_back(band);
  }
  for (std::size_t i = 0; i < inPlot.size(); ++i) {
    for (std::size_t j = i + 1; j < inPlot.size(); ++j) {
      const Band& bi = inPlot[i];
      const Band& bj = inPlot[j];
      if (bi.a < bj.a && bj.a < bi.b) {
        c.FillRect(PixelRect{bj.a, plot.top, std::min(bj.b, bi.b), plot.bottom}, kBandOverlap);
      } else if (bj.a < bi.a && bi.a < bj.b) {
        c.FillRect(PixelRect{bi.a, plot.top, std::min(bi.b, bj.b), plot.bottom}, kBandOverlap);
      }
    }
  }
}

}  // namespace p528
