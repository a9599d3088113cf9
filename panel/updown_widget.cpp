#include "panel/updown_widget.h"

#include <QToolButton>

#include "ui/guard_qt.h"

UpDownWidget::UpDownWidget(QWidget* parent, QRect geometry) : QWidget(parent) {
  setGeometry(geometry);
  const int half = geometry.height() / 2;
  auto key = [this](Qt::ArrowType arrow, QRect r, bool up) {
    auto* b = new QToolButton(this);
    b->setArrowType(arrow);
    b->setGeometry(r);
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(100);
    b->setFocusPolicy(Qt::NoFocus);
    // A step on every press, and on every repeat while the key is held (a repeat emits
    // released, clicked, pressed with the key still down). The marks are cleared when the
    // key really comes up, after the last step.
    connect(b, &QToolButton::pressed, this, Guarded([this, up] {
              if (onClick) onClick(up);
            }));
    connect(b, &QToolButton::released, this, Guarded([this, b] {
              if (!b->isDown() && onRelease) onRelease();
            }));
    return b;
  };
  Up = key(Qt::UpArrow, QRect(0, 0, geometry.width(), half), true);
  Down = key(Qt::DownArrow, QRect(0, half, geometry.width(), geometry.height() - half), false);
}
