#include "settings/std_option_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

#include "civ/civ.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

QLabel* Label(QWidget* parent, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  return label;
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title, QRect geometry) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  return box;
}

std::string Text(const QString& text) { return text.toStdString(); }

}  // namespace

TStdOptionForm::TStdOptionForm(QWidget* parent) : QDialog(parent) {
  setObjectName("StdOptionForm");
  setWindowTitle(tr("環境設定"));
  setFixedSize(420, 360);
  setFont(ui::ProportionalFont(12));

  Scan_Group = Group(this, "Scan_Group", tr("スキャン"), QRect(8, 8, 200, 176));
  Label(Scan_Group, tr("スキャン速度"), QRect(10, 24, 86, 16));
  ScanComboBox = TextCombo(Scan_Group, "ScanComboBox",
                           {"10", "20", "30", "40", "50", "60", "80", "100", "150", "200"},
                           QRect(100, 20, 88, 22), &TStdOptionForm::ScanComboBoxChange);
  Label(Scan_Group, tr("再開時間 （秒）"), QRect(10, 52, 88, 16));
  StopTimeComboBox = TextCombo(Scan_Group, "StopTimeComboBox", {"1", "3", "5", "10"},
                               QRect(100, 48, 88, 22), &TStdOptionForm::StopTimeComboBoxChange);
  ScanStopRadioGroup =
      Group(Scan_Group, "ScanStopRadioGroup", tr("再開条件 起動時設定"), QRect(8, 80, 184, 84));
  ScanStopItems = new QButtonGroup(this);
  const QStringList resume = {"OFF", "DELAY", "oo", "- - -"};
  for (int i = 0; i < resume.size(); ++i) {
    auto* radio = new QRadioButton(resume[i], ScanStopRadioGroup);
    radio->setObjectName(QString("ScanStopRadioGroup_%1").arg(i));
    radio->setGeometry(12 + 86 * (i % 2), 24 + 28 * (i / 2), 80, 20);
    ScanStopItems->addButton(radio, i);
  }
  connect(ScanStopItems, &QButtonGroup::idClicked, this,
          Guarded([this](int id) { ScanStopRadioGroupClick(id); }));

  Env_Group = Group(this, "Env_Group", tr("環 境"), QRect(216, 8, 196, 200));
  S_CheckBox = Check(Env_Group, "S_CheckBox", tr("Sメーター色分け "), QRect(10, 20, 182, 20),
                     &TStdOptionForm::S_CheckBoxClick);
  Label(Env_Group, tr("読込頻度"), QRect(10, 48, 80, 16));
  ComTimeComboBox =
      TextCombo(Env_Group, "ComTimeComboBox", {"100", "150", "200", "250", "300", "400", "500"},
                QRect(96, 44, 88, 22), &TStdOptionForm::ComTimeComboBoxChange);
  InitCheckBox = Check(Env_Group, "InitCheckBox", tr("受信機設定優先"), QRect(10, 74, 182, 20),
                       &TStdOptionForm::InitCheckBoxClick);
  ModeACheckBox = Check(Env_Group, "ModeACheckBox", tr("電波型式入力リストを用意"),
                        QRect(10, 100, 182, 20), &TStdOptionForm::ModeACheckBoxClick);
  ModeBCheckBox = Check(Env_Group, "ModeBCheckBox", tr("電波型式入力リストを自動追加"),
                        QRect(10, 124, 182, 20), &TStdOptionForm::ModeBCheckBoxClick);
  TypeACheckBox = Check(Env_Group, "TypeACheckBox", tr("無線種類入力リストを用意"),
                        QRect(10, 148, 182, 20), &TStdOptionForm::TypeACheckBoxClick);
  typeBCheckBox = Check(Env_Group, "typeBCheckBox", tr("無線種類入力リストを自動追加"),
                        QRect(10, 172, 182, 20), &TStdOptionForm::typeBCheckBoxClick);

  Conv_Group = Group(this, "Conv_Group", tr("コンバーター"), QRect(8, 192, 200, 112));
  ConvFreq_Edit = ConverterEdit(Conv_Group, "ConvFreq_Edit", tr("シフト周波数"), 22,
                                &TStdOptionForm::ConvFreq_EditChange);
  ConvFreq1_Edit = ConverterEdit(Conv_Group, "ConvFreq1_Edit", tr("開始 周波数"), 50,
                                 &TStdOptionForm::ConvFreq1_EditChange);
  ConvFreq2_Edit = ConverterEdit(Conv_Group, "ConvFreq2_Edit", tr("終了 周波数"), 78,
                                 &TStdOptionForm::ConvFreq2_EditChange);

  Label(this, tr("レシーバー名 (IC-R7100のみ動作)"), QRect(216, 218, 196, 16));
  ReceiverComboBox = new QComboBox(this);
  ReceiverComboBox->setObjectName("ReceiverComboBox");
  ReceiverComboBox->setGeometry(216, 238, 196, 22);
  for (int i = 0; i < 9; ++i)
    ReceiverComboBox->addItem(QString::fromUtf8(
        civ::ReceiverModelName[static_cast<std::size_t>(i)].data(),
        static_cast<int>(civ::ReceiverModelName[static_cast<std::size_t>(i)].size())));
  connect(ReceiverComboBox, &QComboBox::currentIndexChanged, this,
          Guarded([this] { ReceiverComboBoxChange(); }));

  OK_Button = new QPushButton("O K", this);
  OK_Button->setObjectName("OK_Button");
  OK_Button->setGeometry(216, 320, 88, 28);
  NG_Button = new QPushButton(tr("キャンセル"), this);
  NG_Button->setObjectName("NG_Button");
  NG_Button->setGeometry(316, 320, 88, 28);
  connect(OK_Button, &QPushButton::clicked, this, Guarded([this] { OK_ButtonClick(); }));
  connect(NG_Button, &QPushButton::clicked, this, Guarded([this] { reject(); }));
}

QComboBox* TStdOptionForm::TextCombo(QWidget* parent, const char* name, const QStringList& items,
                                     QRect geometry, void (TStdOptionForm::*handler)()) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setGeometry(geometry);
  combo->setEditable(true);
  combo->addItems(items);
  // Typed text is the user's: never completed from the list, never added to it.
  combo->setCompleter(nullptr);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->installEventFilter(this);
  checks_.emplace_back(combo, handler);
  connect(combo->lineEdit(), &QLineEdit::textEdited, this,
          Guarded([this, combo] { Typed(combo); }));
  // A value picked from the list is complete: stored, and on to "O K".
  connect(combo, &QComboBox::activated, this, Guarded([this, combo] {
            Typed(combo);
            if (CheckField(combo)) FocusOk();
          }));
  return combo;
}

QCheckBox* TStdOptionForm::Check(QWidget* parent, const char* name, const QString& caption,
                                 QRect geometry, void (TStdOptionForm::*handler)()) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setGeometry(geometry);
  connect(box, &QCheckBox::clicked, this, Guarded([this, handler] { (this->*handler)(); }));
  return box;
}

QLineEdit* TStdOptionForm::ConverterEdit(QWidget* parent, const char* name, const QString& caption,
                                         int top, void (TStdOptionForm::*handler)()) {
  Label(parent, caption, QRect(10, top + 4, 76, 16));
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(88, top, 76, 22);
  Label(parent, "kHz", QRect(168, top + 4, 28, 16));
  edit->installEventFilter(this);
  checks_.emplace_back(edit, handler);
  connect(edit, &QLineEdit::textEdited, this, Guarded([this, edit] { Typed(edit); }));
  return edit;
}

void TStdOptionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  GuardedCall([this] { FormActivate(); });
}

void TStdOptionForm::FormActivate() {
  if (!refs_) return;
  const OptionRefs& r = *refs_;
  // Showing the values is not a change of them.
  const QSignalBlocker b1(ScanComboBox), b2(StopTimeComboBox), b3(ComTimeComboBox),
      b4(ReceiverComboBox), b5(ScanStopItems);
  ScanComboBox->setEditText(QString::number(r.ScanTime));
  ComTimeComboBox->setEditText(QString::number(r.IntTime));
  ReceiverComboBox->setCurrentIndex(r.ReceiverModel);
  StopTimeComboBox->setEditText(QString::fromStdString(StopTimeText(r.StopTime)));
  ConvFreq_Edit->setText(QString::fromStdString(ConverterText(r.ConvertShift)));
  ConvFreq1_Edit->setText(QString::fromStdString(ConverterText(r.ConvertStart)));
  ConvFreq2_Edit->setText(QString::fromStdString(ConverterText(r.ConvertEnd)));
  S_CheckBox->setChecked(r.S_Color);
  InitCheckBox->setChecked(r.StartMode);
  ModeACheckBox->setChecked(r.ModeListA);
  ModeBCheckBox->setChecked(r.ModeListB);
  TypeACheckBox->setChecked(r.TypeListA);
  typeBCheckBox->setChecked(r.TypeListB);
  if (QAbstractButton* item = ScanStopItems->button(r.ScanMode)) {
    item->setChecked(true);
  } else if (QAbstractButton* checked = ScanStopItems->checkedButton()) {
    ScanStopItems->setExclusive(false);
    checked->setChecked(false);
    ScanStopItems->setExclusive(true);
  }
  typed_.clear();
  FocusOk();
}

void TStdOptionForm::FocusOk() { OK_Button->setFocus(); }

void TStdOptionForm::Typed(QWidget* field) {
  if (std::find(typed_.begin(), typed_.end(), field) == typed_.end()) typed_.push_back(field);
}

bool TStdOptionForm::CheckField(QObject* field) {
  const auto typed = std::find(typed_.begin(), typed_.end(), field);
  if (typed == typed_.end()) return true;
  typed_.erase(typed);
  for (const auto& [control, handler] : checks_) {
    if (control != field) continue;
    errorShown_ = false;
    (this->*handler)();
    return !errorShown_;
  }
  return true;
}

bool TStdOptionForm::CheckTyped() {
  while (!typed_.empty()) {
    QObject* field = typed_.front();
    if (!CheckField(field)) {
      if (auto* widget = qobject_cast<QWidget*>(field)) widget->setFocus();
      return false;
    }
  }
  return true;
}

void TStdOptionForm::OK_ButtonClick() {
  // A value still being typed is checked first; if it shows an error the dialog stays open.
  if (CheckTyped()) accept();
}

bool TStdOptionForm::eventFilter(QObject* watched, QEvent* event) {
  const bool combo = qobject_cast<QComboBox*>(watched) != nullptr;
  // The text combo boxes: Enter checks the text and moves on to "O K".
  if (event->type() == QEvent::KeyPress && combo) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GuardedCall([this, watched] {
        if (CheckField(watched)) FocusOk();
      });
      return true;  // not the dialog's default button: Enter only confirms the text
    }
  } else if (event->type() == QEvent::FocusOut &&
             std::find(typed_.begin(), typed_.end(), watched) != typed_.end()) {
    // Leaving a typed field checks it; after the focus has moved, so that an error box does
    // not come up in the middle of the move. Leaving a combo box by Tab goes on to "O K".
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const bool toOk = combo && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
    QMetaObject::invokeMethod(
        this,
        [this, watched, toOk] {
          GuardedCall([&] {
            if (CheckField(watched) && toOk) FocusOk();
          });
        },
        Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

void TStdOptionForm::Apply(const OptionEffect& effect, QLineEdit* edit) {
  if (effect.editText && edit) edit->setText(QString::fromStdString(*effect.editText));
  if (effect.error) {
    errorShown_ = true;
    QMessageBox box(QMessageBox::Critical, ui::kProgramTitle, QString::fromStdString(*effect.error),
                    QMessageBox::Ok, this);
    box.exec();
  }
}

void TStdOptionForm::ScanComboBoxChange() {
  if (refs_)
    Apply(::ScanComboBoxChange(refs_->ScanTime, Text(ScanComboBox->currentText())), nullptr);
}

void TStdOptionForm::StopTimeComboBoxChange() {
  if (refs_)
    Apply(::StopTimeComboBoxChange(refs_->StopTime, Text(StopTimeComboBox->currentText())),
          nullptr);
}

void TStdOptionForm::ComTimeComboBoxChange() {
  if (refs_)
    Apply(::ComTimeComboBoxChange(refs_->IntTime, Text(ComTimeComboBox->currentText())), nullptr);
}

void TStdOptionForm::ScanStopRadioGroupClick(int index) {
  if (refs_) ::ScanStopRadioGroupClick(*refs_, index);
  FocusOk();
}

void TStdOptionForm::S_CheckBoxClick() {
  if (refs_) refs_->S_Color = S_CheckBox->isChecked();
  FocusOk();
}

void TStdOptionForm::InitCheckBoxClick() {
  if (refs_) refs_->StartMode = InitCheckBox->isChecked();
  FocusOk();
}

void TStdOptionForm::ModeACheckBoxClick() {
  if (refs_) refs_->ModeListA = ModeACheckBox->isChecked();
  FocusOk();
}

void TStdOptionForm::ModeBCheckBoxClick() {
  if (refs_) refs_->ModeListB = ModeBCheckBox->isChecked();
  FocusOk();
}

void TStdOptionForm::TypeACheckBoxClick() {
  if (refs_) refs_->TypeListA = TypeACheckBox->isChecked();
  FocusOk();
}

void TStdOptionForm::typeBCheckBoxClick() {
  if (refs_) refs_->TypeListB = typeBCheckBox->isChecked();
  FocusOk();
}

void TStdOptionForm::ConvFreq_EditChange() {
  if (refs_)
    Apply(ConvFreqEditChange(refs_->ConvertShift, Text(ConvFreq_Edit->text())), ConvFreq_Edit);
}

void TStdOptionForm::ConvFreq1_EditChange() {
  if (refs_)
    Apply(ConvFreqEditChange(refs_->ConvertStart, Text(ConvFreq1_Edit->text())), ConvFreq1_Edit);
}

void TStdOptionForm::ConvFreq2_EditChange() {
  if (refs_)
    Apply(ConvFreqEditChange(refs_->ConvertEnd, Text(ConvFreq2_Edit->text())), ConvFreq2_Edit);
}

void TStdOptionForm::ReceiverComboBoxChange() {
  if (refs_ && ReceiverComboBox->currentIndex() >= 0)
    refs_->ReceiverModel = ReceiverComboBox->currentIndex();
}
