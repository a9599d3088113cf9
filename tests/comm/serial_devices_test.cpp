// The device picker's list on pseudo-terminals standing in for serial devices, and the
// permission check.
#include "comm/serial_devices.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "comm/pty_pair.h"

namespace {

namespace fs = std::filesystem;

class DeviceFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("fennix-devices-" + std::to_string(::getpid()));
    fs::remove_all(root);
    for (const char* d : {"by-id", "dev", "sys"}) fs::create_directories(root / d);
    roots = {(root / "by-id").string(), (root / "dev").string(), (root / "sys").string()};
  }
  void TearDown() override { fs::remove_all(root); }
  void Link(const std::string& folder, const std::string& name) {
    fs::create_symlink(pty.SlavePath(), root / folder / name);
  }
  void SysType(const std::string& name, const char* type) {
    fs::create_directories(root / "sys" / name);
    std::ofstream(root / "sys" / name / "type") << type << "\n";
  }
  fs::path root;
  SerialDeviceRoots roots;
  PtyPair pty;
};

TEST_F(DeviceFolders, StableNamesFirstThenUsbAcmAndTheSerialPortsThatAnswer) {
  Link("by-id", "usb-FTDI_FT232R_USB_UART_A1-if00-port0");
  Link("dev", "ttyUSB10");
  Link("dev", "ttyUSB2");
  Link("dev", "ttyACM0");
  Link("dev", "ttyS0");  // no sysfs entry: answers as a terminal
  Link("dev", "ttyS1");
  SysType("ttyS1", "0");  // the kernel knows no UART behind it
  Link("dev", "ttyS3");
  SysType("ttyS3", "4");
  std::ofstream(root / "dev" / "ttyS2") << "not a terminal";
  Link("dev", "tty0");
  Link("dev", "console");
  const auto d = [&](const char* folder, const char* name) {
    return (root / folder / name).string();
  };
  EXPECT_EQ(ListSerialDevices(roots),
            (std::vector<std::string>{d("by-id", "usb-FTDI_FT232R_USB_UART_A1-if00-port0"),
                                      d("dev", "ttyUSB2"), d("dev", "ttyUSB10"),
                                      d("dev", "ttyACM0"), d("dev", "ttyS0"), d("dev", "ttyS3")}));
}

TEST_F(DeviceFolders, NoFoldersNoDevices) {
  fs::remove_all(root);
  EXPECT_TRUE(ListSerialDevices(roots).empty());
}

int Refused(const char*, int) {
  errno = EACCES;
  return -1;
}

TEST(DeviceAccess, MissingUsableAndRefusedWithTheOwningGroup) {
  PtyPair pty;
  const DeviceAccessCheck usable = CheckDeviceAccess(pty.SlavePath());
  EXPECT_EQ(usable.access, DeviceAccess::kUsable);
  EXPECT_EQ(DeviceAccessMessage(usable), "");

  EXPECT_EQ(CheckDeviceAccess("/nonexistent/ttyUSB0").access, DeviceAccess::kMissing);
  EXPECT_EQ(DeviceAccessMessage(CheckDeviceAccess("")), "デバイスが見つかりません");

  const DeviceAccessCheck refused = CheckDeviceAccess(pty.SlavePath(), Refused);
  EXPECT_EQ(refused.access, DeviceAccess::kNoPermission);
  struct stat st {};
  ASSERT_EQ(::stat(pty.SlavePath().c_str(), &st), 0);
  EXPECT_FALSE(refused.group.empty());
  EXPECT_EQ(DeviceAccessMessage(refused), "権限なし: " + refused.group + " グループへの参加が必要");
  EXPECT_NE(DeviceAccessRemedy(refused).find("adduser"), std::string::npos);
  EXPECT_EQ(DeviceAccessMessage({DeviceAccess::kNoPermission, ""}),
            "権限なし: dialout グループへの参加が必要");
}

}  // namespace
