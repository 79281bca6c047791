#include "chart/chart.h"

#include "numeric/interpolate.h"

namespace p528 {

int CChart::AddSeries(const CAutoSeries& templ) {
  if (Curves.size() != Series.size()) return kAddSeriesFailed;
  const int index = static_cast<int>(Series.size());
  Series.push_back(templ);
  Series.back().Hidden = 0;
  Curves.push_back(CurveRef{});
  return index;
}

void CChart::SetSeriesData(int i, const double* x, const double* y, int n) {
  if (n <= 0 || x == nullptr || y == nullptr) return;
  if (i < 0 || i >= static_cast<int>(Curves.size())) return;
  const auto k = static_cast<std::size_t>(i);
  Curves[k] = CurveRef{x, y, n};
  if (i < static_cast<int>(Series.size())) {
    CAutoSeries& s = Series[k];
    s.XData = x;
    s.YData = y;
    s.Count = n;
  }
}

void CChart::ClearSeriesData(int i) {
  if (i < 0 || i >= static_cast<int>(Series.size())) return;
  const auto k = static_cast<std::size_t>(i);
  if (i < static_cast<int>(Curves.size())) Curves[k] = CurveRef{};
  CAutoSeries& s = Series[k];
  s.XData = nullptr;
  s.YData = nullptr;
  s.Count = 0;
  Invalidate();
}

void CChart::RemoveAllSeries() {
  Series.clear();
  Curves.clear();
}

bool CChart::Interpolate(int argumentAxis, int resultAxis, int i, double value, double& result) const {
  if (i < 0 || i >= static_cast<int>(Curves.size())) return false;
  const CurveRef& c = Curves[static_cast<std::size_t>(i)];
  if (c.XData == nullptr || c.YData == nullptr) return false;
  if ((argumentAxis != 0 && argumentAxis != 1) || (resultAxis != 0 && resultAxis != 1)) return false;
  const double* arguments = argumentAxis == 0 ? c.XData : c.YData;
  const double* results = resultAxis == 0 ? c.XData : c.YData;
  return BisectInterpolate(arguments, results, c.Count, value, result);
}

void CChart::ClickReadOut(PixelPoint p) {
  ClickPoint = p;
  ClickX = UnmapX(p.x);
  ClickY = UnmapY(p.y);
}

}  // namespace p528
