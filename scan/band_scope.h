// Band scope state.
#pragma once

class BandScopeEngine {
 public:
  int BandScope = 2;  // width 1..3
};
