// The recording's options: which sound input the receiver's audio comes in on ("録音しない"
// first, the default) and the file format.
#pragma once

#include <QDialog>

#include "record/sound_file.h"

class QComboBox;

class TRecordOptionForm : public QDialog {
  Q_OBJECT

 public:
  TRecordOptionForm(QWidget* parent, const QByteArray& input, RecordFormat format);

  // The chosen input's id; empty for no recording.
  QByteArray Input() const;
  RecordFormat Format() const;

  QComboBox* Input_ComboBox;
  QComboBox* Format_ComboBox;
};
