#include "chart/chart.h"

#include "numeric/interpolate.h"

namespace p528 {

int CChart::AddSeries(const CAutoSeries& templ) {
  const int index = static_cast<int>(Series.size());
  Series.push_back(templ);
  Series.back().Hidden = 0;
  return index;
}

void CChart::SetCurve(int i, std::vector<double> x, std::vector<double> y) {
  if (x.empty() || y.empty()) return;
  if (i < 0 || i >= SeriesCount()) return;
  Series[static_cast<std::size_t>(i)].SetPoints(std::move(x), std::move(y));
}

void CChart::SetSeriesData(int i, const double* x, const double* y, int n) {
  if (n <= 0 || x == nullptr || y == nullptr) return;
  const auto count = static_cast<std::size_t>(n);
  SetCurve(i, std::vector<double>(x, x + count), std::vector<double>(y, y + count));
}

bool CChart::HasPoints(int i) const {
  if (i < 0 || i >= SeriesCount()) return false;
  const CAutoSeries& s = Series[static_cast<std::size_t>(i)];
  return !s.XData.empty() && !s.YData.empty();
}

void CChart::ClearSeriesData(int i) {
  if (i < 0 || i >= SeriesCount()) return;
  Series[static_cast<std::size_t>(i)].ClearPoints();
  Invalidate();
}

void CChart::RemoveAllSeries() { Series.clear(); }

bool CChart::Interpolate(int argumentAxis, int resultAxis, int i, double value, double& result) const {
  if (!HasPoints(i)) return false;
  if ((argumentAxis != 0 && argumentAxis != 1) || (resultAxis != 0 && resultAxis != 1)) return false;
  const CAutoSeries& s = Series[static_cast<std::size_t>(i)];
  const double* arguments = argumentAxis == 0 ? s.XData.data() : s.YData.data();
  const double* results = resultAxis == 0 ? s.XData.data() : s.YData.data();
  return BisectInterpolate(arguments, results, s.Count(), value, result);
}

void CChart::ClickReadOut(PixelPoint p) {
  ClickPoint = p;
  ClickX = UnmapX(p.x);
  ClickY = UnmapY(p.y);
}

}  // namespace p528
