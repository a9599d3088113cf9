// The station list as the rest of the program sees it: whether it changed since start, and
// the editor's input-list options.
#pragma once

class StationList {
 public:
  bool DataChanged = false;
  bool ModeListA = true;
  bool ModeListB = true;
  bool TypeListA = true;
  bool TypeListB = true;
};
