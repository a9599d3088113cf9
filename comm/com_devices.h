// Which device "COM" n names on Linux.
#pragma once

#include <string>

// The device path of COM port: the environment variable FENNIX_COM<port> when set and not
// empty (the run script points COM 1 at the simulator this way, leaving the settings alone);
// else `configured`, the device the settings file names for the port, when not empty; else
// /dev/ttyS<port-1>. Port 0 names no device and gives "".
std::string ComDevicePath(int port, const std::string& configured);
// The device COM port stands for when the settings name none: /dev/ttyS<port-1>.
std::string BuiltInComDevice(int port);
// The environment variable that points COM port elsewhere for one run, when it is set.
std::string ComDeviceOverride(int port);
