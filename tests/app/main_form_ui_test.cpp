// The main window's start-up state, the ways of leaving, and exceptions in handlers.
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/application_qt.h"
#include "app/com_option_form.h"
#include "app/exit_form.h"
#include "app/main_form.h"
#include "app/version_form.h"
#include "comm/comm_error.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

FennixApplication* App() { return static_cast<FennixApplication*>(QCoreApplication::instance()); }

TEST(MainFormStartUp, DefaultsWithNoSettingsAndNoPort) {
  setenv("FENNIX_COM1", "/nonexistent/fennix-no-port", 1);
  TMainForm form;
  EXPECT_EQ(form.windowTitle(), "IC-R7100");
  EXPECT_EQ(form.centralWidget()->size(), QSize(632, 434));
  EXPECT_EQ(form.tuning.Window, 1);
  EXPECT_EQ(form.tuning.Frequency[1], 25000000);
  EXPECT_EQ(form.tuning.Frequency[2], 25000000);
  EXPECT_EQ(form.tuning.Step[1], 12500);
  EXPECT_EQ(form.tuning.Mode[1], 5);
  EXPECT_EQ(form.tuning.LowerLimit, 25000000);
  EXPECT_EQ(form.tuning.UpperLimit, 1299999900);
  EXPECT_EQ(form.tuning.SavedLower, 25000000);
  EXPECT_EQ(form.tuning.SavedUpper, 1299999900);
  EXPECT_EQ(form.TrackBar1->minimum(), 250);
  EXPECT_EQ(form.TrackBar1->maximum(), 12999);
  EXPECT_EQ(form.link.ReceiverAddressText, "34");
  EXPECT_EQ(form.link.ComPort, 1);
  EXPECT_EQ(form.link.BaudIndex, 4);
  EXPECT_EQ(form.meter.AfPosition, 31);
  EXPECT_EQ(form.knob.DimplePosition, 1);
  EXPECT_EQ(form.knob.DialSpeed, 4);
  EXPECT_EQ(form.readout.DigitCache[1], 10);
  EXPECT_EQ(form.scan.ResumeMode, form.scan.ScanMode);
  EXPECT_EQ(form.shell.ExitChoice, 0);
  // No usable port: polling never starts.
  EXPECT_FALSE(form.host.TimerEnabled());
  EXPECT_TRUE(form.HelpFile.endsWith(".HLP"));
  // The splash is up until start-up has finished, with its bar and without "O K".
  ASSERT_NE(form.Splash(), nullptr);
  EXPECT_TRUE(form.Splash()->isVisible());
  EXPECT_TRUE(form.Splash()->Start_ProgressBar->isVisible());
  EXPECT_FALSE(form.Splash()->Ok_Button->isVisible());
  form.ReleaseSplash();
  EXPECT_EQ(form.Splash(), nullptr);
}

TEST(MainFormStartUp, APortWithNoReceiverFallsBackOffLineAndKeepsPolling) {
  int master = -1, slave = -1;
  char name[256];
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  ::close(slave);
  setenv("FENNIX_COM1", name, 1);
  TMainForm form;
  EXPECT_EQ(form.tuning.Frequency[1], 25000000);
  EXPECT_EQ(form.tuning.LowerLimit, 25000000);
  EXPECT_EQ(form.tuning.UpperLimit, 1299999900);
  EXPECT_FALSE(form.Comm1.IsOpen());
  EXPECT_TRUE(form.host.TimerEnabled());
  // Only the band-edge request went out.
  char buffer[64];
  const ssize_t n = ::read(master, buffer, sizeof buffer);
  EXPECT_EQ(n, 6);
  ::close(master);
  setenv("FENNIX_COM1", "/nonexistent/fennix-no-port", 1);
}

TEST(MainFormMenu, ItemsInOrder) {
  TMainForm form;
  QStringList titles;
  for (QAction* a : form.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, QStringList({"ファイル(&F)", "表示(&V)", "スキャン(&K)", "オプション(&O)",
                                 "ヘルプ(&H)"}));
  QStringList file;
  for (QAction* a : form.menuBar()->actions()[0]->menu()->actions())
    file << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(file, QStringList({"CSV 書き出し(&E)...", "CSV 読み込み(&I)...", "-",
                               "保存なし終了(&Q)", "-", "終 了  (&X)"}));
}

// The station list file's bytes, to see whether shutdown wrote it.
std::string StationFileBytes() {
  std::ifstream file("ICLIST.DAT", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class MainFormExit : public ::testing::Test {
 protected:
  // An edit of the list in memory, as the station editor makes one.
  void EditList() {
    form.stations.Data[1].Frequency = 145000000;
    form.stations.DataChanged = true;
  }
  void SetUp() override {
    form.AttachForms({nullptr, nullptr, nullptr, nullptr, &exitForm});
    form.ReleaseSplash();
    form.show();
  }
  // Answers the exit question, once it is up, by the given key (or by closing it).
  void AnswerWith(QPushButton* key) {
    QTimer::singleShot(50, [this, key] {
      ASSERT_TRUE(exitForm.isVisible());
      if (key)
        QTest::mouseClick(key, Qt::LeftButton);
      else
        exitForm.reject();
    });
  }
  TMainForm form;
  TExitForm exitForm{&form};
};

TEST_F(MainFormExit, DiscardWithUnchangedListClosesWithoutAsking) {
  QTimer::singleShot(200, [this] { EXPECT_FALSE(exitForm.isVisible()); });
  form.Exit2->trigger();
  EXPECT_TRUE(form.ShutDown());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.shell.ExitChoice, Shell::kDiscard);
  // The settings are written all the same.
  EXPECT_TRUE(std::ifstream(std::getenv("FENNIX_INI")).good());
}

TEST_F(MainFormExit, ChangedListQuestionClosedWithoutChoiceKeepsRunning) {
  EditList();
  AnswerWith(nullptr);
  form.Exit2->trigger();
  EXPECT_FALSE(form.ShutDown());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.shell.ExitChoice, Shell::kUndecided);
}

TEST_F(MainFormExit, ChangedListSaveKeyLeavesAndSaves) {
  const std::string before = StationFileBytes();
  EditList();
  AnswerWith(exitForm.Yes_Button);
  form.Exit2->trigger();
  EXPECT_TRUE(form.ShutDown());
  const std::string after = StationFileBytes();
  EXPECT_EQ(after.size(), before.size());
  EXPECT_NE(after, before);
}

TEST_F(MainFormExit, TitleBarCloseAfterAnEditAsksAndDiscardLeavesTheListFileUnchanged) {
  const std::string before = StationFileBytes();
  ASSERT_EQ(before.size(), 1481628u);  // made at start, since there was none
  EditList();
  AnswerWith(nullptr);  // the question closed without a choice: the program runs on
  form.close();
  EXPECT_FALSE(form.ShutDown());
  AnswerWith(exitForm.NO_Button);
  form.close();
  EXPECT_TRUE(form.ShutDown());
  EXPECT_EQ(form.shell.ExitChoice, Shell::kDiscard);
  EXPECT_EQ(StationFileBytes(), before);
}

TEST_F(MainFormExit, SessionEndWithNoOneToAskKeepsTheFileAndOffersTheEditsAtTheNextStart) {
  const std::string before = StationFileBytes();
  EditList();
  EXPECT_FALSE(form.SessionEnding([] { return false; }));
  form.close();  // asks nothing now
  EXPECT_TRUE(form.ShutDown());
  EXPECT_EQ(StationFileBytes(), before);
  QTimer::singleShot(50, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box && box->objectName() == "Recovery_Box");
    for (QAbstractButton* key : box->buttons())
      if (key->text() == "復 元") key->click();
  });
  TMainForm next;
  EXPECT_EQ(next.stations.Data[1].Frequency, 145000000);
  EXPECT_TRUE(next.stations.DataChanged);
  ::unlink("ICLIST.DAT.unsaved");
}

TEST_F(MainFormExit, SettingsSurviveARestart) {
  form.tuning.Frequency[1] = 433920000;
  form.tuning.Step[2] = 25000;
  form.link.IntTime = 150;
  form.meter.S_Color = true;
  form.Exit1->trigger();
  TMainForm again;
  again.ReleaseSplash();
  // With no port the stored frequencies give way to 25 MHz; the rest is kept.
  EXPECT_EQ(again.tuning.Frequency[1], 25000000);
  EXPECT_EQ(again.tuning.Step[2], 25000);
  EXPECT_EQ(again.link.IntTime, 150);
  EXPECT_TRUE(again.meter.S_Color);
}

// A receiver's line whose writes fail when told to, as when the adapter is pulled.
class FailingLine : public Port {
 public:
  void Open(int, std::int32_t) override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Write(const civ::Bytes&) override {
    ++writes;
    if (writeFails) throw ECommReadWriteError(5);
  }
  int Read(std::uint8_t*, int) override { return 0; }
  int InQueue() override { return 0; }
  bool writeFails = true;
  int writes = 0;

 private:
  bool open_ = false;
};

// Closes the application's message boxes as they come up and keeps their texts.
class MessageBoxes {
 public:
  MessageBoxes() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text().toStdString());
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start();
  }
  std::vector<std::string> texts;

 private:
  QTimer timer_;
};

TEST(MainFormStartUp, ALineThatFailsIsReportedAndStartUpGoesOn) {
  FailingLine line;
  MessageBoxes boxes;
  std::unique_ptr<TMainForm> form;
  EXPECT_NO_THROW(form = std::make_unique<TMainForm>(&line));
  ASSERT_TRUE(form);
  form->ReleaseSplash();
  ASSERT_FALSE(boxes.texts.empty());
  for (const std::string& text : boxes.texts)
    EXPECT_EQ(text, "COMポートでデータが入出力できません。");
  // Off line with the default range, as for a receiver that does not answer, and the steps
  // after the failure ran.
  EXPECT_FALSE(line.IsOpen());
  EXPECT_EQ(form->tuning.LowerLimit, 25000000);
  EXPECT_EQ(form->tuning.UpperLimit, 1299999900);
  EXPECT_EQ(form->TrackBar1->maximum(), 12999);
  EXPECT_EQ(form->tuning.SavedUpper, 1299999900);
  EXPECT_TRUE(form->host.TimerEnabled());
  App()->OnException = nullptr;
}

TEST(MainFormShutDown, AFailingStepDoesNotCostTheSettingsOrTheList) {
  FailingLine line;
  line.writeFails = false;
  MessageBoxes boxes;
  const std::string ini = std::getenv("FENNIX_INI");
  std::remove(ini.c_str());
  std::string before;
  {
    TMainForm form(&line);
    form.ReleaseSplash();
    before = StationFileBytes();
    ASSERT_EQ(before.size(), 1481628u);
    line.Open(1, 9600);
    form.tuning.Convert_ButtonClick();
    form.stations.Data[7].Frequency = 433920000;
    form.stations.DataChanged = true;
    line.writeFails = true;  // the converter's last frequency cannot be sent
    form.Exit1->trigger();
    EXPECT_TRUE(form.ShutDown());
    EXPECT_FALSE(line.IsOpen());
  }
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"COMポートでデータが入出力できません。"});
  EXPECT_TRUE(std::ifstream(ini).good());
  const std::string after = StationFileBytes();
  EXPECT_EQ(after.size(), before.size());
  EXPECT_NE(after, before);
  App()->OnException = nullptr;
}

TEST(MainFormWindows, ActivationFromOurOwnModalWindowOnlyAndExactCaptions) {
  TMainForm form;
  form.ReleaseSplash();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&form, &activate);  // the first activation
  form.tuning.Frequency[1] = 433000000;
  form.memoryKeys.M_SpeedButtonClick();
  QApplication::sendEvent(&form, &activate);  // back from another program: nothing moves
  EXPECT_EQ(form.bandScope.SweepStart, 25000000);
  QTimer::singleShot(20, [] { QApplication::activeModalWidget()->close(); });
  QMessageBox(QMessageBox::Information, "", "", QMessageBox::Ok, &form).exec();
  QCoreApplication::processEvents();  // back from our own box: the scope follows
  EXPECT_EQ(form.bandScope.SweepStart, 433000000 - 15 * 12500);
  EXPECT_TRUE(form.M_SpeedButton->isChecked());  // and the strips still say "&M" is down
  EXPECT_EQ(form.M_ModePanel[1]->palette().color(QPalette::Window), ui::kYellow);

  // Title bars show exactly their captions: Qt appends a display name to every caption, and
  // names the application in an empty one.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  TExitForm exit(&form);
  TComOptionForm com(&form);
  const std::pair<QWidget*, QString> cases[] = {{&form, "IC-R7100"}, {&com, "設 定"}, {&exit, " "}};
  for (const auto& [window, caption] : cases) EXPECT_EQ(window->windowTitle(), caption);
}

class ThrowingWidget : public QWidget {
 protected:
  void mousePressEvent(QMouseEvent*) override { throw std::runtime_error("not ours to report"); }
};

TEST(ApplicationExceptions, HandlersThatThrowReachTheHandlerAndTheProgramGoesOn) {
  TMainForm form;
  form.ReleaseSplash();
  std::vector<std::string> seen;
  App()->OnException = [&](std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& ex) {
      seen.push_back(ex.what());
    }
  };
  QPushButton button("x");
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, Guarded([&] {
    ++clicks;
    throw ECommError(kCommNotOpen);
  }));
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  ThrowingWidget raw;
  raw.resize(20, 20);
  raw.show();
  QTest::mouseClick(&raw, Qt::LeftButton);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], kCommNotOpen);
  EXPECT_EQ(seen[2], "not ours to report");
  App()->OnException = nullptr;
}

}  // namespace
