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

  // The recovery file holds edits kept nowhere else: leaving must not remove it.
  bool KeepRecovery = false;
  // Saving on the way out. A failed save keeps the edits in the recovery file and says so in
  // its message; otherwise a recovery file no longer needed goes.
  StationSaveResult SaveOnExit(int exitChoice, const AtomicWriteOptions& options = {});
  // The session ends with no one to ask: the list file stays, the edits go to the recovery file.
  void KeepForRecovery() { KeepRecovery = File.WriteRecovery(Data).empty(); }
  // The recovery file as the list, a change to be saved; the reason when it cannot be read
  // (the file then stays).
  std::string Restore();
  void AutoMode_IdxInit() { Indexes.AutoMode_IdxInit(Data); }
};
