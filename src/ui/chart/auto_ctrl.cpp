#include "ui/chart/auto_ctrl.h"

namespace p528 {

void CAutoCtrl::PaintBookkeeping() {}
void CAutoCtrl::PaintWindow(Canvas& canvas, const PixelRect& r) {
  std::lock_guard<std::mutex> lock(PaintLock);
  PaintTo(canvas, r, true);
}
bool CAutoCtrl::ButtonDown(int, PixelPoint) { return false; }
bool CAutoCtrl::MouseMove(PixelPoint, bool) { return false; }
CAutoCtrl::ReleaseResult CAutoCtrl::ButtonUp(int, PixelPoint) { return {}; }
PixelRect CAutoCtrl::BandRect() const { return {}; }
bool CAutoCtrl::ZoomTo(double, double, double, double) { return false; }
bool CAutoCtrl::ScrollHorizontal(int, std::uint32_t) { return false; }
bool CAutoCtrl::ScrollVertical(int, std::uint32_t) { return false; }

}  // namespace p528
