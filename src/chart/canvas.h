// Drawing surface of the chart.
//
// The chart logic draws only through this interface, so it runs without any windowing
// system: the window and the report's pictures implement it over QPainter, the tests with a
// recording canvas that lists the primitives drawn. Coordinates are device pixels with the
// origin at the top-left corner; rectangles are (left, top, right, bottom) with right and
// bottom exclusive. Colours are 0x00BBGGRR values. Texts are UTF-8.
//
// A canvas is used by one thread at a time (the window's thread).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace p528 {

// Colour as 0x00BBGGRR: 0x0808FC is red, 0xFC0808 blue.
using COLORREF = std::uint32_t;

constexpr int RedOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(PixelPoint p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Pen styles (the platform's numbering): 0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, 5 none. A width of 0 or 1 is the thinnest pen.
enum PenStyles : int {
  PenSolid = 0,
  PenDash = 1,
  PenDot = 2,
  PenDashDot = 3,
  PenDashDotDot = 4,
  PenNone = 5
};

struct Pen {
  int style = PenSolid;
  int width = 0;
  COLORREF colour = 0;
  friend bool operator==(const Pen&, const Pen&) = default;
};

// Solid brush, or none (the shape's interior is left as it is).
struct Brush {
  bool hollow = true;
  COLORREF colour = 0;
  static Brush Solid(COLORREF c) { return Brush{false, c}; }
  static Brush None() { return Brush{}; }
  friend bool operator==(const Brush&, const Brush&) = default;
};

// Font description: face, height in pixels (cell height), weight (400 normal, 700 bold),
// character set, output precision, quality, pitch, and the escapement in tenths of a degree
// (0 upright, 900 turned by 90 degrees to read upwards).
struct FontSpec {
  std::string face = "Arial";
  int height = 12;
  int weight = 400;
  int charset = 1;
  int outPrecision = 0;
  int quality = 0;
  int pitch = 0;
  int escapement = 0;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

struct FontMetrics {
  int height = 0;  // cell height: ascent + descent
  int ascent = 0;
  int aveCharWidth = 0;  // average character width
};

// Where the anchor point of a text lies on the text's box. For a text turned by 90
// degrees the alignment refers to the text's own (turned) box, as on the platform:
// right-top puts the end of the text at the anchor row and its top edge at the anchor
// column, so the text occupies the column of its height to the right of the anchor.
enum class TextAlign { CentreTop, RightBaseline, RightBottom, RightTop };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Fills the rectangle with a colour.
  virtual void FillRect(const PixelRect& r, COLORREF colour) = 0;
  // Rectangle: the pen's outline inside the box, the brush over the interior.
  virtual void Rectangle(const PixelRect& r, const Pen& pen, const Brush& brush) = 0;
  // Current position for LineTo.
  virtual void MoveTo(PixelPoint p) = 0;
  // Line from the current position to p, p itself excluded; p becomes the current position.
  virtual void LineTo(PixelPoint p, const Pen& pen) = 0;
  // Ellipse inscribed in the box: outline with the pen, interior with the brush.
  virtual void Ellipse(const PixelRect& box, const Pen& pen, const Brush& brush) = 0;
  // Text at an anchor point, transparent background.
  virtual void DrawText(PixelPoint at, std::string_view text, TextAlign align, const FontSpec& font,
                        COLORREF colour) = 0;
  // Size of an upright text's box in the font.
  virtual TextSize MeasureText(std::string_view text, const FontSpec& font) = 0;
  virtual FontMetrics MeasureFont(const FontSpec& font) = 0;
  // An off-screen surface of the given size (origin at its top-left corner) with the same
  // text metrics as this one; null when none can be made.
  virtual std::unique_ptr<Canvas> CreateOffscreen(int width, int height) = 0;
  // Copies a whole off-screen surface made by CreateOffscreen to `at` on this surface.
  virtual void CopyFrom(Canvas& offscreen, PixelPoint at) = 0;
  // Outline of the rectangle (1 pixel, no fill) that inverts the pixels under it; drawing
  // it twice restores the picture.
  virtual void InvertOutline(const PixelRect& r) = 0;
};

}  // namespace p528
