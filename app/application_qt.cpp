#include "app/application_qt.h"

#include <QMessageBox>

#include "app/guard_qt.h"
#include "app/shell.h"

FennixApplication::FennixApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool FennixApplication::notify(QObject* receiver, QEvent* event) {
  try {
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
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                  QString::fromStdString(*message), QMessageBox::Ok);
  box.exec();
}
