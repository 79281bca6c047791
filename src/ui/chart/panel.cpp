#include "ui/chart/panel.h"

namespace p528 {

CAutoPanel::CAutoPanel() {}

void CAutoPanel::SetXCaption(std::string_view text) { XCaption = LimitCaption(text); }
void CAutoPanel::SetYCaption(std::string_view text) { YCaption = LimitCaption(text); }

std::string LimitCaption(std::string_view text) { return std::string(text); }

void CAutoPanel::AutoRangeX() {}
void CAutoPanel::AutoRangeY() {}
void CAutoPanel::TakeViewRanges() {}
void CAutoPanel::PaintTo(Canvas&, const PixelRect&, bool) {}
std::vector<double> CAutoPanel::XTicks() const { return {}; }
std::vector<double> CAutoPanel::YTicks() const { return {}; }

}  // namespace p528
