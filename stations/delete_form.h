// The delete confirmation of the station list window.
#pragma once

#include <QCoreApplication>
#include <QDialog>

#include "stations/memo_record.h"

class QLabel;
class QPushButton;

class TDeleteForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TDeleteForm)

 public:
  explicit TDeleteForm(QWidget* parent = nullptr);

  QLabel* DelType_Label;
  QLabel* DelName_Label;
  QLabel* Freq1_Label;
  QLabel* Freq2_Label;
  QPushButton* Yes_Button;
  QPushButton* No_Button;

  // Shows the record and asks; true when the user answers "は い".
  bool Ask(const MemoRecord& record);
  void FormActivate(const MemoRecord& record);
};
