#include "ui/pages/colour_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace p528::ui {

QColor ToQColor(COLORREF colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

COLORREF FromQColor(const QColor& colour) {
  return static_cast<COLORREF>(colour.red()) | (static_cast<COLORREF>(colour.green()) << 8) |
         (static_cast<COLORREF>(colour.blue()) << 16);
}

CColourSwatch::CColourSwatch(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setMinimumSize(22, 16);
}

void CColourSwatch::SetColour(COLORREF colour) {
  colour_ = colour;
  update();
}

void CColourSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(colour_));
}

void CColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

}  // namespace p528::ui
