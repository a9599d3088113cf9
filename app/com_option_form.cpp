#include "app/com_option_form.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/guard_qt.h"
#include "app/ui_style_qt.h"

namespace {

QGroupBox* RadioGroup(QWidget* parent, const QString& title, const QStringList& items,
                      QButtonGroup* group, QRect geometry) {
  auto* box = new QGroupBox(title, parent);
  box->setGeometry(geometry);
  for (int i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(items[i], box);
    radio->setGeometry(12, 20 + 20 * i, geometry.width() - 20, 18);
    group->addButton(radio, i);
  }
  return box;
}

}  // namespace

TComOptionForm::TComOptionForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("設 定");
  setFixedSize(261, 266);
  setFont(ui::ProportionalFont(12));
  ComItems = new QButtonGroup(this);
  BaudItems = new QButtonGroup(this);
  Com_Group = RadioGroup(this, "COM Ports", {"COM 1", "COM 2", "COM 3", "COM 4"}, ComItems,
                         QRect(16, 12, 108, 110));
  Baud_Group = RadioGroup(this, "Baud Rates", {"9600 bps", "4800 bps", "1200 bps", " 300 bps"},
                          BaudItems, QRect(136, 12, 108, 110));
  Op_OK_Button = new QPushButton("O K", this);
  Op_OK_Button->setGeometry(40, 216, 80, 28);
  Op_Can_Button = new QPushButton("CANCEL", this);
  Op_Can_Button->setGeometry(140, 216, 80, 28);
  connect(Op_OK_Button, &QPushButton::clicked, this, Guarded([this] { accept(); }));
  connect(Op_Can_Button, &QPushButton::clicked, this, Guarded([this] { reject(); }));
}
