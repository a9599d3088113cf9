// The first free station record: empty means Frequency 0 and Frequency2 0. New, Add and the
// CSV import fill records found here, so nothing listed is ever overwritten.
#pragma once

#include "stations/station_file.h"

// The first empty record among from..10000, or 0 when every station record is in use.
inline int FindNull(const MemoData& data, int from = 1) {
  for (int n = from < 1 ? 1 : from; n <= kStationCount; ++n)
    if (data[n].Frequency == 0 && data[n].Frequency2 == 0) return n;
  return 0;
}
