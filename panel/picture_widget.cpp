#include "panel/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/guard_qt.h"

PictureWidget::PictureWidget(QWidget* parent, QRect geometry, QColor fill, qreal scale)
    : QWidget(parent) {
  setGeometry(geometry);
  if (scale <= 0) scale = devicePixelRatioF();
  image_ = QImage((QSizeF(geometry.size()) * scale).toSize(), QImage::Format_RGB32);
  image_.setDevicePixelRatio(scale);
  setFixedSize(geometry.size());
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_.fill(fill);
}

void PictureWidget::Changed(const QRect& rect) {
  const QRect r = rect.intersected(this->rect());
  if (r.isEmpty()) return;
  if (changes_.size() >= kKeptChanges)
    changes_.erase(changes_.begin(), changes_.begin() + kKeptChanges / 2);
  changes_.push_back(r);
  update(r);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const qreal scale = image_.devicePixelRatio();
  for (const QRect& r : event->region())
    p.drawImage(QRectF(r), image_,
                QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale));
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (onClick && rect().contains(event->position().toPoint())) GuardedCall(onClick);
}

MouseImage::MouseImage(QWidget* parent, QRect geometry, const QPixmap& picture) : QLabel(parent) {
  setGeometry(geometry);
  setPixmap(picture);
}

void MouseImage::mousePressEvent(QMouseEvent* event) {
  if (onPress) GuardedCall([&] { onPress(event->position().toPoint()); });
}

void MouseImage::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) GuardedCall([&] { onMove(event->position().toPoint()); });
}

void MouseImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (onRelease) GuardedCall([&] { onRelease(at); });
  if (onClick && rect().contains(at)) GuardedCall(onClick);
}
