// The exit confirmation: save the changed station list or discard it.
#pragma once

#include <QCoreApplication>
#include <QDialog>

class QLabel;
class QPushButton;

class TExitForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TExitForm)

 public:
  explicit TExitForm(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label2;
  QPushButton* Yes_Button;
  QPushButton* NO_Button;

  // Shows the question modally and returns the choice: 1 save, 2 discard, 0 when it was
  // closed without one.
  int Ask();

 private:
  int choice_ = 0;
};
