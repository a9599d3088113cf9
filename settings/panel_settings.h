// The settings file's values, reached at their owners: nothing here keeps a copy.
#pragma once

#include "settings/settings.h"

class Tuning;
class Link;
class Meter;
class Knob;
class ScanEngine;
class BandScopeEngine;
class Identification;
class StationList;
class ScanLog;
struct LanguageSettings;
class BandSurvey;
struct WindowPlaces;
class Recorder;
namespace net {
struct NetSettings;
struct PanadapterSettings;
}  // namespace net

class PanelSettings : public SettingsAccess {
 public:
  PanelSettings(Tuning& tuning, Link& link, Meter& meter, Knob& knob, ScanEngine& scan,
                BandScopeEngine& bandScope, Identification& identification, StationList& stations)
      : tuning_(tuning),
        link_(link),
        meter_(meter),
        knob_(knob),
        scan_(scan),
        bandScope_(bandScope),
        identification_(identification),
        stations_(stations) {}

  std::int32_t Get(SettingId id) const override;
  void Set(SettingId id, std::int32_t value) override;
  // The network control port's section, when the program has one.
  void BindNet(net::NetSettings& net) { net_ = &net; }
  // The scan log's section, after the network port's.
  void BindLog(ScanLog& log) { log_ = &log; }
  // The windows' language, section "UI", after the scan log's.
  void BindLanguage(LanguageSettings& language) { language_ = &language; }
  // The band survey's section.
  void BindSurvey(BandSurvey& survey) { survey_ = &survey; }
  // The panadapter's section, after the scan log's.
  void BindPanadapter(net::PanadapterSettings& panadapter) { panadapter_ = &panadapter; }
  // Where the windows stood, after the scan log's section.
  void BindWindows(WindowPlaces& places) { places_ = &places; }
  // The recordings' section, after the scan log's.
  void BindRecord(Recorder& recorder) { record_ = &recorder; }
  void ReadMore(const IniFile& ini) override;
  void WriteMore(IniFile& ini) const override;

 private:
  Tuning& tuning_;
  Link& link_;
  Meter& meter_;
  Knob& knob_;
  ScanEngine& scan_;
  BandScopeEngine& bandScope_;
  Identification& identification_;
  StationList& stations_;
  net::NetSettings* net_ = nullptr;
  ScanLog* log_ = nullptr;
  LanguageSettings* language_ = nullptr;
  BandSurvey* survey_ = nullptr;
  net::PanadapterSettings* panadapter_ = nullptr;
  WindowPlaces* places_ = nullptr;
  Recorder* record_ = nullptr;
};
