// The chart panel: axis appearance, tick state, series list, captions and fonts, and the
// drawing of the whole control through a Canvas (layout, ticks, grid, series, frame).
//
// Nothing here knows about windows; the window layer (and the report's picture rendering)
// calls PaintTo with a canvas. All operations run on the window's thread.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"
#include "chart/coord_object.h"
#include "chart/series.h"

namespace p528 {

// Bits of `GridFlags`.
enum GridFlagBits : int {
  GridVertical = 1,
  GridHorizontal = 2,
  TicksMirrored = 4,  // ticks on the top and right edges too
  FrameBox = 8,       // frame closed on the top and right
};

// Axis appearance and tick state.
class CAutoAxis : public CAutoCoordObject {
 public:
  int XDigits = 3;  // an automatic range is never narrower than max(|min|, |max|) / 10^digits
  int YDigits = 3;
  COLORREF AxisColour = 0x000000;  // frame, ticks, tick labels
  COLORREF GridColour = 0xBFBFBF;
  COLORREF PlotColour = 0xFFFFFF;  // fill of the plot rectangle
  int AxisWidth = 0;               // frame pen width; 0 and 1 the thinnest
  int GridFlags = GridVertical | GridHorizontal | FrameBox;
  double XStep = 1.0, YStep = 1.0;  // tick steps of the last layout
  double FirstXTick = 0, LastXTick = 0, FirstYTick = 0, LastYTick = 0;
  bool XRangeCached = false;  // automatic range already computed in the current paint
  bool YRangeCached = false;
  int TickIn = 4, TickOut = 2, LabelGap = 2;  // recomputed from the axis font on every paint
  FontSpec AxisFont{};                        // tick labels
};

class CAutoPanel : public CAutoAxis {
 public:
  CAutoPanel();

  std::deque<CAutoSeries> Series;  // drawing order; index = series number; never moved
  COLORREF CaptionColour = 0x000000;
  COLORREF BackColour = 0xFFFFFF;  // fill of the whole control
  int CaptionGap = 2;              // between a caption and the plot
  int Margin = 1;                  // outer margin, left and bottom only
  std::string XCaption;            // UTF-8; SetXCaption keeps at most 255 UTF-16 units
  std::string YCaption;
  FontSpec CaptionFont{};  // escapement set per caption

  void SetXCaption(std::string_view text);
  void SetYCaption(std::string_view text);

  // Automatic range of all series (hidden ones included, bands excluded), computed once per
  // paint: sets XMin/XMax (YMin/YMax). Also gives every series the panel's Mode.
  void AutoRangeX();
  void AutoRangeY();
  // The view ranges: automatic where AutoX / AutoY, the fixed ranges otherwise.
  void TakeViewRanges();

  // Lays out and draws the whole control into rectangle r of the canvas. Buffered drawing
  // goes to an off-screen surface of r's size copied to r at the end; unbuffered drawing
  // goes straight to the canvas (pictures).
  void PaintTo(Canvas& canvas, const PixelRect& r, bool buffered);

  // Tick values of the last layout (for tests and the window layer).
  std::vector<double> XTicks() const;
  std::vector<double> YTicks() const;
  // Whether the last PaintTo drew a plot (false when it had no room).
  bool PlotDrawn() const { return plotDrawn_; }

 protected:
  // Tick fitting on the current view ranges and PlotRect; return the widest label width.
  int FitXTicks(Canvas& c);
  int FitYTicks(Canvas& c);
  void DrawPlot(Canvas& c);
  void DrawGrid(Canvas& c);
  void DrawSeries(Canvas& c, CAutoSeries& s);
  void DrawFrameAndTicks(Canvas& c);

 private:
  void LayoutAndDraw(Canvas& c, const PixelRect& r);
  bool plotDrawn_ = false;
};

// Keeps at most 255 UTF-16 units of a UTF-8 text, never splitting a character.
std::string LimitCaption(std::string_view text);

}  // namespace p528
