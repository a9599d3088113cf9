// Which device "COM" n names on Linux.
#pragma once

#include <string>

// The device path of COM port: the environment variable FENNIX_COM<port> when set and not
// empty; else key "Device<port>" (port 1..4) of section "COM" in the settings file iniPath
// (section and key in any case, value trimmed; an empty iniPath skips the file); else
// /dev/ttyS<port-1>. Port 0 names no device and gives "".
std::string ComDevicePath(int port, const std::string& iniPath);
