// What the station list window's controls say on hover and to a screen reader: each names
// what it does and its Alt key.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "stations/data_form.h"

void TDataForm::ExplainControls() {
  struct Tip {
    QWidget* widget;
    const char* text;
  };
  const Tip tips[] = {
      {SingleData_Button, QT_TRANSLATE_NOOP("TDataForm", "単局だけを表示 (Alt+M)")},
      {AllData_Button, QT_TRANSLATE_NOOP("TDataForm", "全部を表示")},
      {BandData_Button, QT_TRANSLATE_NOOP("TDataForm", "バンドだけを表示 (Alt+P)")},
      {SingleData_Panel, QT_TRANSLATE_NOOP("TDataForm", "単局を表示中のランプ")},
      {BandData_Panel, QT_TRANSLATE_NOOP("TDataForm", "バンドを表示中のランプ")},
      {Edit_Button, QT_TRANSLATE_NOOP("TDataForm", "編集画面と一覧画面の切り替え (Alt+L, Alt+E)")},
      {New_Button, QT_TRANSLATE_NOOP("TDataForm", "新しい局を入力 (Alt+N)")},
      {Add_Button, QT_TRANSLATE_NOOP("TDataForm", "入力した内容を新しく追加 (Alt+A)")},
      {Write_Button, QT_TRANSLATE_NOOP("TDataForm", "選んだ局に上書き (Alt+W)")},
      {Delete_Button, QT_TRANSLATE_NOOP("TDataForm", "選んだ局を削除 (Alt+D)")},
      {Find_Button, QT_TRANSLATE_NOOP("TDataForm", "検索の開始/終了 (Alt+F)")},
      {UpFind_BitBtn, QT_TRANSLATE_NOOP("TDataForm", "上へ検索 (Alt+,)")},
      {DwFind_BitBtn, QT_TRANSLATE_NOOP("TDataForm", "下へ検索 (Alt+.)")},
      {AndOr_Button, QT_TRANSLATE_NOOP("TDataForm", "検索条件の AND/OR 切り替え")},
      {AndOr_Panel, QT_TRANSLATE_NOOP("TDataForm", "検索条件の組み合わせ")},
      {DataUp_Button, QT_TRANSLATE_NOOP("TDataForm", "前の行へ")},
      {DataDw_Button, QT_TRANSLATE_NOOP("TDataForm", "次の行へ")},
      {End_Button, QT_TRANSLATE_NOOP("TDataForm", "閉じる、一覧では選んだ局に同調 (Alt+X)")},
      {DataCan_Button, QT_TRANSLATE_NOOP("TDataForm", "選ばずに閉じる (Alt+C)")},
      {DataStringGrid,
       QT_TRANSLATE_NOOP("TDataForm", "局リスト: 見出しのクリックで並べ替え、Enter で編集/選択")},
      {TypeComboBox, QT_TRANSLATE_NOOP("TDataForm", "無線の種類")},
      {NameEdit, QT_TRANSLATE_NOOP("TDataForm", "局名")},
      {FrequencyEdit, QT_TRANSLATE_NOOP("TDataForm", "周波数 (MHz)")},
      {Frequency2Edit, QT_TRANSLATE_NOOP("TDataForm", "バンドの終わりの周波数 (MHz)")},
      {StepMaskEdit, QT_TRANSLATE_NOOP("TDataForm", "ステップ (kHz)")},
      {ModeComboBox, QT_TRANSLATE_NOOP("TDataForm", "電波型式")},
      {ShiftMaskEdit, QT_TRANSLATE_NOOP("TDataForm", "親子差 (MHz)")},
      {SelectComboBox, QT_TRANSLATE_NOOP("TDataForm", "感度 (0〜5)")},
      {AddressEdit, QT_TRANSLATE_NOOP("TDataForm", "所在地")},
      {EtcEdit, QT_TRANSLATE_NOOP("TDataForm", "備考")},
  };
  for (const Tip& tip : tips) {
    const QString text = QCoreApplication::translate("TDataForm", tip.text);
    tip.widget->setToolTip(text);
    // Keys without a caption, bars and fields are called by their tip.
    const auto* button = qobject_cast<QAbstractButton*>(tip.widget);
    if (!button || button->text().trimmed().isEmpty()) tip.widget->setAccessibleName(text);
  }
}
