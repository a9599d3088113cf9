// Which device each COM port opens.
#include "comm/com_devices.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

class ComDevicePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int n = 1; n <= 5; ++n) ::unsetenv(("FENNIX_COM" + std::to_string(n)).c_str());
    ini_ = std::filesystem::temp_directory_path() /
           ("fennix-com-" + std::to_string(::getpid()) + ".ini");
  }
  void TearDown() override {
    for (int n = 1; n <= 5; ++n) ::unsetenv(("FENNIX_COM" + std::to_string(n)).c_str());
    std::filesystem::remove(ini_);
  }
  std::string Ini(const std::string& text) {
    std::ofstream(ini_, std::ios::binary) << text;
    return ini_.string();
  }
  std::filesystem::path ini_;
};

}  // namespace

TEST_F(ComDevicePathTest, DefaultsToTheSerialPortBelowTheNumber) {
  EXPECT_EQ(ComDevicePath(1, ""), "/dev/ttyS0");
  EXPECT_EQ(ComDevicePath(4, "/nonexistent/fennix.ini"), "/dev/ttyS3");
  EXPECT_EQ(ComDevicePath(0, ""), "");  // names no device, so Open fails
}

TEST_F(ComDevicePathTest, SettingsFileNamesTheDevice) {
  std::string ini =
      Ini("[GAIN]\r\nDevice1=/dev/wrong\r\n"
          "[ com ]\r\n; a comment\r\nPort=1\r\n  device1 =  /dev/ttyUSB0  \r\n"
          "DEVICE2=/dev/serial/by-id/usb-FTDI-if00-port0\r\nDevice3=\r\n"
          "Device5=/dev/ignored\r\n[OPTION]\r\nDevice4=/dev/wrong\r\n");
  EXPECT_EQ(ComDevicePath(1, ini), "/dev/ttyUSB0");
  EXPECT_EQ(ComDevicePath(2, ini), "/dev/serial/by-id/usb-FTDI-if00-port0");
  EXPECT_EQ(ComDevicePath(3, ini), "/dev/ttyS2");  // empty value: the default
  EXPECT_EQ(ComDevicePath(4, ini), "/dev/ttyS3");  // key of another section
  EXPECT_EQ(ComDevicePath(5, ini), "/dev/ttyS4");  // only Device1..Device4 are read
}

TEST_F(ComDevicePathTest, EnvironmentOverridesTheSettingsFile) {
  std::string ini = Ini("[COM]\nDevice1=/dev/ttyUSB0\nDevice2=/dev/ttyUSB1\n");
  ::setenv("FENNIX_COM1", "/tmp/fennix-sim-link", 1);
  ::setenv("FENNIX_COM2", "", 1);  // set but empty counts as unset
  EXPECT_EQ(ComDevicePath(1, ini), "/tmp/fennix-sim-link");
  EXPECT_EQ(ComDevicePath(2, ini), "/dev/ttyUSB1");
}
