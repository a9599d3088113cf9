// The reply parser fed arbitrary byte streams in arbitrary chunks: it must not crash, and
// the text it keeps between chunks must stay under its bound.
#include <cstddef>
#include <cstdint>

#include "fuzz/link_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  LinkHarness h;
  // The first byte sets the chunk sizes and the converter; the rest is the line.
  std::uint32_t state = data[0] * 2654435761u + 1;
  h.tuning.ConvertOn = (data[0] & 1) != 0;
  h.scan.ScanState = (data[0] & 2) ? 1 : 0;
  for (std::size_t at = 1; at < size;) {
    state = state * 1103515245u + 12345u;
    const std::size_t chunk = std::min<std::size_t>(size - at, 1 + (state >> 16) % 300);
    h.Arrive(data + at, chunk);
    if (h.link.ReceiveText.size() >= Link::kReceiveTextLimit) __builtin_trap();
    at += chunk;
  }
  h.host.Delay(5);
  if (h.link.ReceiveBusy || h.port.InQueue() != 0) __builtin_trap();
  return 0;
}
