// UpDown1: an endless pair of keys, up above and down below. It has no position of its own,
// so it never reaches an end.
#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

class UpDownWidget : public QWidget {
 public:
  UpDownWidget(QWidget* parent, QRect geometry);
  std::function<void(bool up)> onClick;  // on press, and repeated while held
  std::function<void()> onRelease;
  QToolButton* Up;
  QToolButton* Down;
};
