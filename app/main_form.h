// The main window: the receiver's front panel. It creates the components that hold the
// shared state, wires them together, and runs start-up and shutdown.
#pragma once

#include <QMainWindow>
#include <memory>

#include "app/host_qt.h"
#include "app/shell.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/readout.h"
#include "panel/tuning.h"
#include "scan/band_scope.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "stations/station_list.h"

class QAction;
class QFrame;
class QSlider;
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

class TMainForm : public QMainWindow {
 public:
  TMainForm();
  ~TMainForm() override;

  void AttachForms(const TOtherForms& forms) { forms_ = forms; }
  // The splash stays up until start-up has finished.
  void ReleaseSplash();

  // The components that own the shared state.
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
  QtHost host;

  // Menu and controls.
  QAction* Exit1;
  QAction* Exit2;
  QAction* Memory;
  QAction* MenuComOption;
  QAction* MenuOption;
  QAction* Contents_Menu;
  QAction* Keyword_Menu;
  QAction* Help_Menu;
  QAction* MenuVer;
  QFrame* Dial_Panel;
  QSlider* TrackBar1;

  QString HelpFile;
  // True once the shutdown sequence has run.
  bool ShutDown() const { return closed_; }
  TVersionForm* Splash() const { return splash_.get(); }

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
  void Timer1Timer();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormClose();
  void BuildMenu();
  void BuildPanel();

  // Start-up and shutdown steps whose pieces live with their owners.
  void PaintReadoutBackground();
  void SetIdleLamps();
  void IniRead();
  void IniWrite();
  void DataRead();
  void DataWrite();
  void ComOpen();
  void ComStartRead();
  void ComClose();
  void AutoMode_IdxInit();
  void AutoMode_FlagPrint();
  void AutoMode_PrintCls();
  void MemoMode_FlagPrint();
  void MemoMode_PrintCls();
  void AutoMode_IdxChk();
  void BandScan_FlagPrint();
  void SingleScan_FlagPrint();
  void Band_ButtonSet();
  void BandScopeInit();
  void SetTrackBarRange();
  void PrintSignalScale();
  void PrintScale(int interval);
  void RadioStartSend();
  void Convert_ButtonClick();
  void Print_DATA_Sub();
  void BandSet();

  TOtherForms forms_;
  std::unique_ptr<TVersionForm> splash_;
  bool busyCursor_ = false;
  bool closed_ = false;
};
