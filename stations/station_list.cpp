#include "stations/station_list.h"

StationSaveResult StationList::SaveOnExit(int exitChoice, const AtomicWriteOptions& options) {
  StationSaveResult result = File.DataWrite(Data, DataChanged, exitChoice, options);
  if (result.ok()) {
    if (!KeepRecovery) File.DropRecovery();
    return result;
  }
  const std::string path = File.RecoveryPath();
  if (const std::string reason = File.WriteRecovery(Data); reason.empty()) {
    KeepRecovery = true;
    result.message += "\n変更は " + path + " に残しました。次回の起動時に復元できます。";
  } else {
    result.message += "\n変更を " + path + " にも残せませんでした（" + reason + "）。";
  }
  return result;
}

std::string StationList::Restore() {
  KeepRecovery = true;
  if (std::string reason = File.ReadRecovery(Data); !reason.empty()) return reason;
  // Saved or discarded on the way out like any edit; the file goes then.
  DataChanged = true;
  KeepRecovery = false;
  return "";
}
