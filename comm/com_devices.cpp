#include "comm/com_devices.h"

#include <cstdlib>

std::string ComDevicePath(int port, const std::string& configured) {
  if (port < 1) return {};
  if (std::string env = ComDeviceOverride(port); !env.empty()) return env;
  if (!configured.empty()) return configured;
  return BuiltInComDevice(port);
}

std::string BuiltInComDevice(int port) {
  return port < 1 ? std::string() : "/dev/ttyS" + std::to_string(port - 1);
}

std::string ComDeviceOverride(int port) {
  if (port < 1) return {};
  const char* env = std::getenv(("FENNIX_COM" + std::to_string(port)).c_str());
  return env ? env : "";
}
