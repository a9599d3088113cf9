#include "comm/serial_devices.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>

#include "base/text.h"

namespace {

std::vector<std::string> Entries(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

// Digits compare as numbers, so ttyUSB2 comes before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) &&
        std::isdigit(static_cast<unsigned char>(b[j]))) {
      std::size_t ie = i, je = j;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      const std::string na = a.substr(i, ie - i), nb = b.substr(j, je - j);
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ie;
      j = je;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

bool Answers(const std::string& path, const std::string& sysType) {
  std::ifstream type(sysType);
  int uart = 0;
  if (type >> uart) return uart != 0;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == EACCES;
  termios t{};
  const bool terminal = ::tcgetattr(fd, &t) == 0;
  ::close(fd);
  return terminal;
}

}  // namespace

std::vector<std::string> ListSerialDevices(const SerialDeviceRoots& roots) {
  std::vector<std::string> devices;
  auto add = [&](const std::string& folder, const std::string& prefix, bool probe) {
    std::vector<std::string> names = Entries(folder, prefix);
    std::sort(names.begin(), names.end(), NaturalLess);
    for (const std::string& name : names) {
      const std::string path = folder + "/" + name;
      if (probe && !Answers(path, roots.sysClassTty + "/" + name + "/type")) continue;
      devices.push_back(path);
    }
  };
  add(roots.byId, "", false);
  add(roots.dev, "ttyUSB", false);
  add(roots.dev, "ttyACM", false);
  add(roots.dev, "ttyS", true);
  return devices;
}

DeviceAccessCheck CheckDeviceAccess(const std::string& path, int (*accessFn)(const char*, int)) {
  DeviceAccessCheck check;
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) {
    check.access = DeviceAccess::kMissing;
    return check;
  }
  if (const group* g = ::getgrgid(st.st_gid)) check.group = g->gr_name;
  if ((accessFn ? accessFn : ::access)(path.c_str(), R_OK | W_OK) != 0)
    check.access =
        errno == EACCES || errno == EPERM ? DeviceAccess::kNoPermission : DeviceAccess::kOtherError;
  return check;
}

std::string DeviceAccessMessage(const DeviceAccessCheck& check) {
  switch (check.access) {
    case DeviceAccess::kUsable:
      return "";
    case DeviceAccess::kMissing:
      return text::Tr("DeviceAccess", "デバイスが見つかりません");
    case DeviceAccess::kNoPermission:
      return text::Arg(text::Tr("DeviceAccess", "権限なし: %1 グループへの参加が必要"),
                       {check.group.empty() ? std::string("dialout") : check.group});
    case DeviceAccess::kOtherError:
      return text::Tr("DeviceAccess", "デバイスを使用できません");
  }
  return "";
}

std::string DeviceAccessRemedy(const DeviceAccessCheck& check) {
  if (check.access != DeviceAccess::kNoPermission) return DeviceAccessMessage(check);
  const std::string group = check.group.empty() ? std::string("dialout") : check.group;
  return text::Arg(
      text::Tr("DeviceAccess",
               "このデバイスを開く権限がありません。「sudo adduser $USER %1」でグループ "
               "%1 に参加し、ログインし直してください。"),
      {group});
}
