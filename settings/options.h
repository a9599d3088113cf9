// The rules of the options dialog, apart from its window: which typed texts are stored and
// how, the bounds, the converter edits, and the fifteen values kept while the dialog is open
// so that "キャンセル" can put them back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The fifteen values the dialog changes, as they stand at one moment.
struct OptionValues {
  int ScanTime = 30;
  bool S_Color = false;
  int IntTime = 200;
  std::int16_t ScanMode = 0;    // resume condition chosen for the next start
  std::int16_t ResumeMode = 0;  // resume condition in force
  int StopTime = 5000;
  bool StartMode = true;
  bool ModeListA = true;
  bool ModeListB = true;
  bool TypeListA = true;
  bool TypeListB = true;
  std::int32_t ConvertShift = 60000000;
  std::int32_t ConvertStart = 20000;
  std::int32_t ConvertEnd = 60000000;
  int ReceiverModel = 0;
  bool operator==(const OptionValues&) const = default;
};

// The same fifteen values where they live, with their owners (the scan engine, the meter,
// the link, the station list and the tuning model). The dialog changes them through this.
struct OptionRefs {
  int& ScanTime;
  bool& S_Color;
  int& IntTime;
  std::int16_t& ScanMode;
  std::int16_t& ResumeMode;
  int& StopTime;
  bool& StartMode;
  bool& ModeListA;
  bool& ModeListB;
  bool& TypeListA;
  bool& TypeListB;
  std::int32_t& ConvertShift;
  std::int32_t& ConvertStart;
  std::int32_t& ConvertEnd;
  int& ReceiverModel;

  OptionValues Snapshot() const;
  void Restore(const OptionValues& values);
};

// What a change of a text asks of the dialog.
struct OptionEffect {
  // A text the integer conversion rejects: the toolkit's conversion error, for a message box.
  std::optional<std::string> error;
  // A converter edit's new text (the edit shows a valid number again).
  std::optional<std::string> editText;
  bool operator==(const OptionEffect&) const = default;
};

// The conversion error's message for a text.
std::string ConversionErrorText(std::string_view text);

// Change handlers, one per text control; each stores what its rule allows.
// Scan time: text check A, no bounds.
OptionEffect ScanComboBoxChange(int& scanTime, std::string_view text);
// Resume delay in seconds: text check B, stored as ms within 1000..30000.
OptionEffect StopTimeComboBoxChange(int& stopTime, std::string_view text);
// Polling interval in ms: text check B, within 10..1000.
OptionEffect ComTimeComboBoxChange(int& intTime, std::string_view text);
// A converter value typed in kHz, stored in Hz.
OptionEffect ConvFreqEditChange(std::int32_t& value, std::string_view text);
// The resume condition 0..3, for the next start and at once.
void ScanStopRadioGroupClick(OptionRefs& refs, int index);

// How the dialog shows the stored values: the resume delay in whole seconds and the
// converter values in kHz as trunc((value + 1) / 1000).
std::string StopTimeText(int stopTime);
std::string ConverterText(std::int32_t value);
