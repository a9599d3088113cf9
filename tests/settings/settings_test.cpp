// IniRead and IniWrite over the settings table, the COM device keys and the file location.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

#include "stations/station_file.h"

#include "tests/stations/temp_folder.h"

namespace {

// The owners' values at start-up, before the file is read.
class FakeSettings : public SettingsAccess {
 public:
  FakeSettings() {
    const std::int32_t defaults[kSettingCount] = {
        1, 4, 31, 200, 30, 0, 5000, 1, 1,     1,     1,        1,     2,        1, 1,
        0, 0, 4,  0,   0,  0, 5,    5, 12500, 12500, 60000000, 20000, 60000000, 0};
    for (int i = 0; i < kSettingCount; ++i) values[static_cast<SettingId>(i)] = defaults[i];
  }
  std::int32_t Get(SettingId id) const override { return values.at(id); }
  void Set(SettingId id, std::int32_t v) override { values[id] = v; }
  std::map<SettingId, std::int32_t> values;
};

std::int32_t Read(const std::string& text, SettingId id) {
  FakeSettings s;
  IniRead(IniFile::Parse(text), s);
  return s.Get(id);
}

TEST(Settings, TableIsInIdOrder) {
  for (int i = 0; i < kSettingCount; ++i) EXPECT_EQ(static_cast<int>(SettingsTable[i].id), i);
  EXPECT_EQ(SettingsTable.front().key, "Port");
  EXPECT_EQ(SettingsTable.back().section, "Model");
}

TEST(Settings, ReadRules) {
  EXPECT_EQ(Read("[COM]\nPort=0x3\n", SettingId::ComPort), 3);
  EXPECT_EQ(Read("[COM]\nPort=abc\n", SettingId::ComPort), 1);
  EXPECT_EQ(Read("[DATA]\nStepA=0\n", SettingId::StepA), 20000);
  EXPECT_EQ(Read("[DATA]\n", SettingId::StepA), 12500);
  EXPECT_EQ(Read("[DATA]\nStepB=0\nStepA=6250\n", SettingId::StepB), 20000);
  EXPECT_EQ(Read("[OPTION]\nS_Color=2\n", SettingId::S_Color), 1);
  EXPECT_EQ(Read("[OPTION]\nAutoMode=0\n", SettingId::AutoMode), 0);
  EXPECT_EQ(Read("[option]\nautomode=x\n", SettingId::AutoMode), 1);
  EXPECT_EQ(Read("[DATA]\nModeA=65535\n", SettingId::ModeA), 65535);
  EXPECT_EQ(Read("[DATA]\nModeA=65536\n", SettingId::ModeA), 5);
  EXPECT_EQ(Read("[DATA]\nModeB=-1\n", SettingId::ModeB), 5);
  EXPECT_EQ(Read("[DATA]\nFrequencyA=145000000\n", SettingId::FrequencyA), 145000000);
  EXPECT_EQ(Read("[Model]\nAddress=3\n", SettingId::ReceiverModel), 3);
}

TEST(Settings, SliderPositionsAndThePollingIntervalAreClampedWhenRead) {
  struct Case {
    const char* text;
    SettingId id;
    std::int32_t value;
  } cases[] = {
      {"[GAIN]\nAF=40\n", SettingId::AF, 31},
      {"[GAIN]\nAF=-3\n", SettingId::AF, 0},
      {"[GAIN]\nAF=16\n", SettingId::AF, 16},
      {"[OPTION]\nDialSpeed=9\n", SettingId::DialSpeed, 5},
      {"[OPTION]\nDialSpeed=-1\n", SettingId::DialSpeed, 0},
      {"[OPTION]\nDialSpeed=0\n", SettingId::DialSpeed, 0},
      {"[OPTION]\nIntTime=0\n", SettingId::IntTime, 10},
      {"[OPTION]\nIntTime=5000\n", SettingId::IntTime, 1000},
      {"[OPTION]\nIntTime=150\n", SettingId::IntTime, 150},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.text, c.id), c.value) << c.text;
}

TEST(Settings, WriteAllKeysInOrderFlagsAsOneOrZero) {
  FakeSettings s;
  IniRead(IniFile::Parse("[OPTION]\nStartMode=2\n"), s);
  s.Set(SettingId::BandScan, 7);  // any non-zero flag value is on
  IniFile ini;
  IniWrite(ini, s);
  EXPECT_EQ(ini.Text(),
            "[COM]\nPort=1\nBaud=4\n"
            "[GAIN]\nAF=31\n"
            "[OPTION]\nIntTime=200\nScanTime=30\nScanMode=0\nStopTime=5000\nModeListA=1\n"
            "ModeListB=1\nTypeListA=1\nTypeListB=1\nStartMode=1\nBandScope=2\nAutoMode=1\n"
            "MemoMode=1\nBandScan=1\nSingleScan=0\nDialSpeed=4\nS_Color=0\n"
            "[DATA]\nFrequencyA=0\nFrequencyB=0\nModeA=5\nModeB=5\nStepA=12500\nStepB=12500\n"
            "[CONVERTER]\nConvert=60000000\nStart=20000\nEnd=60000000\n"
            "[Model]\nAddress=0\n");
}

TEST(Settings, WriteKeepsForeignLinesAndDevicesByteForByte) {
  TempFolder dir;
  const std::string path = dir / "fennix.ini";
  const std::string original =
      "; my receiver\n[com]\nDevice1 = /dev/ttyUSB0\nport=2\n\n[OPTION]\nStartMode=2\n";
  WriteFileBytes(path, original);
  FakeSettings s;
  const IniFile ini = IniRead(path, s);
  EXPECT_EQ(s.Get(SettingId::ComPort), 2);
  EXPECT_EQ(ComDevice(ini, 1), "/dev/ttyUSB0");
  EXPECT_EQ(ComDevice(ini, 2), "");
  EXPECT_EQ(ComDevice(ini, 5), "");

  IniWrite(path, s);
  const std::string after = ReadFileBytes(path);
  const std::string kept =
      "; my receiver\n[com]\nDevice1 = /dev/ttyUSB0\nPort=2\nBaud=4\n\n[OPTION]\nStartMode=1\n"
      "IntTime=200\n";
  EXPECT_EQ(after.substr(0, kept.size()), kept);
  // Writing again with the same values changes nothing.
  IniWrite(path, s);
  EXPECT_EQ(ReadFileBytes(path), after);
}

TEST(Settings, UnwritableFileGivesTheMessage) {
  TempFolder dir;
  const std::string path = dir / "gone/fennix.ini";
  FakeSettings s;
  EXPECT_EQ(IniRead(path, s).Text(), "");  // a missing file gives every default
  EXPECT_EQ(s.Get(SettingId::StepA), 12500);
  try {
    IniWrite(path, s);
    FAIL();
  } catch (const EIniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
  }
}

TEST(Settings, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
  TempFolder dir;
  const std::string path = dir / "fennix.ini";
  WriteFileBytes(path, "; mine\n[COM]\nPort=3\n");
  AtomicWriteOptions noNewFiles;
  noNewFiles.openTemp = [](const char*, int, mode_t) {
    errno = EACCES;
    return -1;
  };
  FakeSettings s;
  s.Set(SettingId::ComPort, 2);
  IniWrite(path, s, noNewFiles);
  EXPECT_EQ(ReadFileBytes(path).substr(0, 27), "; mine\n[COM]\nPort=2\nBaud=4\n");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"fennix.ini"});
  // With no file to write over either, the write still fails with the message.
  EXPECT_THROW(IniWrite(dir / "other.ini", s, noNewFiles), EIniWriteError);
}

TEST(SettingsPath, BesideTheProgramOrUnderTheConfigFolder) {
  TempFolder dir;
  EXPECT_EQ(SettingsPathFor(dir / "fennix", "/unused", "/unused"), dir / "fennix.ini");

  const std::string elsewhere = dir / "ro/fennix";  // a folder that does not exist
  EXPECT_EQ(SettingsPathFor(elsewhere, dir / "xdg", "/unused"), dir / "xdg/fennix/fennix.ini");
  struct stat st;
  EXPECT_EQ(stat((dir / "xdg/fennix").c_str(), &st), 0);
  // A relative XDG_CONFIG_HOME is ignored in favour of ~/.config.
  EXPECT_EQ(SettingsPathFor(elsewhere, "rel", dir / "home"),
            dir / "home/.config/fennix/fennix.ini");
  EXPECT_EQ(stat((dir / "home/.config/fennix").c_str(), &st), 0);
  // An installed program never writes beside itself in a system folder, even as root.
  EXPECT_EQ(SettingsPathFor("/usr/bin/fennix", dir / "xdg", "/unused"),
            dir / "xdg/fennix/fennix.ini");
  EXPECT_EQ(SettingsPathFor("/usr/local/bin/fennix", "", dir / "home"),
            dir / "home/.config/fennix/fennix.ini");
}

TEST(DataFolder, NamedFolderElseTheUsersDataFolder) {
  TempFolder dir;
  struct stat st;
  // A named folder wins, and is made when missing.
  EXPECT_EQ(DataFolderFor(dir / "named/deep", dir / "data", "/unused"), dir / "named/deep");
  EXPECT_EQ(stat((dir / "named/deep").c_str(), &st), 0);
  EXPECT_NE(stat((dir / "data").c_str(), &st), 0);
  // Otherwise the user's data folder, made when missing; a relative XDG path is ignored.
  EXPECT_EQ(DataFolderFor("", dir / "data", "/unused"), dir / "data/fennix");
  EXPECT_EQ(stat((dir / "data/fennix").c_str(), &st), 0);
  EXPECT_EQ(DataFolderFor("", "relative", dir / "home"), dir / "home/.local/share/fennix");
  EXPECT_EQ(stat((dir / "home/.local/share/fennix").c_str(), &st), 0);
}

}  // namespace
