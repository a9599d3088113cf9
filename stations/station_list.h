// The station list: the table of records, its file, its indexes, whether it changed since
// start, and the editor's input-list options.
#pragma once

#include <functional>

#include "stations/station_file.h"
#include "stations/station_index.h"

class StationList {
 public:
  MemoData Data;
  StationFile File;
  StationIndexes Indexes;

  bool DataChanged = false;
  bool ModeListA = true;
  bool ModeListB = true;
  bool TypeListA = true;
  bool TypeListB = true;

  StationLoadResult DataRead(const std::function<void(int)>& progress) {
    return File.DataRead(Data, progress);
  }
  // Written only when the list changed and the user chose to save.
  StationSaveResult DataWrite(int exitChoice) {
    return File.DataWrite(Data, DataChanged, exitChoice);
  }
  void AutoMode_IdxInit() { Indexes.AutoMode_IdxInit(Data); }
};
