// Between a chart and its picture: the picture of a chart as it is shown now (curves
// copied, the view as currently scaled and zoomed), and the drawing of a picture onto a
// canvas exactly as the chart itself would draw.
#pragma once

#include "chart/chart_picture.h"
#include "chart/panel.h"

namespace p528 {

ChartPicture PictureOf(const CAutoPanel& chart);

// Draws the picture into rectangle r of the canvas, unbuffered (as CAutoPanel::PaintTo).
void PaintPicture(const ChartPicture& picture, Canvas& canvas, const PixelRect& r);

}  // namespace p528
