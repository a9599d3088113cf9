// The application object: it owns the application-wide exception handler, and catches what
// escapes an event handler so that no exception ever ends the program.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

class FennixApplication : public QApplication {
 public:
  FennixApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Installed by the main window first thing at start-up.
  std::function<void(std::exception_ptr)> OnException;
};

// Shows the user the message for a serial component error and ignores everything else.
void ShowApplicationError(std::exception_ptr error);
