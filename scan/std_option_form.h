// The general options dialog: scan timing, polling, meter colouring, start-up precedence,
// input lists, converter values and receiver model.
#pragma once

#include <QDialog>

class QPushButton;

class TStdOptionForm : public QDialog {
 public:
  explicit TStdOptionForm(QWidget* parent = nullptr);

  QPushButton* OK_Button;
  QPushButton* NG_Button;
};
