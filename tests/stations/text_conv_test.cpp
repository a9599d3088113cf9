// The text forms of frequency, step, shift and mode used by the editor and find.
#include <gtest/gtest.h>

#include "stations/cp932.h"
#include "stations/station_file.h"

namespace {

TEST(TextConversion, NumbersToText) {
  const std::pair<std::int32_t, const char*> freq[] = {
      {145000000, " 145.0000"}, {1234567890, "1234.5678"}, {500000, "    .5000"},
      {0, "    .    "},         {99, "    .    "},         {25000000, "  25.0000"},
  };
  for (const auto& [v, text] : freq) EXPECT_EQ(FreqToText(v), text) << v;
  const std::pair<std::int32_t, const char*> step[] = {
      {12500, "  12.50"}, {5000, "   5.00"},    {0, "    .  "},
      {6250, "   6.25"},  {1000000, "1000.00"},
  };
  for (const auto& [v, text] : step) EXPECT_EQ(StepToText(v), text) << v;
}

TEST(TextConversion, TextToNumbers) {
  const std::pair<const char*, std::int32_t> freq[] = {
      {" 145.0000", 145000000}, {"9999.9999", 0},
      {"2147.4837", 0},         {"2147.4836", 2147483600},
      {"    .    ", 0},         {"", 0},
      {"145", 14500},           {"1.2.5", 12500000},
      {"12-.5", -12500000},     {"abc", 0},
      {"0433.9200", 433920000}, {"  1 4 5 . 0", 145000000},
  };
  for (const auto& [text, v] : freq) EXPECT_EQ(TextToFreq(text), v) << text;
  const std::pair<const char*, std::int32_t> step[] = {
      {"  12.50", 12500},          {"-  5.00", -5000}, {"   .  ", 0},
      {"2147483.647", 2147483647}, {"2147483.648", 0}, {"-2147483.648", INT32_MIN},
  };
  for (const auto& [text, v] : step) EXPECT_EQ(TextToStep(text), v) << text;
}

TEST(TextConversion, FrequencyTextReadsBackToTheHundredHertz) {
  for (std::int32_t v = 0; v < 2100000000; v += 7654300) {
    EXPECT_EQ(TextToFreq(FreqToText(v)), v);
    EXPECT_EQ(TextToStep(StepToText(v / 10000 * 10)), v / 10000 * 10);
  }
}

TEST(TextConversion, NormalizeModeKeyTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"lsb", "LSB"}, {"USB", "USB"}, {"am", "A M"},  {"AM", "A M"},  {"A M", "A M"},
      {"amw", "AMW"}, {"fm", "F M"},  {"F M", "F M"}, {"FMN", "FMN"}, {"NFM", "FMN"},
      {"nfm", "FMN"}, {"wfm", "WFM"}, {"M", "A M"},   {"W", "AMW"},   {" usb\t\r\n", "USB"},
      {"", ""},       {"   ", ""},    {"xyz", ""},    {"LSBU", ""},   {"N", "FMN"},
  };
  for (const auto& [text, name] : cases) EXPECT_EQ(NormalizeMode(text), name) << text;
}

TEST(Cp932, ConvertsBothWaysAndCutsOnCharacterBoundaries) {
  const std::string cp932 = "\x93\x8C\x8B\x9E FM";  // 東京 FM
  EXPECT_EQ(Cp932ToUtf8(cp932), "東京 FM");
  EXPECT_EQ(Utf8ToCp932("東京 FM"), cp932);
  EXPECT_EQ(Cp932ToUtf8("A\x81"), "A?");  // a lead byte without its trail byte
  EXPECT_EQ(Cp932Cut(cp932, 3), "\x93\x8C");
  EXPECT_EQ(Cp932Cut(cp932, 4), "\x93\x8C\x8B\x9E");
  EXPECT_EQ(Cp932Cut("abc", 10), "abc");
}

}  // namespace
