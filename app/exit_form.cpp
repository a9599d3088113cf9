#include "app/exit_form.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "app/shell.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

TExitForm::TExitForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(ui::kBlankCaption);
  setFixedSize(292, 165);
  setFont(ui::ProportionalFont(12));

  auto* icon = new QLabel(this);
  icon->setGeometry(16, 16, 32, 32);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));

  Label1 = new QLabel(tr("終了します"), this);
  Label1->setGeometry(60, 20, 216, 18);
  Label2 = new QLabel(tr("データーを保存しますか ？"), this);
  Label2->setFont(ui::ProportionalFont(16));
  Label2->setAlignment(Qt::AlignCenter);
  Label2->setGeometry(16, 60, 260, 24);

  Yes_Button = new QPushButton(tr("保 存"), this);
  Yes_Button->setGeometry(48, 112, 88, 28);
  NO_Button = new QPushButton(tr("破 棄"), this);
  NO_Button->setGeometry(156, 112, 88, 28);
  connect(Yes_Button, &QPushButton::clicked, this, Guarded([this] {
            choice_ = Shell::kSave;
            accept();
          }));
  connect(NO_Button, &QPushButton::clicked, this, Guarded([this] {
            choice_ = Shell::kDiscard;
            accept();
          }));
}

int TExitForm::Ask() {
  choice_ = Shell::kUndecided;
  Yes_Button->setFocus();
  exec();
  return choice_;
}
