// The CI-V codec: BCD both ways, the frames on the wire, mode and step codes.
#include "civ/civ.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Hex(const civ::Bytes& b) { return civ::FrameText(b); }

TEST(CivBcd, KnownFrequencies) {
  struct Case {
    std::int64_t f;
    std::string bytes;
  } cases[] = {
      {145145000, "0050144501"},  {25000000, "0000002500"},   {1299999900, "0099999912"},
      {1200000000, "0000000012"}, {1220000000, "0000002012"}, {0, "0000000000"},
      {9999999999, "9999999999"}, {12345678901, "0189674523"}  // only the last ten digits count
  };
  for (const auto& c : cases) {
    const auto bcd = civ::FrequencyToBcd(c.f);
    EXPECT_EQ(civ::FrameText(bcd.data(), bcd.size()), c.bytes) << c.f;
  }
}

TEST(CivBcd, TextToFrequency) {
  EXPECT_EQ(civ::BcdTextToFrequency("0050144501"), 145145000);
  EXPECT_EQ(civ::BcdTextToFrequency("0000000012"), 1200000000);
  EXPECT_EQ(civ::BcdTextToFrequency("0000002012"), 1220000000);
  EXPECT_EQ(civ::BcdTextToFrequency("005014450"), 0);    // 9 characters
  EXPECT_EQ(civ::BcdTextToFrequency("00501445010"), 0);  // 11 characters
  EXPECT_EQ(civ::BcdTextToFrequency(""), 0);
  // Characters outside the digits are skipped, not read as values.
  EXPECT_EQ(civ::BcdTextToFrequency("0A50144501"), 14514500);
  // Ten digits past what a frequency can hold give 0 rather than a wrapped value.
  EXPECT_EQ(civ::BcdTextToFrequency("9999999999"), 0);
}

TEST(CivBcd, RoundTripOverTheWholeRange) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::int32_t> any(0, 2000000000);
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t f = i < 3 ? std::array{0, 1200000000, 1999999999}[i] : any(rng);
    const auto bcd = civ::FrequencyToBcd(f);
    ASSERT_EQ(civ::BcdTextToFrequency(civ::FrameText(bcd.data(), bcd.size())), f);
  }
}

TEST(CivFrames, EveryFrameSent) {
  const std::uint8_t r7100 = civ::ReceiverAddress(0);
  EXPECT_EQ(Hex(civ::ReadBandEdgesFrame(r7100)), "FEFE34E002FD");
  EXPECT_EQ(Hex(civ::ReadFrequencyFrame(r7100)), "FEFE34E003FD");
  EXPECT_EQ(Hex(civ::ReadModeFrame(r7100)), "FEFE34E004FD");
  EXPECT_EQ(Hex(civ::SetFrequencyFrame(145145000)), "FEFE34E0000050144501FD");
  EXPECT_EQ(Hex(civ::SetModeFrame(r7100, 6)), "FEFE34E0060502FD");
  EXPECT_EQ(Hex(civ::SetModeFrame(r7100, 1)), "FEFE34E0060001FD");
  EXPECT_EQ(Hex(civ::SelectWindowFrame(r7100, civ::kWindowA)), "FEFE34E007E000FD");
  EXPECT_EQ(Hex(civ::SelectWindowFrame(r7100, civ::kWindowB)), "FEFE34E007E001FD");
  EXPECT_EQ(Hex(civ::SetStepFrame(r7100, civ::StepCode[5])), "FEFE34E01004FD");
  EXPECT_EQ(Hex(civ::AttenuatorFrame(r7100, true)), "FEFE34E01120FD");
  EXPECT_EQ(Hex(civ::AttenuatorFrame(r7100, false)), "FEFE34E01100FD");
  EXPECT_EQ(Hex(civ::SpeechFrame()), "FEFE34E01300FD");
  EXPECT_EQ(Hex(civ::ReadSquelchFrame(r7100)), "FEFE34E01501FD");
  EXPECT_EQ(Hex(civ::ReadSignalFrame(r7100)), "FEFE34E01502FD");
}

TEST(CivFrames, OtherModelsAddressAllButFrequencyAndSpeech) {
  const std::uint8_t r9000 = civ::ReceiverAddress(2);
  EXPECT_EQ(r9000, 0x2A);
  EXPECT_EQ(Hex(civ::SetStepFrame(r9000, 1)), "FEFE2AE01001FD");
  EXPECT_EQ(Hex(civ::SetModeFrame(r9000, 5)), "FEFE2AE0060501FD");
  EXPECT_EQ(Hex(civ::ReadSquelchFrame(r9000)), "FEFE2AE01501FD");
  // The frequency and speech frames know only the IC-R7100.
  EXPECT_EQ(Hex(civ::SetFrequencyFrame(25000000)), "FEFE34E0000000002500FD");
  EXPECT_EQ(Hex(civ::SpeechFrame()), "FEFE34E01300FD");
  EXPECT_EQ(civ::ReceiverAddressText(0), "34");
  EXPECT_EQ(civ::ReceiverAddressText(2), "2A");
  EXPECT_EQ(civ::ReceiverAddressText(9), "00");
}

TEST(CivFrames, AfGainLevels) {
  struct Case {
    int position;
    int level;
    std::string frame;
  } cases[] = {{0, 255, "FEFE34E014010255FD"},
               {31, 7, "FEFE34E014010007FD"},
               {22, 79, "FEFE34E014010079FD"},
               {21, 87, "FEFE34E014010087FD"}};
  for (const auto& c : cases) {
    EXPECT_EQ(civ::AfLevel(c.position), c.level);
    EXPECT_EQ(Hex(civ::AfGainFrame(0x34, civ::AfLevel(c.position))), c.frame);
  }
}

TEST(CivCodes, ModesAndSteps) {
  EXPECT_EQ(civ::ModeFromCodeText("0502"), 6);
  EXPECT_EQ(civ::ModeFromCodeText("0000"), 10);  // the last of the three matches wins
  EXPECT_EQ(civ::ModeFromCodeText("0909"), 0);
  EXPECT_EQ(civ::ModeFromCodeText("050"), 0);
  // The steps without a receiver code are exactly 6.25 kHz and 1000 kHz.
  for (int i = 0; i < civ::kStepCount; ++i)
    EXPECT_EQ(civ::StepCode[i] == civ::kNoStepCode,
              civ::StepTable[i] == 6250 || civ::StepTable[i] == 1000000);
  EXPECT_EQ(civ::StepTable[6], civ::DefaultStep);
}

TEST(CivText, HexFormAndDigits) {
  const std::uint8_t bytes[] = {0xFE, 0x0A, 0x00, 0x9F};
  EXPECT_EQ(civ::FrameText(bytes, 4), "FE0A009F");
  EXPECT_TRUE(civ::IsDigits("0123"));
  EXPECT_FALSE(civ::IsDigits("01A3"));
  EXPECT_EQ(civ::DigitsValue("0255"), 255);
}

}  // namespace
