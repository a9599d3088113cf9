#include "record/record_option_form.h"

#include <QAudioDevice>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMediaDevices>

#include "ui/ui_style_qt.h"

TRecordOptionForm::TRecordOptionForm(QWidget* parent, const QByteArray& input, RecordFormat format)
    : QDialog(parent) {
  setObjectName("TRecordOptionForm");
  setWindowTitle(tr("録音"));
  setFont(ui::ProportionalFont(12));

  Input_ComboBox = new QComboBox(this);
  Input_ComboBox->setObjectName("Input_ComboBox");
  Input_ComboBox->addItem(tr("録音しない"), QByteArray());
  for (const QAudioDevice& d : QMediaDevices::audioInputs())
    Input_ComboBox->addItem(d.description(), d.id());
  // An input chosen earlier that is not plugged in now stays chosen.
  int at = Input_ComboBox->findData(input);
  if (at < 0) {
    Input_ComboBox->addItem(QString::fromUtf8(input), input);
    at = Input_ComboBox->count() - 1;
  }
  Input_ComboBox->setCurrentIndex(at);
  Input_ComboBox->setMinimumWidth(280);

  Format_ComboBox = new QComboBox(this);
  Format_ComboBox->setObjectName("Format_ComboBox");
  Format_ComboBox->addItem(tr("FLAC (劣化なし)"), int(RecordFormat::kFlac));
  Format_ComboBox->addItem(tr("Ogg Opus (小さい)"), int(RecordFormat::kOpus));
  Format_ComboBox->setCurrentIndex(format == RecordFormat::kOpus ? 1 : 0);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QFormLayout(this);
  layout->addRow(tr("入力(&I):"), Input_ComboBox);
  layout->addRow(tr("形式(&F):"), Format_ComboBox);
  layout->addRow(buttons);
}

QByteArray TRecordOptionForm::Input() const { return Input_ComboBox->currentData().toByteArray(); }

RecordFormat TRecordOptionForm::Format() const {
  return Format_ComboBox->currentData().toInt() == int(RecordFormat::kOpus) ? RecordFormat::kOpus
                                                                            : RecordFormat::kFlac;
}
