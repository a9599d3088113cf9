#include "app/main_form.h"

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
#include "app/guard_qt.h"
#include "app/settings.h"
#include "app/ui_style_qt.h"
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
#include "scan/std_option_form.h"
#include "stations/data_form.h"

TMainForm::TMainForm(Port* line)
    : line_(line),
      settingsPath_(SettingsPath()),
      settings_(tuning, link, meter, knob, scan, bandScope, identification, stations),
      port_(Comm1,
            [this](int comPort) { return ComDevicePath(comPort, ComDevice(ini_, comPort)); }) {
  setWindowTitle("IC-R7100");
  setWindowIcon(QIcon(ui::ProgramIcon(64)));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
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

void TMainForm::WireComponents() {
  host.SetPort(line_ ? line_ : &port_);
  host.SetTimerHandler([this] { link.Timer1Timer(); });
  tuning.Bind(host, link, meter, *this, hooks);
  meter.Bind(host, link, *this, hooks);
  knob.Bind(tuning, hooks, *this);
  keyboard.Bind(tuning, hooks);
  hooks.SubDial_Up = [this] { knob.SubDial_Up(); };
  hooks.SubDial_Down = [this] { knob.SubDial_Down(); };
  hooks.FF_Cls = [this] { knob.FF_Cls(); };
  hooks.ScanStopPrint = [this] { Image1->ScanStop_Digital_Print(scan.ResumeMode); };
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
  knob.DimplePosition = 1;
  knob.SubDial_Print();
  knob.FF_Cls();
  knob.DialSpeed = 4;

  // 5. The reply address, fixed before the settings are read.
  link.ReceiverAddressText = civ::ReceiverAddressText(link.ReceiverModel);
  link.ReceiveText.clear();

  // 6. Both windows at the (still unknown) lower limit; lowest AF gain; COM 1 at 9600.
  tuning.Frequency[1] = tuning.Frequency[2] = tuning.LowerLimit;
  meter.AfPosition = 31;
  link.ComPort = 1;
  link.BaudIndex = 4;

  // From here on a step that fails (the receiver's line above all) is reported by the
  // application's handler, and start-up goes on with the next step.
  // 7. Settings; the sliders show what they hold.
  GuardedCall([this] { IniRead(); });
  {
    const QSignalBlocker quietAf(AF_TrackBar);
    const QSignalBlocker quietSpeed(DialSpeed_TrackBar);
    AF_TrackBar->setValue(meter.AfPosition);
    DialSpeed_TrackBar->setValue(knob.DialSpeed);
  }
  // 8. Station list; the splash's bar advances while it loads.
  GuardedCall([this] { DataRead(); });
  // 9. Serial port and the receiver's band edges.
  GuardedCall([this] { link.ComOpen(); });
  GuardedCall([this] { link.ComStartRead(); });
  // 10. Station indexes, identification and memo states.
  GuardedCall([this] { AutoMode_IdxInit(); });
  AutoMode_FlagPrint();
  AutoMode_PrintCls();
  MemoMode_FlagPrint();
  MemoMode_PrintCls();
  GuardedCall([this] { hooks.AutoMode_IdxChk(); });
  BandScan_FlagPrint();
  SingleScan_FlagPrint();
  // 11. The resume rule in force is the one chosen in the options.
  scan.ResumeMode = scan.ScanMode;
  // 12. Clamp the current window; keep the receiver's range for the converter.
  tuning.ClampCurrent();
  tuning.SavedLower = tuning.LowerLimit;
  tuning.SavedUpper = tuning.UpperLimit;
  // 13. Band scope.
  GuardedCall([this] { Band_ButtonSet(); });
  GuardedCall([this] { BandScopeInit(); });
  // 14. Coarse tuning range in 100 kHz units.
  tuning.SetTrackBarRange(false);
  // 15. Scales.
  PrintSignalScale();
  tuning.PrintScale(200);
  // 16. Bring receiver and program into step.
  GuardedCall([this] { link.RadioStartSend(); });
  // 17. Let the replies arrive before the window is shown.
  GuardedCall([this] { host.Delay(1000); });
  // The keyboard talks to TrackBar1 from the first moment, as it does after every key.
  TrackBar1->setFocus();
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
  // Every step runs even when an earlier one failed: a receiver that fails to answer the
  // converter's last frequency must not cost the settings or the station list.
  // 1. Busy cursor; polling stops.
  QApplication::setOverrideCursor(Qt::BusyCursor);
  host.TimerStop();
  // 2. The receiver's own range and frequency are what gets saved.
  GuardedCall([this] {
    if (tuning.ConvertOn) tuning.Convert_ButtonClick();
  });
  // 3. Settings, on every exit.
  GuardedCall([this] { IniWrite(); });
  // 4. The station list, only when it changed and the user chose to save.
  GuardedCall([this] { DataWrite(); });
  // 5. The port.
  GuardedCall([this] {
    if (Port* port = host.GetPort(); port && port->IsOpen()) port->Close();
  });
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
  Image1->Dial_Digital_Print(readout,
                             tuning.EntryActive ? tuning.EntryValue : tuning.CurrentFrequency(),
                             tuning.EntryActive, tuning.EntryDecimals);
}

void TMainForm::ShowStep() { Image1->Step_Digital_Print(readout, tuning.CurrentStep()); }
void TMainForm::ShowMode() { Image1->Mode_Digital_Print(tuning.Mode[tuning.Window]); }

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
void TMainForm::ShowScale(int intervalMHz) {
  // Scale_Image lies at (1, 1) in Dial_Panel; the scale is laid out in the panel's terms.
  DrawFrequencyScale(*Scale_Image, TrackBar1->geometry(), TrackBar1->minimum(),
                     TrackBar1->maximum(), intervalMHz);
}
void TMainForm::ShowAddress(const std::string& text) {
  Button1->setText(QString::fromStdString(text));
}
void TMainForm::FocusTrackBar() { TrackBar1->setFocus(); }
void TMainForm::ShowSignal() { DrawSignalBar(*Signal_Image, meter.SignalLevel, meter.S_Color); }

void TMainForm::ShowSquelchLabel(bool open) {
  const QColor color = open ? ui::kLime : ui::kSilver;
  if (SignalLabel->palette().color(QPalette::Window) == color) return;
  QPalette p = SignalLabel->palette();
  p.setColor(QPalette::Window, color);
  SignalLabel->setPalette(p);
}

void TMainForm::ShowAttLamp(bool on) { ATT_Panel->SetColor(on ? ui::kRed : ui::kSilver); }
void TMainForm::ShowAck(bool ng) { OK_Panel->SetColor(ng ? ui::kRed : ui::kSilver); }

void TMainForm::ShowDimple(int position) {
  SubDial_Image->move(Dial_Image->pos() + QPoint(kDimpleX[static_cast<std::size_t>(position)],
                                                 kDimpleY[static_cast<std::size_t>(position)]));
}

void TMainForm::ShowArrows(int lit) {
  R_FF_Image->setVisible(lit == 1);
  R_FF2_Image->setVisible(lit != 1);
  L_FF_Image->setVisible(lit == 2);
  L_FF2_Image->setVisible(lit != 2);
}

void TMainForm::ShowStopLamp(bool on) { Dial_Stop_Panel->SetColor(on ? ui::kLime : ui::kSilver); }

void TMainForm::SPCH_PanelMouseDown() {
  SPCH_Panel->SetColor(ui::kLight);
  SPCH_Panel->setFrameShape(QFrame::Panel);
  SPCH_Panel->setFrameShadow(QFrame::Sunken);
}

void TMainForm::SPCH_PanelMouseUp() {
  SPCH_Panel->SetColor(ui::kSilver);
  SPCH_Panel->setFrameShape(QFrame::NoFrame);
  if (host.PortOpen()) host.WriteFrame(civ::SpeechFrame());
}

void TMainForm::DialSpeed_TrackBarChange(int position) {
  knob.DialSpeed = position;
  TrackBar1->setFocus();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(e);
    const int code = VirtualKeyOf(key->key(), key->modifiers() & Qt::KeypadModifier);
    GuardedCall([this, code] { KeyDown(code); });
  } else if (e->type() == QEvent::KeyRelease && watched == TrackBar1) {
    const auto* key = static_cast<QKeyEvent*>(e);
    if (!key->isAutoRepeat()) {
      const int code = VirtualKeyOf(key->key(), key->modifiers() & Qt::KeypadModifier);
      GuardedCall([this, code] { TrackBar1KeyUp(code); });
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

// Steps that belong to parts of the panel built around these hooks.
void TMainForm::PaintReadoutBackground() { Image1->Fill(); }
void TMainForm::SetIdleLamps() {
  // Lamp has no meta-object of its own, so it is told apart from other frames by its type.
  for (QFrame* frame : centralWidget()->findChildren<QFrame*>())
    if (auto* lamp = dynamic_cast<Lamp*>(frame); lamp && lamp != SPCH_Panel)
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
void TMainForm::PrintSignalScale() {
  // Main_Image lies at (1, 1) in Main_Panel.
  DrawSignalScale(*Main_Image, Signal_Panel->geometry().translated(-1, -1),
                  Signal_Panel->lineWidth());
}
