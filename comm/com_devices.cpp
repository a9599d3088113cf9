#include "comm/com_devices.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

namespace {

std::string Trim(const std::string& text) {
  const char* blank = " \t\r\n";
  auto first = text.find_first_not_of(blank);
  if (first == std::string::npos) return {};
  auto last = text.find_last_not_of(blank);
  return text.substr(first, last - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Only the few keys this needs; the settings reader proper takes this over.
std::string IniDevice(const std::string& iniPath, const std::string& key) {
  std::ifstream file(iniPath);
  std::string line;
  bool inCom = false;
  while (std::getline(file, line)) {
    std::string text = Trim(line);
    if (text.empty() || text[0] == ';') continue;
    if (text.front() == '[') {
      auto close = text.find(']');
      inCom = close != std::string::npos && SameText(Trim(text.substr(1, close - 1)), "COM");
      continue;
    }
    auto equals = text.find('=');
    if (inCom && equals != std::string::npos && SameText(Trim(text.substr(0, equals)), key))
      return Trim(text.substr(equals + 1));
  }
  return {};
}

}  // namespace

std::string ComDevicePath(int port, const std::string& iniPath) {
  if (port < 1) return {};
  const std::string number = std::to_string(port);
  if (const char* env = std::getenv(("FENNIX_COM" + number).c_str()); env && *env) return env;
  if (port <= 4 && !iniPath.empty()) {
    std::string path = IniDevice(iniPath, "Device" + number);
    if (!path.empty()) return path;
  }
  return "/dev/ttyS" + std::to_string(port - 1);
}
