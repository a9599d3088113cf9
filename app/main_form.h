// The main window: the receiver's front panel. It creates the components that hold the
// shared state, wires them together, shows what they report and runs start-up and shutdown.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "app/comm_port.h"
#include "app/host_qt.h"
#include "app/ini_file.h"
#include "app/panel_settings.h"
#include "app/shell.h"
#include "civ/link.h"
#include "comm/comm.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/panel_hooks.h"
#include "panel/readout.h"
#include "panel/tuning.h"
#include "scan/band_scope.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "stations/station_list.h"

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;
class CommNotifier;
class Lamp;
class UpDownWidget;
class TVersionForm;
class TComOptionForm;
class TStdOptionForm;
class TDataForm;
class TDeleteForm;
class TExitForm;

// The windows created after the main one, kept for the whole run.
struct TOtherForms {
  TComOptionForm* ComOption = nullptr;
  TStdOptionForm* StdOption = nullptr;
  TDataForm* Data = nullptr;
  TDeleteForm* Delete = nullptr;
  TExitForm* Exit = nullptr;
};

class TMainForm : public QMainWindow, public TuningView, public MeterView, public LinkView {
 public:
  TMainForm();
  ~TMainForm() override;

  void AttachForms(const TOtherForms& forms) { forms_ = forms; }
  // The splash stays up until start-up has finished.
  void ReleaseSplash();

  // The components that own the shared state.
  QtHost host;
  TComm Comm1;
  Tuning tuning;
  Link link;
  Meter meter;
  Knob knob;
  Readout readout;
  ScanEngine scan;
  BandScopeEngine bandScope;
  Identification identification;
  StationList stations;
  Shell shell;
  PanelHooks hooks;

  // Menu.
  QAction* Exit1;
  QAction* Exit2;
  QAction* Memory;
  QAction* MenuComOption;
  QAction* MenuOption;
  QAction* Contents_Menu;
  QAction* Keyword_Menu;
  QAction* Help_Menu;
  QAction* MenuVer;
  // Panel.
  QFrame* Main_Panel;
  QFrame* Digital_Panel;
  QLabel* Image1;  // the readout
  QLabel* SignalLabel;
  std::array<QPushButton*, 8> Mode_Button{};  // [1..7] by mode number
  std::array<QPushButton*, 10> StepButton{};  // by step table index
  QFrame* Windw_Panel;
  Lamp* OnLineLampPanel;
  QPushButton* OnLine_Button;
  Lamp* Win0Panel;
  Lamp* Win1Panel;
  QPushButton* Win_Button0;
  Lamp* ATT_Panel;
  QPushButton* ATT_Button;
  QFrame* SPCH_Panel;
  Lamp* OK_Panel;
  UpDownWidget* UpDown1;
  Lamp* ConvF_Panel;
  QPushButton* Convert_Button;
  QPushButton* Button1;
  QFrame* Dial_Panel;
  QSlider* TrackBar1;

  QString HelpFile;
  TVersionForm* Splash() const { return splash_.get(); }
  // True once the shutdown sequence has run.
  bool ShutDown() const { return closed_; }

  // Handlers.
  void Exit1Click();
  void Exit2Click();
  void MemoryClick();
  void MenuComOptionClick();
  void MenuOptionClick();
  void Contents_MenuClick();
  void Keyword_MenuClick();
  void Help_MenuClick();
  void MenuVerClick();
  void FormActivate();
  void Print_DATA_Sub();

  // TuningView, MeterView, LinkView.
  void ShowFrequency() override;
  void ShowStep() override;
  void ShowMode() override;
  void ShowTrackBarPosition(int position) override;
  void ShowTrackBarRange(int minimum, int maximum) override;
  void ShowWindowLamps(bool onLine, bool windowA, bool windowB) override;
  void ShowConverterLamp(bool on) override;
  void ShowScale(int intervalMHz) override;
  void ShowAddress(const std::string& text) override;
  void FocusTrackBar() override;
  void ShowSignal() override;
  void ShowSquelchLabel(bool open) override;
  void ShowAttLamp(bool on) override;
  void ShowAck(bool ng) override;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormClose();
  void BuildMenu();
  void BuildPanel();
  void WireComponents();
  void CommError(std::exception_ptr error);
  void Warn(const std::string& message);

  // Start-up and shutdown steps whose pieces live with their owners.
  void PaintReadoutBackground();
  void SetIdleLamps();
  void IniRead();
  void IniWrite();
  void DataRead();
  void DataWrite();
  void AutoMode_IdxInit();
  void AutoMode_FlagPrint();
  void AutoMode_PrintCls();
  void MemoMode_FlagPrint();
  void MemoMode_PrintCls();
  void BandScan_FlagPrint();
  void SingleScan_FlagPrint();
  void Band_ButtonSet();
  void BandScopeInit();
  void PrintSignalScale();

  std::string settingsPath_;
  IniFile ini_;  // as read at start, for the COM device keys
  PanelSettings settings_;
  CommPort port_;
  std::unique_ptr<CommNotifier> notifier_;
  TOtherForms forms_;
  std::unique_ptr<TVersionForm> splash_;
  bool busyCursor_ = false;
  bool closed_ = false;
};
