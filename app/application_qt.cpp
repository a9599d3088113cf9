#include "app/application_qt.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "app/shell.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

FennixApplication::FennixApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("fennix");
  setDesktopFileName("org.fennix.fennix");
  // No display name: Qt would append it to every window's caption. Message boxes take the
  // program's title (ui::kProgramTitle) instead.
}

namespace {

// When a modal window closes, the window under it takes the keyboard back. A window manager
// does this by itself; a bare X server (no window manager) leaves the keyboard nowhere, and
// the panel's keys and menus would stop answering.
void GiveKeyboardBack(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::Hide) return;
  auto* closing = qobject_cast<QWidget*>(receiver);
  if (!closing || !closing->isWindow() || !closing->isModal()) return;
  QWidget* under = closing->parentWidget() ? closing->parentWidget()->window() : nullptr;
  if (!under) return;
  QPointer<QWidget> target(under);
  QTimer::singleShot(0, [target] {
    if (!target || !target->isVisible()) return;
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* next = modal ? modal : target.data();
    if (QApplication::activeWindow() != next) next->activateWindow();
  });
}

}  // namespace

ModalReturnWatch::ModalReturnWatch(QObject* parent, std::function<void()> onReturn)
    : QObject(parent), onReturn_(std::move(onReturn)) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool ModalReturnWatch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && !posted_) {
    auto* closing = qobject_cast<QWidget*>(watched);
    if (closing && closing->isWindow() && closing->isModal()) {
      posted_ = true;
      QTimer::singleShot(0, this, [this] {
        posted_ = false;
        // A modal window closed over another one returns to that one, not to the panel.
        if (!QApplication::activeModalWidget()) onReturn_();
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

bool FennixApplication::notify(QObject* receiver, QEvent* event) {
  try {
    GiveKeyboardBack(receiver, event);
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleApplicationException(std::current_exception());
    return false;
  }
}

void HandleApplicationException(std::exception_ptr error) {
  auto* app = dynamic_cast<FennixApplication*>(QCoreApplication::instance());
  if (!app || !app->OnException) return;
  try {
    app->OnException(error);
  } catch (...) {
    // The handler itself must never end the program.
  }
}

void ShowApplicationError(std::exception_ptr error) {
  const auto message = ApplicationErrorMessage(error);
  if (!message) return;
  QMessageBox box(QMessageBox::Critical, ui::kProgramTitle, QString::fromStdString(*message),
                  QMessageBox::Ok);
  box.exec();
}
