#include "app/window_place_qt.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

class PlaceKeeper : public QObject {
 public:
  PlaceKeeper(QWidget* window, std::optional<WindowPoint>& place)
      : QObject(window), window_(window), place_(place) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_) {
      switch (event->type()) {
        case QEvent::Show:
          if (!restored_) {
            restored_ = true;
            Restore();
          }
          Note();
          break;
        case QEvent::Move:
          if (window_->isVisible()) Note();
          break;
        case QEvent::Hide:
          Note();
          break;
        default:
          break;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Restore() {
    std::vector<ScreenArea> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
      const QRect a = screen->availableGeometry();
      const ScreenArea area{a.x(), a.y(), a.width(), a.height()};
      if (screen == primary)
        screens.insert(screens.begin(), area);
      else
        screens.push_back(area);
    }
    const QSize size = window_->frameGeometry().size();
    if (const auto at = PlaceOnScreen(place_, size.width(), size.height(), screens))
      window_->move(at->left, at->top);
  }

  void Note() { place_ = WindowPoint{window_->x(), window_->y()}; }

  QWidget* window_;
  std::optional<WindowPoint>& place_;
  bool restored_ = false;
};

}  // namespace

void KeepWindowPlace(QWidget* window, std::optional<WindowPoint>& place) {
  if (!window) return;
  window->installEventFilter(new PlaceKeeper(window, place));
}
