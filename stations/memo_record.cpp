#include "stations/memo_record.h"

namespace {

std::int32_t GetInt(const std::uint8_t* p) {
  const std::uint32_t v = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                          std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
  return static_cast<std::int32_t>(v);
}

void PutInt(std::int32_t value, std::uint8_t* p) {
  const auto v = static_cast<std::uint32_t>(value);
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

// The whole text area is kept, so bytes after the text survive a load and save unchanged.
template <std::size_t N>
void GetText(const std::uint8_t* p, ShortText<N>& text) {
  text.Length = p[0] > N ? static_cast<std::uint8_t>(N) : p[0];
  for (std::size_t i = 0; i < N; ++i) text.Text[i] = p[1 + i];
}

template <std::size_t N>
void PutText(const ShortText<N>& text, std::uint8_t* p) {
  p[0] = text.Length > N ? static_cast<std::uint8_t>(N) : text.Length;
  for (std::size_t i = 0; i < N; ++i) p[1 + i] = text.Text[i];
}

}  // namespace

MemoRecord DecodeMemoRecord(const std::uint8_t* bytes) {
  using namespace memo_layout;
  MemoRecord r;
  r.Reserved = GetInt(bytes + kReserved);
  r.Frequency = GetInt(bytes + kFrequency);
  r.Frequency2 = GetInt(bytes + kFrequency2);
  r.Mode = GetInt(bytes + kMode);
  r.Step = GetInt(bytes + kStep);
  r.Shift = GetInt(bytes + kShift);
  r.Select = GetInt(bytes + kSelect);
  GetText(bytes + kName, r.Name);
  GetText(bytes + kAddress, r.Address);
  GetText(bytes + kType, r.Type);
  GetText(bytes + kEtc, r.Etc);
  return r;
}

void EncodeMemoRecord(const MemoRecord& r, std::uint8_t* bytes) {
  using namespace memo_layout;
  PutInt(r.Reserved, bytes + kReserved);
  PutInt(r.Frequency, bytes + kFrequency);
  PutInt(r.Frequency2, bytes + kFrequency2);
  PutInt(r.Mode, bytes + kMode);
  PutInt(r.Step, bytes + kStep);
  PutInt(r.Shift, bytes + kShift);
  PutInt(r.Select, bytes + kSelect);
  PutText(r.Name, bytes + kName);
  PutText(r.Address, bytes + kAddress);
  PutText(r.Type, bytes + kType);
  PutText(r.Etc, bytes + kEtc);
  bytes[kPadding] = 0;
  bytes[kPadding + 1] = 0;
}
