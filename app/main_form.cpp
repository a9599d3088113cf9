#include "app/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QSlider>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/exit_form.h"
#include "app/guard_qt.h"
#include "app/ui_style_qt.h"
#include "app/version_form.h"
#include "scan/std_option_form.h"
#include "stations/data_form.h"

TMainForm::TMainForm() {
  setWindowTitle("IC-R7100");
  setWindowIcon(QIcon(ui::ProgramIcon(64)));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint);
  setFont(ui::ProportionalFont(12));
  BuildMenu();
  BuildPanel();
  host.SetTimerHandler([this] { Timer1Timer(); });
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildMenu() {
  auto action = [this](QMenu* menu, const QString& text, void (TMainForm::*handler)()) {
    QAction* a = menu->addAction(text);
    connect(a, &QAction::triggered, this, Guarded([this, handler] { (this->*handler)(); }));
    return a;
  };
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  file->addSeparator();
  Exit2 = action(file, "保存なし終了(&Q)", &TMainForm::Exit2Click);
  file->addSeparator();
  Exit1 = action(file, "終 了  (&X)", &TMainForm::Exit1Click);
  QMenu* view = menuBar()->addMenu("表示(&V)");
  Memory = action(view, "メモリー・エディッタ(&R)", &TMainForm::MemoryClick);
  QMenu* options = menuBar()->addMenu("オプション(&O)");
  MenuComOption = action(options, "RS-232C...(&S)", &TMainForm::MenuComOptionClick);
  MenuOption = action(options, "環境設定...(&O)", &TMainForm::MenuOptionClick);
  QMenu* help = menuBar()->addMenu("ヘルプ(&H)");
  Contents_Menu = action(help, "目次(&C)", &TMainForm::Contents_MenuClick);
  Keyword_Menu = action(help, "キーワードで検索(&T)", &TMainForm::Keyword_MenuClick);
  Help_Menu = action(help, "ヘルプの使い方(&H)", &TMainForm::Help_MenuClick);
  help->addSeparator();
  MenuVer = action(help, "バージョン情報(&A)...", &TMainForm::MenuVerClick);
}

void TMainForm::BuildPanel() {
  auto* client = new QWidget(this);
  client->setFixedSize(632, 434);
  client->setAutoFillBackground(true);
  QPalette silver = client->palette();
  silver.setColor(QPalette::Window, ui::kSilver);
  client->setPalette(silver);
  setCentralWidget(client);

  Dial_Panel = new QFrame(client);
  Dial_Panel->setGeometry(1, 370, 630, 63);
  Dial_Panel->setFrameShape(QFrame::Panel);
  Dial_Panel->setFrameShadow(QFrame::Raised);
  TrackBar1 = new QSlider(Qt::Horizontal, Dial_Panel);
  TrackBar1->setGeometry(26, 7, 585, 25);
  TrackBar1->setRange(250, 12999);
  TrackBar1->setPageStep(1);
  TrackBar1->setSingleStep(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(1000);

  // The client area never changes size.
  setFixedSize(sizeHint());
}

void TMainForm::FormCreate() {
  // 1. The application's exception handler first; busy cursor.
  if (auto* app = dynamic_cast<FennixApplication*>(QCoreApplication::instance()))
    app->OnException = ShowApplicationError;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  busyCursor_ = true;

  // 2. The help file is the program's own path with ".HLP".
  const QFileInfo program(QCoreApplication::applicationFilePath());
  HelpFile = program.path() + "/" + program.completeBaseName() + ".HLP";

  // 3. The splash.
  splash_ = std::make_unique<TVersionForm>();
  splash_->ShowAsSplash();

  // 4. Defaults (the components start with them); polling stopped; readout background;
  // lamps idle.
  host.TimerStop();
  PaintReadoutBackground();
  SetIdleLamps();

  // 5. The reply address, fixed before the settings are read.
  link.ReceiverAddressText = civ::ReceiverAddressText(link.ReceiverModel);
  link.ReceiveText.clear();

  // 6. Both windows at the (still unknown) lower limit; lowest AF gain; COM 1 at 9600.
  tuning.Frequency[1] = tuning.Frequency[2] = tuning.LowerLimit;
  meter.AfPosition = 31;
  link.ComPort = 1;
  link.BaudIndex = 4;

  // 7. Settings.
  IniRead();
  // 8. Station list; the splash's bar advances while it loads.
  DataRead();
  // 9. Serial port and the receiver's band edges.
  ComOpen();
  ComStartRead();
  // 10. Station indexes, identification and memo states.
  AutoMode_IdxInit();
  AutoMode_FlagPrint();
  AutoMode_PrintCls();
  MemoMode_FlagPrint();
  MemoMode_PrintCls();
  AutoMode_IdxChk();
  BandScan_FlagPrint();
  SingleScan_FlagPrint();
  // 11. The resume rule in force is the one chosen in the options.
  scan.ResumeMode = scan.ScanMode;
  // 12. Clamp the current window; keep the receiver's range for the converter.
  tuning.ClampCurrent();
  tuning.SavedLower = tuning.LowerLimit;
  tuning.SavedUpper = tuning.UpperLimit;
  // 13. Band scope.
  Band_ButtonSet();
  BandScopeInit();
  // 14. Coarse tuning range in 100 kHz units.
  SetTrackBarRange();
  // 15. Scales.
  PrintSignalScale();
  PrintScale(200);
  // 16. Bring receiver and program into step.
  RadioStartSend();
  // 17. Let the replies arrive before the window is shown.
  host.Delay(1000);
}

void TMainForm::ReleaseSplash() {
  if (splash_) splash_->close();
  splash_.reset();
}

bool TMainForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) GuardedCall([this] { FormActivate(); });
  return QMainWindow::event(e);
}

void TMainForm::FormActivate() {
  if (busyCursor_) {
    QApplication::restoreOverrideCursor();
    busyCursor_ = false;
  }
  Print_DATA_Sub();
  BandSet();
}

void TMainForm::Exit1Click() {
  shell.Exit1();
  close();
}

void TMainForm::Exit2Click() {
  const bool leave = shell.Exit2(stations.DataChanged, [this] {
    return forms_.Exit ? forms_.Exit->Ask() : static_cast<int>(Shell::kUndecided);
  });
  if (leave) close();
}

void TMainForm::closeEvent(QCloseEvent* e) {
  if (!closed_) {
    closed_ = true;
    GuardedCall([this] { FormClose(); });
  }
  e->accept();
}

void TMainForm::FormClose() {
  // 1. Busy cursor; polling stops.
  QApplication::setOverrideCursor(Qt::BusyCursor);
  host.TimerStop();
  // 2. The receiver's own range and frequency are what gets saved.
  if (tuning.ConvertOn) Convert_ButtonClick();
  // 3. Settings, on every exit.
  IniWrite();
  // 4. The station list, only when it changed and the user chose to save.
  if (shell.ShouldWriteStations(stations.DataChanged)) DataWrite();
  // 5. The port.
  ComClose();
  QApplication::restoreOverrideCursor();
}

void TMainForm::MemoryClick() {
  if (forms_.Data) forms_.Data->exec();
}

void TMainForm::MenuComOptionClick() {
  if (forms_.ComOption) forms_.ComOption->exec();
}

void TMainForm::MenuOptionClick() {
  if (forms_.StdOption) forms_.StdOption->exec();
}

void TMainForm::MenuVerClick() {
  TVersionForm version(this);
  version.ShowAsVersion();
}

void TMainForm::Contents_MenuClick() {}
void TMainForm::Keyword_MenuClick() {}
void TMainForm::Help_MenuClick() {}

void TMainForm::Timer1Timer() {}

void TMainForm::ComStartRead() {
  if (!host.PortOpen()) {
    tuning.LowerLimit = Tuning::kFallbackLower;
    tuning.UpperLimit = Tuning::kFallbackUpper;
    tuning.Frequency[1] = tuning.Frequency[2] = Tuning::kFallbackLower;
  }
  PrintScale(200);
}

void TMainForm::SetTrackBarRange() {
  TrackBar1->setMaximum(static_cast<int>(tuning.UpperLimit / 100000));
  TrackBar1->setMinimum(static_cast<int>(tuning.LowerLimit / 100000));
}

// Steps that belong to parts of the panel built around these hooks.
void TMainForm::PaintReadoutBackground() {}
void TMainForm::SetIdleLamps() {}
void TMainForm::IniRead() {}
void TMainForm::IniWrite() {}
void TMainForm::DataRead() {}
void TMainForm::DataWrite() {}
void TMainForm::ComOpen() {}
void TMainForm::ComClose() {}
void TMainForm::AutoMode_IdxInit() {}
void TMainForm::AutoMode_FlagPrint() {}
void TMainForm::AutoMode_PrintCls() {}
void TMainForm::MemoMode_FlagPrint() {}
void TMainForm::MemoMode_PrintCls() {}
void TMainForm::AutoMode_IdxChk() {}
void TMainForm::BandScan_FlagPrint() {}
void TMainForm::SingleScan_FlagPrint() {}
void TMainForm::Band_ButtonSet() {}
void TMainForm::BandScopeInit() {}
void TMainForm::PrintSignalScale() {}
void TMainForm::PrintScale(int) {}
void TMainForm::RadioStartSend() {}
void TMainForm::Convert_ButtonClick() {}
void TMainForm::Print_DATA_Sub() {}
void TMainForm::BandSet() {}
