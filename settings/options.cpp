#include "settings/options.h"

#include <algorithm>
#include <cstdint>

#include "base/text.h"
#include "stations/decimal.h"

OptionValues OptionRefs::Snapshot() const {
  return {ScanTime,  S_Color,      IntTime,      ScanMode,   ResumeMode,
          StopTime,  StartMode,    ModeListA,    ModeListB,  TypeListA,
          TypeListB, ConvertShift, ConvertStart, ConvertEnd, ReceiverModel};
}

void OptionRefs::Restore(const OptionValues& v) {
  ScanTime = v.ScanTime;
  S_Color = v.S_Color;
  IntTime = v.IntTime;
  ScanMode = v.ScanMode;
  ResumeMode = v.ResumeMode;
  StopTime = v.StopTime;
  StartMode = v.StartMode;
  ModeListA = v.ModeListA;
  ModeListB = v.ModeListB;
  TypeListA = v.TypeListA;
  TypeListB = v.TypeListB;
  ConvertShift = v.ConvertShift;
  ConvertStart = v.ConvertStart;
  ConvertEnd = v.ConvertEnd;
  ReceiverModel = v.ReceiverModel;
}

std::string ConversionErrorText(std::string_view text) {
  return text::Arg(text::Tr("Options", "'%1' は有効な整数値ではありません"), {text});
}

namespace {

// A short text (under five characters) must be all digits to count.
bool ShortAndNotDigits(std::string_view text) {
  return text.size() < 5 &&
         std::any_of(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; });
}

// Text check B: converted first, then a short text with a non-digit is not stored.
OptionEffect CheckB(int& setting, std::string_view text, std::int64_t factor, std::int64_t low,
                    std::int64_t high) {
  const std::optional<std::int32_t> value = DecimalValue(text);
  if (!value) return {ConversionErrorText(text), std::nullopt};
  if (ShortAndNotDigits(text)) return {};
  setting = static_cast<int>(std::clamp(*value * factor, low, high));
  return {};
}

}  // namespace

OptionEffect ScanComboBoxChange(int& scanTime, std::string_view text) {
  if (ShortAndNotDigits(text)) return {};
  const std::optional<std::int32_t> value = DecimalValue(text);
  if (!value) return {ConversionErrorText(text), std::nullopt};
  scanTime = *value;
  return {};
}

OptionEffect StopTimeComboBoxChange(int& stopTime, std::string_view text) {
  return CheckB(stopTime, text, 1000, 1000, 30000);
}

OptionEffect ComTimeComboBoxChange(int& intTime, std::string_view text) {
  return CheckB(intTime, text, 1, 10, 1000);
}

OptionEffect ConvFreqEditChange(std::int32_t& value, std::string_view text) {
  const std::optional<std::int32_t> kHz = DecimalValue(text);
  if (kHz) {
    const std::int64_t hz = std::int64_t{*kHz} * 1000;
    if (hz >= INT32_MIN && hz <= INT32_MAX) {
      value = static_cast<std::int32_t>(hz);
      return {};
    }
  }
  // An emptied edit stands for 0; anything else shows the stored value again.
  if (text.empty()) value = 0;
  return {std::nullopt, ConverterText(value)};
}

void ScanStopRadioGroupClick(OptionRefs& refs, int index) {
  refs.ScanMode = static_cast<std::int16_t>(index);
  refs.ResumeMode = static_cast<std::int16_t>(index);
}

std::string StopTimeText(int stopTime) { return std::to_string(stopTime / 1000); }

std::string ConverterText(std::int32_t value) {
  return std::to_string((std::int64_t{value} + 1) / 1000);
}
