// The scan log through the main window: the list window, its menu items and setting, and a
// scan against fennix-sim that leaves its stops in the day's file.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>

#include <QDateEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/exit_form.h"
#include "app/main_form.h"
#include "scanlog/scan_log_form.h"
#include "sim/sim_harness.h"

namespace {

namespace fs = std::filesystem;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

QStringList MenuTexts(QMenuBar* bar, int index) {
  QStringList out;
  for (QAction* a : bar->actions()[index]->menu()->actions())
    if (!a->isSeparator()) out << a->text();
  return out;
}

TEST(ScanLogWindow, ListsNewestFirstAndTunesOnADoubleClickOrEnter) {
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  EXPECT_TRUE(MenuTexts(form.menuBar(), 1).contains("スキャン記録(&S)..."));
  EXPECT_TRUE(MenuTexts(form.menuBar(), 3).contains("スキャン記録(&L)"));
  // The log lives in the user's data folder, which the tests point at a folder of their own.
  ASSERT_EQ(form.scanLog.Folder(), std::getenv("FENNIX_DATA"));
  const std::string today = form.scanLog.Today();
  fs::remove(form.scanLog.PathFor(today));
  std::ofstream(form.scanLog.PathFor(today))
      << kScanLogHeader << "\n"
      << today << " 01:00:00,145.100000,2m,,F M,190\n"
      << today << " 02:00:00,433.920000,,\"Sensor, yard\",FMN,88\n"
      << today << " 03:00:00,1200.000000,,,WFM,\n";
  std::ofstream(form.scanLog.PathFor("2026-01-02"))
      << kScanLogHeader << "\n2026-01-02 05:06:07,27.000000,,,A M,50\n";

  form.ScanLog_Menu->trigger();
  TScanLogForm* w = form.scanLogUi->Form();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->isVisible());
  QTreeWidget* list = w->Log_List;
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(0)->text(1), "1200.000000");
  EXPECT_EQ(list->topLevelItem(1)->text(3), "Sensor, yard");
  EXPECT_EQ(list->topLevelItem(2)->text(5), "190");
  EXPECT_EQ(list->currentItem(), list->topLevelItem(0));

  // A double click on a line tunes there as the track bar does.
  const QRect row = list->visualItemRect(list->topLevelItem(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(form.tuning.Frequency[form.tuning.Window], 433920000);
  // Enter on the current line too.
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(2));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(form.tuning.Frequency[form.tuning.Window], 145100000);

  // A line written while the window shows today goes on top.
  form.scanLog.StopBegins({146000000, "", "", 5});
  form.scanLog.SignalReading(77);
  form.scanLog.StopEnds();
  ASSERT_EQ(list->topLevelItemCount(), 4);
  EXPECT_EQ(list->topLevelItem(0)->text(1), "146.000000");
  EXPECT_EQ(list->topLevelItem(0)->text(5), "77");

  // Another day from the date field; a day without a file shows nothing.
  w->Day_DateEdit->setDate(QDate(2026, 1, 2));
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "2026-01-02 05:06:07");
  w->Day_DateEdit->setDate(QDate(2026, 1, 3));
  EXPECT_EQ(list->topLevelItemCount(), 0);
  EXPECT_FALSE(w->Tune_Button->isEnabled());
  QTest::mouseClick(w->Today_Button, Qt::LeftButton);
  EXPECT_EQ(list->topLevelItemCount(), 4);

  // Past midnight the window left on today follows the day: with the next line, or the timer.
  for (const int day : {6, 7}) {
    form.scanLog.SetClock([day] { return LocalTime{2031, 5, day, 0, 0, 1}; });
    fs::remove(form.scanLog.PathFor(form.scanLog.Today()));
    form.scanLog.StopBegins({147000000, "", "", 5});
    if (day == 6) form.scanLog.StopEnds();
    w->FollowToday();
    EXPECT_EQ(w->Day(), QDate(2031, 5, day));
    EXPECT_EQ(list->topLevelItemCount(), 7 - day);
  }
}

TEST(ScanLogWindow, TheOffSwitchIsKeptInItsOwnSectionAfterTheOthers) {
  {
    TMainForm form;
    TExitForm exitForm{&form};
    form.AttachForms({nullptr, nullptr, nullptr, nullptr, &exitForm});
    form.ReleaseSplash();
    EXPECT_TRUE(form.scanLog.Enabled);
    EXPECT_TRUE(form.MenuScanLog->isChecked());
    form.MenuScanLog->trigger();
    EXPECT_FALSE(form.scanLog.Enabled);
    form.Exit1->trigger();
  }
  const std::string ini = FileText(std::getenv("FENNIX_INI"));
  EXPECT_LT(ini.find("[NET]"), ini.find("[LOG]"));
  EXPECT_NE(ini.find("[LOG]\nScanLog=0"), std::string::npos) << ini;
  TMainForm again;
  TExitForm exitForm{&again};
  again.AttachForms({nullptr, nullptr, nullptr, nullptr, &exitForm});
  again.ReleaseSplash();
  EXPECT_FALSE(again.scanLog.Enabled);
  EXPECT_FALSE(again.MenuScanLog->isChecked());
  again.MenuScanLog->trigger();
  again.Exit1->trigger();
}

TEST(ScanLogWindow, AFailedWriteIsToldOnceWithoutHoldingUpThePanel) {
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  form.scanLog.SetFolder("/proc/no-such-folder");
  for (int stop = 0; stop < 2; ++stop) {
    form.scanLog.StopBegins({145100000 + stop * 20000, "", "", 5});
    form.scanLog.StopEnds();
  }
  const auto boxes = form.findChildren<QMessageBox*>("ScanLogFailed_Box");
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0]->isVisible());
  EXPECT_FALSE(boxes[0]->isModal());
  EXPECT_TRUE(boxes[0]->text().contains("/proc/no-such-folder/scanlog-"));
}

TEST(ScanLogEndToEnd, TwoCarriersLeaveTwoLines) {
  const std::string base = "fennix-scanlog-e2e-" + std::to_string(getpid());
  const fs::path link = fs::temp_directory_path() / base;
  const fs::path carriers = fs::temp_directory_path() / (base + ".txt");
  std::ofstream(carriers) << "146.000 200 12000 always\n146.100 150 12000 always\n";
  simtest::Sim sim({"--stations", carriers.string(), "--link", link.string(), "--seed", "1"});
  ASSERT_FALSE(sim.slave().empty()) << "the simulator did not start";
  setenv("FENNIX_COM1", link.c_str(), 1);
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  ASSERT_TRUE(form.Comm1.IsOpen());
  const std::string path = form.scanLog.PathFor(form.scanLog.Today());
  fs::remove(path);

  form.scan.ResumeMode = ScanEngine::kDelay;
  form.scan.StopTime = 1000;
  form.tuning.Mode[1] = 5;
  form.tuning.Step[1] = 20000;
  form.tuning.TrackBar1Change(1459);  // 145.900 MHz
  form.host.Delay(300);
  form.UP_SC_Button->click();
  for (int waited = 0; waited < 15000 && form.tuning.Frequency[1] < 146200000; waited += 20)
    form.host.Delay(20);
  form.ST_SC_Button->click();
  form.host.Delay(200);
  setenv("FENNIX_COM1", "/nonexistent", 1);
  fs::remove(carriers);

  const std::vector<ScanLogEntry> lines = ReadScanLog(FileText(path));
  ASSERT_EQ(lines.size(), 2u) << FileText(path);
  EXPECT_EQ(lines[0].frequency, 146000000);
  EXPECT_EQ(lines[1].frequency, 146100000);
  // The strongest reading of each: the carrier's level, give or take the receiver's jitter.
  EXPECT_NEAR(lines[0].level, 200, 3);
  EXPECT_NEAR(lines[1].level, 150, 3);
  EXPECT_EQ(lines[0].mode, "F M");
  EXPECT_TRUE(FileText(path).starts_with(std::string(kScanLogHeader) + "\n"));
}

}  // namespace
