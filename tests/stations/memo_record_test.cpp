// The 148-byte record as it lies in ICLIST.DAT.
#include "stations/memo_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::int32_t IntAt(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24);
}

TEST(MemoRecord, FieldsLieAtTheirOffsetsLittleEndian) {
  MemoRecord r;
  r.Reserved = 0x11223344;
  r.Frequency = 145000000;
  r.Frequency2 = -1;
  r.Mode = 5;
  r.Step = 12500;
  r.Shift = -600;
  r.Select = 3;
  r.Name.Assign("NAME");
  r.Address.Assign("ADDR");
  r.Type.Assign("TYPE");
  r.Etc.Assign("ETC");

  std::uint8_t b[kMemoRecordSize];
  std::memset(b, 0xAA, sizeof b);
  EncodeMemoRecord(r, b);
  EXPECT_EQ(b[0], 0x44);  // least significant byte first
  EXPECT_EQ(b[3], 0x11);
  EXPECT_EQ(IntAt(b + 4), 145000000);
  EXPECT_EQ(IntAt(b + 8), -1);
  EXPECT_EQ(IntAt(b + 12), 5);
  EXPECT_EQ(IntAt(b + 16), 12500);
  EXPECT_EQ(IntAt(b + 20), -600);
  EXPECT_EQ(IntAt(b + 24), 3);
  EXPECT_EQ(b[28], 4);
  EXPECT_EQ(std::memcmp(b + 29, "NAME", 4), 0);
  EXPECT_EQ(b[59], 4);
  EXPECT_EQ(std::memcmp(b + 60, "ADDR", 4), 0);
  EXPECT_EQ(b[80], 4);
  EXPECT_EQ(std::memcmp(b + 81, "TYPE", 4), 0);
  EXPECT_EQ(b[95], 3);
  EXPECT_EQ(std::memcmp(b + 96, "ETC", 3), 0);
  EXPECT_EQ(b[146], 0);
  EXPECT_EQ(b[147], 0);

  EXPECT_EQ(DecodeMemoRecord(b), r);
}

TEST(MemoRecord, LengthBytesAboveTheWidthAreClamped) {
  std::uint8_t b[kMemoRecordSize] = {};
  b[28] = 40;   // Name, 30 wide
  b[59] = 255;  // Address, 20 wide
  b[80] = 15;   // Type, 14 wide
  b[95] = 51;   // Etc, 50 wide
  for (int i = 0; i < 30; ++i) b[29 + i] = static_cast<std::uint8_t>('a' + i % 26);
  const MemoRecord r = DecodeMemoRecord(b);
  EXPECT_EQ(r.Name.Length, 30);
  EXPECT_EQ(r.Name.View(), std::string_view("abcdefghijklmnopqrstuvwxyzabcd"));
  EXPECT_EQ(r.Address.Length, 20);
  EXPECT_EQ(r.Type.Length, 14);
  EXPECT_EQ(r.Etc.Length, 50);
}

TEST(MemoRecord, AssignCutsToTheWidthAndClearsTheRest) {
  ShortText<14> t;
  t.Assign("0123456789ABCDEFGH");
  EXPECT_EQ(t.View(), "0123456789ABCD");
  t.Assign("xy");
  EXPECT_EQ(t.Length, 2);
  EXPECT_EQ(t.Text[2], 0);
}

}  // namespace
