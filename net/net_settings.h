// The network control port's settings: section "NET" of the settings file, after the others.
#pragma once

#include <string>

class IniFile;

namespace net {

struct NetSettings {
  bool Enable = false;
  std::string Address = "127.0.0.1";  // loopback unless the user names another
  int Port = 4532;                    // rigctld's own
};

// Missing or unusable values keep what `settings` holds.
void ReadNetSettings(const IniFile& ini, NetSettings& settings);
void WriteNetSettings(IniFile& ini, const NetSettings& settings);

}  // namespace net
