// The tuning model: two frequency windows with their steps and modes, the tunable range and
// the frequency converter, and the operations that change them and tell the receiver.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class BandScopeControl;
class Host;
class IdentificationControl;
class KnobControl;
class Link;
class Meter;
class ScanControl;

// What the tuning model shows.
class TuningView {
 public:
  virtual ~TuningView() = default;
  virtual void ShowFrequency() = 0;  // the readout of the current window or the entry
  virtual void ShowStep() = 0;
  virtual void ShowMode() = 0;
  // Setting TrackBar1 from the program never counts as a user move.
  virtual void ShowTrackBarPosition(int position) = 0;
  virtual void ShowTrackBarRange(int minimum, int maximum) = 0;
  virtual void ShowWindowLamps(bool onLine, bool windowA, bool windowB) = 0;
  virtual void ShowConverterLamp(bool on) = 0;
  virtual void ShowScale(int intervalMHz) = 0;
  virtual void ShowAddress(const std::string& text) = 0;  // Button1's caption
  virtual void FocusTrackBar() = 0;
};

class Tuning {
 public:
  static constexpr std::int32_t kFallbackLower = 25000000;
  static constexpr std::int32_t kFallbackUpper = 1299999900;

  // Arrays are indexed by window: 1 = A, 2 = B (entry 0 unused).
  std::uint16_t Window = 1;
  std::array<std::int32_t, 3> Frequency{0, 0, 0};
  std::array<std::int32_t, 3> Step{0, 12500, 12500};
  std::array<std::uint16_t, 3> Mode{0, 5, 5};

  std::int32_t LowerLimit = 0;
  std::int32_t UpperLimit = 0;

  bool ConvertOn = false;
  std::int32_t ConvertShift = 60000000;
  std::int32_t ConvertStart = 20000;
  std::int32_t ConvertEnd = 60000000;
  std::int32_t SavedLower = 0;
  std::int32_t SavedUpper = 0;

  // Direct frequency entry from the keypad or keyboard.
  bool EntryActive = false;
  std::uint16_t EntryDecimals = 0;
  std::int32_t EntryValue = 0;

  // Whether the window lamps were last drawn lit.
  bool WindowLampsLit = false;

  // The knob's dimple follows every step, and its arrows clear when tuning by hand.
  void Bind(Host& host, Link& link, Meter& meter, KnobControl& knob, TuningView& view) {
    host_ = &host;
    link_ = &link;
    meter_ = &meter;
    knob_ = &knob;
    view_ = &view;
  }
  // The scan engine and the identification, which manual tuning stops and informs.
  void BindScan(ScanControl& scan, IdentificationControl& identification) {
    scan_ = &scan;
    identification_ = &identification;
  }
  // The band scope, which follows the tuning and whose loop manual tuning ends.
  void BindBandScope(BandScopeControl& bandScope) { bandScope_ = &bandScope; }

  std::int32_t CurrentFrequency() const { return Frequency[Window]; }
  std::int32_t CurrentStep() const { return Step[Window]; }

  // Clamp the current window into the limits: above the upper limit first, then below the
  // lower one.
  void ClampCurrent();

  // One step up or down on the step's grid; the caller sends.
  void DialUp();
  void DialDown();

  // Sending to the receiver.
  void ChannelSend();
  void ChannelSendSub(std::int32_t frequency);
  void ChannelStepOut(int index);
  void ChannelStepOut2();
  void ChannelModeOut();

  // Redrawing.
  void PrintDial();
  void PrintStep();
  void PrintMode();
  void PrintWindow();

  // The panel's controls.
  void TrackBar1Change(int position);
  // Tuning by hand (the track bar, a network client): a running scan or sweep ends first. A
  // network client, which asks for its own reading once the frequency is out, passes
  // `signalWhenIdle` = false: the stop's signal request is then sent only to end a scan.
  void TuneManually(std::int32_t frequency, bool signalWhenIdle = true);
  void UpDown1Click(bool up);
  void StepButtonClick(int index);
  void ModeButtonClick(int mode);
  void Win_Button0_Click();
  // Makes window 1 (A) or 2 (B) current on the receiver; off line nothing changes.
  void SelectWindow(int window);
  void Win_Set(std::uint8_t window);
  void Convert_ButtonClick();
  void Button1Click(int receiverModel);
  void PrintScale(int intervalMHz) { view_->ShowScale(intervalMHz); }
  void FocusTrackBar() { view_->FocusTrackBar(); }
  // TrackBar1's range from the limits, in 100 kHz units.
  void SetTrackBarRange(bool raiseZeroMinimum);

 private:
  Host* host_ = nullptr;
  Link* link_ = nullptr;
  Meter* meter_ = nullptr;
  KnobControl* knob_ = nullptr;
  TuningView* view_ = nullptr;
  ScanControl* scan_ = nullptr;
  IdentificationControl* identification_ = nullptr;
  BandScopeControl* bandScope_ = nullptr;
};

// Frequency texts: "145.145.0" (a point after the third and sixth digit from the right where
// more digits follow, the last two digits dropped), and the memo's short form "145.14" of a
// number in kHz.
std::string FrequencyText(std::int64_t frequency);
std::string MemoFrequencyText(std::int64_t number);
