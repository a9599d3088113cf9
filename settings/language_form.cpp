#include "settings/language_form.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {
// The group's items in the order of UiLanguage.
constexpr UiLanguage kItems[] = {UiLanguage::kAuto, UiLanguage::kJapanese, UiLanguage::kEnglish};
}  // namespace

TLanguageForm::TLanguageForm(LanguageSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("LanguageForm");
  setWindowTitle(tr("言語"));
  setFixedSize(240, 190);
  setFont(ui::ProportionalFont(12));

  auto* box = new QGroupBox(tr("表示の言語"), this);
  box->setObjectName("Language_Box");
  box->setGeometry(12, 8, 216, 92);
  Language_Group = new QButtonGroup(this);
  // "English" is written in English in both languages: it is what an English reader looks for.
  const QString captions[] = {tr("自動 (デスクトップの言語)"), tr("日本語"), "English"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(captions[i], box);
    radio->setObjectName(QString("Language_%1").arg(UiLanguageKey(kItems[i]).data()));
    radio->setGeometry(12, 20 + 22 * i, 196, 20);
    Language_Group->addButton(radio, i);
  }

  Note_Label = new QLabel(tr("次回の起動から有効になります。"), this);
  Note_Label->setObjectName("Note_Label");
  Note_Label->setGeometry(12, 108, 216, 32);
  Note_Label->setWordWrap(true);

  OK_Button = new QPushButton("O K", this);
  OK_Button->setObjectName("OK_Button");
  OK_Button->setGeometry(28, 148, 88, 28);
  Cancel_Button = new QPushButton(tr("キャンセル"), this);
  Cancel_Button->setObjectName("Cancel_Button");
  Cancel_Button->setGeometry(124, 148, 88, 28);
  connect(OK_Button, &QPushButton::clicked, this, Guarded([this] { OK_ButtonClick(); }));
  connect(Cancel_Button, &QPushButton::clicked, this, Guarded([this] { reject(); }));
}

void TLanguageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  for (int i = 0; i < 3; ++i)
    if (kItems[i] == settings_.Language) Language_Group->button(i)->setChecked(true);
  OK_Button->setFocus();
}

void TLanguageForm::OK_ButtonClick() {
  if (const int item = Language_Group->checkedId(); item >= 0) settings_.Language = kItems[item];
  accept();
}
