// A lamp: a small coloured panel with a thin bevel beside a key. Some lamps are keys too
// (the stop lamp, the scan lamps, the speech strip), so presses are reported.
#pragma once

#include <QColor>
#include <QFrame>
#include <functional>

class Lamp : public QFrame {
 public:
  Lamp(QWidget* parent, QRect geometry, QColor color);
  void SetColor(const QColor& color);
  QColor Color() const { return color_; }
  std::function<void()> onPress, onRelease, onClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor color_;
};
