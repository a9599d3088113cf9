// The serial devices of this machine, for the communication dialog's device picker, and
// whether the user may open one.
#pragma once

#include <string>
#include <vector>

// Where the devices are looked for; tests point these at folders of their own.
struct SerialDeviceRoots {
  std::string byId = "/dev/serial/by-id";
  std::string dev = "/dev";
  std::string sysClassTty = "/sys/class/tty";
};

// The devices present: the stable names under by-id first, then ttyUSB*, ttyACM* and the
// ttyS* that answer, each kind in natural order (ttyUSB2 before ttyUSB10). A ttyS device
// answers when the kernel knows a UART behind it (its sysfs "type" is not 0); without that
// file, when it opens as a terminal, or when opening it is refused for lack of permission.
std::vector<std::string> ListSerialDevices(const SerialDeviceRoots& roots = {});

enum class DeviceAccess { kUsable, kMissing, kNoPermission, kOtherError };

struct DeviceAccessCheck {
  DeviceAccess access = DeviceAccess::kUsable;
  std::string group;  // the group owning the device, when it exists
};

// Looks without opening (opening a serial device can reset what hangs on it). `accessFn`
// stands in for ::access in tests.
DeviceAccessCheck CheckDeviceAccess(const std::string& path,
                                    int (*accessFn)(const char*, int) = nullptr);

// One line for the dialog ("" when the device is usable), and the longer remedy for a
// device the user may not open.
std::string DeviceAccessMessage(const DeviceAccessCheck& check);
std::string DeviceAccessRemedy(const DeviceAccessCheck& check);
