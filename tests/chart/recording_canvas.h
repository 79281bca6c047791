// A canvas that records the primitives drawn, for the chart tests. Text metrics are
// synthetic and fixed: a font of height h has ascent h * 5 / 6 and an average character
// width of h / 2 (overridable); a text is (characters x average width) wide and h high.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/canvas.h"

namespace p528::test {

struct CanvasOp {
  enum Kind { Fill, Rect, Move, Line, Ellipse, Text, Offscreen, Copy, Invert };
  Kind kind = Fill;
  PixelRect rect{};   // Fill, Rect, Ellipse, Invert; Offscreen: (0, 0, width, height)
  PixelPoint from{};  // Line: current position before the line
  PixelPoint to{};    // Move, Line: target; Text: anchor; Copy: destination
  Pen pen{};
  Brush brush{};
  COLORREF colour = 0;  // Fill, Text
  std::string text{};
  TextAlign align = TextAlign::CentreTop;
  FontSpec font{};
  friend bool operator==(const CanvasOp&, const CanvasOp&) = default;
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas() : ops_(std::make_shared<std::vector<CanvasOp>>()) {}

  const std::vector<CanvasOp>& Ops() const { return *ops_; }
  void Clear() { ops_->clear(); }
  std::vector<CanvasOp> OpsOf(CanvasOp::Kind kind) const {
    std::vector<CanvasOp> out;
    for (const CanvasOp& op : *ops_)
      if (op.kind == kind) out.push_back(op);
    return out;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const CanvasOp& op : OpsOf(CanvasOp::Text)) out.push_back(op.text);
    return out;
  }

  // Average character width reported for every font; -1 uses height / 2.
  int charWidthOverride = -1;
  // CreateOffscreen fails when false.
  bool offscreenAvailable = true;

  void FillRect(const PixelRect& r, COLORREF colour) override {
    ops_->push_back({.kind = CanvasOp::Fill, .rect = r, .colour = colour});
  }
  void Rectangle(const PixelRect& r, const Pen& pen, const Brush& brush) override {
    ops_->push_back({.kind = CanvasOp::Rect, .rect = r, .pen = pen, .brush = brush});
  }
  void MoveTo(PixelPoint p) override {
    ops_->push_back({.kind = CanvasOp::Move, .to = p});
    position_ = p;
  }
  void LineTo(PixelPoint p, const Pen& pen) override {
    ops_->push_back({.kind = CanvasOp::Line, .from = position_, .to = p, .pen = pen});
    position_ = p;
  }
  void Ellipse(const PixelRect& box, const Pen& pen, const Brush& brush) override {
    ops_->push_back({.kind = CanvasOp::Ellipse, .rect = box, .pen = pen, .brush = brush});
  }
  void DrawText(PixelPoint at, std::string_view text, TextAlign align, const FontSpec& font,
                COLORREF colour) override {
    ops_->push_back({.kind = CanvasOp::Text,
                     .to = at,
                     .colour = colour,
                     .text = std::string(text),
                     .align = align,
                     .font = font});
  }
  TextSize MeasureText(std::string_view text, const FontSpec& font) override {
    int characters = 0;
    for (const char c : text)
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return TextSize{characters * CharWidth(font), font.height};
  }
  FontMetrics MeasureFont(const FontSpec& font) override {
    return FontMetrics{font.height, font.height * 5 / 6, CharWidth(font)};
  }
  std::unique_ptr<Canvas> CreateOffscreen(int width, int height) override {
    if (!offscreenAvailable) return nullptr;
    ops_->push_back({.kind = CanvasOp::Offscreen, .rect = PixelRect{0, 0, width, height}});
    auto child = std::make_unique<RecordingCanvas>();
    child->ops_ = ops_;  // one list: the off-screen drawing appears between Offscreen and Copy
    child->charWidthOverride = charWidthOverride;
    return child;
  }
  void CopyFrom(Canvas& /*offscreen*/, PixelPoint at) override {
    ops_->push_back({.kind = CanvasOp::Copy, .to = at});
  }
  void InvertOutline(const PixelRect& r) override { ops_->push_back({.kind = CanvasOp::Invert, .rect = r}); }

 private:
  int CharWidth(const FontSpec& font) const {
    return charWidthOverride >= 0 ? charWidthOverride : font.height / 2;
  }

  std::shared_ptr<std::vector<CanvasOp>> ops_;
  PixelPoint position_{};
};

}  // namespace p528::test
