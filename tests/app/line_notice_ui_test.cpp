// What the main window tells about the line: the notice when no receiver answers, the
// on-line lamp's tooltip, and the window coming back where it was left.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cstdlib>
#include <string>

#include "app/main_form.h"
#include "panel/lamp_widget.h"

namespace {

// A settings file of its own, whatever the tests before left in theirs.
class LineNotice : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::getenv("FENNIX_INI");
    ::unlink("line_notice.ini");
    setenv("FENNIX_INI", "line_notice.ini", 1);
  }
  void TearDown() override { setenv("FENNIX_INI", saved_.c_str(), 1); }
  std::string saved_;
};

TEST_F(LineNotice, NoReceiverIsToldOnceWithoutTakingThePanelsKeyboard) {
  setenv("FENNIX_COM1", "/nonexistent/fennix-no-port", 1);
  TMainForm form;
  form.ReleaseSplash();
  EXPECT_EQ(form.OnLineLampPanel->toolTip(),
            "オフライン: /nonexistent/fennix-no-port (9600 bit/s)\n"
            "ネットワークポート (rigctl): 切");
  form.show();
  form.activateWindow();
  QMessageBox* box = form.NoAnswerNotice();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return box->isVisible(); }));
  EXPECT_EQ(box->text(),
            "受信機が応答しません: /nonexistent/fennix-no-port (9600 bit/s)\nポートを開けません。");
  EXPECT_TRUE(box->informativeText().contains("「DEMO」"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.TrackBar1->hasFocus(); }));
  // The panel's keys still reach the panel: "Q" switches identification.
  const bool autoMode = form.identification.AutoMode;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q);
  EXPECT_NE(form.identification.AutoMode, autoMode);
  // Polling tells nothing more; a second attempt through the key tells it again, in one box.
  box->hide();
  QTest::qWait(500);
  EXPECT_FALSE(box->isVisible());
  form.OnLine_Button->click();
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(form.findChildren<QMessageBox*>("NoAnswer_Box").size(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.TrackBar1->hasFocus(); }));
  form.close();
}

TEST_F(LineNotice, TheMainWindowOpensWhereItWasLeft) {
  {
    TMainForm form;
    form.ReleaseSplash();
    form.show();
    form.move(40, 30);
    form.Exit1->trigger();
  }
  TMainForm again;
  again.ReleaseSplash();
  again.show();
  EXPECT_EQ(again.pos(), QPoint(40, 30));
  again.close();
}

}  // namespace
