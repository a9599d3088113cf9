#include "net/net_settings.h"

#include "base/ini_file.h"

namespace net {

namespace {
constexpr const char* kSection = "NET";
}

void ReadNetSettings(const IniFile& ini, NetSettings& settings) {
  settings.Enable = ini.ReadInteger(kSection, "Enable", settings.Enable ? 1 : 0) != 0;
  const std::string address = ini.ReadString(kSection, "Address", settings.Address);
  if (!address.empty()) settings.Address = address;
  const int port = ini.ReadInteger(kSection, "Port", settings.Port);
  if (port >= 1 && port <= 65535) settings.Port = port;
}

void WriteNetSettings(IniFile& ini, const NetSettings& settings) {
  ini.WriteInteger(kSection, "Enable", settings.Enable ? 1 : 0);
  ini.WriteString(kSection, "Address", settings.Address);
  ini.WriteInteger(kSection, "Port", settings.Port);
}

}  // namespace net
