#include "app/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/exit_form.h"
#include "app/guard_qt.h"
#include "app/settings.h"
#include "app/ui_style_qt.h"
#include "app/version_form.h"
#include "comm/com_devices.h"
#include "comm/comm_error.h"
#include "comm/comm_notifier_qt.h"
#include "panel/lamp_widget.h"
#include "panel/updown_widget.h"
#include "scan/std_option_form.h"
#include "stations/data_form.h"

namespace {

QFrame* Bevel(QWidget* parent, QRect geometry, QFrame::Shadow shadow = QFrame::Raised) {
  auto* f = new QFrame(parent);
  f->setGeometry(geometry);
  f->setFrameShape(QFrame::Panel);
  f->setFrameShadow(shadow);
  return f;
}

}  // namespace

TMainForm::TMainForm()
    : settingsPath_(SettingsPath()),
      settings_(tuning, link, meter, knob, scan, bandScope, identification, stations),
      port_(Comm1,
            [this](int comPort) { return ComDevicePath(comPort, ComDevice(ini_, comPort)); }) {
  setWindowTitle("IC-R7100");
  setWindowIcon(QIcon(ui::ProgramIcon(64)));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint);
  setFont(ui::ProportionalFont(12));
  BuildMenu();
  BuildPanel();
  WireComponents();
  FormCreate();
}

TMainForm::~TMainForm() {
  // The watcher must be gone before the notifier it posts to.
  Comm1.Close();
}

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

  auto key = [this](QWidget* parent, const QString& caption, QRect geometry, auto handler) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    connect(b, &QPushButton::clicked, this, Guarded(handler));
    return b;
  };

  // The centre: mode keys, readout, step keys.
  Main_Panel = Bevel(client, QRect(74, 106, 446, 157));
  static constexpr int kModeOrder[] = {2, 1, 3, 4, 7, 6, 5};
  static constexpr const char* kModeCaption[] = {"",    "LSB", "USB",  "AM W",
                                                 "A M", "F M", "FM N", "W FM"};
  for (int k = 0; k < 7; ++k) {
    const int mode = kModeOrder[k];
    Mode_Button[mode] = key(Main_Panel, kModeCaption[mode], QRect(115 + 44 * k, 11, 43, 20),
                            [this, mode] { tuning.ModeButtonClick(mode); });
    Mode_Button[mode]->setFont(ui::ProportionalFont(15));
  }
  static constexpr const char* kStepCaption[] = {"0.1",  "1",  "5",  "6.25", "10",
                                                 "12.5", "20", "25", "100",  "1000"};
  for (int k = 0; k < 10; ++k) {
    const int index = 9 - k;
    StepButton[index] = key(Main_Panel, kStepCaption[index], QRect(113 + 31 * k, 127, 31, 20),
                            [this, index] { tuning.StepButtonClick(index); });
  }
  Digital_Panel = Bevel(Main_Panel, QRect(112, 39, 315, 78), QFrame::Sunken);
  Image1 = new QLabel(Digital_Panel);
  Image1->setGeometry(3, 3, 309, 72);
  Image1->setAutoFillBackground(true);
  QPalette amber = Image1->palette();
  amber.setColor(QPalette::Window, ui::kAmber);
  Image1->setPalette(amber);
  Image1->setFont(ui::FixedFont(24));
  Image1->setAlignment(Qt::AlignCenter);
  SignalLabel = new QLabel("SIGNAL", Main_Panel);
  SignalLabel->setGeometry(70, 138, 40, 14);
  SignalLabel->setAutoFillBackground(true);

  // The link column.
  Windw_Panel = Bevel(client, QRect(1, 140, 73, 123));
  OnLineLampPanel = new Lamp(Windw_Panel, QRect(15, 6, 45, 5), ui::kSilver);
  OnLine_Button =
      key(Windw_Panel, "O&N LINE", QRect(13, 12, 50, 18), [this] { link.OnLine_ButtonClick(); });
  Win0Panel = new Lamp(Windw_Panel, QRect(14, 36, 24, 5), ui::kSilver);
  Win1Panel = new Lamp(Windw_Panel, QRect(38, 36, 24, 5), ui::kSilver);
  Win_Button0 =
      key(Windw_Panel, "&WINDOW", QRect(13, 42, 50, 18), [this] { tuning.Win_Button0_Click(); });
  ATT_Panel = new Lamp(Windw_Panel, QRect(15, 66, 45, 5), ui::kSilver);
  ATT_Button = key(Windw_Panel, "ATT", QRect(13, 71, 50, 18), [this] { meter.ATT_ButtonClick(); });

  // The acknowledgement strip and the up/down keys.
  SPCH_Panel = new QFrame(client);
  SPCH_Panel->setGeometry(499, 108, 19, 152);
  OK_Panel = new Lamp(SPCH_Panel, QRect(7, 39, 5, 72), ui::kSilver);
  auto* stepPanel = Bevel(client, QRect(520, 106, 111, 157));
  UpDown1 = new UpDownWidget(stepPanel, QRect(13, 14, 43, 129));
  UpDown1->onClick = [this](bool up) { tuning.UpDown1Click(up); };
  UpDown1->onRelease = [this] { hooks.FF_Cls(); };

  // The converter.
  ConvF_Panel = new Lamp(client, QRect(125, 341, 33, 5), ui::kSilver);
  Convert_Button =
      key(client, "CONV", QRect(124, 348, 34, 14), [this] { tuning.Convert_ButtonClick(); });
  Convert_Button->setFont(ui::ProportionalFont(10));

  // The dial: the coarse track bar, with Button1 behind it.
  Button1 = key(client, "Button1", QRect(327, 405, 75, 25),
                [this] { tuning.Button1Click(link.ReceiverModel); });
  Dial_Panel = Bevel(client, QRect(1, 370, 630, 63));
  TrackBar1 = new QSlider(Qt::Horizontal, Dial_Panel);
  TrackBar1->setGeometry(26, 7, 585, 25);
  TrackBar1->setRange(250, 12999);
  TrackBar1->setPageStep(1);
  TrackBar1->setSingleStep(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(1000);
  connect(TrackBar1, &QSlider::valueChanged, this,
          Guarded([this](int position) { tuning.TrackBar1Change(position); }));

  setFixedSize(sizeHint());
}

void TMainForm::WireComponents() {
  host.SetPort(&port_);
  host.SetTimerHandler([this] { link.Timer1Timer(); });
  tuning.Bind(host, link, meter, *this, hooks);
  meter.Bind(host, link, *this, hooks);
  link.Bind(host, tuning, meter, scan, *this, hooks);
  notifier_ = std::make_unique<CommNotifier>(Comm1, this);
  notifier_->onReceive = [this](int) {
    GuardedCall([this] { link.Comm1CommReceive(port_.InQueue()); });
  };
  notifier_->onError = [this](std::exception_ptr error) { CommError(error); };
}

void TMainForm::CommError(std::exception_ptr error) {
  // A device that is gone takes the panel off line before the user is told, once.
  try {
    std::rethrow_exception(error);
  } catch (const ECommReadWriteError&) {
    GuardedCall([this] { link.PortLost(); });
  } catch (...) {
  }
  HandleApplicationException(error);
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
  link.ComOpen();
  link.ComStartRead();
  // 10. Station indexes, identification and memo states.
  AutoMode_IdxInit();
  AutoMode_FlagPrint();
  AutoMode_PrintCls();
  MemoMode_FlagPrint();
  MemoMode_PrintCls();
  hooks.AutoMode_IdxChk();
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
  tuning.SetTrackBarRange(false);
  // 15. Scales.
  PrintSignalScale();
  tuning.PrintScale(200);
  // 16. Bring receiver and program into step.
  link.RadioStartSend();
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
  hooks.BandSet();
}

void TMainForm::Print_DATA_Sub() {
  tuning.PrintDial();
  tuning.PrintStep();
  tuning.PrintMode();
  meter.PrintSignal();
  tuning.PrintWindow();
  meter.PrintSquelch();
  hooks.ScanStopPrint();
  hooks.MemoryKeysPrint();
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
  if (tuning.ConvertOn) tuning.Convert_ButtonClick();
  // 3. Settings, on every exit.
  IniWrite();
  // 4. The station list, only when it changed and the user chose to save.
  DataWrite();
  // 5. The port.
  if (Comm1.IsOpen()) Comm1.Close();
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

// What the components report.

void TMainForm::ShowFrequency() {
  const std::int32_t shown = tuning.EntryActive ? tuning.EntryValue : tuning.CurrentFrequency();
  Image1->setText(QString::fromStdString(FrequencyText(shown)) + "   " +
                  QString::number(tuning.CurrentStep() / 1000.0, 'f', 2) + "k   " +
                  QString::fromUtf8(
                      civ::ModeName[std::min<std::size_t>(tuning.Mode[tuning.Window], 7)].data()));
}

void TMainForm::ShowStep() { ShowFrequency(); }
void TMainForm::ShowMode() { ShowFrequency(); }

void TMainForm::ShowTrackBarPosition(int position) {
  const QSignalBlocker quiet(TrackBar1);
  TrackBar1->setValue(position);
}

void TMainForm::ShowTrackBarRange(int minimum, int maximum) {
  const QSignalBlocker quiet(TrackBar1);
  TrackBar1->setRange(minimum, maximum);
}

void TMainForm::ShowWindowLamps(bool onLine, bool windowA, bool windowB) {
  OnLineLampPanel->SetColor(onLine ? ui::kLime : ui::kSilver);
  Win0Panel->SetColor(windowA ? ui::kLime : ui::kSilver);
  Win1Panel->SetColor(windowB ? ui::kLime : ui::kSilver);
}

void TMainForm::ShowConverterLamp(bool on) { ConvF_Panel->SetColor(on ? ui::kLime : ui::kSilver); }
void TMainForm::ShowScale(int) {}
void TMainForm::ShowAddress(const std::string& text) {
  Button1->setText(QString::fromStdString(text));
}
void TMainForm::FocusTrackBar() { TrackBar1->setFocus(); }
void TMainForm::ShowSignal() {}

void TMainForm::ShowSquelchLabel(bool open) {
  const QColor color = open ? ui::kLime : ui::kSilver;
  if (SignalLabel->palette().color(QPalette::Window) == color) return;
  QPalette p = SignalLabel->palette();
  p.setColor(QPalette::Window, color);
  SignalLabel->setPalette(p);
}

void TMainForm::ShowAttLamp(bool on) { ATT_Panel->SetColor(on ? ui::kRed : ui::kSilver); }
void TMainForm::ShowAck(bool ng) { OK_Panel->SetColor(ng ? ui::kRed : ui::kSilver); }

// Steps that belong to parts of the panel built around these hooks.
void TMainForm::PaintReadoutBackground() {}
void TMainForm::SetIdleLamps() {
  for (Lamp* lamp : {OnLineLampPanel, Win0Panel, Win1Panel, ConvF_Panel, ATT_Panel, OK_Panel})
    lamp->SetColor(ui::kSilver);
}
void TMainForm::IniRead() { ini_ = ::IniRead(settingsPath_, settings_); }

void TMainForm::IniWrite() {
  try {
    ::IniWrite(settingsPath_, settings_);
  } catch (const std::exception& e) {
    // The rest of shutdown still runs; the user learns that the settings were not kept.
    Warn(e.what());
  }
}

void TMainForm::DataRead() {
  const StationLoadResult result = stations.DataRead([this](int position) {
    if (splash_) splash_->SetProgress(position);
  });
  if (!result.message.empty()) Warn(result.message);
}

void TMainForm::DataWrite() {
  const StationSaveResult result = stations.DataWrite(shell.ExitChoice);
  if (!result.message.empty()) Warn(result.message);
}

void TMainForm::AutoMode_IdxInit() { stations.AutoMode_IdxInit(); }

void TMainForm::Warn(const std::string& message) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromStdString(message),
                  QMessageBox::Ok, this);
  box.exec();
}
void TMainForm::AutoMode_FlagPrint() {}
void TMainForm::AutoMode_PrintCls() {}
void TMainForm::MemoMode_FlagPrint() {}
void TMainForm::MemoMode_PrintCls() {}
void TMainForm::BandScan_FlagPrint() {}
void TMainForm::SingleScan_FlagPrint() {}
void TMainForm::Band_ButtonSet() {}
void TMainForm::BandScopeInit() {}
void TMainForm::PrintSignalScale() {}
