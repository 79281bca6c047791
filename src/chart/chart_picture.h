// A chart as a picture to be drawn: its curves (values of their own) and its axes as the
// chart shows them now (ranges, zoom, captions, colours, fonts). The report embeds such
// pictures without knowing the chart: it gets the pictures and a renderer that draws them.
#pragma once

#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/curve.h"

namespace p528 {

// Everything about a chart's axes, frame and captions that decides how it is drawn; the
// defaults are a new chart's.
struct ChartAxes {
  int Mode = 0;  // CoordModeBits
  bool AutoX = true;
  bool AutoY = true;
  double FixedXMin = 0, FixedXMax = 0, FixedYMin = 0, FixedYMax = 0;  // view range when not automatic
  int XDigits = 3;
  int YDigits = 3;
  COLORREF AxisColour = 0x000000;
  COLORREF GridColour = 0xBFBFBF;
  COLORREF PlotColour = 0xFFFFFF;
  COLORREF CaptionColour = 0x000000;
  COLORREF BackColour = 0xFFFFFF;
  int AxisWidth = 0;
  int GridFlags = 1 | 2 | 8;  // GridFlagBits: both grids, the frame closed
  int CaptionGap = 2;
  int Margin = 1;
  FontSpec AxisFont{};
  FontSpec CaptionFont{"Arial", 12, 400, 1, 7, 2, 2, 0};  // TrueType only, proof quality, variable pitch
  std::string XCaption;
  std::string YCaption;
};

struct ChartPicture {
  ChartAxes axes;
  std::vector<Curve> curves;  // drawing order; Curve::Linked indexes this list
};

// Draws pictures for the report; the window layer implements it.
class ChartPngRenderer {
 public:
  virtual ~ChartPngRenderer() = default;
  // Draws the picture into a `width` × `height` image (32 bits per pixel, no alpha) and
  // returns it PNG-encoded in `png`; false on failure.
  virtual bool RenderPng(const ChartPicture& picture, int width, int height,
                         std::vector<unsigned char>& png) = 0;
};

}  // namespace p528
