#include "net/panadapter_form.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ui/ui_style_qt.h"

TPanadapterForm::TPanadapterForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PanadapterForm");
  setWindowTitle(QCoreApplication::translate("TPanadapterForm", "パンアダプター連動"));
  setFixedSize(300, 226);
  setFont(ui::ProportionalFont(12));
  auto label = [this](const QString& text, int y) {
    auto* l = new QLabel(text, this);
    l->setGeometry(16, y, 110, 22);
    return l;
  };
  Enable_CheckBox = new QCheckBox(
      QCoreApplication::translate("TPanadapterForm", "SDR を受信機に連動させる"), this);
  Enable_CheckBox->setObjectName("Enable_CheckBox");
  Enable_CheckBox->setGeometry(16, 12, 268, 22);
  label(QCoreApplication::translate("TPanadapterForm", "アドレス"), 44);
  Address_Edit = new QLineEdit(this);
  Address_Edit->setObjectName("Address_Edit");
  Address_Edit->setGeometry(130, 44, 154, 22);
  label(QCoreApplication::translate("TPanadapterForm", "ポート"), 74);
  Port_SpinBox = new QSpinBox(this);
  Port_SpinBox->setObjectName("Port_SpinBox");
  Port_SpinBox->setGeometry(130, 74, 90, 22);
  Port_SpinBox->setRange(1, 65535);
  label(QCoreApplication::translate("TPanadapterForm", "オフセット (Hz)"), 104);
  Offset_SpinBox = new QSpinBox(this);
  Offset_SpinBox->setObjectName("Offset_SpinBox");
  Offset_SpinBox->setGeometry(130, 104, 154, 22);
  Offset_SpinBox->setRange(-2000000000, 2000000000);
  Offset_SpinBox->setGroupSeparatorShown(true);
  BothWays_CheckBox = new QCheckBox(
      QCoreApplication::translate("TPanadapterForm", "SDR 側の同調にも追従する"), this);
  BothWays_CheckBox->setObjectName("BothWays_CheckBox");
  BothWays_CheckBox->setGeometry(16, 136, 268, 22);
  Op_OK_Button = new QPushButton("O K", this);
  Op_OK_Button->setObjectName("Op_OK_Button");
  Op_OK_Button->setGeometry(50, 180, 80, 28);
  Op_OK_Button->setDefault(true);
  Op_Can_Button = new QPushButton("CANCEL", this);
  Op_Can_Button->setObjectName("Op_Can_Button");
  Op_Can_Button->setGeometry(170, 180, 80, 28);
  connect(Op_OK_Button, &QPushButton::clicked, this, &QDialog::accept);
  connect(Op_Can_Button, &QPushButton::clicked, this, &QDialog::reject);
}

net::PanadapterSettings TPanadapterForm::Shown() const {
  net::PanadapterSettings s;
  s.Enable = Enable_CheckBox->isChecked();
  s.Address = Address_Edit->text().trimmed().toStdString();
  s.Port = Port_SpinBox->value();
  s.Offset = Offset_SpinBox->value();
  s.BothWays = BothWays_CheckBox->isChecked();
  return s;
}

void TPanadapterForm::Show(const net::PanadapterSettings& settings) {
  Enable_CheckBox->setChecked(settings.Enable);
  Address_Edit->setText(QString::fromStdString(settings.Address));
  Port_SpinBox->setValue(settings.Port);
  Offset_SpinBox->setValue(settings.Offset);
  BothWays_CheckBox->setChecked(settings.BothWays);
}

void TPanadapterForm::Edit(net::PanadapterSettings& settings) {
  Show(settings);
  if (exec() != QDialog::Accepted) return;
  net::PanadapterSettings chosen = Shown();
  // An empty address keeps the one before: there is nothing to connect to otherwise.
  if (chosen.Address.empty()) chosen.Address = settings.Address;
  settings = chosen;
}
