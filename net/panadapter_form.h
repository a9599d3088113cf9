// The panadapter dialog: the rigctld-protocol server an SDR listens on, the offset between the
// receiver's frequency and the SDR's, and whether the panel follows the SDR back.
#pragma once

#include <QDialog>

#include "net/panadapter.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QPushButton;

class TPanadapterForm : public QDialog {
 public:
  explicit TPanadapterForm(QWidget* parent = nullptr);

  // Shows `settings`; after "O K" they hold the choice, after "CANCEL" they stay as they were.
  void Edit(net::PanadapterSettings& settings);

  QCheckBox* Enable_CheckBox;
  QLineEdit* Address_Edit;
  QSpinBox* Port_SpinBox;
  QSpinBox* Offset_SpinBox;
  QCheckBox* BothWays_CheckBox;
  QPushButton* Op_OK_Button;
  QPushButton* Op_Can_Button;

  // The values shown, as the settings they stand for.
  net::PanadapterSettings Shown() const;
  void Show(const net::PanadapterSettings& settings);
};
