#include "scan/std_option_form.h"

#include <QPushButton>

#include "app/guard_qt.h"
#include "app/ui_style_qt.h"

TStdOptionForm::TStdOptionForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("環境設定");
  setFixedSize(420, 360);
  setFont(ui::ProportionalFont(12));
  OK_Button = new QPushButton("O K", this);
  OK_Button->setGeometry(216, 320, 88, 28);
  NG_Button = new QPushButton("キャンセル", this);
  NG_Button->setGeometry(316, 320, 88, 28);
  connect(OK_Button, &QPushButton::clicked, this, Guarded([this] { accept(); }));
  connect(NG_Button, &QPushButton::clicked, this, Guarded([this] { reject(); }));
}
