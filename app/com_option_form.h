// The communication settings dialog: COM port and line speed, and on this platform the
// device each COM port stands for.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <array>
#include <string>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class Link;

class TComOptionForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TComOptionForm)

 public:
  explicit TComOptionForm(QWidget* parent = nullptr);

  // The port, speed and pending choice the dialog works on; bound before it opens.
  void Bind(Link& link) { link_ = &link; }
  // The devices the settings name for COM 1..4 ([0] unused, "" = the built-in one). Filled
  // by the main window before the dialog opens; holds the choice after it closed, unless
  // it was cancelled.
  std::array<std::string, 5> Devices;
  bool Cancelled() const { return cancelled_; }

  QGroupBox* Com_Group;
  QGroupBox* Baud_Group;
  QButtonGroup* ComItems;
  QButtonGroup* BaudItems;
  QGroupBox* Device_Group;
  QComboBox* Device_ComboBox;
  QLabel* Device_Label;
  QPushButton* Op_OK_Button;
  QPushButton* Op_Can_Button;

  void FormActivate();
  void CB_GroupClick(QButtonGroup* clicked);
  void Op_OK_ButtonClick();
  void Op_Can_ButtonClick();
  void Device_ComboBoxChange();
  // Reads the machine's serial devices into the drop-down again.
  void ListDevices();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SelectCurrent();
  void ShowDevice();
  void ShowDeviceState();
  int ShownPort() const;

  Link* link_ = nullptr;
  std::array<std::string, 5> pending_;
  bool cancelled_ = false;
};

// Baud_Group item i selects BaudIndex BaudOfItem[i]; a BaudIndex outside this table selects
// no item.
inline constexpr std::array<int, 4> BaudOfItem = {4, 3, 1, 0};
