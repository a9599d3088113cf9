// The language dialog: automatic (the desktop's locale), Japanese or English. The choice is
// kept in the settings and takes effect at the next start.
#pragma once

#include <QCoreApplication>
#include <QDialog>

#include "settings/language.h"

class QButtonGroup;
class QLabel;
class QPushButton;

class TLanguageForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TLanguageForm)

 public:
  TLanguageForm(LanguageSettings& settings, QWidget* parent = nullptr);

  QButtonGroup* Language_Group;
  QLabel* Note_Label;
  QPushButton* OK_Button;
  QPushButton* Cancel_Button;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OK_ButtonClick();

  LanguageSettings& settings_;
};
