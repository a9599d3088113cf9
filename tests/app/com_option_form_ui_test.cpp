// The communication dialog through its menu item: the port and speed chosen, kept or put
// back, and the device a COM port stands for, stored in the settings file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "app/com_option_form.h"
#include "app/main_form.h"
#include "comm/pty_pair.h"

namespace {

class ComOption : public ::testing::Test {
 protected:
  void SetUp() override {
    form.AttachForms({&dialog, nullptr, nullptr, nullptr, nullptr});
    form.ReleaseSplash();
    form.show();
  }
  // Opens the dialog from the menu, acts while it is up, and closes it as `close` says.
  void WhileOpen(std::function<void()> act, std::function<void()> close) {
    QTimer::singleShot(50, [this, act, close] {
      ASSERT_TRUE(dialog.isVisible());
      act();
      close();
    });
    form.MenuComOption->trigger();
  }
  void Click(QButtonGroup* group, int item) {
    QTest::mouseClick(group->button(item), Qt::LeftButton, {}, QPoint(6, 8));
  }
  std::function<void()> Ok() {
    return [this] { QTest::mouseClick(dialog.Op_OK_Button, Qt::LeftButton); };
  }
  std::function<void()> Cancel() {
    return [this] { QTest::mouseClick(dialog.Op_Can_Button, Qt::LeftButton); };
  }
  std::function<void()> CloseBox() {
    return [this] { dialog.close(); };
  }
  TMainForm form;
  TComOptionForm dialog{&form};
};

TEST_F(ComOption, TheDialogAsDesigned) {
  WhileOpen(
      [this] {
        EXPECT_EQ(dialog.windowTitle(), "設 定");
        EXPECT_EQ(dialog.size(), QSize(261, 266));
        EXPECT_EQ(dialog.Com_Group->title(), "COMポート");
        EXPECT_EQ(dialog.Baud_Group->title(), "通信速度");
        EXPECT_EQ(dialog.BaudItems->button(3)->text(), " 300 bps");
        EXPECT_EQ(dialog.ComItems->checkedId(), 0);
        EXPECT_EQ(dialog.BaudItems->checkedId(), 0);
        EXPECT_TRUE(dialog.Op_OK_Button->hasFocus());
      },
      Ok());
}

TEST_F(ComOption, Com3At300AndOkIsKeptButThePortInUseStaysUntilTheNextOnLine) {
  const bool wasOpen = form.Comm1.IsOpen();
  WhileOpen(
      [this] {
        Click(dialog.ComItems, 2);
        Click(dialog.BaudItems, 3);
        EXPECT_EQ(form.link.NewComPort, 3);
        EXPECT_EQ(form.link.NewBaudIndex, 0);
        EXPECT_EQ(form.link.ComPort, 1);
        EXPECT_TRUE(dialog.Op_OK_Button->hasFocus());
      },
      Ok());
  EXPECT_EQ(form.link.ComPort, 3);
  EXPECT_EQ(form.link.BaudIndex, 0);
  EXPECT_EQ(form.Comm1.IsOpen(), wasOpen);
}

TEST_F(ComOption, CancelKeepsTheOldValuesAndPutsTheSelectionsBack) {
  WhileOpen(
      [this] {
        Click(dialog.ComItems, 3);
        Click(dialog.BaudItems, 1);
      },
      Cancel());
  EXPECT_EQ(form.link.ComPort, 1);
  EXPECT_EQ(form.link.BaudIndex, 4);
  EXPECT_EQ(dialog.ComItems->checkedId(), 0);
  EXPECT_EQ(dialog.BaudItems->checkedId(), 0);
}

TEST_F(ComOption, TheCloseBoxKeepsTheChoiceAsOkDoes) {
  WhileOpen(
      [this] {
        Click(dialog.ComItems, 1);
        Click(dialog.BaudItems, 2);
      },
      CloseBox());
  EXPECT_EQ(form.link.ComPort, 2);
  EXPECT_EQ(form.link.BaudIndex, 1);
}

TEST_F(ComOption, ASpeedNoItemStandsForStaysUntilASpeedIsClicked) {
  WhileOpen([this] { Click(dialog.BaudItems, 1); }, Ok());  // 4800 bit/s selected
  form.link.BaudIndex = 2;                                  // 2400 bit/s, from the settings
  WhileOpen(
      [this] {
        EXPECT_EQ(dialog.BaudItems->checkedId(), 1);  // the previous selection shows
        Click(dialog.ComItems, 1);
      },
      Ok());
  EXPECT_EQ(form.link.BaudIndex, 2);
  EXPECT_EQ(form.link.ComPort, 2);
  WhileOpen([this] { Click(dialog.BaudItems, 0); }, Ok());
  EXPECT_EQ(form.link.BaudIndex, 4);
}

// The device picker, with COM 2 not pointed elsewhere by the environment.
class DevicePicker : public ComOption {
 protected:
  void SetUp() override {
    unsetenv("FENNIX_COM2");
    ComOption::SetUp();
  }
  void TearDown() override { setenv("FENNIX_COM2", "/nonexistent", 1); }
  void TypeDevice(const QString& path) {
    dialog.Device_ComboBox->setFocus();
    QTest::keyClick(dialog.Device_ComboBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog.Device_ComboBox, path);
  }
  static std::string Settings() {
    std::ifstream in(std::getenv("FENNIX_INI"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(DevicePicker, ATypedDeviceIsStoredAsThatPortsDeviceKey) {
  PtyPair pty;
  WhileOpen(
      [&] {
        Click(dialog.ComItems, 1);
        EXPECT_EQ(dialog.Device_ComboBox->currentText(), "/dev/ttyS1");  // built in for COM 2
        TypeDevice("/nonexistent/ttyUSB7");
        EXPECT_EQ(dialog.Device_Label->text(), "デバイスが見つかりません");
        TypeDevice(QString::fromStdString(pty.SlavePath()));
        EXPECT_EQ(dialog.Device_Label->text(), "");
        // COM 1 is the simulator's for this run, and says so.
        Click(dialog.ComItems, 0);
        EXPECT_EQ(dialog.Device_Label->text(), "今回は FENNIX_COM1 を使用");
        Click(dialog.ComItems, 1);
        EXPECT_EQ(dialog.Device_ComboBox->currentText().toStdString(), pty.SlavePath());
      },
      Ok());
  form.Exit1->trigger();
  EXPECT_NE(Settings().find("Device2=" + pty.SlavePath()), std::string::npos) << Settings();
  EXPECT_EQ(Settings().find("Device1="), std::string::npos);
}

TEST_F(DevicePicker, CancelForgetsTheDevice) {
  WhileOpen(
      [&] {
        Click(dialog.ComItems, 1);
        TypeDevice("/dev/ttyUSB9");
      },
      Cancel());
  form.Exit1->trigger();
  EXPECT_EQ(Settings().find("Device2="), std::string::npos);
}

TEST_F(DevicePicker, TheCloseBoxKeepsTheDeviceAsOkDoes) {
  WhileOpen([&] { Click(dialog.ComItems, 1), TypeDevice("/dev/ttyUSB9"); }, CloseBox());
  form.Exit1->trigger();
  EXPECT_NE(Settings().find("Device2=/dev/ttyUSB9"), std::string::npos) << Settings();
}

TEST_F(DevicePicker, TheListHoldsTheMachinesDevicesAndIsEditable) {
  WhileOpen(
      [&] {
        EXPECT_TRUE(dialog.Device_ComboBox->isEditable());
        for (int i = 0; i < dialog.Device_ComboBox->count(); ++i)
          EXPECT_TRUE(dialog.Device_ComboBox->itemText(i).startsWith("/dev/"));
      },
      Ok());
}

}  // namespace
