#include "stations/delete_form.h"

#include <QLabel>
#include <QPushButton>

#include "app/guard_qt.h"
#include "app/ui_style_qt.h"

TDeleteForm::TDeleteForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString());
  setFixedSize(300, 180);
  setFont(ui::ProportionalFont(12));
  auto label = [this](const QString& text, int x, int y, int w) {
    auto* l = new QLabel(text, this);
    l->setGeometry(x, y, w, 16);
    return l;
  };
  label("種   類", 60, 16, 60);
  DelType_Label = label(QString(), 124, 16, 160);
  label("局   名", 60, 38, 60);
  DelName_Label = label(QString(), 124, 38, 160);
  label("周波数", 60, 60, 60);
  Freq1_Label = label(QString(), 124, 60, 64);
  label("-", 190, 60, 10);
  Freq2_Label = label(QString(), 202, 60, 64);
  label("MHz", 268, 60, 30);
  label("このデーターを削除します", 60, 90, 220);
  Yes_Button = new QPushButton("は い", this);
  Yes_Button->setGeometry(60, 130, 80, 28);
  No_Button = new QPushButton("い い え", this);
  No_Button->setGeometry(160, 130, 80, 28);
  connect(Yes_Button, &QPushButton::clicked, this, Guarded([this] { accept(); }));
  connect(No_Button, &QPushButton::clicked, this, Guarded([this] { reject(); }));
}
