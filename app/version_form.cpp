#include "app/version_form.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

TVersionForm::TVersionForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(ui::kBlankCaption);
  setFixedSize(314, 229);
  setFont(ui::ProportionalFont(12));

  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setGeometry(8, 8, 298, 160);

  auto* iconFrame = new QLabel(panel);
  iconFrame->setFrameShape(QFrame::Panel);
  iconFrame->setFrameShadow(QFrame::Sunken);
  iconFrame->setAutoFillBackground(true);
  QPalette white = iconFrame->palette();
  white.setColor(QPalette::Window, Qt::white);
  iconFrame->setPalette(white);
  iconFrame->setGeometry(16, 16, 70, 70);
  iconFrame->setAlignment(Qt::AlignCenter);
  iconFrame->setPixmap(ui::ProgramIcon(64));

  Label1 = new QLabel(tr("Fennix"), panel);
  Label1->setFont(ui::ProportionalFont(16, true));
  Label1->setGeometry(104, 20, 180, 22);
  Label5 = new QLabel(tr("for ICOM IC-R7100"), panel);
  Label5->setGeometry(104, 48, 180, 16);
  Label2 = new QLabel(tr("Version 0.63"), panel);
  Label2->setFont(ui::ProportionalFont(16));
  Label2->setGeometry(104, 100, 180, 22);

  Start_ProgressBar = new QProgressBar(this);
  Start_ProgressBar->setRange(0, 40);
  Start_ProgressBar->setValue(0);
  Start_ProgressBar->setTextVisible(false);
  Start_ProgressBar->setGeometry(16, 184, 282, 16);
  Start_ProgressBar->hide();

  Ok_Button = new QPushButton(tr("O K"), this);
  Ok_Button->setGeometry(120, 180, 75, 25);
  Ok_Button->hide();
  connect(Ok_Button, &QPushButton::clicked, this, Guarded([this] { accept(); }));
}

void TVersionForm::ShowAsSplash() {
  Ok_Button->hide();
  Start_ProgressBar->show();
  setModal(false);
  show();
  repaint();
  QApplication::processEvents();
}

void TVersionForm::ShowAsVersion() {
  Ok_Button->show();
  Start_ProgressBar->hide();
  exec();
}

void TVersionForm::SetProgress(int position) {
  Start_ProgressBar->setValue(position);
  Start_ProgressBar->repaint();
}
