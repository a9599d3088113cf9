// The main window's share of identification, off line: the rows and lamps it paints, the
// type panel as a key, Q on the track bar and a refused step's red flash.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/main_form.h"
#include "panel/lamp_widget.h"
#include "stations/cp932.h"
#include "stations/station_file.h"

namespace {

const QColor kLime(0, 255, 0), kSilver(192, 192, 192), kRed(255, 0, 0), kLight(224, 224, 224);

QColor Background(const QWidget* w) { return w->palette().color(QPalette::Window); }

class ScanPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    MemoData data;
    auto put = [&](int no, std::int32_t low, std::int32_t high, std::int32_t step, const char* type,
                   const char* name, std::int32_t shift) {
      MemoRecord& r = data[no];
      r.Frequency = low;
      r.Frequency2 = high;
      r.Step = step;
      r.Mode = 5;
      r.Shift = shift;
      r.Type.Assign(Utf8ToCp932(type));
      r.Name.Assign(Utf8ToCp932(name));
    };
    put(1, 144000000, 146000000, 20000, "アマチュア", "２ｍバンド", 600);
    put(2, 145000000, 0, 20000, "アマチュア", "呼出周波数", 0);
    put(3, 145500000, 0, 20000, "レピータ", "横浜", -600);
    ASSERT_TRUE(StationFile(kStationFileName).DataWrite(data, true, 1).ok());
    setenv("FENNIX_COM1", "/nonexistent/fennix-no-port", 1);
    form_ = std::make_unique<TMainForm>();
    form_->ReleaseSplash();
    form_->show();
    form_->tuning.TrackBar1Change(1450);
  }
  void TearDown() override {
    form_.reset();
    std::filesystem::remove(kStationFileName);
  }
  std::unique_ptr<TMainForm> form_;
};

TEST_F(ScanPanel, RowsLampsAndTheTypePanel) {
  TMainForm& f = *form_;
  EXPECT_EQ(f.No_Panel->text(), "1");
  EXPECT_EQ(f.Type_Panel->text(), "アマチュア");
  EXPECT_EQ(f.Name_Panel->text(), "２ｍバンド");
  EXPECT_EQ(f.Freq_Panel->text(), "144.000.0-146.000.0");
  EXPECT_TRUE(f.ShiftBand_Button->isEnabled());
  EXPECT_EQ(f.Name_Panel_S->text(), "呼出周波数");
  EXPECT_EQ(f.Step_Panel_S->text(), " 20.0");
  EXPECT_EQ(f.Mode_Panel_S->text(), "F M");
  EXPECT_FALSE(f.ShiftSingle_Button->isEnabled());
  EXPECT_EQ(f.AutoMode_Panel->Color(), kLime);
  EXPECT_EQ(f.MemoMode_Panel->Color(), kLime);
  EXPECT_EQ(Background(f.No_Panel_S), kLight);

  // The type panel is a key: single scan and the filter go on, the panel turns lime.
  QTest::mousePress(f.Type_Panel_S, Qt::LeftButton);
  EXPECT_EQ(f.Type_Panel_S->frameShadow(), QFrame::Sunken);
  QTest::mouseRelease(f.Type_Panel_S, Qt::LeftButton);
  EXPECT_EQ(f.Type_Panel_S->frameShadow(), QFrame::Raised);
  EXPECT_EQ(f.SingleScan_Panel->Color(), kLime);
  EXPECT_EQ(Background(f.Type_Panel_S), kLime);
  // A digit key switches it off again.
  QTest::keyClick(f.TrackBar1, Qt::Key_1);
  EXPECT_EQ(Background(f.Type_Panel_S), kLight);

  // Q released on the track bar switches identification off: the whole range, grey panels.
  QTest::keyClick(f.TrackBar1, Qt::Key_Escape);
  QTest::keyRelease(f.TrackBar1, Qt::Key_Q);
  EXPECT_EQ(f.AutoMode_Panel->Color(), kSilver);
  EXPECT_EQ(Background(f.No_Panel), kSilver);
  EXPECT_EQ(f.No_Panel->text(), "");
  EXPECT_EQ(f.Freq_Panel->text(), "25.000.0-1299.999.9");
  // Band stepping is now refused: its lamp flashes red and comes back.
  QTimer::singleShot(200, [&] { EXPECT_EQ(f.AutoMode_Panel->Color(), kRed); });
  QTest::mouseClick(f.Mem_Up_BitBtn, Qt::LeftButton);
  EXPECT_EQ(f.AutoMode_Panel->Color(), kSilver);
  EXPECT_EQ(f.tuning.Frequency[1], 145000000);
  QTest::keyRelease(f.TrackBar1, Qt::Key_Q);  // and on again
  EXPECT_EQ(f.No_Panel->text(), "1");
}

}  // namespace
