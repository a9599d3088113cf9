// The file menu's CSV items: choosing a file, the summary the user confirms before an import,
// and the messages. The work itself is stations/station_csv.h.
#pragma once

class QWidget;
class StationList;
struct StationIndex;

// Asks for a file and writes the list (and, when asked to, the memory keys) to it.
// `found`: the stations the last find in the station list window meets; when there are any
// the user may write only them.
void ExportStationsCsv(QWidget* parent, const StationList& stations, const StationIndex& found);
// Asks for a file, reads it and shows what would happen; adds the stations only when the user
// confirms. Returns true when something was added (DataChanged is then set).
bool ImportStationsCsv(QWidget* parent, StationList& stations);
