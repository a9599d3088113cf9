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
#include <QScreen>
#include <QSessionManager>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/engine_wiring.h"
#include "app/exit_form.h"
#include "app/help_form.h"
#include "app/version_form.h"
#include "app/window_place_qt.h"
#include "base/line_append.h"
#include "civ/civ.h"
#include "comm/com_devices.h"
#include "comm/comm_error.h"
#include "comm/comm_notifier_qt.h"
#include "net/panadapter_form.h"
#include "net/rigctl_server_qt.h"
#include "panel/lamp_widget.h"
#include "panel/panel_drawing_qt.h"
#include "panel/pictures_qt.h"
#include "panel/readout_widget.h"
#include "panel/updown_widget.h"
#include "record/audio_source_qt.h"
#include "record/file_source.h"
#include "record/record_option_form.h"
#include "record/recorder_ui_qt.h"
#include "scanlog/scan_log_form.h"
#include "scope/band_scope_widget.h"
#include "settings/language_form.h"
#include "settings/settings.h"
#include "settings/std_option_form.h"
#include "stations/cp932.h"
#include "stations/csv_dialogs_qt.h"
#include "stations/data_form.h"
#include "stations/find.h"
#include "survey/band_survey_form.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

TMainForm::TMainForm(Port* line)
    : line_(line),
      settingsPath_(SettingsPath()),
      settings_(tuning, link, meter, knob, scan, bandScope, identification, stations),
      port_(Comm1,
            [this](int comPort) { return ComDevicePath(comPort, ComDevice(ini_, comPort)); }) {
  setWindowTitle(ui::kProgramTitle);
  setWindowIcon(QIcon(ui::ProgramIcon(64)));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
  setFont(ui::ProportionalFont(12));
  BuildMenu();
  BuildPanel();
  WireComponents();
  WireScanLog();
  WireSurvey();
  WireSkips();
  WireRecorder();
  new ModalReturnWatch(this, [this] {
    if (!closed_) GuardedCall([this] { FormActivate(); });
    // A notice held back while a modal window was up comes now.
    if (noticePending_ && isVisible()) QTimer::singleShot(0, this, [this] { PresentNotice(); });
  });
  FormCreate();
  // Back where it stood last time, once shown (main.cpp centres it otherwise).
  KeepWindowPlace(this, windowPlaces[PlacedWindow::kMain]);
  GuardedCall([this] { StartRecording(); });
  // The desktop session's end; on a desktop without a session manager it never comes.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    GuardedCall([&] {
      if (SessionEnding([&] { return manager.allowsInteraction(); })) manager.cancel();
    });
    manager.release();
  });
}

TMainForm::~TMainForm() {
  // The watcher must be gone before the notifier it posts to.
  Comm1.Close();
}

void TMainForm::WireComponents() {
  host.SetPort(line_ ? line_ : &port_);
  host.SetTimerHandler([this] { link.Timer1Timer(); });
  BindEngine(host, tuning, link, meter, knob, scan, identification, bandScope, stations, *this,
             *this);
  keyboard.Bind(tuning);
  keyboard.BindScan(scan, identification);
  host.SetWatch([this] { link.WatchPolling(); });
  memoryKeys.Bind(tuning, stations, bandScope, identification, *this);
  keyboard.BindBandScope(bandScope, memoryKeys);
  notifier_ = std::make_unique<CommNotifier>(Comm1, this);
  notifier_->onReceive = [this](int) {
    GuardedCall([this] { link.Comm1CommReceive(port_.InQueue()); });
  };
  notifier_->onError = [this](std::exception_ptr error) { CommError(error); };
  // A network port connects off the window thread; the window keeps answering meanwhile.
  Comm1.OnConnectWait = [this] { host.Delay(20); };
  port_.onNetFailure = [this](const std::string& device, const std::string& reason) {
    const std::string message =
        QCoreApplication::translate("TMainForm", "ネットワークの受信機に接続できません。")
            .toStdString() +
        "\n" + device + "\n" + reason;
    host.Post([message] {
      HandleApplicationException(std::make_exception_ptr(ECommConnectError(message)));
    });
  };
  // The panadapter: its settings section and its tick at the polling interval.
  panadapter.Bind(tuning, link, scan, bandScope);
  settings_.BindPanadapter(panadapter.Settings);
  PanadapterTimer = new QTimer(this);
  connect(PanadapterTimer, &QTimer::timeout, this,
          [this] { GuardedCall([this] { PanadapterTick(); }); });
  panelRig.Bind(host, tuning, meter, *this);
  panelRig.BindScan(scan, bandScope, link);
  settings_.BindNet(netSettings);
  settings_.BindWindows(windowPlaces);
}

void TMainForm::WireScanLog() {
  scanLogUi = std::make_unique<ScanLogUi>(this, scanLog, [this](std::int32_t f) {
    // A line from another day may lie outside what the receiver tunes now.
    if (f >= tuning.LowerLimit && f <= tuning.UpperLimit) tuning.TuneManually(f);
  });
  scanLog.Bind(scanLogFile, *scanLogUi);
  scanLog.SetFolder(DataFolder());
  scan.BindStops(scanLog);
  settings_.BindLog(scanLog);
  settings_.BindLanguage(language);
  scanLogUi->OnFormMade = [this](QWidget* form) {
    KeepWindowPlace(form, windowPlaces[PlacedWindow::kScanLog]);
  };
}

void TMainForm::WireSurvey() {
  // A click on the survey's pictures tunes as the panel's own track bar does.
  surveyUi = std::make_unique<BandSurveyUi>(this, survey, [this](std::int32_t f) {
    if (f >= tuning.LowerLimit && f <= tuning.UpperLimit) tuning.TuneManually(f);
  });
  survey.Bind(host, tuning, link, bandScope, stations, *surveyUi);
  survey.SetAppend(AppendToFile);
  survey.SetFolder(DataFolder());
  settings_.BindSurvey(survey);
}

void TMainForm::WireSkips() {
  skips.SetPath(DataFolder() + "/" + std::string(kSkipFileName));
  if (const std::string error = skips.Load(); !error.empty())
    Warn(tr("スキップの一覧を読めません。\n%1\n%2")
             .arg(QString::fromStdString(skips.Path()), QString::fromStdString(error))
             .toStdString());
  scan.BindSkips(skips);
  scanLogUi->SetActions({&skips, [this](const ScanLogEntry& e) { AddLogStation(e); },
                         [this](const std::string& error) {
                           ShowSkipSaveFailed(tr("スキップの一覧を書き込めません。").toStdString() +
                                              "\n" + skips.Path() + "\n" + error);
                         }});
}

void TMainForm::SkipAdd_MenuClick() { scan.SkipAdd(false); }

void TMainForm::SkipTemp_MenuClick() { scan.SkipAdd(true); }

void TMainForm::Priority_MenuClick() {
  scan.Priority = tuning.CurrentFrequency();
  ShowPriority();
}

void TMainForm::PriorityOff_MenuClick() {
  scan.Priority = 0;
  ShowPriority();
}

void TMainForm::ShowPriority() {
  const std::int32_t f = scan.Priority;
  Priority_Label->setText(
      f > 0
          ? tr("プライオリティ %1 MHz")
                .arg(
                    QString("%1.%2").arg(f / 1'000'000).arg(f % 1'000'000 / 100, 4, 10, QChar('0')))
          : QString());
  PriorityOff_Menu->setEnabled(f > 0);
}

void TMainForm::ShowSkipSaveFailed(const std::string& message) { Warn(message); }

void TMainForm::AddLogStation(const ScanLogEntry& e) {
  editor.FindNull();
  const int no = editor.NullNo;
  editor.NullNo = 0;
  if (no == 0) {
    Warn(tr("局のリストが一杯です (10,000 局)").toStdString());
    return;
  }
  MemoRecord& r = stations.Data[no];
  r = MemoRecord{};
  r.Frequency = e.frequency;
  r.Step = tuning.CurrentStep();
  r.Mode = SkipModeNumber(e.mode);
  r.Type.Assign("LOG");
  r.Etc.Assign(Utf8ToCp932(e.time));
  stations.DataChanged = true;
  AutoMode_IdxInit();
  editor.RecordsChanged();
  // The list window opens on the new station, in the single stations' list, for its name.
  if (!OpenDataForm(kSingleKind, 2, editor.FindMemoNo(kSingleKind, no))) return;
  TakeChosenRecord();
  AutoMode_IdxInit();
  identification.AutoMode_IdxChk();
}

void TMainForm::AttachForms(const TOtherForms& forms) {
  forms_ = forms;
  if (forms_.Data) KeepWindowPlace(forms_.Data, windowPlaces[PlacedWindow::kStationList]);
}

void TMainForm::WireRecorder() {
  recorderUi = std::make_unique<RecorderUi>(this);
  recorderUi->onSaved = [this](const std::string&) { scanLogUi->RecordingsChanged(); };
  recorderUi->onByHand = [this](bool on) {
    const QSignalBlocker quiet(RecordByHand_Menu);
    RecordByHand_Menu->setChecked(on);
  };
  recorder.Bind(host, *recorderUi);
  recorder.SetFolder(DataFolder());
  // The scan's stops reach the log and the recorder.
  stopFanOut = std::make_unique<StopFanOut>(scanLog, recorder);
  scan.BindStops(*stopFanOut);
  settings_.BindRecord(recorder);
  scanLogUi->SetRecordings(
      [this](const ScanLogEntry& e) {
        return FindRecording(recorder.Folder(), e.time, e.frequency);
      },
      [](const std::string& path) {
        std::error_code ec;
        return std::filesystem::remove(path, ec);
      });
}

void TMainForm::StartRecording() {
  if (audioSource) audioSource->Stop();
  recorder.Attach(0);
  audioSource.reset();
  // A WAV file in place of the sound input, recording on: tests, demonstrations, the simulator.
  if (const char* file = std::getenv("FENNIX_AUDIO_FILE"); file && *file)
    audioSource = std::make_unique<FileAudioSource>(file, FileAudioSource::Pace::kRealTime);
  else if (!recorder.Input.empty())
    audioSource = std::make_unique<QtAudioSource>(QByteArray::fromStdString(recorder.Input));
  if (!audioSource) return;
  std::string error;
  if (audioSource->Start(recorder, error)) {
    recorder.Attach(audioSource->SampleRate());
    return;
  }
  audioSource.reset();
  recorderUi->ShowRecordingFailed(error);
}

void TMainForm::RecordByHand_MenuClick() {
  if (!recorder.On()) {
    recorderUi->onByHand(false);
    recorderUi->ShowRecordingFailed(
        tr("録音の入力が選ばれていません。\nオプションの「録音入力」で選んでください。")
            .toStdString());
    return;
  }
  ScanStopObserver::Stop what;
  what.frequency = tuning.CurrentFrequency();
  what.mode = tuning.Mode[tuning.Window];
  // The station the memo row names on this frequency, as a scan's stop is named.
  const StationIndexes& ix = stations.Indexes;
  if (identification.MemoMode && identification.SingleNo >= 1 &&
      identification.SingleNo <= ix.SingleIndex.Count()) {
    const MemoRecord& station = stations.Data[ix.SingleIndex[identification.SingleNo]];
    if (station.Frequency == what.frequency) what.station = std::string(station.Name.View());
  }
  recorder.ByHand(what);
}

void TMainForm::MenuRecordClick() {
  TRecordOptionForm form(this, QByteArray::fromStdString(recorder.Input), recorder.Format);
  if (form.exec() != QDialog::Accepted) return;
  recorder.Input = form.Input().toStdString();
  recorder.Format = form.Format();
  StartRecording();
}

void TMainForm::CommError(std::exception_ptr error) {
  // A device that is gone takes the panel off line before the user is told, once.
  try {
    std::rethrow_exception(error);
  } catch (const ECommReadWriteError&) {
    // Already off line: the loss was told when it was first seen.
    if (!host.PortOpen()) return;
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
  CatchTitleBarHelp(this, [this] { Contents_MenuClick(); });

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
  ShowPriority();
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
  identification.AutoMode_FlagPrint();
  identification.AutoMode_PrintCls();
  identification.MemoMode_FlagPrint();
  identification.MemoMode_PrintCls();
  GuardedCall([this] { identification.AutoMode_IdxChk(); });
  identification.BandScan_FlagPrint();
  identification.SingleScan_FlagPrint();
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
  // Then the network control port, when it is switched on.
  if (netSettings.Enable) GuardedCall([this] { StartNetPort(); });
  panadapter.Apply(link.IntTime);
  PanadapterTimer->start(link.IntTime);
  MenuScanLog->setChecked(scanLog.Enabled);
  UpdateOnLineTip();
  // The keyboard talks to TrackBar1 from the first moment, as it does after every key.
  TrackBar1->setFocus();
}

void TMainForm::ReleaseSplash() {
  if (splash_) splash_->close();
  splash_.reset();
}

bool TMainForm::event(QEvent* e) {
  // Later activations come from the program's own modal windows (ModalReturnWatch); the focus
  // coming back from another program changes nothing.
  if (e->type() == QEvent::Show && noticePending_) {
    // After the window itself is up, so that the notice stands over it.
    QTimer::singleShot(0, this, [this] { PresentNotice(); });
  }
  if (e->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    GuardedCall([this] { FormActivate(); });
  }
  return QMainWindow::event(e);
}

void TMainForm::FormActivate() {
  if (busyCursor_) {
    QApplication::restoreOverrideCursor();
    busyCursor_ = false;
  }
  Print_DATA_Sub();
  bandScope.FollowTunedFrequency();
}

void TMainForm::Print_DATA_Sub() {
  tuning.PrintDial();
  tuning.PrintStep();
  tuning.PrintMode();
  // A redraw only draws. The share of a reading that moves a running sweep or scan on is
  // taken when the reading arrives; taken here too, it would start a second chain of requests.
  if (!bandScope.SweepRunning) meter.PrintSignal();
  tuning.PrintWindow();
  if (scan.ScanState == 0)
    meter.PrintSquelch();
  else
    ShowSquelchLabel(meter.SquelchStatus > 0);
  scan.ScanStop_Digital_Print();
  memoryKeys.M_SpeedButtonPrint();
}

void TMainForm::Exit1Click() {
  shell.Exit1();
  close();
}

int TMainForm::AskSave() {
  return forms_.Exit ? forms_.Exit->Ask() : static_cast<int>(Shell::kUndecided);
}

void TMainForm::Exit2Click() {
  const bool leave = shell.Exit2(stations.DataChanged, [this] { return AskSave(); });
  if (leave) close();
}

void TMainForm::closeEvent(QCloseEvent* e) {
  if (!closed_) {
    // The close box asks before a changed list is dropped; without the question window (a
    // bare test panel) it closes as before.
    bool leave = true;
    GuardedCall([&] {
      leave = shell.CloseBox(stations.DataChanged && forms_.Exit, [this] { return AskSave(); });
    });
    if (!leave) {
      e->ignore();
      return;
    }
    closed_ = true;
    GuardedCall([this] { FormClose(); });
  }
  e->accept();
}

bool TMainForm::SessionEnding(const std::function<bool()>& canAsk) {
  switch (shell.EndSession(stations.DataChanged, canAsk, [this] { return AskSave(); })) {
    case Shell::SessionEnd::kSave:
      DataWrite();
      // Saved: should the session go on after all, the next way out asks afresh.
      if (stations.KeepRecovery) break;
      stations.DataChanged = false;
      shell.ExitChoice = Shell::kUndecided;
      break;
    case Shell::SessionEnd::kKeepRecovery:
      // No one to ask: the list file stays as it was, and the edits are not lost.
      stations.KeepForRecovery();
      break;
    case Shell::SessionEnd::kCancel:
      return true;
    default:
      break;
  }
  return false;
}

void TMainForm::FormClose() {
  // Every step runs even when an earlier one failed: a receiver that fails to answer the
  // converter's last frequency must not cost the settings or the station list.
  // 1. Busy cursor; polling stops.
  QApplication::setOverrideCursor(Qt::BusyCursor);
  host.TimerStop();
  // No network request reaches the panel while it shuts down.
  GuardedCall([this] {
    if (rigctl) rigctl->Stop();
  });
  // 2. The receiver's own range and frequency are what gets saved.
  GuardedCall([this] {
    if (tuning.ConvertOn) tuning.Convert_ButtonClick();
  });
  // Recording ends: the input stops and the stop under way is written.
  GuardedCall([this] {
    if (audioSource) audioSource->Stop();
    recorder.Attach(0);
    recorder.Flush();
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

void TMainForm::CsvExportClick() {
  ExportStationsCsv(this, stations,
                    FindAll(ReadFindConditionsCp932(editor.FindSave), editor.AndOrFlag,
                            stations.Data, stations.Indexes.AllIndex));
}

void TMainForm::CsvImportClick() {
  if (!ImportStationsCsv(this, stations)) return;
  // The new stations take part in identification and scanning at once, and show in the list.
  AutoMode_IdxInit();
  editor.RecordsChanged();
  identification.AutoMode_IdxChk();
  memoryKeys.M_SpeedButtonPrint();
}

void TMainForm::SplashProgress(int position) {
  if (!splash_) return;
  splash_->SetProgress(position);
  QCoreApplication::processEvents();
}

// The station list windows. What the window hands back decides what follows.
bool TMainForm::OpenDataForm(int dataMode, int listMode, int singleNo) {
  if (!forms_.Data) return false;
  editor.DataMode = dataMode;
  editor.ListMode = listMode;
  editor.MemoRequest = memoryKeys.MemoRequest;
  editor.BandNo = identification.BandNo;
  editor.SingleNo = singleNo > 0 ? singleNo : identification.SingleNo;
  forms_.Data->OnSkip = [this](int no) {
    const MemoRecord& r = stations.Data[no];
    const SkipList::Change change =
        skips.Add({r.Frequency, r.Mode, Cp932ToUtf8(r.Name.View()), scanLog.Today(), false});
    if (!change.error.empty())
      ShowSkipSaveFailed(tr("スキップの一覧を書き込めません。").toStdString() + "\n" +
                         skips.Path() + "\n" + change.error);
  };
  editor.Receiver = {tuning.CurrentFrequency(), tuning.CurrentStep(),    tuning.Mode[tuning.Window],
                     meter.SignalPeak,          identification.AutoMode, editor.BandNo};
  forms_.Data->exec();
  return true;
}

void TMainForm::ReadBand_ButtonClick() { ListKeyClick(kBandKind); }

void TMainForm::ReadSingle_ButtonClick() { ListKeyClick(kSingleKind); }

void TMainForm::ListKeyClick(int kind) {
  if (!OpenDataForm(kind, 2)) return;
  if (editor.DataEdited) stations.DataChanged = true;
  TakeChosenRecord();
  // Identification looks frequencies up in frequency order, so a list re-sorted by a heading
  // is put back too.
  if (editor.DataEdited || editor.Resorted) AutoMode_IdxInit();
  identification.AutoMode_IdxChk();
}

void TMainForm::TakeChosenRecord() {
  if (editor.MemoNo <= 0) return;
  identification.SelectIdxModeOff();
  if (editor.ListMode == 2) identification.FreqStepModeOut(editor.MemoNo);
}

void TMainForm::MemButtonClick() {
  if (!OpenDataForm(kAllKind, 1)) return;
  if (editor.DataEdited) stations.DataChanged = true;
  AutoMode_IdxInit();
  identification.AutoMode_IdxChk();
  if (memoryKeys.MemoRequest) memoryKeys.M_SpeedButtonRelease();
  TakeChosenRecord();
  if (editor.DataEdited) AutoMode_IdxInit();
  identification.AutoMode_IdxChk();
}

void TMainForm::MemoryClick() { MemButtonClick(); }

void TMainForm::MenuComOptionClick() {
  if (!forms_.ComOption) return;
  link.NewComPort = link.ComPort;
  link.NewBaudIndex = link.BaudIndex;
  const ComDeviceNames before = ComDevices(ini_);
  forms_.ComOption->Bind(link);
  forms_.ComOption->Devices = before;
  forms_.ComOption->exec();
  // Whatever closed it; the open port stays as it is until the next ComOpen.
  link.ComPort = link.NewComPort;
  link.BaudIndex = link.NewBaudIndex;
  if (!forms_.ComOption->Cancelled() && forms_.ComOption->Devices != before)
    WriteComDevices(ini_, forms_.ComOption->Devices);
  // The squelch query keeps a running scan going.
  if (scan.ScanState > 0) link.SquelchSend();
  UpdateOnLineTip();
}

void TMainForm::MenuOptionClick() {
  if (!forms_.StdOption) return;
  OptionRefs options{scan.ScanTime,       meter.S_Color,      link.IntTime,
                     scan.ScanMode,       scan.ResumeMode,    scan.StopTime,
                     link.StartMode,      stations.ModeListA, stations.ModeListB,
                     stations.TypeListA,  stations.TypeListB, tuning.ConvertShift,
                     tuning.ConvertStart, tuning.ConvertEnd,  link.ReceiverModel};
  const OptionValues before = options.Snapshot();
  forms_.StdOption->Bind(options);
  if (forms_.StdOption->exec() != QDialog::Accepted) options.Restore(before);
  Image1->ScanStop_Digital_Print(scan.ResumeMode);
}

void TMainForm::MenuNetPortClick() {
  netSettings.Enable = MenuNetPort->isChecked();
  if (netSettings.Enable) {
    netSettings.Enable = StartNetPort();
  } else if (rigctl) {
    rigctl->Stop();
  }
  UpdateOnLineTip();
}

void TMainForm::MenuPanadapterClick() {
  TPanadapterForm form(this);
  const net::PanadapterSettings before = panadapter.Settings;
  form.Edit(panadapter.Settings);
  const net::PanadapterSettings& now = panadapter.Settings;
  if (now.Enable != before.Enable || now.Address != before.Address || now.Port != before.Port ||
      now.BothWays != before.BothWays || now.Offset != before.Offset)
    panadapter.Apply(link.IntTime);
  PanadapterTick();
}

void TMainForm::PanadapterTick() {
  // At most one frequency per polling interval goes to the SDR, whatever the panel does.
  if (PanadapterTimer->interval() != link.IntTime) PanadapterTimer->setInterval(link.IntTime);
  panadapter.Tick();
  UpdateOnLineTip();
}

QString TMainForm::PanadapterTipLine() const {
  return QString::fromStdString(panadapter.StateText());
}

void TMainForm::ScanLog_MenuClick() { scanLogUi->Open(); }

void TMainForm::BandSurvey_MenuClick() { surveyUi->Open(); }

void TMainForm::MenuScanLogClick() { scanLog.Enabled = MenuScanLog->isChecked(); }

void TMainForm::MenuLanguageClick() {
  TLanguageForm form(language, this);
  form.exec();
}

bool TMainForm::StartNetPort() {
  if (!rigctl) {
    rigctl = std::make_unique<RigctlServer>(panelRig);
    // A serial failure under a network request is a lost device like any other.
    rigctl->OnError = [this](std::exception_ptr error) { CommError(error); };
  }
  QString reason;
  const bool listening =
      rigctl->Start(QString::fromStdString(netSettings.Address), netSettings.Port, &reason);
  MenuNetPort->setChecked(listening);
  if (!listening) {
    Warn(tr("rigctl 互換ポート %1:%2 を開けません。\n%3")
             .arg(QString::fromStdString(netSettings.Address))
             .arg(netSettings.Port)
             .arg(reason)
             .toStdString());
  }
  return listening;
}

void TMainForm::MenuVerClick() {
  TVersionForm version(this);
  version.ShowAsVersion();
}

THelpForm* TMainForm::Help() {
  if (!help_) {
    help_ = new THelpForm(HelpFile, this);
    KeepWindowPlace(help_, windowPlaces[PlacedWindow::kHelp]);
  }
  return help_;
}

void TMainForm::Contents_MenuClick() { Help()->ShowContents(); }
void TMainForm::Keyword_MenuClick() { Help()->ShowKeywordIndex(); }
void TMainForm::Help_MenuClick() { Help()->ShowUsage(); }

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
  UpdateOnLineTip();
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

QString TMainForm::LineName(int comPort, std::int32_t baudRate) const {
  const std::string device = ComDevicePath(comPort, ComDevice(ini_, comPort));
  return QString("%1 (%2 bit/s)")
      .arg(device.empty() ? QString("COM%1").arg(comPort) : QString::fromStdString(device))
      .arg(baudRate);
}

void TMainForm::ShowNoAnswer(bool portOpened) {
  // Not modal and never taking the keyboard: the panel stays in use behind it, and its
  // keys keep reaching the panel.
  if (!noAnswerBox_) {
    noAnswerBox_ = new QMessageBox(QMessageBox::Information, ui::kProgramTitle, QString(),
                                   QMessageBox::Ok, this);
    noAnswerBox_->setObjectName("NoAnswer_Box");
    noAnswerBox_->setWindowModality(Qt::NonModal);
    noAnswerBox_->setAttribute(Qt::WA_ShowWithoutActivating);
    noAnswerBox_->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  }
  QString text = QCoreApplication::translate("TMainForm", "受信機が応答しません: %1")
                     .arg(LineName(link.LineComPort, link.LineBaudRate));
  if (!portOpened) text += "\n" + QCoreApplication::translate("TMainForm", "ポートを開けません。");
  noAnswerBox_->setText(text);
  noAnswerBox_->setInformativeText(QCoreApplication::translate(
      "TMainForm",
      "パネルは受信機なしで動きます（何も送信しません）。バンドスコープの「DEMO」は見本の表示で、"
      "受信した信号ではありません。\n接続と「RS-232C...」の設定を確かめてから、ON LINE "
      "キーで接続し直してください。"));
  if (isVisible())
    PresentNotice();
  else
    noticePending_ = true;
}

void TMainForm::PresentNotice() {
  if (!noAnswerBox_ || closed_) return;
  // Over a modal window it would take that window's keyboard: it waits until that closes.
  noticePending_ = QApplication::activeModalWidget() != nullptr;
  if (noticePending_) return;
  // Beside the panel rather than over it, so the readout and the scope stay in sight; where
  // the screen has no room beside it, wherever it hides the least.
  noAnswerBox_->adjustSize();
  const QRect frame = frameGeometry();
  const QSize size = noAnswerBox_->frameGeometry().size().expandedTo(noAnswerBox_->sizeHint());
  if (const QScreen* shown = screen()) {
    const QRect room = shown->availableGeometry();
    const int gap = 8;
    QRect best;
    int hidden = 0;
    for (const QPoint at :
         {QPoint(frame.right() + gap, frame.top()), QPoint(frame.left(), frame.bottom() + gap),
          QPoint(frame.left() - gap - size.width(), frame.top()),
          QPoint(frame.left(), frame.top() - gap - size.height())}) {
      QRect place(at, size);
      place.moveLeft(
          std::max(room.left(), std::min(place.left(), room.right() + 1 - size.width())));
      place.moveTop(std::max(room.top(), std::min(place.top(), room.bottom() + 1 - size.height())));
      const QRect over = place & frame;
      const int area = over.isEmpty() ? 0 : over.width() * over.height();
      if (best.isNull() || area < hidden) {
        best = place;
        hidden = area;
      }
    }
    noAnswerBox_->move(best.topLeft());
  }
  noAnswerBox_->show();
  noAnswerBox_->raise();
  // Some platforms activate every window shown, whatever it asks for: the keyboard goes
  // back to the panel, to the control that had it.
  activateWindow();
}

void TMainForm::UpdateOnLineTip() {
  const bool open = host.PortOpen();
  // On line the lamp names the line in use; off line, the one the ON LINE key would open.
  const QString line = open ? LineName(link.LineComPort, link.LineBaudRate)
                            : LineName(link.ComPort, link.BaudRate());
  QString tip = open ? QCoreApplication::translate("TMainForm", "オンライン: %1").arg(line)
                     : QCoreApplication::translate("TMainForm", "オフライン: %1").arg(line);
  tip += "\n";
  if (rigctl && rigctl->Listening())
    tip += QCoreApplication::translate("TMainForm", "ネットワークポート (rigctl): 入 %1:%2")
               .arg(QString::fromStdString(netSettings.Address))
               .arg(netSettings.Port);
  else
    tip += QCoreApplication::translate("TMainForm", "ネットワークポート (rigctl): 切");
  if (const QString panadapterLine = PanadapterTipLine(); !panadapterLine.isEmpty())
    tip += "\n" + panadapterLine;
  if (OnLineLampPanel->toolTip() != tip) OnLineLampPanel->setToolTip(tip);
}

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

void TMainForm::ShowAfPosition(int position) {
  const QSignalBlocker quiet(AF_TrackBar);
  AF_TrackBar->setValue(position);
}

void TMainForm::ShowStopLamp(bool on) { Dial_Stop_Panel->SetColor(on ? ui::kLime : ui::kSilver); }

void TMainForm::ShowScanLamps(int scanState) {
  ScanUP_Panel->SetColor(scanState == ScanEngine::kUp ? ui::kLime : ui::kSilver);
  ScanDW_Panel->SetColor(scanState == ScanEngine::kDown ? ui::kLime : ui::kSilver);
}

void TMainForm::ShowResumeMode(int resumeMode) { Image1->ScanStop_Digital_Print(resumeMode); }

namespace {

Lamp* FlashedLamp(TMainForm& form, FlashLamp lamp) {
  switch (lamp) {
    case FlashLamp::AutoMode:
      return form.AutoMode_Panel;
    case FlashLamp::SingleScan:
      return form.SingleScan_Panel;
    default:
      return form.MemoMode_Panel;
  }
}

void SetPanelColor(QWidget* panel, const QColor& color) {
  QPalette p = panel->palette();
  if (p.color(QPalette::Window) == color) return;
  p.setColor(QPalette::Window, color);
  panel->setPalette(p);
}

QString Screen(const std::string& cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

}  // namespace

void TMainForm::ShowErrorFlash(FlashLamp lamp, bool red) {
  Lamp* panel = FlashedLamp(*this, lamp);
  auto& saved = flashed_[static_cast<std::size_t>(lamp)];
  if (red) {
    saved.push_back(panel->Color());
    panel->SetColor(ui::kRed);
  } else if (!saved.empty()) {
    panel->SetColor(saved.back());
    saved.pop_back();
  }
}

void TMainForm::ShowBandRow(const StationRow& row) {
  No_Panel->setText(QString::fromStdString(row.no));
  Type_Panel->setText(Screen(row.type));
  Name_Panel->setText(Screen(row.name));
  Freq_Panel->setText(QString::fromStdString(row.frequency));
  ShiftBand_Button->setEnabled(row.shift);
}

void TMainForm::ShowStationRow(const StationRow& row) {
  No_Panel_S->setText(QString::fromStdString(row.no));
  Type_Panel_S->setText(Screen(row.type));
  Name_Panel_S->setText(Screen(row.name));
  Freq_Panel_S->setText(QString::fromStdString(row.frequency));
  Step_Panel_S->setText(QString::fromStdString(row.step));
  Mode_Panel_S->setText(QString::fromStdString(row.mode));
  ShiftSingle_Button->setEnabled(row.shift);
}

void TMainForm::ShowAutoModeLamps(bool on) {
  AutoMode_Panel->SetColor(on ? ui::kLime : ui::kSilver);
  for (QWidget* panel : {No_Panel, Type_Panel, Name_Panel, Freq_Panel})
    SetPanelColor(panel, on ? ui::kLight : ui::kSilver);
}

void TMainForm::ShowMemoModeLamps(bool on) {
  MemoMode_Panel->SetColor(on ? ui::kLime : ui::kSilver);
  for (QWidget* panel :
       {No_Panel_S, Type_Panel_S, Name_Panel_S, Freq_Panel_S, Step_Panel_S, Mode_Panel_S})
    SetPanelColor(panel, on ? ui::kLight : ui::kSilver);
}

void TMainForm::ShowBandScanLamp(bool on) {
  BandScan_Panel->SetColor(on ? ui::kLime : ui::kSilver);
}
void TMainForm::ShowSingleScanLamp(bool on) {
  SingleScan_Panel->SetColor(on ? ui::kLime : ui::kSilver);
}

void TMainForm::ShowTypeFilter(bool on) {
  SetPanelColor(Type_Panel_S, on ? ui::kLime : No_Panel_S->palette().color(QPalette::Window));
}

void TMainForm::Type_Panel_SMouseDown() { Type_Panel_S->setFrameShadow(QFrame::Sunken); }

void TMainForm::Type_Panel_SMouseUp() {
  Type_Panel_S->setFrameShadow(QFrame::Raised);
  identification.Type_Panel_SMouseUp();
}

void TMainForm::ShowWidthLamps(int bandScope) {
  BandWH_Panel->SetColor(bandScope == BandScopeEngine::kWidthH ? ui::kLime : ui::kSilver);
  BandWM_Panel->SetColor(bandScope == BandScopeEngine::kWidthM ? ui::kLime : ui::kSilver);
  BandWL_Panel->SetColor(bandScope == BandScopeEngine::kWidthL ? ui::kLime : ui::kSilver);
}

void TMainForm::ShowScopeCleared(int points) {
  BandImage->Clear();
  const MarkerTrackLayout track = MarkerTrackGeometry(Band_Panel->x(), Band_Panel->width(), points);
  const QSignalBlocker quiet(BandTrackBar);
  BandTrackBar->setGeometry(track.left, BandTrackBar->y(), track.width, BandTrackBar->height());
  BandTrackBar->setMaximum(points);
}

void TMainForm::ShowMarker(int position) {
  const QSignalBlocker quiet(BandTrackBar);
  BandTrackBar->setValue(position);
}

void TMainForm::ShowBar(int point, int level, int points, bool sColor) {
  BandImage->DrawBar(point, level, points, BandTrackBar->width(), sColor);
}

void TMainForm::ShowDemoText() { BandImage->DrawDemoText(); }

void TMainForm::ShowLoopLamp(bool on) {
  QPalette p = BandLoop_Panel->palette();
  p.setColor(QPalette::Window, on ? ui::kLime : ui::kSilver);
  BandLoop_Panel->setPalette(p);
}

void TMainForm::ShowWindowLabels(std::int32_t first, std::int32_t centre, std::int32_t last) {
  BandFirst_Label->setText(QString::fromStdString(FrequencyText(first)));
  BandCentre_Label->setText(QString::fromStdString(FrequencyText(centre)));
  BandLast_Label->setText(QString::fromStdString(FrequencyText(last)));
}

void TMainForm::ShowMemoryCaption(int key, const std::string& caption) {
  QPushButton* button = M_Button[static_cast<std::size_t>(key)];
  button->setText(QString::fromStdString(caption));
  // A long frequency is drawn smaller rather than cut; a short one gets the row's type back.
  ui::FitCaption(button, M_Panel->font().pixelSize());
}

void TMainForm::ShowMemoryStrip(int key, Strip colour) {
  QFrame* strip = key == 0 ? MemEdit_Panel : M_ModePanel[static_cast<std::size_t>(key)];
  QPalette p = strip->palette();
  p.setColor(QPalette::Window, colour == Strip::kRed ? ui::kRed
                               : colour == Strip::kYellow
                                   ? ui::kYellow
                                   : M_Panel->palette().color(QPalette::Window));
  strip->setPalette(p);
}

void TMainForm::ShowStoreKey(bool down) {
  const QSignalBlocker quiet(M_SpeedButton);
  M_SpeedButton->setChecked(down);
}

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

// With these held a letter is an accelerator, not a panel key.
constexpr Qt::KeyboardModifiers kCommandKeys =
    Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier;

bool TMainForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(e);
    const int code = VirtualKeyOf(key->key(), key->modifiers() & Qt::KeypadModifier,
                                  key->modifiers() & kCommandKeys);
    GuardedCall([this, code] { KeyDown(code); });
  } else if (watched == Type_Panel_S && e->type() == QEvent::MouseButtonPress) {
    GuardedCall([this] { Type_Panel_SMouseDown(); });
  } else if (watched == Type_Panel_S && e->type() == QEvent::MouseButtonRelease) {
    GuardedCall([this] { Type_Panel_SMouseUp(); });
  } else if (e->type() == QEvent::KeyRelease && watched == TrackBar1) {
    const auto* key = static_cast<QKeyEvent*>(e);
    if (!key->isAutoRepeat()) {
      const int code = VirtualKeyOf(key->key(), key->modifiers() & Qt::KeypadModifier,
                                    key->modifiers() & kCommandKeys);
      GuardedCall([this, code] { TrackBar1KeyUp(code); });
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

// Start-up and shutdown steps whose pieces live with their owners.
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
    ::IniWrite(settingsPath_, settings_, ComDevices(ini_));
  } catch (const EIniWriteError& e) {
    // The rest of shutdown still runs; the user learns that the settings were not kept, and why.
    Warn(e.Message());
  } catch (const std::exception& e) {
    Warn(e.what());
  }
}

void TMainForm::DataRead() {
  const StationLoadResult result = stations.DataRead([this](int position) {
    if (splash_) splash_->SetProgress(position);
  });
  if (!result.message.empty()) Warn(result.message);
  if (stations.File.PrepareRecovery()) OfferRecovery();
}

void TMainForm::OfferRecovery() {
  const std::string path = stations.File.RecoveryPath();
  QMessageBox box(QMessageBox::Question, windowTitle(),
                  tr("前回保存されなかった局リストの変更が %1 に残っています。\n復元しますか？")
                      .arg(QString::fromStdString(path)),
                  QMessageBox::NoButton, this);
  box.setObjectName("Recovery_Box");
  QPushButton* restore = box.addButton(tr("復 元"), QMessageBox::AcceptRole);
  QPushButton* drop = box.addButton(tr("破 棄"), QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.exec();
  if (box.clickedButton() == drop) {
    stations.File.DropRecovery();
    return;
  }
  // Closed without a choice: the file stays for the next start.
  stations.KeepRecovery = true;
  if (box.clickedButton() != restore) return;
  if (const std::string reason = stations.Restore(); !reason.empty())
    Warn(tr("%1 を読み込めません（%2）。ファイルはそのまま残します。")
             .arg(QString::fromStdString(path), QString::fromStdString(reason))
             .toStdString());
}

void TMainForm::DataWrite() {
  const StationSaveResult result = stations.SaveOnExit(shell.ExitChoice);
  if (!result.message.empty()) Warn(result.message);
}

void TMainForm::AutoMode_IdxInit() { stations.AutoMode_IdxInit(); }

void TMainForm::Warn(const std::string& message) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromStdString(message),
                  QMessageBox::Ok, this);
  box.exec();
}
void TMainForm::Band_ButtonSet() { bandScope.Band_ButtonSet(); }
void TMainForm::BandScopeInit() { bandScope.BandScopeInit(); }
void TMainForm::PrintSignalScale() {
  // Main_Image lies at (1, 1) in Main_Panel.
  DrawSignalScale(*Main_Image, Signal_Panel->geometry().translated(-1, -1),
                  Signal_Panel->lineWidth());
}
