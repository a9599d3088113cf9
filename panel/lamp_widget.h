// A lamp: a small coloured panel with a thin bevel beside a key.
#pragma once

#include <QColor>
#include <QFrame>

class Lamp : public QFrame {
 public:
  Lamp(QWidget* parent, QRect geometry, QColor color);
  void SetColor(const QColor& color);
  QColor Color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};
