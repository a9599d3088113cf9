#include "panel/lamp_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/guard_qt.h"

Lamp::Lamp(QWidget* parent, QRect geometry, QColor color) : QFrame(parent), color_(color) {
  setGeometry(geometry);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setLineWidth(1);
}

void Lamp::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void Lamp::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    p.fillRect(rect(), color_);
  }
  QFrame::paintEvent(event);
}

void Lamp::mousePressEvent(QMouseEvent* event) {
  if (onPress) GuardedCall(onPress);
  QFrame::mousePressEvent(event);
}

void Lamp::mouseReleaseEvent(QMouseEvent* event) {
  if (onRelease) GuardedCall(onRelease);
  if (onClick && rect().contains(event->position().toPoint())) GuardedCall(onClick);
  QFrame::mouseReleaseEvent(event);
}
