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
class Recorder;
namespace net {
struct NetSettings;
}

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
  Recorder* record_ = nullptr;
};
