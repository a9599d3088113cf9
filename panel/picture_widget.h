// Fixed-size pictures of the panel. A PictureWidget keeps its picture in an image, is drawn
// into there, and copies only the changed rectangles to the screen. The image has the screen's
// pixel density: it is drawn in the widget's own coordinates and holds `scale` device pixels
// for each of them, so that the panel stays sharp on a scaled desktop. A MouseImage is a small
// picture that reports presses, moves and releases, for the knob and its marks.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <vector>

class PictureWidget : public QWidget {
 public:
  // A scale of 0 takes the device pixel ratio of the screen the widget is on.
  PictureWidget(QWidget* parent, QRect geometry, QColor fill, qreal scale = 0);
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }
  // After drawing into the image: schedule the rectangle for the screen.
  void Changed(const QRect& rect);
  void ChangedAll() { Changed(rect()); }
  // The rectangles scheduled since the last ClearChanges, for tests and the benchmark. Only
  // the latest kKeptChanges are kept, so that a panel redrawn for hours holds no more.
  static constexpr std::size_t kKeptChanges = 4096;
  const std::vector<QRect>& Changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }
  std::function<void()> onClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  std::vector<QRect> changes_;
};

class MouseImage : public QLabel {
 public:
  MouseImage(QWidget* parent, QRect geometry, const QPixmap& picture);
  std::function<void(QPoint)> onPress, onMove, onRelease;
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
