// The text conversions of station fields with arbitrary input.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "civ/civ.h"
#include "stations/cp932.h"
#include "stations/station_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const std::int32_t f = TextToFreq(text);
  const std::int32_t s = TextToStep(text);
  if (FreqToText(f).size() != 9 || StepToText(s).size() != 7) std::abort();
  // Shown frequencies read back to the hundred hertz. Below 100 kHz the text form has blanks
  // where the leading decimals would be, so it cannot read back; the receiver starts far above.
  if (f >= 100000 && TextToFreq(FreqToText(f)) != f / 100 * 100) std::abort();

  const std::string mode = NormalizeMode(text);
  bool known = mode.empty();
  for (const auto name : civ::ModeName) known = known || name == mode;
  if (!known) std::abort();

  const std::string utf8 = Cp932ToUtf8(text);
  (void)Utf8ToCp932(utf8);
  for (std::size_t max : {0u, 1u, 14u, 30u}) {
    if (Cp932Cut(text, max).size() > max) std::abort();
  }
  if (size >= 4) {
    std::int32_t v;
    std::memcpy(&v, bytes, 4);
    (void)FreqToText(v);
    (void)StepToText(v);
  }
  return 0;
}
