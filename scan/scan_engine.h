// Scan state and timing.
#pragma once

#include <cstdint>

class ScanEngine {
 public:
  std::int16_t ScanState = 0;   // 0 stopped, otherwise the scan direction
  std::int16_t ScanMode = 0;    // resume rule chosen in the options
  std::int16_t ResumeMode = 0;  // resume rule in force
  int ScanTime = 30;
  int StopTime = 5000;
  std::uint32_t StopTick = 0;
  bool BandScan = false;
  bool SingleScan = false;
};
