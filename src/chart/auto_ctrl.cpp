#include "chart/auto_ctrl.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace p528 {

namespace {

// A scroll-bar count: the integer part, limited to the bar's int range; NaN gives 0.
int BarCount(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(
      std::clamp(std::trunc(v), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

bool FiniteRange(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

void CAutoCtrl::PaintBookkeeping() {
  if (AutoX || AlwaysFullX) {
    AutoRangeX();
    FullXMin = XMin;
    FullXMax = XMax;
  }
  if (AutoY || AlwaysFullY) {
    AutoRangeY();
    FullYMin = YMin;
    FullYMax = YMax;
  }
  TakeViewRanges();

  HScroll.visible = HScrollAllowed && (FullXMax > XMax || XMin > FullXMin);
  VScroll.visible = VScrollAllowed && (FullYMax > YMax || YMin > FullYMin);
  HScrollHidden = !HScroll.visible;
  VScrollHidden = !VScroll.visible;

  // Ranges and positions in the steps of the previous layout.
  const int hn = BarCount(std::ceil(((FullXMax - FullXMin) - (XMax - XMin)) / XStep));
  if (hn > 0) {
    HScroll.maximum = hn;
    HScroll.position = BarCount(std::ceil((XMin - FullXMin) / XStep));
  }
  const int vn = BarCount(std::ceil((FullYMax - FullYMin) - (YMax - YMin)) / 0.01);
  if (vn > 0) {
    VScroll.maximum = vn;
    VScroll.position = BarCount(std::ceil(FullYMax - YMax) / 0.01);
  }
}

void CAutoCtrl::PaintWindow(Canvas& canvas, const PixelRect& r) {
  std::lock_guard<std::mutex> lock(PaintLock);
  PaintBookkeeping();
  PaintTo(canvas, r, true);
  if (BandActive) canvas.InvertOutline(BandRect());
}

bool CAutoCtrl::ButtonDown(int button, PixelPoint p) {
  if (button != ZoomButton || !ZoomEnabled || BandActive) return false;
  BandAnchor = p;
  BandCorner = p;
  BandActive = true;
  return true;
}

bool CAutoCtrl::MouseMove(PixelPoint p, bool zoomButtonHeld) {
  if (!BandActive || p == BandCorner) return false;
  if (zoomButtonHeld) {
    BandCorner = p;
  } else {
    BandActive = false;
  }
  return true;
}

CAutoCtrl::ReleaseResult CAutoCtrl::ButtonUp(int button, PixelPoint /*p*/) {
  ReleaseResult result;
  if (button != ZoomButton || !BandActive) return result;
  BandActive = false;
  result.consumed = true;
  if (std::abs(BandCorner.x - BandAnchor.x) < 3 || std::abs(BandCorner.y - BandAnchor.y) < 3) return result;
  result.zoomed =
      ZoomTo(UnmapX(BandAnchor.x), UnmapX(BandCorner.x), UnmapY(BandAnchor.y), UnmapY(BandCorner.y));
  return result;
}

PixelRect CAutoCtrl::BandRect() const {
  return PixelRect{std::min(BandAnchor.x, BandCorner.x), std::min(BandAnchor.y, BandCorner.y),
                   std::max(BandAnchor.x, BandCorner.x), std::max(BandAnchor.y, BandCorner.y)};
}

bool CAutoCtrl::ZoomTo(double x0, double x1, double y0, double y1) {
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  x0 = std::max(x0, XMin);
  x1 = std::min(x1, XMax);
  y0 = std::max(y0, YMin);
  y1 = std::min(y1, YMax);
  const bool wideEnough = std::abs(x1 - x0) * 100000 > std::max(std::abs(x0), std::abs(x1)) &&
                          std::abs(y1 - y0) * 100000 > std::max(std::abs(y0), std::abs(y1));
  if (!wideEnough) return false;
  SetXRange(x0, x1);
  SetYRange(y0, y1);
  Invalidate();
  return true;
}

bool CAutoCtrl::ScrollHorizontal(int code, std::uint32_t position) {
  const double w = XMax - XMin;
  double start = 0;
  switch (code) {
    case ScrollLineUp:
    case ScrollPageUp: {
      const double c = std::max(XMin - XStep, FullXMin);
      if (c == XMin) return false;
      start = c;
      break;
    }
    case ScrollLineDown:
    case ScrollPageDown: {
      const double d = std::min(XMax + XStep, FullXMax);
      if (d == XMax) return false;
      start = d - w;
      break;
    }
    case ScrollThumbTrack: start = std::min(FullXMin + position * XStep, FullXMax - w); break;
    default: return false;
  }
  // An empty chart has no step: nothing to scroll to.
  if (!FiniteRange(start, start + w)) return false;
  SetXRange(start, start + w);
  Invalidate();
  return true;
}

bool CAutoCtrl::ScrollVertical(int code, std::uint32_t position) {
  const double h = YMax - YMin;
  double lo = 0;
  double hi = 0;
  switch (code) {
    case ScrollLineUp:
    case ScrollPageUp:
      lo = YMin + YStep;
      hi = YMax + YStep;
      break;
    case ScrollLineDown:
    case ScrollPageDown:
      lo = YMin - YStep;
      hi = YMax - YStep;
      break;
    case ScrollThumbTrack: {
      const double end = std::max(FullYMax - position * YStep, FullYMin + h);
      lo = end - h;
      hi = end;
      break;
    }
    default: return false;
  }
  if (!FiniteRange(lo, hi)) return false;
  SetYRange(lo, hi);
  Invalidate();
  return true;
}

}  // namespace p528
