// Which device each COM port opens.
#include "comm/com_devices.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

class ComDevicePathTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    for (int n = 1; n <= 5; ++n) ::unsetenv(("FENNIX_COM" + std::to_string(n)).c_str());
  }
};

TEST_F(ComDevicePathTest, TheEnvironmentThenTheSettingsThenTheSerialPortBelowTheNumber) {
  EXPECT_EQ(ComDevicePath(1, ""), "/dev/ttyS0");
  EXPECT_EQ(ComDevicePath(4, ""), "/dev/ttyS3");
  EXPECT_EQ(ComDevicePath(0, "/dev/ttyUSB0"), "");  // names no device, so Open fails
  EXPECT_EQ(ComDevicePath(2, "/dev/serial/by-id/usb-FTDI-if00-port0"),
            "/dev/serial/by-id/usb-FTDI-if00-port0");
  ::setenv("FENNIX_COM1", "/tmp/fennix-sim-link", 1);
  ::setenv("FENNIX_COM2", "", 1);  // empty counts as unset
  EXPECT_EQ(ComDevicePath(1, "/dev/ttyUSB0"), "/tmp/fennix-sim-link");
  EXPECT_EQ(ComDevicePath(2, "/dev/ttyUSB1"), "/dev/ttyUSB1");
}

}  // namespace
