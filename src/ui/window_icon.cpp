#include "ui/window_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace p528::ui {

namespace {

// One size of the icon, drawn on a 48-unit grid scaled to `size` pixels.
QPixmap DrawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);

  // Rounded tile.
  p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), 1.5));
  p.setBrush(QColor(0xe8, 0xf1, 0xfa));
  p.drawRoundedRect(QRectF(1.5, 1.5, 45, 45), 7, 7);

  // Flask: neck and round bottom, filled with the liquid.
  QPainterPath flask;
  flask.moveTo(19, 6);
  flask.lineTo(19, 18);
  flask.arcTo(QRectF(8, 16, 24, 24), 115, 310);
  flask.lineTo(23, 6);
  flask.closeSubpath();
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.6));
  p.setBrush(QColor(0xff, 0xff, 0xff));
  p.drawPath(flask);
  QPainterPath liquid;
  liquid.addEllipse(QRectF(10.5, 18.5, 19, 19));
  QPainterPath level;
  level.addRect(QRectF(0, 29, 48, 19));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe0, 0x8a, 0x1e));
  p.drawPath(liquid.intersected(level));

  // Side arm of the flask.
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.6));
  p.drawLine(QPointF(23, 11), QPointF(31, 15));

  // Rising distillation curve.
  QPainterPath curve;
  curve.moveTo(26, 42);
  curve.cubicTo(32, 40, 34, 26, 44, 20);
  p.setPen(QPen(QColor(0xc0, 0x1c, 0x1c), 2.4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
  return pixmap;
}

}  // namespace

QIcon WindowIcon() {
  // Made anew for each window: a static icon would outlive the host's application object.
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawIcon(size));
  return icon;
}

}  // namespace p528::ui
