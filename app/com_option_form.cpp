#include "app/com_option_form.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "civ/link.h"
#include "comm/com_devices.h"
#include "comm/net_line.h"
#include "comm/serial_devices.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

QGroupBox* RadioGroup(QWidget* parent, const char* name, const QString& title,
                      const QStringList& items, QButtonGroup* group, QRect geometry) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  for (int i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(items[i], box);
    radio->setObjectName(QString("%1_%2").arg(name).arg(i));
    radio->setGeometry(12, 20 + 20 * i, geometry.width() - 20, 18);
    group->addButton(radio, i);
  }
  return box;
}

}  // namespace

TComOptionForm::TComOptionForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ComOptionForm");
  setWindowTitle(tr("設 定"));
  setFixedSize(261, 266);
  setFont(ui::ProportionalFont(12));
  ComItems = new QButtonGroup(this);
  BaudItems = new QButtonGroup(this);
  Com_Group = RadioGroup(this, "Com_Group", tr("COMポート"), {"COM 1", "COM 2", "COM 3", "COM 4"},
                         ComItems, QRect(16, 12, 108, 110));
  Baud_Group = RadioGroup(this, "Baud_Group", tr("通信速度"),
                          {"9600 bps", "4800 bps", "1200 bps", " 300 bps"}, BaudItems,
                          QRect(136, 12, 108, 110));
  connect(ComItems, &QButtonGroup::idClicked, this, Guarded([this] { CB_GroupClick(ComItems); }));
  connect(BaudItems, &QButtonGroup::idClicked, this, Guarded([this] { CB_GroupClick(BaudItems); }));

  // The device the chosen COM port stands for on this machine.
  Device_Group = new QGroupBox(tr("デバイス"), this);
  Device_Group->setObjectName("Device_Group");
  Device_Group->setGeometry(16, 128, 228, 76);
  Device_ComboBox = new QComboBox(Device_Group);
  Device_ComboBox->setObjectName("Device_ComboBox");
  Device_ComboBox->setGeometry(10, 20, 208, 22);
  Device_ComboBox->setEditable(true);
  Device_ComboBox->setCompleter(nullptr);
  Device_ComboBox->setInsertPolicy(QComboBox::NoInsert);
  Device_ComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Device_ComboBox->view()->setMinimumWidth(360);  // the stable by-id names are long
  connect(Device_ComboBox, &QComboBox::editTextChanged, this,
          Guarded([this] { Device_ComboBoxChange(); }));
  Device_Label = new QLabel(Device_Group);
  Device_Label->setObjectName("Device_Label");
  Device_Label->setGeometry(10, 48, 208, 18);

  Op_OK_Button = new QPushButton("O K", this);
  Op_OK_Button->setObjectName("Op_OK_Button");
  Op_OK_Button->setGeometry(40, 216, 80, 28);
  Op_Can_Button = new QPushButton(tr("キャンセル"), this);
  Op_Can_Button->setObjectName("Op_Can_Button");
  Op_Can_Button->setGeometry(140, 216, 80, 28);
  connect(Op_OK_Button, &QPushButton::clicked, this, Guarded([this] { Op_OK_ButtonClick(); }));
  connect(Op_Can_Button, &QPushButton::clicked, this, Guarded([this] { Op_Can_ButtonClick(); }));
}

void TComOptionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  GuardedCall([this] { FormActivate(); });
}

void TComOptionForm::keyPressEvent(QKeyEvent* event) {
  // Escape is "CANCEL"; the close box keeps the choice, as "O K" does.
  if (event->key() == Qt::Key_Escape) {
    GuardedCall([this] { Op_Can_ButtonClick(); });
    return;
  }
  QDialog::keyPressEvent(event);
}

void TComOptionForm::closeEvent(QCloseEvent* event) {
  // The close box keeps the whole choice, the devices with the port and speed, as "O K" does.
  Devices = pending_;
  QDialog::closeEvent(event);
}

void TComOptionForm::FormActivate() {
  cancelled_ = false;
  pending_ = Devices;
  SelectCurrent();
  ListDevices();
  ShowDevice();
  Op_OK_Button->setFocus();
}

void TComOptionForm::SelectCurrent() {
  if (!link_) return;
  if (QAbstractButton* port = ComItems->button(link_->ComPort - 1)) port->setChecked(true);
  // A speed outside the table leaves the selection as it was.
  for (int item = 0; item < static_cast<int>(BaudOfItem.size()); ++item)
    if (BaudOfItem[static_cast<std::size_t>(item)] == link_->BaudIndex)
      BaudItems->button(item)->setChecked(true);
}

void TComOptionForm::CB_GroupClick(QButtonGroup* clicked) {
  // Only the group clicked counts: a port or speed from the settings that no item stands for
  // (2400 bit/s, say) stays until an item of its own group is clicked.
  if (link_ && clicked == ComItems && ComItems->checkedId() >= 0)
    link_->NewComPort = ComItems->checkedId() + 1;
  if (link_ && clicked == BaudItems && BaudItems->checkedId() >= 0)
    link_->NewBaudIndex = BaudOfItem[static_cast<std::size_t>(BaudItems->checkedId())];
  ShowDevice();
  Op_OK_Button->setFocus();
}

void TComOptionForm::Op_OK_ButtonClick() {
  Devices = pending_;
  accept();
}

void TComOptionForm::Op_Can_ButtonClick() {
  if (link_) {
    link_->NewComPort = link_->ComPort;
    link_->NewBaudIndex = link_->BaudIndex;
  }
  SelectCurrent();
  pending_ = Devices;
  ShowDevice();
  cancelled_ = true;
  reject();
}

void TComOptionForm::ListDevices() {
  const QSignalBlocker quiet(Device_ComboBox);
  const QString shown = Device_ComboBox->currentText();
  Device_ComboBox->clear();
  for (const std::string& device : ListSerialDevices())
    Device_ComboBox->addItem(QString::fromStdString(device));
  Device_ComboBox->setEditText(shown);
}

int TComOptionForm::ShownPort() const {
  const int item = ComItems->checkedId();
  return item >= 0 ? item + 1 : 0;
}

void TComOptionForm::ShowDevice() {
  const int port = ShownPort();
  Device_Group->setEnabled(port >= 1);
  if (port < 1) return;
  const std::string& named = pending_[static_cast<std::size_t>(port)];
  {
    const QSignalBlocker quiet(Device_ComboBox);
    Device_ComboBox->setEditText(
        QString::fromStdString(named.empty() ? BuiltInComDevice(port) : named));
  }
  ShowDeviceState();
}

void TComOptionForm::Device_ComboBoxChange() {
  const int port = ShownPort();
  if (port < 1) return;
  pending_[static_cast<std::size_t>(port)] = Device_ComboBox->currentText().trimmed().toStdString();
  ShowDeviceState();
}

void TComOptionForm::ShowDeviceState() {
  const int port = ShownPort();
  if (port < 1) return;
  const std::string& named = pending_[static_cast<std::size_t>(port)];
  QString line, tip;
  if (IsNetDevice(named)) {
    // A serial port on another machine: nothing here can be checked before connecting.
    const std::optional<NetAddress> address = ParseNetAddress(named);
    line = !address ? QCoreApplication::translate("TComOptionForm", "書き方: tcp://ホスト:ポート")
           : address->rfc2217
               ? QCoreApplication::translate("TComOptionForm", "ネットワーク (RFC 2217)")
               : QCoreApplication::translate("TComOptionForm", "ネットワーク (TCP)");
    tip = QCoreApplication::translate("TComOptionForm",
                                      "ser2net などが受信機のシリアルポートを公開しているアドレス");
  } else {
    const DeviceAccessCheck check =
        CheckDeviceAccess(named.empty() ? BuiltInComDevice(port) : named);
    line = QString::fromStdString(DeviceAccessMessage(check));
    tip = QString::fromStdString(DeviceAccessRemedy(check));
  }
  if (const std::string other = ComDeviceOverride(port); !other.empty()) {
    line = tr("今回は FENNIX_COM%1 を使用").arg(port);
    tip = tr("この実行では環境変数の %1 を使います").arg(QString::fromStdString(other));
  }
  Device_Label->setText(line);
  Device_Label->setToolTip(tip);
}
