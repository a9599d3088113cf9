// The settings file format: number rules, name matching, and writes that leave every other
// byte of the file alone.
#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "tests/stations/temp_folder.h"

namespace {

TEST(IniNumber, HexDecimalAndDefaults) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0x3", 3},
      {"0X1f", 31},
      {"0x", -99},
      {"0xg", -99},
      {"0xFFFFFFFF", -1},
      {"0x100000000", -99},
      {"abc", -99},
      {"", -99},
      {"-5", -5},
      {"+7", 7},
      {" 12 ", 12},
      {"12a", -99},
      {"2147483647", INT32_MAX},
      {"2147483648", -99},
      {"-2147483648", INT32_MIN},
      {"-", -99},
      {"1 2", -99},
      {"007", 7},
  };
  for (const auto& [text, v] : cases) EXPECT_EQ(IniNumber(text, -99), v) << text;
}

TEST(IniFile, NamesMatchWithoutCaseAndTheFirstEntryCounts) {
  const IniFile ini = IniFile::Parse(
      "Port=9\n[com]\n  PORT = 0x3 \nport=4\n;Baud=1\n[Com]\nBaud=2\n[GAIN]\nAF=\nName=\"a b\"\n");
  EXPECT_EQ(ini.ReadInteger("COM", "Port", 1), 3);
  EXPECT_EQ(ini.ReadInteger("COM", "Baud", 4), 4);   // commented out, later section ignored
  EXPECT_EQ(ini.ReadInteger("GAIN", "AF", 31), 31);  // empty value
  EXPECT_EQ(ini.ReadString("gain", "name", ""), "a b");
  EXPECT_EQ(ini.ReadString("GAIN", "Missing", "dflt"), "dflt");
  EXPECT_FALSE(ini.Value("OPTION", "Port").has_value());
}

TEST(IniFile, WritingTouchesOnlyItsOwnLine) {
  const std::string before =
      "; Fennix settings\r\n"
      "[COM]\r\n"
      "Foreign = keep me\r\n"
      "port=1\r\n"
      "\r\n"
      "[OPTION]  \r\n"
      "IntTime=200\r\n"
      "\r\n"
      "# trailing comment\r\n";
  IniFile ini = IniFile::Parse(before);
  EXPECT_EQ(ini.Text(), before);
  ini.WriteInteger("Com", "Port", 3);
  ini.WriteInteger("COM", "Baud", 4);        // new key: after the section's last line
  ini.WriteInteger("DATA", "StepA", 12500);  // new section at the end
  EXPECT_EQ(ini.Text(),
            "; Fennix settings\r\n"
            "[COM]\r\n"
            "Foreign = keep me\r\n"
            "Port=3\r\n"
            "Baud=4\r\n"
            "\r\n"
            "[OPTION]  \r\n"
            "IntTime=200\r\n"
            "\r\n"
            "# trailing comment\r\n"
            "[DATA]\r\n"
            "StepA=12500\r\n");
}

TEST(IniFile, UnterminatedLastLineAndEmptyFile) {
  IniFile ini = IniFile::Parse("[COM]\nPort=1");
  ini.WriteInteger("COM", "Baud", 2);
  EXPECT_EQ(ini.Text(), "[COM]\nPort=1\nBaud=2\n");

  IniFile empty;
  empty.WriteInteger("GAIN", "AF", 31);
  EXPECT_EQ(empty.Text(), "[GAIN]\nAF=31\n");
  EXPECT_THROW(empty.WriteString("GAIN", "A=B", "1"), std::invalid_argument);
  EXPECT_THROW(empty.WriteString("GAIN", "AF", "1\n[COM]"), std::invalid_argument);
}

TEST(IniFile, SaveAndLoad) {
  TempFolder dir;
  IniFile ini;
  EXPECT_EQ(ini.Load(dir / "fennix.ini"), IniFile::LoadStatus::kMissing);
  ini.WriteInteger("COM", "Port", 2);
  ini.Save(dir / "fennix.ini");
  EXPECT_EQ(ReadFileBytes(dir / "fennix.ini"), "[COM]\nPort=2\n");
  IniFile back;
  EXPECT_EQ(back.Load(dir / "fennix.ini"), IniFile::LoadStatus::kLoaded);
  EXPECT_EQ(back.ReadInteger("COM", "Port", 1), 2);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"fennix.ini"});
}

TEST(IniFile, UnwritableFileGivesTheMessage) {
  TempFolder dir;
  const std::string path = dir / "no-such-folder/fennix.ini";
  IniFile ini;
  ini.WriteInteger("COM", "Port", 2);
  try {
    ini.Save(path);
    FAIL() << "saved into a missing folder";
  } catch (const EIniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
    EXPECT_EQ(e.FileName, path);
    EXPECT_FALSE(e.Reason.empty());
    EXPECT_EQ(e.Message(), path + " に書き込めません（" + std::strerror(ENOENT) + "）");
  }
}

TEST(IniFile, ALinkToAFileNotYetMadeIsWrittenThrough) {
  TempFolder dir;
  ASSERT_EQ(symlink("real.ini", (dir / "fennix.ini").c_str()), 0);  // relative, dangling
  IniFile ini;
  ini.WriteInteger("COM", "Port", 3);
  ini.Save(dir / "fennix.ini");
  EXPECT_EQ(ReadFileBytes(dir / "real.ini"), "[COM]\nPort=3\n");  // the link stays a link
}

}  // namespace
