// The main window: the receiver's front panel. It creates the components that hold the
// shared state, wires them together, shows what they report and runs start-up and shutdown.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QMainWindow>
#include <array>
#include <memory>
#include <vector>

#include "app/comm_port.h"
#include "app/host_qt.h"
#include "app/shell.h"
#include "base/ini_file.h"
#include "civ/link.h"
#include "comm/comm.h"
#include "memory/memory_keys.h"
#include "net/net_settings.h"
#include "net/panadapter.h"
#include "net/panel_rig.h"
#include "panel/keyboard.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/readout.h"
#include "panel/tuning.h"
#include "record/recorder.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "scan/skip_list.h"
#include "scanlog/scan_log.h"
#include "scope/band_scope.h"
#include "settings/language.h"
#include "settings/panel_settings.h"
#include "settings/window_places.h"
#include "stations/station_editor.h"
#include "stations/station_list.h"
#include "survey/band_survey.h"

class QAction;
class QFrame;
class QLabel;
class QMessageBox;
class QPushButton;
class QSlider;
class CommNotifier;
class BandScopeWidget;
class Lamp;
class MouseImage;
class PictureWidget;
class ReadoutWidget;
class UpDownWidget;
class TVersionForm;
class TComOptionForm;
class TStdOptionForm;
class TDataForm;
class TDeleteForm;
class TExitForm;
class THelpForm;
class RigctlServer;
class ScanLogUi;
class BandSurveyUi;
class RecorderUi;

// The windows created after the main one, kept for the whole run.
struct TOtherForms {
  TComOptionForm* ComOption = nullptr;
  TStdOptionForm* StdOption = nullptr;
  TDataForm* Data = nullptr;
  TDeleteForm* Delete = nullptr;
  TExitForm* Exit = nullptr;
};

class TMainForm : public QMainWindow,
                  public TuningView,
                  public MeterView,
                  public LinkView,
                  public KnobView,
                  public net::PanelRigView,
                  public ScanView,
                  public IdentificationView,
                  public BandScopeView,
                  public MemoryKeysView {
  Q_DECLARE_TR_FUNCTIONS(TMainForm)

 public:
  // `line` replaces the serial component as the receiver's line (tests put a scripted one
  // there); by default the link talks through Comm1.
  explicit TMainForm(Port* line = nullptr);
  ~TMainForm() override;

  void AttachForms(const TOtherForms& forms);
  // The splash stays up until start-up has finished.
  void ReleaseSplash();
  // Start-up progress shown on the splash while the station list window prepares.
  void SplashProgress(int position);

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
  MemoryKeys memoryKeys;
  Identification identification;
  StationList stations;
  StationEditor editor{stations};  // the station list window's rules
  Shell shell;
  Keyboard keyboard;
  // The network control port for rigctld clients.
  net::NetSettings netSettings;
  net::PanelRig panelRig;
  std::unique_ptr<RigctlServer> rigctl;
  // The log of the scan's stops on signals, and its windows.
  ScanLog scanLog;
  FileLineAppender scanLogFile;
  std::unique_ptr<ScanLogUi> scanLogUi;
  // The windows' language as the settings file holds it; a change counts from the next start.
  LanguageSettings language;
  // The band survey and its window.
  BandSurvey survey;
  std::unique_ptr<BandSurveyUi> surveyUi;
  // Skipped frequencies (skip.csv) and the priority watch's menu and caption.
  SkipList skips;
  QAction* SkipAdd_Menu;
  QAction* SkipTemp_Menu;
  QAction* Priority_Menu;
  QAction* PriorityOff_Menu;
  QLabel* Priority_Label;
  void SkipAdd_MenuClick();
  void SkipTemp_MenuClick();
  void Priority_MenuClick();
  void PriorityOff_MenuClick();
  void ShowPriority();
  // "局リストに追加" of the scan log: a single station of type "LOG" from a line, opened in the
  // station list window for naming.
  void AddLogStation(const ScanLogEntry& entry);
  void ShowSkipSaveFailed(const std::string& message) override;
  // The SDR panadapter that follows the receiver, ticked at the polling interval.
  net::Panadapter panadapter;
  QTimer* PanadapterTimer = nullptr;
  QAction* MenuPanadapter = nullptr;
  void MenuPanadapterClick();
  void PanadapterTick();
  // The panadapter's line of the on-line lamp's tooltip; empty while it is off.
  QString PanadapterTipLine() const;
  // Where the windows stood when the program was last left ("WINDOW" in the settings file).
  WindowPlaces windowPlaces;
  // Recording the audio of each stop, and by hand. The source comes after the recorder, so
  // it stops delivering before the recorder goes.
  Recorder recorder;
  std::unique_ptr<StopFanOut> stopFanOut;
  std::unique_ptr<RecorderUi> recorderUi;
  std::unique_ptr<AudioSource> audioSource;

  // Menu.
  QAction* CsvExport;
  QAction* CsvImport;
  QAction* Exit1;
  QAction* Exit2;
  QAction* Memory;
  QAction* MenuComOption;
  QAction* MenuOption;
  QAction* MenuNetPort;
  QAction* ScanLog_Menu;       // the scan log's window
  QAction* BandSurvey_Menu;    // the band survey's window
  QAction* MenuScanLog;        // the scan log on or off
  QAction* MenuLanguage;       // the language dialog
  QAction* RecordByHand_Menu;  // recording by hand (key R)
  QAction* MenuRecord;         // the recording's input
  QAction* Contents_Menu;
  QAction* Keyword_Menu;
  QAction* Help_Menu;
  QAction* MenuVer;
  // Panel. Every control carries its name as its object name too.
  // Band and station rows.
  Lamp* AutoMode_Panel;
  QPushButton* AutoMode_Button;
  Lamp* BandScan_Panel;
  QPushButton* BandScan_Button;
  QLabel *No_Panel, *Type_Panel, *Name_Panel, *Freq_Panel;
  QPushButton *Mem_Up_BitBtn, *Mem_Dw_BitBtn, *ReadBand_Button;
  Lamp* MemoMode_Panel;
  QPushButton* MemoMode_Button;
  Lamp* SingleScan_Panel;
  QPushButton* SingleScan_Button;
  QLabel *No_Panel_S, *Type_Panel_S, *Name_Panel_S, *Freq_Panel_S, *Step_Panel_S, *Mode_Panel_S;
  QPushButton *MemS_Up_BitBtn, *MemS_Dw_BitBtn, *ReadSingle_Button;
  // Memory row and store key.
  QFrame* M_Panel;
  std::array<QFrame*, 9> M_ModePanel{};    // [1..8]
  std::array<QPushButton*, 9> M_Button{};  // [1..8]
  QFrame* MemEdit_Panel;
  QPushButton* MemButton;
  QFrame* Panel3;
  QPushButton* M_SpeedButton;
  // Centre.
  QFrame* Main_Panel;
  PictureWidget* Main_Image;
  QSlider* AF_TrackBar;
  QLabel* MaxGainPanel;
  QLabel* Label5;
  QFrame* Signal_Panel;
  PictureWidget* Signal_Image;
  QFrame* Digital_Panel;
  ReadoutWidget* Image1;  // the readout
  QLabel* SignalLabel;
  std::array<QPushButton*, 8> Mode_Button{};  // [1..7] by mode number
  std::array<QPushButton*, 10> StepButton{};  // by step table index
  QImage DigitalDat_Image;                    // the glyph sheet, never shown
  // Link column.
  QFrame* Windw_Panel;
  Lamp* OnLineLampPanel;
  QPushButton* OnLine_Button;
  Lamp* Win0Panel;
  Lamp* Win1Panel;
  QPushButton* Win_Button0;
  Lamp* ATT_Panel;
  QPushButton* ATT_Button;
  QPushButton* ScanButton;
  Lamp* SPCH_Panel;
  Lamp* OK_Panel;
  // Scan column.
  QFrame* Step_Panel;
  UpDownWidget* UpDown1;
  QPushButton *UP_SC_Button, *ST_SC_Button, *DW_SC_Button;
  Lamp *ScanUP_Panel, *ScanDW_Panel;
  // Keypad.
  QFrame* Panel2;
  std::array<QPushButton*, 10> Button_{};  // Button_1..Button_9 at [1..9], Button10 at [0]
  QPushButton *Button11, *Button_BS, *Button_ESC, *Button_ENT;
  // Shift and converter.
  QPushButton *ShiftBand_Button, *ShiftSingle_Button;
  Lamp* ConvF_Panel;
  QPushButton* Convert_Button;
  // Band scope.
  QPushButton *BandWH_Button, *BandWMButton, *BandWL_Button;
  Lamp *BandWH_Panel, *BandWM_Panel, *BandWL_Panel;
  QFrame* Band_Panel;
  BandScopeWidget* BandImage;
  QSlider* BandTrackBar;
  QPushButton *Band_L_BitBtn, *Band_R_BitBtn, *BandRun_BitBtn, *BandLoop_BitBtn;
  // The window's first, centre and last frequency under the marker track bar.
  QLabel *BandFirst_Label, *BandCentre_Label, *BandLast_Label;
  QFrame* BandLoop_Panel;
  // Knob.
  QFrame* D_Panel;
  MouseImage* Dial_Image;
  MouseImage* SubDial_Image;
  MouseImage *L_FF_Image, *L_FF2_Image, *R_FF_Image, *R_FF2_Image;
  Lamp* Dial_Stop_Panel;
  QSlider* DialSpeed_TrackBar;
  QLabel *HighLabel, *LowLabel;
  // Dial.
  QPushButton* Button1;
  QFrame* Dial_Panel;
  PictureWidget* Scale_Image;
  QSlider* TrackBar1;

  QString HelpFile;
  // The help viewer, made when help is first asked for.
  THelpForm* HelpViewer() const { return help_; }
  // The notice that no receiver answered; made at the first such attempt.
  QMessageBox* NoAnswerNotice() const { return noAnswerBox_; }
  TVersionForm* Splash() const { return splash_.get(); }
  // True once the shutdown sequence has run.
  bool ShutDown() const { return closed_; }
  // The desktop session ends: a changed list is saved or discarded as the user answers, or,
  // when the session allows no question, kept in the recovery file with the list file left as
  // it is. `canAsk` asks the session for leave to show the question. Returns true when the
  // user closed the question, so the session should not end.
  bool SessionEnding(const std::function<bool()>& canAsk);

  // Handlers.
  void CsvExportClick();
  void CsvImportClick();
  void Exit1Click();
  void Exit2Click();
  void MemoryClick();
  void MemButtonClick();
  void ReadBand_ButtonClick();
  void ReadSingle_ButtonClick();
  void MenuComOptionClick();
  void MenuOptionClick();
  void MenuNetPortClick();
  void ScanLog_MenuClick();
  void BandSurvey_MenuClick();
  void MenuScanLogClick();
  void MenuLanguageClick();
  void RecordByHand_MenuClick();
  void MenuRecordClick();
  // Starts the chosen sound input, or the file FENNIX_AUDIO_FILE names; without either,
  // nothing is recorded.
  void StartRecording();
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
  void ShowNoAnswer(bool portOpened) override;
  // KnobView.
  void ShowDimple(int position) override;
  void ShowArrows(int lit) override;
  void ShowStopLamp(bool on) override;
  // BandScopeView.
  void ShowWidthLamps(int bandScope) override;
  void ShowScopeCleared(int points) override;
  void ShowMarker(int position) override;
  void ShowBar(int point, int level, int points, bool sColor) override;
  void ShowDemoText() override;
  void ShowLoopLamp(bool on) override;
  void ShowWindowLabels(std::int32_t first, std::int32_t centre, std::int32_t last) override;
  // MemoryKeysView.
  void ShowMemoryCaption(int key, const std::string& caption) override;
  void ShowMemoryStrip(int key, Strip colour) override;
  void ShowStoreKey(bool down) override;
  void RedrawPanel() override { Print_DATA_Sub(); }
  // PanelRigView.
  void ShowAfPosition(int position) override;
  // ScanView (ShowSquelchLabel is shared with the meter).
  void ShowScanLamps(int scanState) override;
  void ShowResumeMode(int resumeMode) override;
  void ShowErrorFlash(FlashLamp lamp, bool red) override;
  // IdentificationView.
  void ShowBandRow(const StationRow& row) override;
  void ShowStationRow(const StationRow& row) override;
  void ShowAutoModeLamps(bool on) override;
  void ShowMemoModeLamps(bool on) override;
  void ShowBandScanLamp(bool on) override;
  void ShowSingleScanLamp(bool on) override;
  void ShowTypeFilter(bool on) override;

  // Handlers of the panel's own controls.
  void KeyDown(int key) { keyboard.KeyDown(key); }
  void TrackBar1KeyUp(int key) { keyboard.TrackBar1KeyUp(key); }
  void SPCH_PanelMouseDown();
  void SPCH_PanelMouseUp();
  void DialSpeed_TrackBarChange(int position);
  // The type filter's panel is a key: pressed it shows lowered.
  void Type_Panel_SMouseDown();
  void Type_Panel_SMouseUp();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormClose();
  void BuildMenu();
  void BuildPanel();
  void BuildRows(QWidget* client);
  void BuildCentre(QWidget* client);
  void BuildKeypadAndKnob(QWidget* client);
  void BuildBandScope(QWidget* client);
  // Tooltips and screen reader names of the panel's controls (main_form_tips_qt.cpp).
  void ExplainControls();
  void WireComponents();
  void WireScanLog();
  void WireSurvey();
  void WireSkips();
  void WireRecorder();
  void CommError(std::exception_ptr error);
  // The on-line lamp's tooltip: the line's device and speed, and the network port.
  void UpdateOnLineTip();
  QString LineName(int comPort, std::int32_t baudRate) const;
  void Warn(const std::string& message);
  // Opens the network control port; a port that cannot be opened is told once.
  bool StartNetPort();
  // Opens the station list window; false when there is none.
  // `singleNo`: the single station's row to open on, else the identified one's.
  bool OpenDataForm(int dataMode, int listMode, int singleNo = 0);
  // "&LIST" and "L&IST" after their window closed: the list's changes and the chosen record.
  void ListKeyClick(int kind);
  // A record chosen in the window ends the type filter, and in the list layout is tuned to.
  void TakeChosenRecord();

  // Start-up and shutdown steps whose pieces live with their owners.
  void PaintReadoutBackground();
  void SetIdleLamps();
  void IniRead();
  void IniWrite();
  void DataRead();
  void DataWrite();
  // A list left unsaved by an earlier run: restored or dropped as the user answers.
  void OfferRecovery();
  int AskSave();
  void AutoMode_IdxInit();
  void Band_ButtonSet();
  void BandScopeInit();
  void PrintSignalScale();

  Port* line_ = nullptr;
  std::string settingsPath_;
  IniFile ini_;  // as read at start, for the COM device keys
  PanelSettings settings_;
  CommPort port_;
  std::unique_ptr<CommNotifier> notifier_;
  TOtherForms forms_;
  std::unique_ptr<TVersionForm> splash_;
  THelpForm* help_ = nullptr;
  THelpForm* Help();
  QMessageBox* noAnswerBox_ = nullptr;
  void PresentNotice();
  bool noticePending_ = false;  // told before the window was shown: shown with it
  // The colours the error flashes took from their lamps, innermost last.
  std::array<std::vector<QColor>, 3> flashed_;
  bool busyCursor_ = false;
  bool activated_ = false;  // the first activation, when the window is first shown
  bool closed_ = false;
};
