// Canvas over a QPainter (Qt): the chart window paints through it, and the report's
// pictures draw on a QImage through it.
//
// Fonts: a FontSpec's height is the cell height (ascent + descent) in pixels; the largest
// pixel size of the face whose cell fits is chosen. Lines are drawn without antialiasing
// and without their end pixel; texts are antialiased on a transparent background.
// Drawing text needs a QGuiApplication (the offscreen platform serves without a display).
#pragma once

#include <QImage>
#include <QPainter>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "chart/canvas.h"

namespace p528 {

class QPainterCanvas : public Canvas {
 public:
  // Draws with `painter`, which must be active on its device while the canvas is used.
  explicit QPainterCanvas(QPainter& painter);
  ~QPainterCanvas() override;

  void FillRect(const PixelRect& r, COLORREF colour) override;
  void Rectangle(const PixelRect& r, const Pen& pen, const Brush& brush) override;
  void MoveTo(PixelPoint p) override;
  void LineTo(PixelPoint p, const Pen& pen) override;
  void Ellipse(const PixelRect& box, const Pen& pen, const Brush& brush) override;
  void DrawText(PixelPoint at, std::string_view text, TextAlign align, const FontSpec& font,
                COLORREF colour) override;
  TextSize MeasureText(std::string_view text, const FontSpec& font) override;
  FontMetrics MeasureFont(const FontSpec& font) override;
  std::unique_ptr<Canvas> CreateOffscreen(int width, int height) override;
  void CopyFrom(Canvas& offscreen, PixelPoint at) override;
  void InvertOutline(const PixelRect& r) override;

  static QColor ToQColor(COLORREF c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

 private:
  using FontCache = std::map<std::tuple<std::string, int, int>, QFont>;

  // An off-screen canvas owning its image and painter.
  QPainterCanvas(std::unique_ptr<QImage> image, std::shared_ptr<FontCache> fonts);

  const QFont& FontFor(const FontSpec& wanted);
  QPen ToQPen(const Pen& pen) const;
  // Selects the pen unless it is selected already (a curve draws thousands of lines).
  void UsePen(const Pen& pen);
  // Whether the one-pixel step from position_ to p was drawn already with the selected pen
  // since anything else was drawn; marks it drawn otherwise.
  bool StepDrawnBefore(PixelPoint p);
  // Something other than a line of the selected pen is drawn: no step counts as drawn.
  void ForgetSteps();

  std::unique_ptr<QImage> image_;  // off-screen surface only
  std::unique_ptr<QPainter> ownPainter_;
  QPainter* painter_ = nullptr;
  std::shared_ptr<FontCache> fonts_;
  PixelPoint position_{};
  Pen selectedPen_{};
  bool penSelected_ = false;
  // The one-pixel steps drawn with the selected pen since anything else was drawn: bit d of
  // steps_[y × width + x] for the step from (x, y) in direction d. Drawing such a step again
  // would set the same pixels to the same opaque colour, so it is left out: a curve of
  // thousands of points retraces its steps many times within a pixel column.
  std::vector<unsigned char> steps_;
  std::vector<int> markedSteps_;  // indices of steps_ that are not 0
  int stepsWidth_ = 0;
  int stepsHeight_ = 0;
  bool stepsUsable_ = false;  // the painter draws opaquely, without antialiasing
};

}  // namespace p528
