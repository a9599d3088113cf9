// The skip list's reader with arbitrary bytes: every skip it keeps has a positive frequency
// and a mode the panel knows, the skips come sorted one per frequency, and what it reads
// writes and reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scan/skip_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::vector<SkipEntry> read =
      ReadSkipCsv(std::string_view(reinterpret_cast<const char*>(bytes), size));
  if (read.size() > kMaxSkips) std::abort();
  for (std::size_t k = 0; k < read.size(); ++k) {
    if (read[k].frequency <= 0 || read[k].mode < 0 || read[k].mode > 7) std::abort();
    if (k > 0 && read[k - 1].frequency >= read[k].frequency) std::abort();
  }
  // Names and dates with line breaks come back on one line; the rest is the same.
  std::vector<SkipEntry> again = ReadSkipCsv(SkipCsvText(read));
  if (again.size() != read.size()) std::abort();
  for (std::size_t k = 0; k < read.size(); ++k)
    if (again[k].frequency != read[k].frequency || again[k].mode != read[k].mode) std::abort();
  return 0;
}
