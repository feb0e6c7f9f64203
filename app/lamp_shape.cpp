#include "app/lamp_shape.h"

#include <QPainter>

namespace ormlax::app {

QColor ToQColor(LampColour colour) {
  const Rgb rgb = ColourOf(colour);
  return QColor(rgb.red, rgb.green, rgb.blue);
}

LampShape::LampShape(QWidget* parent, int diameter) : QWidget(parent), diameter_(diameter) {
  setFixedSize(sizeHint());
}

void LampShape::SetColour(LampColour colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void LampShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(QPointF(diameter_ * 0.4, diameter_ * 0.35), diameter_ * 0.7);
  const QColor c = ToQColor(colour_);
  glow.setColorAt(0, c.lighter(150));
  glow.setColorAt(1, c);
  p.setBrush(glow);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.drawEllipse(QRectF(1, 1, diameter_, diameter_));
}

}  // namespace ormlax::app
