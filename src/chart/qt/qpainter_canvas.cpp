#include "chart/qt/qpainter_canvas.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cstdlib>

namespace p528 {

namespace {

QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// The outline of a box whose right and bottom are exclusive: QPainter's rectangle of
// width w covers w + 1 pixel columns with a thin pen.
QRect OutlineRect(const PixelRect& r) {
  return QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::PenStyle ToQtStyle(int style) {
  switch (style) {
    case PenDash: return Qt::DashLine;
    case PenDot: return Qt::DotLine;
    case PenDashDot: return Qt::DashDotLine;
    case PenDashDotDot: return Qt::DashDotDotLine;
    case PenNone: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : painter_(&painter), fonts_(std::make_shared<FontCache>()) {}

QPainterCanvas::QPainterCanvas(std::unique_ptr<QImage> image, std::shared_ptr<FontCache> fonts)
    : image_(std::move(image)), fonts_(std::move(fonts)) {
  ownPainter_ = std::make_unique<QPainter>(image_.get());
  painter_ = ownPainter_.get();
}

QPainterCanvas::~QPainterCanvas() {
  if (ownPainter_ && ownPainter_->isActive()) ownPainter_->end();
}

QPen QPainterCanvas::ToQPen(const Pen& pen) const {
  QPen q(ToQColor(pen.colour));
  q.setStyle(ToQtStyle(pen.style));
  q.setWidth(pen.width <= 1 ? 0 : pen.width);  // 0: the thin cosmetic pen
  q.setCapStyle(Qt::FlatCap);                  // the end pixel of a line is not drawn
  q.setJoinStyle(Qt::MiterJoin);
  return q;
}

void QPainterCanvas::UsePen(const Pen& pen) {
  if (penSelected_ && selectedPen_ == pen) return;
  ForgetSteps();
  painter_->setPen(ToQPen(pen));
  selectedPen_ = pen;
  penSelected_ = true;
}

void QPainterCanvas::ForgetSteps() {
  for (int index : markedSteps_) steps_[static_cast<std::size_t>(index)] = 0;
  markedSteps_.clear();
}

bool QPainterCanvas::StepDrawnBefore(PixelPoint p) {
  if (steps_.empty()) {
    // Only opaque drawing without antialiasing sets a pixel to the same value when drawn again.
    const QPaintDevice* device = painter_->device();
    stepsUsable_ = device != nullptr && !painter_->testRenderHint(QPainter::Antialiasing) &&
                   painter_->compositionMode() == QPainter::CompositionMode_SourceOver &&
                   painter_->opacity() == 1.0;
    stepsWidth_ = stepsUsable_ ? device->width() : 0;
    stepsHeight_ = stepsUsable_ ? device->height() : 0;
    steps_.assign(static_cast<std::size_t>(std::max(1, stepsWidth_ * stepsHeight_)), 0);
  }
  const PixelPoint from = position_;
  if (!stepsUsable_ || from.x < 0 || from.y < 0 || from.x >= stepsWidth_ || from.y >= stepsHeight_)
    return false;
  const int direction = (p.y - from.y + 1) * 3 + (p.x - from.x + 1);  // 0..8, 4 is no step
  const auto bit = static_cast<unsigned char>(1u << (direction > 4 ? direction - 1 : direction));
  const int index = from.y * stepsWidth_ + from.x;
  unsigned char& drawn = steps_[static_cast<std::size_t>(index)];
  if (drawn & bit) return true;
  if (drawn == 0) markedSteps_.push_back(index);
  drawn = static_cast<unsigned char>(drawn | bit);
  return false;
}

const QFont& QPainterCanvas::FontFor(const FontSpec& wanted) {
  const auto key = std::make_tuple(wanted.face, wanted.height, wanted.weight);
  auto it = fonts_->find(key);
  if (it != fonts_->end()) return it->second;
  QFont font(QString::fromStdString(wanted.face));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 1, 1000)));
  font.setStyleStrategy(QFont::PreferAntialias);
  // The height names the cell (ascent + descent): take the largest pixel size that fits.
  const int cell = std::max(1, wanted.height);
  int size = cell;
  for (; size > 1; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).height() <= cell) break;
  }
  font.setPixelSize(size);
  return fonts_->emplace(key, font).first->second;
}

void QPainterCanvas::FillRect(const PixelRect& r, COLORREF colour) {
  ForgetSteps();
  if (r.right <= r.left || r.bottom <= r.top) return;
  painter_->fillRect(ToQRect(r), ToQColor(colour));
}

void QPainterCanvas::Rectangle(const PixelRect& r, const Pen& pen, const Brush& brush) {
  ForgetSteps();
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (!brush.hollow) painter_->fillRect(ToQRect(r), ToQColor(brush.colour));
  if (pen.style == PenNone) return;
  UsePen(pen);
  painter_->setBrush(Qt::NoBrush);
  painter_->drawRect(OutlineRect(r));
}

void QPainterCanvas::MoveTo(PixelPoint p) { position_ = p; }

void QPainterCanvas::LineTo(PixelPoint p, const Pen& pen) {
  if (pen.style != PenNone && !(p == position_)) {
    UsePen(pen);
    const bool step = std::abs(p.x - position_.x) <= 1 && std::abs(p.y - position_.y) <= 1;
    if (!(step && StepDrawnBefore(p))) painter_->drawLine(QPoint(position_.x, position_.y), QPoint(p.x, p.y));
  }
  position_ = p;
}

void QPainterCanvas::Ellipse(const PixelRect& box, const Pen& pen, const Brush& brush) {
  ForgetSteps();
  if (box.right <= box.left || box.bottom <= box.top) return;
  UsePen(pen);
  if (brush.hollow) {
    painter_->setBrush(Qt::NoBrush);
  } else {
    painter_->setBrush(ToQColor(brush.colour));
  }
  painter_->drawEllipse(OutlineRect(box));
  painter_->setBrush(Qt::NoBrush);
}

void QPainterCanvas::DrawText(PixelPoint at, std::string_view text, TextAlign align, const FontSpec& font,
                              COLORREF colour) {
  ForgetSteps();
  const QFont& qfont = FontFor(font);
  const QFontMetrics fm(qfont);
  const QString s = ToQString(text);
  const int width = fm.horizontalAdvance(s);
  // Offset of the text's baseline start from the anchor, in the text's own direction.
  int dx = -width;
  int dy = 0;
  switch (align) {
    case TextAlign::CentreTop:
      dx = -width / 2;
      dy = fm.ascent();
      break;
    case TextAlign::RightBaseline: dy = 0; break;
    case TextAlign::RightBottom: dy = -fm.descent(); break;
    case TextAlign::RightTop: dy = fm.ascent(); break;
  }
  painter_->save();
  painter_->setFont(qfont);
  painter_->setPen(ToQColor(colour));
  painter_->translate(at.x, at.y);
  if (font.escapement != 0) painter_->rotate(-font.escapement / 10.0);
  painter_->drawText(QPoint(dx, dy), s);
  painter_->restore();
}

TextSize QPainterCanvas::MeasureText(std::string_view text, const FontSpec& font) {
  const QFontMetrics fm(FontFor(font));
  return TextSize{fm.horizontalAdvance(ToQString(text)), fm.height()};
}

FontMetrics QPainterCanvas::MeasureFont(const FontSpec& font) {
  const QFontMetrics fm(FontFor(font));
  return FontMetrics{fm.height(), fm.ascent(), fm.averageCharWidth()};
}

std::unique_ptr<Canvas> QPainterCanvas::CreateOffscreen(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  auto image = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
  if (image->isNull()) return nullptr;
  return std::unique_ptr<Canvas>(new QPainterCanvas(std::move(image), fonts_));
}

void QPainterCanvas::CopyFrom(Canvas& offscreen, PixelPoint at) {
  ForgetSteps();
  auto* source = dynamic_cast<QPainterCanvas*>(&offscreen);
  if (source == nullptr || !source->image_) return;
  if (source->ownPainter_ && source->ownPainter_->isActive()) source->ownPainter_->end();
  painter_->drawImage(QPoint(at.x, at.y), *source->image_);
}

void QPainterCanvas::InvertOutline(const PixelRect& r) {
  ForgetSteps();
  painter_->save();
  painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_->setPen(QPen(Qt::white, 0));
  painter_->setBrush(Qt::NoBrush);
  // A band without area has no outline to show.
  if (r.right - r.left >= 2 && r.bottom - r.top >= 2) painter_->drawRect(OutlineRect(r));
  painter_->restore();
}

}  // namespace p528
