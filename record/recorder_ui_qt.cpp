#include "record/recorder_ui_qt.h"

#include <QMessageBox>

void RecorderUi::ShowRecordingFailed(const std::string& message) {
  auto* box = new QMessageBox(QMessageBox::Warning, owner_ ? owner_->windowTitle() : QString(),
                              QString::fromStdString(message), QMessageBox::Ok, owner_);
  box->setObjectName("RecordFailed_Box");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}
