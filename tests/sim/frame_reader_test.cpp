#include "sim/frame_reader.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using sim::Bytes;
using sim::FrameReader;

std::vector<Bytes> Feed(FrameReader& r, const Bytes& in) {
  std::vector<Bytes> out;
  for (auto b : in)
    if (auto f = r.Push(b)) out.push_back(*f);
  return out;
}

TEST(FrameReader, CutsFramesOutOfNoiseAndRepeatedPreambles) {
  FrameReader r;
  const auto frames =
      Feed(r, {0x00, 0x12, 0xFD, 0xFE, 0xFE, 0x34, 0xE0, 0x03, 0xFD,  // plain
               0xFE, 0xFE, 0xFE, 0xFE, 0x34, 0xE0, 0x15, 0x02, 0xFD,  // 4x FE
               0x55, 0xFE, 0xFE, 0x34, 0xE0, 0x05, 0x00, 0x00, 0x50, 0x45, 0x01, 0xFD});
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0], (Bytes{0xFE, 0xFE, 0x34, 0xE0, 0x03, 0xFD}));
  EXPECT_EQ(frames[1], (Bytes{0xFE, 0xFE, 0x34, 0xE0, 0x15, 0x02, 0xFD}));
  EXPECT_EQ(frames[2].size(), 11u);
}

TEST(FrameReader, DropsCutShortAndTooShortFrames) {
  FrameReader r;
  // A frame broken off by a new preamble, a lone FE, FE FE FD, and a frame without command.
  const auto frames =
      Feed(r, {0xFE, 0xFE, 0x34, 0xE0, 0x05, 0x00, 0xFE, 0xFE, 0x34, 0xE0, 0x04, 0xFD, 0xFE, 0x12,
               0xFE, 0xFE, 0xFD, 0xFE, 0xFE, 0x34, 0xE0, 0xFD, 0xFE, 0xFE, 0x34, 0xE0, 0x03, 0xFD});
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], (Bytes{0xFE, 0xFE, 0x34, 0xE0, 0x04, 0xFD}));
  EXPECT_EQ(frames[1], (Bytes{0xFE, 0xFE, 0x34, 0xE0, 0x03, 0xFD}));
}

TEST(FrameReader, OversizedFrameIsDroppedAndReaderRecovers) {
  FrameReader r;
  Bytes in = {0xFE, 0xFE, 0x34, 0xE0, 0x05};
  in.insert(in.end(), 100000, 0x11);
  in.push_back(0xFD);
  EXPECT_TRUE(Feed(r, in).empty());
  EXPECT_EQ(r.discarded(), in.size());
  EXPECT_EQ(Feed(r, {0xFE, 0xFE, 0x34, 0xE0, 0x03, 0xFD}).size(), 1u);
}

TEST(FrameReader, RandomBytesOnlyEverGiveWellFormedFrames) {
  FrameReader r;
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(0, 255), pick(0, 3);
  for (int i = 0; i < 200000; ++i) {
    // Lean on the framing bytes so that many partial frames occur.
    const int k = pick(rng);
    const std::uint8_t b = k == 0 ? 0xFE : k == 1 ? 0xFD : static_cast<std::uint8_t>(byte(rng));
    if (auto f = r.Push(b)) {
      ASSERT_GE(f->size(), 6u);
      ASSERT_LE(f->size(), FrameReader::kMaxFrame);
      ASSERT_EQ((*f)[0], 0xFE);
      ASSERT_EQ((*f)[1], 0xFE);
      ASSERT_EQ(f->back(), 0xFD);
      for (std::size_t j = 2; j + 1 < f->size(); ++j) ASSERT_NE((*f)[j], 0xFE);
    }
  }
}

}  // namespace
