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

// Calls `onReturn`, from the event loop, once the last of the program's modal windows has
// closed. The main window's activation work belongs to that return: the focus coming back
// from another program must not re-centre the scope or repaint the memory strips.
class ModalReturnWatch : public QObject {
 public:
  ModalReturnWatch(QObject* parent, std::function<void()> onReturn);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> onReturn_;
  bool posted_ = false;
};

// Shows the user the message for a serial component error and ignores everything else.
void ShowApplicationError(std::exception_ptr error);
