// The panel's engine components bound to each other as the program runs them. The main
// window, the test rig, the benchmarks and the fuzz targets all wire the engine here, so the
// call graph has one place.
#pragma once

#include "base/host.h"
#include "civ/link.h"
#include "panel/knob.h"
#include "panel/meter.h"
#include "panel/tuning.h"
#include "scan/identification.h"
#include "scan/scan_engine.h"
#include "scope/band_scope.h"
#include "stations/station_list.h"

// `views` shows the panel (tuning, meter, link, knob, scan and identification views);
// `scopeView` shows the band scope.
template <typename Views>
void BindEngine(Host& host, Tuning& tuning, Link& link, Meter& meter, Knob& knob, ScanEngine& scan,
                Identification& identification, BandScopeEngine& bandScope, StationList& stations,
                Views& views, BandScopeView& scopeView) {
  tuning.Bind(host, link, meter, knob, views);
  meter.Bind(host, link, views);
  link.Bind(host, tuning, meter, scan, views);
  knob.Bind(tuning, views);
  scan.Bind(host, tuning, link, meter, knob, stations, identification, bandScope, views);
  identification.Bind(host, tuning, scan, stations, bandScope, views);
  bandScope.Bind(host, tuning, link, meter, knob, scan, identification, scopeView);
  tuning.BindScan(scan, identification);
  knob.BindScan(scan, identification);
  meter.BindScan(scan);
  link.BindIdentification(identification);
  tuning.BindBandScope(bandScope);
  meter.BindBandScope(bandScope);
  link.BindBandScope(bandScope);
  knob.BindBandScope(bandScope);
}
