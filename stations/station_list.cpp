#include "stations/station_list.h"

#include "base/text.h"

StationSaveResult StationList::SaveOnExit(int exitChoice, const AtomicWriteOptions& options) {
  StationSaveResult result = File.DataWrite(Data, DataChanged, exitChoice, options);
  if (result.ok()) {
    if (!KeepRecovery) File.DropRecovery();
    return result;
  }
  const std::string path = File.RecoveryPath();
  if (const std::string reason = File.WriteRecovery(Data); reason.empty()) {
    KeepRecovery = true;
    result.message += text::Arg(
        text::Tr("StationList", "\n変更は %1 に残しました。次回の起動時に復元できます。"), {path});
  } else {
    result.message += text::Arg(text::Tr("StationList", "\n変更を %1 にも残せませんでした（%2）。"),
                                {path, reason});
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
