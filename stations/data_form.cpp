#include "stations/data_form.h"

#include <QPushButton>

#include "app/guard_qt.h"
#include "app/ui_style_qt.h"

TDataForm::TDataForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("メモリー・エディッタ");
  resize(640, 480);
  setSizeGripEnabled(true);
  setFont(ui::ProportionalFont(12));
  End_Button = new QPushButton("閉じる(&X)", this);
  End_Button->setGeometry(540, 8, 88, 26);
  connect(End_Button, &QPushButton::clicked, this, Guarded([this] { accept(); }));
}
