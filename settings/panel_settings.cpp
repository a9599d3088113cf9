#include "settings/panel_settings.h"

#include "civ/link.h"
#include "net/net_settings.h"
#include "net/panadapter.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "record/recorder.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "scanlog/scan_log.h"
#include "scope/band_scope.h"
#include "settings/language.h"
#include "settings/window_places.h"
#include "stations/station_list.h"
#include "survey/band_survey.h"

std::int32_t PanelSettings::Get(SettingId id) const {
  switch (id) {
    case SettingId::ComPort:
      return link_.ComPort;
    case SettingId::BaudIndex:
      return link_.BaudIndex;
    case SettingId::AF:
      return meter_.AfPosition;
    case SettingId::IntTime:
      return link_.IntTime;
    case SettingId::ScanTime:
      return scan_.ScanTime;
    case SettingId::ScanMode:
      return scan_.ScanMode;
    case SettingId::StopTime:
      return scan_.StopTime;
    case SettingId::ModeListA:
      return stations_.ModeListA;
    case SettingId::ModeListB:
      return stations_.ModeListB;
    case SettingId::TypeListA:
      return stations_.TypeListA;
    case SettingId::TypeListB:
      return stations_.TypeListB;
    case SettingId::StartMode:
      return link_.StartMode;
    case SettingId::BandScope:
      return bandScope_.BandScope;
    case SettingId::AutoMode:
      return identification_.AutoMode;
    case SettingId::MemoMode:
      return identification_.MemoMode;
    case SettingId::BandScan:
      return scan_.BandScan;
    case SettingId::SingleScan:
      return scan_.SingleScan;
    case SettingId::DialSpeed:
      return knob_.DialSpeed;
    case SettingId::S_Color:
      return meter_.S_Color;
    case SettingId::FrequencyA:
      return tuning_.Frequency[1];
    case SettingId::FrequencyB:
      return tuning_.Frequency[2];
    case SettingId::ModeA:
      return tuning_.Mode[1];
    case SettingId::ModeB:
      return tuning_.Mode[2];
    case SettingId::StepA:
      return tuning_.Step[1];
    case SettingId::StepB:
      return tuning_.Step[2];
    case SettingId::ConvertShift:
      return tuning_.ConvertShift;
    case SettingId::ConvertStart:
      return tuning_.ConvertStart;
    case SettingId::ConvertEnd:
      return tuning_.ConvertEnd;
    case SettingId::ReceiverModel:
      return link_.ReceiverModel;
  }
  return 0;
}

void PanelSettings::Set(SettingId id, std::int32_t v) {
  switch (id) {
    case SettingId::ComPort:
      link_.ComPort = v;
      break;
    case SettingId::BaudIndex:
      link_.BaudIndex = v;
      break;
    case SettingId::AF:
      meter_.AfPosition = v;
      break;
    case SettingId::IntTime:
      link_.IntTime = v;
      break;
    case SettingId::ScanTime:
      scan_.ScanTime = v;
      break;
    case SettingId::ScanMode:
      scan_.ScanMode = static_cast<std::int16_t>(v);
      break;
    case SettingId::StopTime:
      scan_.StopTime = v;
      break;
    case SettingId::ModeListA:
      stations_.ModeListA = v != 0;
      break;
    case SettingId::ModeListB:
      stations_.ModeListB = v != 0;
      break;
    case SettingId::TypeListA:
      stations_.TypeListA = v != 0;
      break;
    case SettingId::TypeListB:
      stations_.TypeListB = v != 0;
      break;
    case SettingId::StartMode:
      link_.StartMode = v != 0;
      break;
    case SettingId::BandScope:
      bandScope_.BandScope = v;
      break;
    case SettingId::AutoMode:
      identification_.AutoMode = v != 0;
      break;
    case SettingId::MemoMode:
      identification_.MemoMode = v != 0;
      break;
    case SettingId::BandScan:
      scan_.BandScan = v != 0;
      break;
    case SettingId::SingleScan:
      scan_.SingleScan = v != 0;
      break;
    case SettingId::DialSpeed:
      knob_.DialSpeed = v;
      break;
    case SettingId::S_Color:
      meter_.S_Color = v != 0;
      break;
    case SettingId::FrequencyA:
      tuning_.Frequency[1] = v;
      break;
    case SettingId::FrequencyB:
      tuning_.Frequency[2] = v;
      break;
    case SettingId::ModeA:
      tuning_.Mode[1] = static_cast<std::uint16_t>(v);
      break;
    case SettingId::ModeB:
      tuning_.Mode[2] = static_cast<std::uint16_t>(v);
      break;
    case SettingId::StepA:
      tuning_.Step[1] = v;
      break;
    case SettingId::StepB:
      tuning_.Step[2] = v;
      break;
    case SettingId::ConvertShift:
      tuning_.ConvertShift = v;
      break;
    case SettingId::ConvertStart:
      tuning_.ConvertStart = v;
      break;
    case SettingId::ConvertEnd:
      tuning_.ConvertEnd = v;
      break;
    case SettingId::ReceiverModel:
      link_.ReceiverModel = v;
      break;
  }
}

void PanelSettings::ReadMore(const IniFile& ini) {
  if (net_) net::ReadNetSettings(ini, *net_);
  if (log_) ReadScanLogSettings(ini, *log_);
  if (language_) ReadLanguageSettings(ini, *language_);
  if (survey_) ReadSurveySettings(ini, *survey_);
  ReadPrioritySettings(ini, scan_);
  if (panadapter_) net::ReadPanadapterSettings(ini, *panadapter_);
  if (places_) ReadWindowPlaces(ini, *places_);
  if (record_) ReadRecordSettings(ini, *record_);
}

void PanelSettings::WriteMore(IniFile& ini) const {
  if (net_) net::WriteNetSettings(ini, *net_);
  if (log_) WriteScanLogSettings(ini, *log_);
  if (language_) WriteLanguageSettings(ini, *language_);
  if (survey_) WriteSurveySettings(ini, *survey_);
  WritePrioritySettings(ini, scan_);
  if (panadapter_) net::WritePanadapterSettings(ini, *panadapter_);
  if (places_) WriteWindowPlaces(ini, *places_);
  if (record_) WriteRecordSettings(ini, *record_);
}
