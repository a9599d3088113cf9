// The main window's design: its menu and every control of the front panel, placed and
// named, with each control's event forwarded to its handler. Wiring and behaviour live in
// main_form.cpp.
#include "app/main_form.h"

#include <QCoreApplication>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/exit_form.h"
#include "app/version_form.h"
#include "civ/civ.h"
#include "comm/com_devices.h"
#include "comm/comm_error.h"
#include "comm/comm_notifier_qt.h"
#include "panel/lamp_widget.h"
#include "panel/panel_drawing_qt.h"
#include "panel/pictures_qt.h"
#include "panel/readout_widget.h"
#include "panel/updown_widget.h"
#include "scope/band_scope_widget.h"
#include "settings/settings.h"
#include "settings/std_option_form.h"
#include "stations/data_form.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

QFrame* Bevel(QWidget* parent, const char* name, QRect geometry,
              QFrame::Shadow shadow = QFrame::Raised) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setGeometry(geometry);
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(shadow);
  return f;
}

// A panel of its own colour, such as the yellow backing of the memory keys.
QFrame* Coloured(QWidget* parent, const char* name, QRect geometry, QColor color) {
  QFrame* f = Bevel(parent, name, geometry);
  f->setAutoFillBackground(true);
  QPalette p = f->palette();
  p.setColor(QPalette::Window, color);
  f->setPalette(p);
  return f;
}

// Lamps are lime as designed; start-up gives them their idle colour.
Lamp* MakeLamp(QWidget* parent, const char* name, QRect geometry) {
  auto* lamp = new Lamp(parent, geometry, ui::kLime);
  lamp->setObjectName(name);
  return lamp;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, QRect geometry,
                int pixelSize) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(ui::ProportionalFont(pixelSize));
  return label;
}

template <typename F>
QPushButton* Key(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                 F handler) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(geometry);
  QObject::connect(b, &QPushButton::clicked, b, Guarded(handler));
  return b;
}

void RedText(QPushButton* key) {
  QPalette p = key->palette();
  p.setColor(QPalette::ButtonText, ui::kRed);
  key->setPalette(p);
}

}  // namespace
void TMainForm::BuildMenu() {
  auto action = [this](QMenu* menu, const QString& text, void (TMainForm::*handler)()) {
    QAction* a = menu->addAction(text);
    connect(a, &QAction::triggered, this, Guarded([this, handler] { (this->*handler)(); }));
    return a;
  };
  QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
  CsvExport = action(file, tr("CSV 書き出し(&E)..."), &TMainForm::CsvExportClick);
  CsvImport = action(file, tr("CSV 読み込み(&I)..."), &TMainForm::CsvImportClick);
  file->addSeparator();
  Exit2 = action(file, tr("保存なし終了(&Q)"), &TMainForm::Exit2Click);
  file->addSeparator();
  Exit1 = action(file, tr("終 了  (&X)"), &TMainForm::Exit1Click);
  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  Memory = action(view, tr("メモリー・エディッタ(&R)"), &TMainForm::MemoryClick);
  ScanLog_Menu = action(view, tr("スキャン記録(&S)..."), &TMainForm::ScanLog_MenuClick);
  ScanLog_Menu->setObjectName("ScanLog_Menu");
  BandSurvey_Menu = action(view, tr("バンド調査(&B)"), &TMainForm::BandSurvey_MenuClick);
  BandSurvey_Menu->setObjectName("BandSurvey_Menu");
  // Scan: skips and the priority watch; the priority in force shows at the menu bar's corner.
  QMenu* scanMenu = menuBar()->addMenu(tr("スキャン(&K)"));
  SkipAdd_Menu = action(scanMenu, tr("スキップに追加(&S)"), &TMainForm::SkipAdd_MenuClick);
  SkipAdd_Menu->setObjectName("SkipAdd_Menu");
  SkipTemp_Menu = action(scanMenu, tr("一時スキップに追加(&T)"), &TMainForm::SkipTemp_MenuClick);
  SkipTemp_Menu->setObjectName("SkipTemp_Menu");
  scanMenu->addSeparator();
  Priority_Menu = action(scanMenu, tr("プライオリティ(&P)"), &TMainForm::Priority_MenuClick);
  Priority_Menu->setObjectName("Priority_Menu");
  PriorityOff_Menu =
      action(scanMenu, tr("プライオリティ解除(&C)"), &TMainForm::PriorityOff_MenuClick);
  PriorityOff_Menu->setObjectName("PriorityOff_Menu");
  scanMenu->addSeparator();
  // Recording by hand, also the plain key R.
  RecordByHand_Menu = action(scanMenu, tr("手動録音(&R)"), &TMainForm::RecordByHand_MenuClick);
  RecordByHand_Menu->setObjectName("RecordByHand_Menu");
  RecordByHand_Menu->setCheckable(true);
  RecordByHand_Menu->setShortcut(Qt::Key_R);
  Priority_Label = new QLabel(menuBar());
  Priority_Label->setObjectName("Priority_Label");
  Priority_Label->setContentsMargins(4, 0, 6, 0);
  menuBar()->setCornerWidget(Priority_Label, Qt::TopRightCorner);
  QMenu* options = menuBar()->addMenu(tr("オプション(&O)"));
  MenuComOption = action(options, tr("RS-232C...(&S)"), &TMainForm::MenuComOptionClick);
  MenuOption = action(options, tr("環境設定...(&O)"), &TMainForm::MenuOptionClick);
  MenuNetPort = action(options, tr("rigctl 互換ポート(&N)"), &TMainForm::MenuNetPortClick);
  MenuNetPort->setObjectName("MenuNetPort");
  MenuNetPort->setCheckable(true);
  MenuScanLog = action(options, tr("スキャン記録(&L)"), &TMainForm::MenuScanLogClick);
  MenuScanLog->setObjectName("MenuScanLog");
  MenuScanLog->setCheckable(true);
  // The language of the windows, from the next start.
  MenuLanguage = action(options, tr("言語(&G)..."), &TMainForm::MenuLanguageClick);
  MenuLanguage->setObjectName("MenuLanguage");
  MenuPanadapter =
      action(options, tr("パンアダプター連動(&P)..."), &TMainForm::MenuPanadapterClick);
  MenuPanadapter->setObjectName("MenuPanadapter");
  MenuRecord = action(options, tr("録音入力(&A)..."), &TMainForm::MenuRecordClick);
  MenuRecord->setObjectName("MenuRecord");
  QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
  Contents_Menu = action(help, tr("目次(&C)"), &TMainForm::Contents_MenuClick);
  Keyword_Menu = action(help, tr("キーワードで検索(&T)"), &TMainForm::Keyword_MenuClick);
  Help_Menu = action(help, tr("ヘルプの使い方(&H)"), &TMainForm::Help_MenuClick);
  help->addSeparator();
  MenuVer = action(help, tr("バージョン情報(&A)..."), &TMainForm::MenuVerClick);
}

void TMainForm::BuildPanel() {
  auto* client = new QWidget(this);
  client->setObjectName("Client");
  client->setFixedSize(632, 434);
  client->setAutoFillBackground(true);
  QPalette silver = client->palette();
  silver.setColor(QPalette::Window, ui::kSilver);
  client->setPalette(silver);
  setCentralWidget(client);

  // Raised bevels behind the two station rows and the shift/converter and band scope areas.
  Bevel(client, "Bevel1", QRect(1, 1, 630, 35));
  Bevel(client, "Bevel2", QRect(1, 36, 630, 35));
  Bevel(client, "Bevel3", QRect(116, 263, 47, 107));
  Bevel(client, "Bevel4", QRect(163, 263, 357, 107));

  BuildRows(client);
  BuildCentre(client);
  BuildKeypadAndKnob(client);
  BuildBandScope(client);

  // The dial: the coarse track bar over its printed scale, with Button1 behind it.
  Button1 = Key(client, "Button1", "Button1", QRect(327, 405, 75, 25),
                [this] { tuning.Button1Click(link.ReceiverModel); });
  Dial_Panel = Bevel(client, "Dial_Panel", QRect(1, 370, 630, 63));
  Scale_Image = new PictureWidget(Dial_Panel, QRect(1, 1, 628, 61), ui::kSilver);
  Scale_Image->setObjectName("Scale_Image");
  TrackBar1 = new QSlider(Qt::Horizontal, Dial_Panel);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(26, 7, 585, 25);
  TrackBar1->setRange(250, 12999);
  TrackBar1->setPageStep(1);
  TrackBar1->setSingleStep(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(1000);
  connect(TrackBar1, &QSlider::valueChanged, this,
          Guarded([this](int position) { tuning.TrackBar1Change(position); }));

  // KeyDown sees the keys of every key and track bar; TrackBar1 alone has a key-up map.
  for (QWidget* w : client->findChildren<QWidget*>())
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w)) w->installEventFilter(this);

  // The design's type where the caption fits, smaller where it would be cut.
  for (QPushButton* key : client->findChildren<QPushButton*>())
    ui::FitCaption(key, key->font().pixelSize());

  ExplainControls();

  setFixedSize(sizeHint());
}

void TMainForm::BuildRows(QWidget* client) {
  auto display = [](QWidget* parent, const char* name, QRect geometry) {
    auto* f = new QLabel(parent);
    f->setObjectName(name);
    f->setGeometry(geometry);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Sunken);
    f->setAutoFillBackground(true);
    f->setIndent(2);
    f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    f->setTextFormat(Qt::PlainText);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, ui::kLight);
    f->setPalette(p);
    return f;
  };
  auto nothing = [] {};
  // The band row.
  AutoMode_Panel = MakeLamp(client, "AutoMode_Panel", QRect(15, 7, 35, 5));
  AutoMode_Button = Key(client, "AutoMode_Button", "&PROG", QRect(14, 13, 38, 18),
                        [this] { identification.AutoMode_ButtonClick(); });
  BandScan_Panel = MakeLamp(client, "BandScan_Panel", QRect(54, 7, 35, 5));
  BandScan_Button = Key(client, "BandScan_Button", "&SCAN", QRect(53, 13, 38, 18),
                        [this] { identification.BandScan_ButtonClick(); });
  No_Panel = display(client, "No_Panel", QRect(94, 9, 38, 19));
  Type_Panel = display(client, "Type_Panel", QRect(135, 9, 100, 19));
  Name_Panel = display(client, "Name_Panel", QRect(238, 9, 168, 19));
  Freq_Panel = display(client, "Freq_Panel", QRect(409, 9, 143, 19));
  Mem_Up_BitBtn = Key(client, "Mem_Up_BitBtn", "", QRect(556, 6, 23, 13),
                      [this] { identification.Mem_Up_BitBtnClick(); });
  Mem_Dw_BitBtn = Key(client, "Mem_Dw_BitBtn", "", QRect(556, 19, 23, 13),
                      [this] { identification.Mem_Dw_BitBtnClick(); });
  ReadBand_Button = Key(client, "ReadBand_Button", "&LIST", QRect(580, 6, 37, 26),
                        [this] { ReadBand_ButtonClick(); });
  // The station row.
  MemoMode_Panel = MakeLamp(client, "MemoMode_Panel", QRect(15, 42, 35, 5));
  MemoMode_Button = Key(client, "MemoMode_Button", "M&EMO", QRect(14, 48, 38, 18),
                        [this] { identification.MemoMode_ButtonClick(); });
  SingleScan_Panel = MakeLamp(client, "SingleScan_Panel", QRect(54, 42, 35, 5));
  SingleScan_Button = Key(client, "SingleScan_Button", "S&CAN", QRect(56, 48, 35, 18),
                          [this] { identification.SingleScan_ButtonClick(); });
  No_Panel_S = display(client, "No_Panel_S", QRect(94, 44, 38, 19));
  Type_Panel_S = display(client, "Type_Panel_S", QRect(135, 43, 100, 21));
  Type_Panel_S->setFrameShadow(QFrame::Raised);  // it is a key
  Type_Panel_S->installEventFilter(this);
  Name_Panel_S = display(client, "Name_Panel_S", QRect(238, 44, 168, 19));
  Freq_Panel_S = display(client, "Freq_Panel_S", QRect(409, 44, 70, 19));
  Step_Panel_S = display(client, "Step_Panel_S", QRect(482, 44, 34, 19));
  Mode_Panel_S = display(client, "Mode_Panel_S", QRect(519, 44, 33, 19));
  MemS_Up_BitBtn = Key(client, "MemS_Up_BitBtn", "", QRect(556, 41, 23, 13),
                       [this] { identification.MemS_Up_BitBtnClick(); });
  MemS_Dw_BitBtn = Key(client, "MemS_Dw_BitBtn", "", QRect(556, 54, 23, 13),
                       [this] { identification.MemS_Dw_BitBtnClick(); });
  ReadSingle_Button = Key(client, "ReadSingle_Button", "L&IST", QRect(580, 41, 37, 26),
                          [this] { ReadSingle_ButtonClick(); });
  for (QPushButton* b : {Mem_Up_BitBtn, MemS_Up_BitBtn})
    b->setIcon(pictures::KeyGlyph(pictures::Glyph::kUp, 9));
  for (QPushButton* b : {Mem_Dw_BitBtn, MemS_Dw_BitBtn})
    b->setIcon(pictures::KeyGlyph(pictures::Glyph::kDown, 9));
  for (QPushButton* b : {Mem_Up_BitBtn, MemS_Up_BitBtn, Mem_Dw_BitBtn, MemS_Dw_BitBtn})
    b->setIconSize(QSize(9, 9));

  // The memory row: eight keys on yellow, the editor key.
  M_Panel = Bevel(client, "M_Panel", QRect(1, 71, 630, 35));
  static constexpr int kMemoryX[] = {14, 78, 142, 206, 273, 337, 401, 465};
  for (int n = 1; n <= 8; ++n) {
    const int x = kMemoryX[n - 1];
    M_ModePanel[n] = Coloured(M_Panel, ("M_ModePanel" + std::to_string(n)).c_str(),
                              QRect(x - 2, 7, 68, 22), ui::kYellow);
    M_Button[n] = Key(M_Panel, ("M_Button" + std::to_string(n)).c_str(), QString("F%1").arg(n),
                      QRect(x, 9, 64, 18), [this, n] { memoryKeys.M_ButtonClick(n); });
  }
  MemEdit_Panel = Coloured(M_Panel, "MemEdit_Panel", QRect(548, 7, 70, 22), ui::kYellow);
  MemButton = Key(MemEdit_Panel, "MemButton", "EDITO&R", QRect(2, 2, 66, 18), [this] {
    TrackBar1->setFocus();
    MemButtonClick();
  });
  RedText(MemButton);

  // The store key.
  Panel3 = Bevel(client, "Panel3", QRect(1, 106, 73, 34));
  M_SpeedButton = Key(Panel3, "M_SpeedButton", "&M", QRect(13, 9, 50, 18),
                      [this] { memoryKeys.M_SpeedButtonClick(); });
  M_SpeedButton->setCheckable(true);
  RedText(M_SpeedButton);

  // The link column.
  Windw_Panel = Bevel(client, "Windw_Panel", QRect(1, 140, 73, 123));
  OnLineLampPanel = MakeLamp(Windw_Panel, "OnLineLampPanel", QRect(15, 6, 45, 5));
  OnLine_Button = Key(Windw_Panel, "OnLine_Button", "O&N LINE", QRect(13, 12, 50, 18),
                      [this] { link.OnLine_ButtonClick(); });
  Win0Panel = MakeLamp(Windw_Panel, "Win0Panel", QRect(14, 36, 24, 5));
  Win1Panel = MakeLamp(Windw_Panel, "Win1Panel", QRect(38, 36, 24, 5));
  Win_Button0 = Key(Windw_Panel, "Win_Button0", "&WINDOW", QRect(13, 42, 50, 18),
                    [this] { tuning.Win_Button0_Click(); });
  ATT_Panel = MakeLamp(Windw_Panel, "ATT_Panel", QRect(15, 66, 45, 5));
  ATT_Panel->SetColor(ui::kRed);  // as designed; start-up gives it the column's colour
  ATT_Button = Key(Windw_Panel, "ATT_Button", "ATT", QRect(13, 71, 50, 18),
                   [this] { meter.ATT_ButtonClick(); });
  ScanButton = Key(Windw_Panel, "ScanButton", "DELA&Y", QRect(13, 98, 50, 18),
                   [this] { scan.ScanButtonClick(); });
}

void TMainForm::BuildCentre(QWidget* client) {
  Main_Panel = Bevel(client, "Main_Panel", QRect(74, 106, 446, 157));
  Main_Image = new PictureWidget(Main_Panel, QRect(1, 1, 444, 155), ui::kSilver);
  Main_Image->setObjectName("Main_Image");

  // AF gain: the top is the highest gain.
  MaxGainPanel = Caption(Main_Panel, "MaxGainPanel", "MAX", QRect(14, 0, 24, 9), 8);
  AF_TrackBar = new QSlider(Qt::Vertical, Main_Panel);
  AF_TrackBar->setObjectName("AF_TrackBar");
  AF_TrackBar->setGeometry(9, 4, 34, 140);
  AF_TrackBar->setRange(0, 31);
  AF_TrackBar->setInvertedAppearance(true);
  AF_TrackBar->setInvertedControls(true);
  AF_TrackBar->setTickPosition(QSlider::TicksBothSides);
  AF_TrackBar->setTickInterval(1);
  AF_TrackBar->setPageStep(1);
  connect(AF_TrackBar, &QSlider::valueChanged, this,
          Guarded([this](int position) { meter.AF_TrackBarChange(position); }));
  Label5 = Caption(Main_Panel, "Label5", "AF GAIN", QRect(4, 144, 44, 12), 10);

  // The meter.
  Signal_Panel = Bevel(Main_Panel, "Signal_Panel", QRect(78, 12, 12, 124), QFrame::Sunken);
  Signal_Panel->setLineWidth(2);
  Signal_Image = new PictureWidget(Signal_Panel, QRect(2, 2, 8, 120), ui::kSilver);
  Signal_Image->setObjectName("Signal_Image");
  SignalLabel = Caption(Main_Panel, "SignalLabel", "SIGNAL", QRect(64, 139, 40, 13), 11);
  SignalLabel->setAutoFillBackground(true);

  // Mode keys, not in mode-number order.
  static constexpr int kModeOrder[] = {2, 1, 3, 4, 7, 6, 5};
  static constexpr const char* kModeCaption[] = {"",    "LSB", "USB",  "AM W",
                                                 "A M", "F M", "FM N", "W FM"};
  for (int k = 0; k < 7; ++k) {
    const int mode = kModeOrder[k];
    Mode_Button[mode] =
        Key(Main_Panel, ("Mode_Button" + std::to_string(mode)).c_str(), kModeCaption[mode],
            QRect(115 + 44 * k, 11, 43, 20), [this, mode] { tuning.ModeButtonClick(mode); });
    Mode_Button[mode]->setFont(ui::ProportionalFont(15));
  }
  // The readout.
  Digital_Panel = Bevel(Main_Panel, "Digital_Panel", QRect(112, 39, 315, 78), QFrame::Sunken);
  Digital_Panel->setFrameShape(QFrame::Box);
  Digital_Panel->setLineWidth(1);
  Digital_Panel->setMidLineWidth(1);
  Image1 = new ReadoutWidget(Digital_Panel, QRect(3, 3, Readout::kWidth, Readout::kHeight));
  Image1->setObjectName("Image1");
  DigitalDat_Image = Image1->GlyphSheet();
  // Step keys, largest first.
  static constexpr const char* kStepCaption[] = {"0.1",  "1",  "5",  "6.25", "10",
                                                 "12.5", "20", "25", "100",  "1000"};
  for (int k = 0; k < 10; ++k) {
    const int index = 9 - k;
    StepButton[index] =
        Key(Main_Panel, ("StepButton" + std::to_string(index)).c_str(), kStepCaption[index],
            QRect(113 + 31 * k, 127, 31, 20), [this, index] { tuning.StepButtonClick(index); });
  }

  // The signal/acknowledgement strip beside the readout: pressing it asks for speech.
  SPCH_Panel = new Lamp(client, QRect(499, 108, 19, 152), ui::kSilver);
  SPCH_Panel->setObjectName("SPCH_Panel");
  SPCH_Panel->setFrameShape(QFrame::NoFrame);
  SPCH_Panel->onPress = [this] { SPCH_PanelMouseDown(); };
  SPCH_Panel->onRelease = [this] { SPCH_PanelMouseUp(); };
  OK_Panel = MakeLamp(SPCH_Panel, "OK_Panel", QRect(7, 39, 5, 72));

  // The scan column.
  Step_Panel = Bevel(client, "Step_Panel", QRect(520, 106, 111, 157));
  UpDown1 = new UpDownWidget(Step_Panel, QRect(13, 14, 43, 129));
  UpDown1->setObjectName("UpDown1");
  UpDown1->onClick = [this](bool up) { tuning.UpDown1Click(up); };
  UpDown1->onRelease = [this] { knob.FF_Cls(); };
  UP_SC_Button = Key(Step_Panel, "UP_SC_Button", "", QRect(59, 14, 37, 49),
                     [this] { scan.UP_SC_ButtonClick(); });
  ST_SC_Button = Key(Step_Panel, "ST_SC_Button", "", QRect(59, 64, 37, 29),
                     [this] { scan.ST_SC_ButtonClick(); });
  connect(ST_SC_Button, &QPushButton::pressed, this, Guarded([this] { knob.StopLampDown(); }));
  DW_SC_Button = Key(Step_Panel, "DW_SC_Button", "", QRect(59, 94, 37, 49),
                     [this] { scan.DW_SC_ButtonClick(); });
  UP_SC_Button->setIcon(pictures::KeyGlyph(pictures::Glyph::kUp, 16));
  ST_SC_Button->setIcon(pictures::KeyGlyph(pictures::Glyph::kStop, 14));
  DW_SC_Button->setIcon(pictures::KeyGlyph(pictures::Glyph::kDown, 16));
  ScanUP_Panel = MakeLamp(Step_Panel, "ScanUP_Panel", QRect(70, 23, 15, 5));
  ScanDW_Panel = MakeLamp(Step_Panel, "ScanDW_Panel", QRect(70, 131, 15, 5));
  ScanUP_Panel->onClick = [this] { scan.UP_SC_ButtonClick(); };
  ScanDW_Panel->onClick = [this] { scan.DW_SC_ButtonClick(); };
}

void TMainForm::BuildKeypadAndKnob(QWidget* client) {
  // The keypad: calculator layout, keys send the keypad's own key codes.
  Panel2 = Bevel(client, "Panel2", QRect(1, 263, 115, 107));
  auto pad = [this](const char* name, const QString& caption, QRect geometry, int code) {
    return Key(Panel2, name, caption, geometry, [this, code] {
      TrackBar1->setFocus();
      KeyDown(code);
    });
  };
  for (int d = 1; d <= 9; ++d) {
    const int column = (d - 1) % 3, row = 2 - (d - 1) / 3;
    Button_[d] = pad(("Button_" + std::to_string(d)).c_str(), QString::number(d),
                     QRect(12 + 22 * column, 10 + 22 * row, 21, 21), vk::kNumpad0 + d);
  }
  Button_[0] = pad("Button10", "0      ", QRect(12, 76, 43, 21), vk::kNumpad0);
  Button11 = pad("Button11", tr("．"), QRect(56, 76, 21, 21), vk::kDecimal);
  Button_BS = pad("Button_BS", "BS", QRect(82, 10, 21, 21), vk::kBack);
  Button_ESC = pad("Button_ESC", "ESC", QRect(82, 32, 21, 21), vk::kEscape);
  Button_ENT = pad("Button_ENT", "ENT", QRect(82, 54, 21, 43), vk::kReturn);
  for (QPushButton* b : {Button_BS, Button_ESC, Button_ENT}) b->setFont(ui::ProportionalFont(9));

  // Shift and converter column.
  ShiftBand_Button = Key(client, "ShiftBand_Button", "SHF&T", QRect(123, 275, 34, 32),
                         [this] { identification.ShiftBand_ButtonClick(); });
  ShiftSingle_Button = Key(client, "ShiftSingle_Button", "S&HFT", QRect(123, 307, 34, 32),
                           [this] { identification.ShiftSingle_ButtonClick(); });
  ConvF_Panel = MakeLamp(client, "ConvF_Panel", QRect(125, 341, 33, 5));
  Convert_Button = Key(client, "Convert_Button", "CONV", QRect(124, 348, 34, 14),
                       [this] { tuning.Convert_ButtonClick(); });
  Convert_Button->setFont(ui::ProportionalFont(10));

  // The knob.
  D_Panel = Bevel(client, "D_Panel", QRect(520, 263, 111, 107));
  Dial_Image = new MouseImage(D_Panel, QRect(22, 19, 80, 80), pictures::Knob(80));
  Dial_Image->setObjectName("Dial_Image");
  SubDial_Image = new MouseImage(D_Panel, QRect(22 + kDimpleX[1], 19 + kDimpleY[1], 21, 21),
                                 pictures::Dimple(21));
  SubDial_Image->setObjectName("SubDial_Image");
  const QSize knobSize = Dial_Image->size();
  Dial_Image->onPress = [this](QPoint at) { knob.Dial_ImageMouseDown(at.x(), at.y()); };
  Dial_Image->onMove = [this, knobSize](QPoint at) {
    knob.Dial_ImageMouseMove(at.x(), at.y(), knobSize.width(), knobSize.height());
  };
  Dial_Image->onRelease = [this](QPoint) { knob.Dial_ImageMouseUp(); };
  // The dimple lies on the knob: its points go to the knob in the knob's coordinates.
  auto onKnob = [this](QPoint at) { return at + SubDial_Image->pos() - Dial_Image->pos(); };
  SubDial_Image->onPress = [this, onKnob](QPoint at) {
    const QPoint k = onKnob(at);
    knob.Dial_ImageMouseDown(k.x(), k.y());
  };
  SubDial_Image->onMove = [this, onKnob, knobSize](QPoint at) {
    const QPoint k = onKnob(at);
    knob.Dial_ImageMouseMove(k.x(), k.y(), knobSize.width(), knobSize.height());
  };
  SubDial_Image->onRelease = [this](QPoint) { knob.Dial_ImageMouseUp(); };
  auto arrow = [this](const char* name, int x, bool right, bool lit) {
    auto* image = new MouseImage(D_Panel, QRect(x, 6, 10, 9), pictures::Arrow(right, lit));
    image->setObjectName(name);
    return image;
  };
  L_FF_Image = arrow("L_FF_Image", 33, false, true);
  L_FF2_Image = arrow("L_FF2_Image", 33, false, false);
  R_FF_Image = arrow("R_FF_Image", 81, true, true);
  R_FF2_Image = arrow("R_FF2_Image", 81, true, false);
  R_FF2_Image->onClick = [this] { scan.UP_SC_ButtonClick(); };
  L_FF2_Image->onClick = [this] { scan.DW_SC_ButtonClick(); };
  Dial_Stop_Panel = MakeLamp(D_Panel, "Dial_Stop_Panel", QRect(51, 7, 23, 7));
  Dial_Stop_Panel->onPress = [this] { knob.StopLampDown(); };
  Dial_Stop_Panel->onRelease = [this] { knob.FF_Cls(); };
  Dial_Stop_Panel->onClick = [this] { scan.ST_SC_ButtonClick(); };
  HighLabel = Caption(D_Panel, "HighLabel", "HIGH", QRect(1, 4, 22, 9), 8);
  LowLabel = Caption(D_Panel, "LowLabel", "LOW", QRect(1, 94, 22, 9), 8);
  DialSpeed_TrackBar = new QSlider(Qt::Vertical, D_Panel);
  DialSpeed_TrackBar->setObjectName("DialSpeed_TrackBar");
  DialSpeed_TrackBar->setGeometry(3, 14, 18, 79);
  DialSpeed_TrackBar->setRange(0, 5);
  DialSpeed_TrackBar->setPageStep(1);
  DialSpeed_TrackBar->setInvertedAppearance(true);  // HIGH (0) at the top
  DialSpeed_TrackBar->setInvertedControls(true);
  connect(DialSpeed_TrackBar, &QSlider::valueChanged, this,
          Guarded([this](int position) { DialSpeed_TrackBarChange(position); }));
}

void TMainForm::BuildBandScope(QWidget* client) {
  BandWH_Button = Key(client, "BandWH_Button", "H", QRect(172, 275, 18, 18),
                      [this] { bandScope.BandWH_ButtonClick(); });
  BandWMButton = Key(client, "BandWMButton", "M", QRect(172, 294, 18, 18),
                     [this] { bandScope.BandWMButtonClick(); });
  BandWL_Button = Key(client, "BandWL_Button", "L", QRect(172, 313, 18, 18),
                      [this] { bandScope.BandWL_ButtonClick(); });
  BandWH_Panel = MakeLamp(client, "BandWH_Panel", QRect(191, 276, 5, 17));
  BandWM_Panel = MakeLamp(client, "BandWM_Panel", QRect(191, 295, 5, 17));
  BandWL_Panel = MakeLamp(client, "BandWL_Panel", QRect(191, 314, 5, 17));
  Band_Panel = Bevel(client, "Band_Panel", QRect(201, 275, 282, 60), QFrame::Sunken);
  Band_Panel->setLineWidth(1);
  BandImage = new BandScopeWidget(Band_Panel, QRect(1, 1, 276, 54));
  BandImage->setObjectName("BandImage");
  BandImage->onClick = [this] { bandScope.BandScan(); };
  // Start-up lays the marker track bar out for the width in force.
  BandTrackBar = new QSlider(Qt::Horizontal, client);
  BandTrackBar->setObjectName("BandTrackBar");
  BandTrackBar->setGeometry(203, 336, 280, 22);
  BandTrackBar->setTickPosition(QSlider::TicksAbove);
  BandTrackBar->setTickInterval(1);
  BandTrackBar->setRange(1, 31);
  BandTrackBar->setValue(16);
  BandTrackBar->setPageStep(1);
  LineUpWithBars(BandTrackBar);
  connect(BandTrackBar, &QSlider::valueChanged, this,
          Guarded([this](int position) { bandScope.BandTrackBarChange(position); }));
  Band_L_BitBtn = Key(client, "Band_L_BitBtn", "", QRect(172, 338, 24, 24),
                      [this] { bandScope.Band_L_BitBtnClick(); });
  Band_R_BitBtn = Key(client, "Band_R_BitBtn", "", QRect(489, 338, 24, 24),
                      [this] { bandScope.Band_R_BitBtnClick(); });
  BandRun_BitBtn = Key(client, "BandRun_BitBtn", "", QRect(489, 275, 24, 25),
                       [this] { bandScope.BandRun_BitBtnClick(); });
  BandLoop_Panel = Coloured(client, "BandLoop_Panel", QRect(489, 303, 24, 24), ui::kSilver);
  BandLoop_BitBtn = Key(BandLoop_Panel, "BandLoop_BitBtn", "", QRect(3, 3, 18, 18),
                        [this] { bandScope.BandLoop_BitBtnClick(); });
  // Under the marker, across Band_Panel's width: the window's first, centre and last frequency.
  const QRect under(Band_Panel->x(), BandTrackBar->geometry().bottom() + 1, Band_Panel->width() / 3,
                    10);
  BandFirst_Label = Caption(client, "BandFirst_Label", "", under, 9);
  BandFirst_Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  BandCentre_Label = Caption(client, "BandCentre_Label", "", under.translated(under.width(), 0), 9);
  BandLast_Label = Caption(client, "BandLast_Label", "", under.translated(2 * under.width(), 0), 9);
  BandLast_Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Band_L_BitBtn->setIcon(pictures::KeyGlyph(pictures::Glyph::kLeft, 14));
  Band_R_BitBtn->setIcon(pictures::KeyGlyph(pictures::Glyph::kRight, 14));
  BandRun_BitBtn->setIcon(pictures::KeyGlyph(pictures::Glyph::kRun, 16));
  BandLoop_BitBtn->setIcon(pictures::KeyGlyph(pictures::Glyph::kLoop, 14));
}
