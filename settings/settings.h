// The settings kept in the settings file: which value lives under which section and key, in
// the order they are read and written. The values themselves live with their owners; this
// code reaches them only through SettingsAccess, so there is never a second copy.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/ini_file.h"

// In the order of the file.
enum class SettingId : int {
  ComPort,    // COM Port
  BaudIndex,  // COM Baud
  AF,         // GAIN AF: position of AF_TrackBar
  IntTime,    // OPTION ...
  ScanTime,
  ScanMode,
  StopTime,
  ModeListA,
  ModeListB,
  TypeListA,
  TypeListB,
  StartMode,
  BandScope,
  AutoMode,
  MemoMode,
  BandScan,
  SingleScan,
  DialSpeed,  // position of DialSpeed_TrackBar
  S_Color,
  FrequencyA,  // DATA ...
  FrequencyB,
  ModeA,
  ModeB,
  StepA,
  StepB,
  ConvertShift,   // CONVERTER Convert
  ConvertStart,   // CONVERTER Start
  ConvertEnd,     // CONVERTER End
  ReceiverModel,  // Model Address
};
inline constexpr int kSettingCount = static_cast<int>(SettingId::ReceiverModel) + 1;

enum class SettingKind { kInteger, kFlag };

struct SettingEntry {
  SettingId id;
  std::string_view section;
  std::string_view key;
  SettingKind kind;
};

inline constexpr std::array<SettingEntry, kSettingCount> SettingsTable = {{
    {SettingId::ComPort, "COM", "Port", SettingKind::kInteger},
    {SettingId::BaudIndex, "COM", "Baud", SettingKind::kInteger},
    {SettingId::AF, "GAIN", "AF", SettingKind::kInteger},
    {SettingId::IntTime, "OPTION", "IntTime", SettingKind::kInteger},
    {SettingId::ScanTime, "OPTION", "ScanTime", SettingKind::kInteger},
    {SettingId::ScanMode, "OPTION", "ScanMode", SettingKind::kInteger},
    {SettingId::StopTime, "OPTION", "StopTime", SettingKind::kInteger},
    {SettingId::ModeListA, "OPTION", "ModeListA", SettingKind::kFlag},
    {SettingId::ModeListB, "OPTION", "ModeListB", SettingKind::kFlag},
    {SettingId::TypeListA, "OPTION", "TypeListA", SettingKind::kFlag},
    {SettingId::TypeListB, "OPTION", "TypeListB", SettingKind::kFlag},
    {SettingId::StartMode, "OPTION", "StartMode", SettingKind::kFlag},
    {SettingId::BandScope, "OPTION", "BandScope", SettingKind::kInteger},
    {SettingId::AutoMode, "OPTION", "AutoMode", SettingKind::kFlag},
    {SettingId::MemoMode, "OPTION", "MemoMode", SettingKind::kFlag},
    {SettingId::BandScan, "OPTION", "BandScan", SettingKind::kFlag},
    {SettingId::SingleScan, "OPTION", "SingleScan", SettingKind::kFlag},
    {SettingId::DialSpeed, "OPTION", "DialSpeed", SettingKind::kInteger},
    {SettingId::S_Color, "OPTION", "S_Color", SettingKind::kFlag},
    {SettingId::FrequencyA, "DATA", "FrequencyA", SettingKind::kInteger},
    {SettingId::FrequencyB, "DATA", "FrequencyB", SettingKind::kInteger},
    {SettingId::ModeA, "DATA", "ModeA", SettingKind::kInteger},
    {SettingId::ModeB, "DATA", "ModeB", SettingKind::kInteger},
    {SettingId::StepA, "DATA", "StepA", SettingKind::kInteger},
    {SettingId::StepB, "DATA", "StepB", SettingKind::kInteger},
    {SettingId::ConvertShift, "CONVERTER", "Convert", SettingKind::kInteger},
    {SettingId::ConvertStart, "CONVERTER", "Start", SettingKind::kInteger},
    {SettingId::ConvertEnd, "CONVERTER", "End", SettingKind::kInteger},
    {SettingId::ReceiverModel, "Model", "Address", SettingKind::kInteger},
}};

// The application's side: every setting read from and written to its owner. Flags are 0 or
// 1. Get gives the value in memory, which is also the default when the file lacks the key.
class SettingsAccess {
 public:
  virtual ~SettingsAccess() = default;
  virtual std::int32_t Get(SettingId id) const = 0;
  virtual void Set(SettingId id, std::int32_t value) = 0;
  // Sections beyond the table, read after it and written after it.
  virtual void ReadMore(const IniFile&) {}
  virtual void WriteMore(IniFile&) const {}
};

// The ranges of AF_TrackBar, DialSpeed_TrackBar and the options dialog's polling interval.
inline constexpr std::int32_t kAfPositionMax = 31;
inline constexpr std::int32_t kDialSpeedMax = 5;
inline constexpr std::int32_t kIntTimeMin = 10, kIntTimeMax = 1000;

// Every key of the table in order into its owner: flags are on when not 0, a zero step
// becomes civ::DefaultStep, a mode outside 0..65535 keeps the value in memory, and the two
// slider positions and the polling interval are clamped into their ranges.
void IniRead(const IniFile& ini, SettingsAccess& settings);
// Reads the file at `path` (a missing or unreadable file gives every default) and returns it,
// so that ComDevice can read from the same text.
IniFile IniRead(const std::string& path, SettingsAccess& settings);

// Every key of the table in order, flags as "1" or "0"; other lines stay as they are.
void IniWrite(IniFile& ini, const SettingsAccess& settings);
// Writes the values into the file at `path`, keeping its other lines. Throws EIniWriteError
// ("<file> に書き込めません") when the file cannot be read back first or cannot be written.
void IniWrite(const std::string& path, const SettingsAccess& settings);
// The same, with `options` for the file writer (tests).
void IniWrite(const std::string& path, const SettingsAccess& settings,
              const AtomicWriteOptions& options);

// The serial device named for COM port 1..4 under "COM" "Device1".."Device4", or an empty
// text when none is set (the caller then uses its built-in device).
std::string ComDevice(const IniFile& ini, int port);

// The devices named for COM 1..4 ([0] unused, "" = none named).
using ComDeviceNames = std::array<std::string, 5>;
ComDeviceNames ComDevices(const IniFile& ini);
// Writes them under "COM" "Device1".."Device4": a key the file has is always written, a
// missing one only for a named device, so files without device keys stay without them.
void WriteComDevices(IniFile& ini, const ComDeviceNames& devices);
// IniWrite of the path together with the device keys, in one write of the file.
void IniWrite(const std::string& path, const SettingsAccess& settings,
              const ComDeviceNames& devices);

// Where the settings file lives: beside the executable under its name plus ".ini" when that
// folder is writable, otherwise $XDG_CONFIG_HOME/fennix/ (default ~/.config/fennix/), which
// is created when missing. The environment variable FENNIX_INI names another file. A system
// folder (under /usr/) counts as not writable even for root: it belongs to the package
// manager.
std::string SettingsPath();
// The same decision for a given executable path and environment (empty = unset).
std::string SettingsPathFor(const std::string& executable, const std::string& xdgConfigHome,
                            const std::string& home);

// The data folder, which holds the station list and the scan log: the folder FENNIX_DATA names
// (the program's --data option sets it), else $XDG_DATA_HOME/fennix/ (default
// ~/.local/share/fennix/). Created when missing.
std::string DataFolder();
// The same decision for given values of FENNIX_DATA, XDG_DATA_HOME and HOME (empty = unset).
std::string DataFolderFor(const std::string& fennixData, const std::string& xdgDataHome,
                          const std::string& home);
// Makes the data folder the working folder, where the station list is read and saved. Returns
// the folder, or an empty text when it cannot be made or entered (the program then stays where
// it was started).
std::string EnterDataFolder();
