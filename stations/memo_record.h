// The station record: 148 bytes, identical in memory layout terms and in ICLIST.DAT. The
// bytes are always read and written field by field in little-endian order, so the file format
// does not depend on the compiler's struct layout or the host's byte order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// A length-prefixed text field of at most N bytes, kept as the CP932 bytes of the file.
template <std::size_t N>
struct ShortText {
  static constexpr std::size_t kMax = N;
  std::uint8_t Length = 0;
  std::array<std::uint8_t, N> Text{};

  // The text as stored; a length above the field's width counts as the width.
  std::string_view View() const {
    return {reinterpret_cast<const char*>(Text.data()), Length > N ? N : std::size_t{Length}};
  }
  // Stores the bytes, cut to the field's width; the rest of the area is cleared.
  void Assign(std::string_view bytes) {
    const std::size_t n = bytes.size() > N ? N : bytes.size();
    Text.fill(0);
    for (std::size_t i = 0; i < n; ++i) Text[i] = static_cast<std::uint8_t>(bytes[i]);
    Length = static_cast<std::uint8_t>(n);
  }
  bool operator==(const ShortText&) const = default;
};

struct MemoRecord {
  std::int32_t Reserved = 0;    // not interpreted, written back as loaded
  std::int32_t Frequency = 0;   // Hz; a band's lower edge; 0 = none
  std::int32_t Frequency2 = 0;  // Hz; a band's upper edge; 0 for a single station
  std::int32_t Mode = 0;        // index into civ::ModeName; 0 = none
  std::int32_t Step = 0;        // Hz; 0 = none
  std::int32_t Shift = 0;       // kHz, signed
  std::int32_t Select = 0;      // sensitivity class
  ShortText<30> Name;           // station name
  ShortText<20> Address;        // location
  ShortText<14> Type;           // radio service type
  ShortText<50> Etc;            // remarks

  bool operator==(const MemoRecord&) const = default;
};

// Byte offsets of the fields in the file.
namespace memo_layout {
inline constexpr std::size_t kReserved = 0;
inline constexpr std::size_t kFrequency = 4;
inline constexpr std::size_t kFrequency2 = 8;
inline constexpr std::size_t kMode = 12;
inline constexpr std::size_t kStep = 16;
inline constexpr std::size_t kShift = 20;
inline constexpr std::size_t kSelect = 24;
inline constexpr std::size_t kName = 28;
inline constexpr std::size_t kAddress = kName + 1 + 30;
inline constexpr std::size_t kType = kAddress + 1 + 20;
inline constexpr std::size_t kEtc = kType + 1 + 14;
inline constexpr std::size_t kPadding = kEtc + 1 + 50;
inline constexpr std::size_t kRecordSize = kPadding + 2;
static_assert(kAddress == 59 && kType == 80 && kEtc == 95 && kPadding == 146);
static_assert(kRecordSize == 148);
}  // namespace memo_layout

inline constexpr std::size_t kMemoRecordSize = memo_layout::kRecordSize;

// Reads one record from 148 bytes; length bytes above a field's width are clamped to it.
MemoRecord DecodeMemoRecord(const std::uint8_t* bytes);
// Writes one record as 148 bytes; the two padding bytes are written as zero.
void EncodeMemoRecord(const MemoRecord& record, std::uint8_t* bytes);
