#include "panel/lamp_widget.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include "ui/accessible_qt.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

// What a screen reader says of a lamp: silver is off, red a warning, any other colour on.
QString LampState(const QColor& color) {
  if (color == ui::kSilver) return QCoreApplication::translate("Lamp", "消灯");
  if (color == ui::kRed) return QCoreApplication::translate("Lamp", "赤点灯");
  return QCoreApplication::translate("Lamp", "点灯");
}

}  // namespace

Lamp::Lamp(QWidget* parent, QRect geometry, QColor color) : QFrame(parent), color_(color) {
  setGeometry(geometry);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setLineWidth(1);
  ui::SetAccessibleRole(this, QAccessible::Indicator);
  ui::SetAccessibleValue(this, LampState(color_));
}

void Lamp::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  ui::SetAccessibleValue(this, LampState(color_));
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
