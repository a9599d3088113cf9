// Automatic station identification and memo mode.
#pragma once

class Identification {
 public:
  bool AutoMode = true;
  bool MemoMode = true;
};
