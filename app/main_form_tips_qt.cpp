// What the main window's controls say on hover and to a screen reader: each names what it
// does and the key that does the same.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "app/main_form.h"
#include "panel/lamp_widget.h"
#include "panel/picture_widget.h"
#include "panel/readout_widget.h"
#include "panel/updown_widget.h"
#include "scope/band_scope_widget.h"
#include "ui/accessible_qt.h"

namespace {

constexpr char kContext[] = "TMainForm";

QString Translated(const char* text) { return QCoreApplication::translate(kContext, text); }

// A control without a text of its own is called by its tip; a field keeps its text as its name
// and its tip as the description.
void Explain(QWidget* w, const QString& tip) {
  w->setToolTip(tip);
  if (const auto* button = qobject_cast<QAbstractButton*>(w)) {
    if (button->text().trimmed().isEmpty()) w->setAccessibleName(tip);
  } else if (const auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
    w->setAccessibleDescription(tip);
  } else {
    w->setAccessibleName(tip);
  }
}

}  // namespace

void TMainForm::ExplainControls() {
  // Roles first: the first tip or name set fixes the interface a screen reader gets.
  ui::SetAccessibleRole(Signal_Image, QAccessible::ProgressBar);
  for (MouseImage* knobPart : {Dial_Image, SubDial_Image})
    ui::SetAccessibleRole(knobPart, QAccessible::Dial);
  ui::SetAccessibleRole(SPCH_Panel, QAccessible::Button);

  struct Tip {
    QWidget* widget;
    const char* text;
  };
  const Tip tips[] = {
      // Band and station rows.
      {AutoMode_Button, QT_TRANSLATE_NOOP("TMainForm", "バンド自動識別 オン/オフ (Alt+P, Q)")},
      {AutoMode_Panel, QT_TRANSLATE_NOOP("TMainForm", "バンド自動識別のランプ")},
      {BandScan_Button, QT_TRANSLATE_NOOP("TMainForm", "バンド内スキャン オン/オフ (Alt+S)")},
      {BandScan_Panel, QT_TRANSLATE_NOOP("TMainForm", "バンド内スキャンのランプ")},
      {No_Panel, QT_TRANSLATE_NOOP("TMainForm", "バンドの番号")},
      {Type_Panel, QT_TRANSLATE_NOOP("TMainForm", "バンドの種類")},
      {Name_Panel, QT_TRANSLATE_NOOP("TMainForm", "バンド名")},
      {Freq_Panel, QT_TRANSLATE_NOOP("TMainForm", "バンドの周波数範囲")},
      {Mem_Up_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "一つ上のバンドへ")},
      {Mem_Dw_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "一つ下のバンドへ")},
      {ReadBand_Button, QT_TRANSLATE_NOOP("TMainForm", "バンドの一覧から選んで同調 (Alt+L)")},
      {MemoMode_Button, QT_TRANSLATE_NOOP("TMainForm", "メモモード オン/オフ (Alt+E, Z)")},
      {MemoMode_Panel, QT_TRANSLATE_NOOP("TMainForm", "メモモードのランプ")},
      {SingleScan_Button, QT_TRANSLATE_NOOP("TMainForm", "登録局スキャン オン/オフ (Alt+C)")},
      {SingleScan_Panel, QT_TRANSLATE_NOOP("TMainForm", "登録局スキャンのランプ")},
      {No_Panel_S, QT_TRANSLATE_NOOP("TMainForm", "局の番号")},
      {Type_Panel_S, QT_TRANSLATE_NOOP("TMainForm", "局の種類 (クリックでこの種類だけに絞る)")},
      {Name_Panel_S, QT_TRANSLATE_NOOP("TMainForm", "局名")},
      {Freq_Panel_S, QT_TRANSLATE_NOOP("TMainForm", "局の周波数")},
      {Step_Panel_S, QT_TRANSLATE_NOOP("TMainForm", "局のステップ (kHz)")},
      {Mode_Panel_S, QT_TRANSLATE_NOOP("TMainForm", "局の電波型式")},
      {MemS_Up_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "一つ上の局へ")},
      {MemS_Dw_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "一つ下の局へ")},
      {ReadSingle_Button, QT_TRANSLATE_NOOP("TMainForm", "局の一覧から選んで同調 (Alt+I)")},
      // Memory row and store key.
      {MemButton, QT_TRANSLATE_NOOP("TMainForm", "局リストの編集 (Alt+R)")},
      {M_SpeedButton,
       QT_TRANSLATE_NOOP("TMainForm", "メモリー書き込み: 押してから F1〜F8 (Alt+M, F9)")},
      // Link column.
      {OnLine_Button, QT_TRANSLATE_NOOP("TMainForm", "受信機との接続 オン/オフ (Alt+N)")},
      {Win0Panel, QT_TRANSLATE_NOOP("TMainForm", "ウィンドウ A のランプ")},
      {Win1Panel, QT_TRANSLATE_NOOP("TMainForm", "ウィンドウ B のランプ")},
      {Win_Button0, QT_TRANSLATE_NOOP("TMainForm", "ウィンドウ A/B の切り替え (Alt+W)")},
      {ATT_Panel, QT_TRANSLATE_NOOP("TMainForm", "アッテネーターのランプ")},
      {ATT_Button, QT_TRANSLATE_NOOP("TMainForm", "アッテネーター オン/オフ")},
      {ScanButton, QT_TRANSLATE_NOOP("TMainForm", "スキャン再開条件の切り替え (Alt+Y)")},
      // Centre.
      {AF_TrackBar, QT_TRANSLATE_NOOP("TMainForm", "AF ゲイン (上ほど大きい)")},
      {Signal_Image, QT_TRANSLATE_NOOP("TMainForm", "Sメーター")},
      {SignalLabel, QT_TRANSLATE_NOOP("TMainForm", "スケルチが開くと点灯")},
      {Image1, QT_TRANSLATE_NOOP("TMainForm", "周波数表示 (数字キーで入力、Enter で同調)")},
      {SPCH_Panel, QT_TRANSLATE_NOOP("TMainForm", "押すと受信機が周波数を読み上げ")},
      {OK_Panel, QT_TRANSLATE_NOOP("TMainForm", "受信機の応答: NG で赤")},
      // Scan column.
      {UpDown1->Up, QT_TRANSLATE_NOOP("TMainForm", "1ステップ上へ (. キー)")},
      {UpDown1->Down, QT_TRANSLATE_NOOP("TMainForm", "1ステップ下へ (, キー)")},
      {UP_SC_Button, QT_TRANSLATE_NOOP("TMainForm", "上方向スキャン (テンキー −, U)")},
      {ST_SC_Button, QT_TRANSLATE_NOOP("TMainForm", "スキャン停止 (Space)")},
      {DW_SC_Button, QT_TRANSLATE_NOOP("TMainForm", "下方向スキャン (テンキー +, D)")},
      {ScanUP_Panel, QT_TRANSLATE_NOOP("TMainForm", "上方向スキャンのランプ")},
      {ScanDW_Panel, QT_TRANSLATE_NOOP("TMainForm", "下方向スキャンのランプ")},
      // Keypad.
      {Button11, QT_TRANSLATE_NOOP("TMainForm", "小数点 (. キー)")},
      {Button_BS, QT_TRANSLATE_NOOP("TMainForm", "1桁消す (BS)")},
      {Button_ESC, QT_TRANSLATE_NOOP("TMainForm", "入力の取り消し (Esc)")},
      {Button_ENT, QT_TRANSLATE_NOOP("TMainForm", "入力した周波数に同調 (Enter)")},
      // Shift and converter.
      {ShiftBand_Button, QT_TRANSLATE_NOOP("TMainForm", "バンドの親子差で同調 (Alt+T)")},
      {ShiftSingle_Button, QT_TRANSLATE_NOOP("TMainForm", "局の親子差で同調 (Alt+H)")},
      {ConvF_Panel, QT_TRANSLATE_NOOP("TMainForm", "コンバーターのランプ")},
      {Convert_Button, QT_TRANSLATE_NOOP("TMainForm", "コンバーター オン/オフ")},
      // Band scope.
      {BandWH_Button, QT_TRANSLATE_NOOP("TMainForm", "スコープ幅 H (51 点)")},
      {BandWMButton, QT_TRANSLATE_NOOP("TMainForm", "スコープ幅 M (31 点)")},
      {BandWL_Button, QT_TRANSLATE_NOOP("TMainForm", "スコープ幅 L (21 点)")},
      {BandWH_Panel, QT_TRANSLATE_NOOP("TMainForm", "スコープ幅 H のランプ")},
      {BandWM_Panel, QT_TRANSLATE_NOOP("TMainForm", "スコープ幅 M のランプ")},
      {BandWL_Panel, QT_TRANSLATE_NOOP("TMainForm", "スコープ幅 L のランプ")},
      {BandImage, QT_TRANSLATE_NOOP("TMainForm", "バンドスコープ (クリックで掃引)")},
      {BandTrackBar, QT_TRANSLATE_NOOP("TMainForm", "スコープのマーカー: 動かすとそこに同調")},
      {Band_L_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "1幅下へずらして掃引")},
      {Band_R_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "1幅上へずらして掃引")},
      {BandRun_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "バンドスコープ掃引 (テンキー *, S)")},
      {BandLoop_BitBtn, QT_TRANSLATE_NOOP("TMainForm", "繰り返し掃引 オン/オフ")},
      {BandFirst_Label, QT_TRANSLATE_NOOP("TMainForm", "スコープの最初の周波数")},
      {BandCentre_Label, QT_TRANSLATE_NOOP("TMainForm", "スコープの中央の周波数")},
      {BandLast_Label, QT_TRANSLATE_NOOP("TMainForm", "スコープの最後の周波数")},
      // Knob.
      {Dial_Image, QT_TRANSLATE_NOOP("TMainForm", "同調ツマミ: ドラッグして回す (右回りで上へ)")},
      {SubDial_Image,
       QT_TRANSLATE_NOOP("TMainForm", "同調ツマミ: ドラッグして回す (右回りで上へ)")},
      {R_FF2_Image, QT_TRANSLATE_NOOP("TMainForm", "上方向スキャン (テンキー −, U)")},
      {L_FF2_Image, QT_TRANSLATE_NOOP("TMainForm", "下方向スキャン (テンキー +, D)")},
      {R_FF_Image, QT_TRANSLATE_NOOP("TMainForm", "上へ同調中")},
      {L_FF_Image, QT_TRANSLATE_NOOP("TMainForm", "下へ同調中")},
      {Dial_Stop_Panel, QT_TRANSLATE_NOOP("TMainForm", "スキャン停止 (Space)")},
      {DialSpeed_TrackBar, QT_TRANSLATE_NOOP("TMainForm", "ツマミの速さ (上ほど速い)")},
      // Dial.
      {TrackBar1, QT_TRANSLATE_NOOP("TMainForm", "100 kHz 単位の同調 (矢印, PgUp/PgDn, Home/End)")},
      {Button1, QT_TRANSLATE_NOOP("TMainForm", "受信機の CI-V アドレスを表示")},
  };
  for (const Tip& tip : tips) Explain(tip.widget, Translated(tip.text));
  for (int n = 1; n <= 8; ++n)
    Explain(M_Button[n],
            Translated(QT_TRANSLATE_NOOP("TMainForm", "メモリー %1 の呼び出し (F%1)")).arg(n));
  for (int d = 0; d <= 9; ++d)
    Explain(Button_[d], Translated(QT_TRANSLATE_NOOP("TMainForm", "数字 %1 (%1 キー)")).arg(d));
  for (int mode = 1; mode <= 7; ++mode)
    Explain(
        Mode_Button[mode],
        Translated(QT_TRANSLATE_NOOP("TMainForm", "電波型式 %1")).arg(Mode_Button[mode]->text()));
  for (QPushButton* key : StepButton)
    Explain(key, Translated(QT_TRANSLATE_NOOP("TMainForm", "ステップ %1 kHz")).arg(key->text()));

  // The custom-drawn controls: what they are, and what their value means.
  Image1->setAccessibleName(Translated(QT_TRANSLATE_NOOP("TMainForm", "周波数表示")));
  Signal_Image->setAccessibleDescription(
      Translated(QT_TRANSLATE_NOOP("TMainForm", "受信信号の強さ (0〜255)")));
  ui::SetAccessibleValue(Signal_Image, QStringLiteral("0"));
  for (MouseImage* knobPart : {Dial_Image, SubDial_Image}) {
    knobPart->setAccessibleName(Translated(QT_TRANSLATE_NOOP("TMainForm", "同調ツマミ")));
    knobPart->setAccessibleDescription(knobPart->toolTip());
  }
  // The on-line lamp's tip is the link's own (device, speed, network port); its name is here.
  OnLineLampPanel->setAccessibleName(
      Translated(QT_TRANSLATE_NOOP("TMainForm", "受信機との接続のランプ")));
}
