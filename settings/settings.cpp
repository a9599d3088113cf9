#include "settings/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "base/text.h"
#include "civ/civ.h"
#include "stations/station_file.h"

void IniRead(const IniFile& ini, SettingsAccess& settings) {
  for (const SettingEntry& entry : SettingsTable) {
    const std::int32_t current = settings.Get(entry.id);
    std::int32_t value = ini.ReadInteger(entry.section, entry.key, current);
    if (entry.kind == SettingKind::kFlag) value = value != 0 ? 1 : 0;
    if ((entry.id == SettingId::ModeA || entry.id == SettingId::ModeB) &&
        (value < 0 || value > 65535)) {
      value = current;
    }
    if ((entry.id == SettingId::StepA || entry.id == SettingId::StepB) && value == 0) {
      value = civ::DefaultStep;
    }
    // The sliders show only their own ranges, and the options dialog keeps the polling
    // interval within 10..1000 ms (0 would poll on every pass of the event loop).
    if (entry.id == SettingId::AF) value = std::clamp(value, 0, kAfPositionMax);
    if (entry.id == SettingId::DialSpeed) value = std::clamp(value, 0, kDialSpeedMax);
    if (entry.id == SettingId::IntTime) value = std::clamp(value, kIntTimeMin, kIntTimeMax);
    settings.Set(entry.id, value);
  }
  settings.ReadMore(ini);
}

IniFile IniRead(const std::string& path, SettingsAccess& settings) {
  IniFile ini;
  ini.Load(path);
  IniRead(ini, settings);
  return ini;
}

void IniWrite(IniFile& ini, const SettingsAccess& settings) {
  for (const SettingEntry& entry : SettingsTable) {
    std::int32_t value = settings.Get(entry.id);
    if (entry.kind == SettingKind::kFlag) value = value != 0 ? 1 : 0;
    ini.WriteInteger(entry.section, entry.key, value);
  }
  settings.WriteMore(ini);
}

namespace {

void IniWriteFile(const std::string& path, const SettingsAccess& settings,
                  const ComDeviceNames* devices, const AtomicWriteOptions& options) {
  IniFile ini;
  // Writing over a file we could not read would drop the lines we do not own.
  if (ini.Load(path) == IniFile::LoadStatus::kUnreadable) {
    throw EIniWriteError(path, text::Tr("IniFile", "元のファイルを読み込めません"));
  }
  IniWrite(ini, settings);
  if (devices) WriteComDevices(ini, *devices);
  ini.Save(path, options);
}

}  // namespace

void IniWrite(const std::string& path, const SettingsAccess& settings) {
  IniWriteFile(path, settings, nullptr, AtomicWriteOptions{});
}

void IniWrite(const std::string& path, const SettingsAccess& settings,
              const AtomicWriteOptions& options) {
  IniWriteFile(path, settings, nullptr, options);
}

void IniWrite(const std::string& path, const SettingsAccess& settings,
              const ComDeviceNames& devices) {
  IniWriteFile(path, settings, &devices, AtomicWriteOptions{});
}

ComDeviceNames ComDevices(const IniFile& ini) {
  ComDeviceNames devices;
  for (int port = 1; port <= 4; ++port)
    devices[static_cast<std::size_t>(port)] = ComDevice(ini, port);
  return devices;
}

void WriteComDevices(IniFile& ini, const ComDeviceNames& devices) {
  for (int port = 1; port <= 4; ++port) {
    const std::string key = "Device" + std::to_string(port);
    const std::string& device = devices[static_cast<std::size_t>(port)];
    if (!device.empty() || ini.Value("COM", key)) ini.WriteString("COM", key, device);
  }
}

std::string ComDevice(const IniFile& ini, int port) {
  if (port < 1 || port > 4) return "";
  return ini.ReadString("COM", "Device" + std::to_string(port), "");
}

namespace {

void MakeFolders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    mkdir(folder.substr(0, slash).c_str(), 0755);
    if (slash == std::string::npos) break;
  }
}

// $XDG_..._HOME/fennix, or HOME + fallback + /fennix. Relative XDG paths are to be
// ignored, as the base directory rules say.
std::string XdgFolder(const std::string& xdgHome, const std::string& home, const char* fallback) {
  const std::string base = !xdgHome.empty() && xdgHome.front() == '/'
                               ? xdgHome
                               : (home.empty() ? std::string("/tmp") : home) + fallback;
  return base + "/fennix";
}

std::string ExecutablePath() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : "";
}

}  // namespace

std::string SettingsPathFor(const std::string& executable, const std::string& xdgConfigHome,
                            const std::string& home) {
  const std::size_t slash = executable.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : executable.substr(0, slash);
  const std::string name =
      (slash == std::string::npos ? executable : executable.substr(slash + 1)) + ".ini";
  const bool system = folder.starts_with("/usr/");
  if (!executable.empty() && !system && access(folder.c_str(), W_OK) == 0)
    return folder + "/" + name;

  const std::string config = XdgFolder(xdgConfigHome, home, "/.config");
  MakeFolders(config);
  return config + "/" + (executable.empty() ? std::string("fennix.ini") : name);
}

std::string DataFolderFor(const std::string& fennixData, const std::string& xdgDataHome,
                          const std::string& home) {
  const std::string data =
      fennixData.empty() ? XdgFolder(xdgDataHome, home, "/.local/share") : fennixData;
  MakeFolders(data);
  return data;
}

std::string DataFolder() {
  const char* named = std::getenv("FENNIX_DATA");
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  return DataFolderFor(named ? named : "", xdg ? xdg : "", home ? home : "");
}

std::string EnterDataFolder() {
  // Held as an absolute path, so that later questions for the folder agree once it is entered.
  std::error_code error;
  const std::string folder = std::filesystem::absolute(DataFolder(), error).lexically_normal();
  if (error || chdir(folder.c_str()) != 0) return "";
  setenv("FENNIX_DATA", folder.c_str(), 1);
  return folder;
}

std::string SettingsPath() {
  // An explicit file, for a second set of settings or for tests.
  if (const char* explicitPath = std::getenv("FENNIX_INI"); explicitPath && *explicitPath)
    return explicitPath;
  const std::string executable = ExecutablePath();
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  return SettingsPathFor(executable, xdg ? xdg : "", home ? home : "");
}
