#include "comm/com_devices.h"

#include <cstdlib>

std::string ComDevicePath(int port, const std::string& configured) {
  if (port < 1) return {};
  const std::string number = std::to_string(port);
  if (const char* env = std::getenv(("FENNIX_COM" + number).c_str()); env && *env) return env;
  if (!configured.empty()) return configured;
  return "/dev/ttyS" + std::to_string(port - 1);
}
