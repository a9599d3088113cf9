// The communication settings dialog: COM port and line speed.
#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

class TComOptionForm : public QDialog {
 public:
  explicit TComOptionForm(QWidget* parent = nullptr);

  QGroupBox* Com_Group;
  QGroupBox* Baud_Group;
  QButtonGroup* ComItems;
  QButtonGroup* BaudItems;
  QPushButton* Op_OK_Button;
  QPushButton* Op_Can_Button;
};
