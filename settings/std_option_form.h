// The general options dialog: scan timing, polling, meter colouring, start-up precedence,
// input lists, converter values and receiver model. Every control writes its setting at
// once; the main window keeps the values from before and puts them back on "キャンセル".
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <optional>
#include <utility>
#include <vector>

#include "settings/options.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TStdOptionForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TStdOptionForm)

 public:
  explicit TStdOptionForm(QWidget* parent = nullptr);

  // The values the controls show and change; bound by the main window before it opens the
  // dialog.
  void Bind(const OptionRefs& refs) { refs_.emplace(refs); }

  QGroupBox* Scan_Group;
  QComboBox* ScanComboBox;
  QComboBox* StopTimeComboBox;
  QGroupBox* ScanStopRadioGroup;
  QButtonGroup* ScanStopItems;
  QGroupBox* Env_Group;
  QCheckBox* S_CheckBox;
  QComboBox* ComTimeComboBox;
  QCheckBox* InitCheckBox;
  QCheckBox* ModeACheckBox;
  QCheckBox* ModeBCheckBox;
  QCheckBox* TypeACheckBox;
  QCheckBox* typeBCheckBox;
  QGroupBox* Conv_Group;
  QLineEdit* ConvFreq_Edit;
  QLineEdit* ConvFreq1_Edit;
  QLineEdit* ConvFreq2_Edit;
  QComboBox* ReceiverComboBox;
  QPushButton* OK_Button;
  QPushButton* NG_Button;

  // Fills the controls from the settings; focus to "O K".
  void FormActivate();

  void ScanComboBoxChange();
  void StopTimeComboBoxChange();
  void ScanStopRadioGroupClick(int index);
  void S_CheckBoxClick();
  void ComTimeComboBoxChange();
  void InitCheckBoxClick();
  void ModeACheckBoxClick();
  void ModeBCheckBoxClick();
  void TypeACheckBoxClick();
  void typeBCheckBoxClick();
  void ConvFreq_EditChange();
  void ConvFreq1_EditChange();
  void ConvFreq2_EditChange();
  void ReceiverComboBoxChange();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QComboBox* TextCombo(QWidget* parent, const char* name, const QStringList& items, QRect geometry,
                       void (TStdOptionForm::*handler)());
  QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                   void (TStdOptionForm::*handler)());
  QLineEdit* ConverterEdit(QWidget* parent, const char* name, const QString& caption, int top,
                           void (TStdOptionForm::*handler)());
  void Apply(const OptionEffect& effect, QLineEdit* edit);
  void FocusOk();
  // A typed value is checked and stored when its field is left, by Enter or on "O K", not at
  // every key: a half-typed number is no error. CheckField returns false when the check
  // showed the conversion error.
  void Typed(QWidget* field);
  bool CheckField(QObject* field);
  bool CheckTyped();
  void OK_ButtonClick();

  std::optional<OptionRefs> refs_;
  // Fields typed into and not yet checked, with the handler that checks each.
  std::vector<QObject*> typed_;
  std::vector<std::pair<QObject*, void (TStdOptionForm::*)()>> checks_;
  bool errorShown_ = false;
};
