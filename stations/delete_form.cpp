#include "stations/delete_form.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "stations/cp932.h"
#include "stations/station_file.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

TDeleteForm::TDeleteForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(ui::kBlankCaption);
  setFixedSize(300, 180);
  setFont(ui::ProportionalFont(12));
  auto label = [this](const QString& text, int x, int y, int w) {
    auto* l = new QLabel(text, this);
    l->setGeometry(x, y, w, 16);
    return l;
  };
  label(tr("種   類"), 60, 16, 60);
  DelType_Label = label(QString(), 124, 16, 160);
  label(tr("局   名"), 60, 38, 60);
  DelName_Label = label(QString(), 124, 38, 160);
  label(tr("周波数"), 60, 60, 60);
  Freq1_Label = label(QString(), 124, 60, 64);
  label("-", 190, 60, 10);
  Freq2_Label = label(QString(), 202, 60, 64);
  label("MHz", 268, 60, 30);
  label(tr("このデーターを削除します"), 60, 90, 220);
  Yes_Button = new QPushButton(tr("は い"), this);
  Yes_Button->setGeometry(60, 130, 80, 28);
  No_Button = new QPushButton(tr("い い え"), this);
  No_Button->setGeometry(160, 130, 80, 28);
  DelType_Label->setObjectName("DelType_Label");
  DelName_Label->setObjectName("DelName_Label");
  Freq1_Label->setObjectName("Freq1_Label");
  Freq2_Label->setObjectName("Freq2_Label");
  Yes_Button->setObjectName("Yes_Button");
  No_Button->setObjectName("No_Button");
  auto* picture = new QLabel(this);
  picture->setObjectName("Image1");
  picture->setGeometry(16, 16, 32, 32);
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  connect(Yes_Button, &QPushButton::clicked, this, Guarded([this] { accept(); }));
  connect(No_Button, &QPushButton::clicked, this, Guarded([this] { reject(); }));
}

void TDeleteForm::FormActivate(const MemoRecord& record) {
  DelType_Label->setText(QString::fromStdString(Cp932ToUtf8(record.Type.View())));
  DelName_Label->setText(QString::fromStdString(Cp932ToUtf8(record.Name.View())));
  Freq1_Label->setText(QString::fromStdString(FreqToText(record.Frequency)));
  Freq2_Label->setText(QString::fromStdString(FreqToText(record.Frequency2)));
}

bool TDeleteForm::Ask(const MemoRecord& record) {
  FormActivate(record);
  Yes_Button->setDefault(true);
  Yes_Button->setFocus();
  return exec() == QDialog::Accepted;
}
