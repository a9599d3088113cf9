// The band scope and the memory keys in the main window: bar pixels and what reaches the
// screen, the marker track bar lined up with the bars, the demo picture, the memory keys'
// strips and captions from keys and clicks, and the saved record.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTest>
#include <fstream>
#include <iterator>

#include "app/main_form.h"
#include "panel/lamp_widget.h"
#include "scope/band_scope.h"
#include "scope/band_scope_widget.h"
#include "ui/ui_style_qt.h"

namespace {

struct BandScopeWindow : ::testing::Test {
  BandScopeWindow() { form.ReleaseSplash(); }
  // Black and red pixels of a picture column, counted from the bottom.
  std::pair<int, int> Column(int x) {
    const QImage& image = form.BandImage->Image();
    int black = 0, red = 0;
    for (int y = 0; y < image.height(); ++y) {
      const QColor c = image.pixelColor(x, y);
      if (c == QColor(Qt::black)) ++black;
      if (c == ui::kRed) ++red;
    }
    return {black, red};
  }
  static QColor StripColour(QFrame* strip) { return strip->palette().color(QPalette::Window); }
  TMainForm form;
};

TEST_F(BandScopeWindow, ABarIsDrawnAndOnlyItsColumnReachesTheScreen) {
  ASSERT_EQ(form.BandImage->size(), QSize(276, 54));
  ASSERT_EQ(form.BandImage->pos(), QPoint(1, 1));
  form.meter.S_Color = true;
  form.BandImage->ClearChanges();
  form.bandScope.BandScopePrintSub(1, 100);
  const ScopeBar bar = BandScopeBar(1, 100, 31, form.BandTrackBar->width(), 54, 1, 1, true);
  EXPECT_EQ(Column(bar.x), std::make_pair(31, 5));
  EXPECT_EQ(Column(bar.x + bar.width - 1), std::make_pair(31, 5));
  EXPECT_EQ(Column(bar.x + bar.width), std::make_pair(0, 0));
  // Black stands on the row above the bottom one; red sits right on it.
  const QImage& image = form.BandImage->Image();
  EXPECT_EQ(image.pixelColor(bar.x, 52), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(bar.x, 53), ui::kLight);
  EXPECT_EQ(image.pixelColor(bar.x, 53 - 31 - 1), ui::kRed);
  ASSERT_EQ(form.BandImage->Changes().size(), 1u);
  EXPECT_EQ(form.BandImage->Changes()[0], QRect(bar.x, 0, bar.width, 53));

  // Level 0 leaves the column light; S_Color off makes it all black.
  form.bandScope.BandScopePrintSub(1, 0);
  EXPECT_EQ(Column(bar.x), std::make_pair(0, 0));
  form.meter.S_Color = false;
  form.bandScope.BandScopePrintSub(1, 100);
  EXPECT_EQ(Column(bar.x), std::make_pair(36, 0));
  form.bandScope.BandScopePrintSub(1, 1);
  EXPECT_EQ(Column(bar.x), std::make_pair(1, 0));
}

TEST_F(BandScopeWindow, TheMarkersThumbsLineUpWithTheBarsForEachWidth) {
  // Start-up: width M from the settings' default, lamp lit, marker in the middle.
  EXPECT_EQ(form.BandWM_Panel->Color(), ui::kLime);
  EXPECT_EQ(form.BandWH_Panel->Color(), ui::kSilver);
  EXPECT_EQ(form.BandTrackBar->maximum(), 31);
  form.identification.AutoMode = false;  // no warning flashes in between
  for (QPushButton* key : {form.BandWH_Button, form.BandWMButton, form.BandWL_Button}) {
    QTest::mouseClick(key, Qt::LeftButton);
    const int points = form.bandScope.BandPoints;
    const MarkerTrackLayout layout = MarkerTrackGeometry(201, 282, points);
    EXPECT_EQ(form.BandTrackBar->geometry(), QRect(layout.left, 336, layout.width, 22));
    EXPECT_EQ(form.BandTrackBar->maximum(), points);
    EXPECT_EQ(form.BandTrackBar->value(), (points + 1) / 2);
    for (int k : {1, (points + 1) / 2, points}) {
      QStyleOptionSlider option;
      option.initFrom(form.BandTrackBar);
      option.orientation = Qt::Horizontal;
      option.minimum = 1;
      option.maximum = points;
      option.sliderPosition = option.sliderValue = k;
      const QRect thumb = form.BandTrackBar->style()->subControlRect(
          QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, form.BandTrackBar);
      const int thumbCentre = form.BandTrackBar->x() + thumb.center().x();
      const ScopeBar bar =
          BandScopeBar(k, 100, points, form.BandTrackBar->width(), 54, 1, 1, false);
      const int barCentre = form.Band_Panel->x() + form.BandImage->x() + bar.x + bar.width / 2;
      EXPECT_LE(std::abs(thumbCentre - barCentre), 3) << points << " point " << k;
    }
  }
}

TEST_F(BandScopeWindow, EveryCaptionFitsItsKeyAndLongMemoriesAreDrawnSmaller) {
  form.stations.Data[10001].Frequency = 1299999900;
  form.stations.Data[10002].Frequency = 145000000;
  form.memoryKeys.M_SpeedButtonPrint();
  for (QPushButton* key : form.centralWidget()->findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(key);
    const QString shown = QString(key->text()).remove('&');
    EXPECT_LE(key->fontMetrics().horizontalAdvance(shown),
              key->style()->subElementRect(QStyle::SE_PushButtonContents, &option, key).width())
        << shown.toStdString();
  }
  EXPECT_LT(form.M_Button[1]->font().pixelSize(), 12);
  EXPECT_EQ(form.M_Button[2]->font().pixelSize(), 12);  // "145.000.0" fits as it is
}

TEST_F(BandScopeWindow, AFailedOnLineAttemptDrawsTheDemoPicture) {
  QTest::mouseClick(form.OnLine_Button, Qt::LeftButton);  // no port: the attempt fails
  const QImage& image = form.BandImage->Image();
  EXPECT_EQ(image.pixelColor(2, 2), ui::kRed);  // "DEMO" on red in the corner
  const int m = 16;
  const ScopeBar tallest = BandScopeBar(m, 200, 31, form.BandTrackBar->width(), 54, 1, 1, false);
  EXPECT_EQ(Column(tallest.x).first, 52);
  const ScopeBar empty = BandScopeBar(m + 3, 0, 31, form.BandTrackBar->width(), 54, 1, 1, false);
  EXPECT_EQ(Column(empty.x), std::make_pair(0, 0));
}

TEST_F(BandScopeWindow, MemoryKeysFromClicksAndFunctionKeysAndTheSavedRecord) {
  form.show();
  form.Print_DATA_Sub();
  for (int k = 1; k <= 8; ++k) {
    EXPECT_EQ(form.M_Button[k]->text(), QString("F%1").arg(k));
    EXPECT_EQ(StripColour(form.M_ModePanel[k]), ui::kSilver) << k;
  }
  form.tuning.Step[1] = 20000;
  QTest::mouseClick(form.M_SpeedButton, Qt::LeftButton);
  EXPECT_TRUE(form.M_SpeedButton->isChecked());
  EXPECT_TRUE(form.memoryKeys.MemoRequest);
  EXPECT_EQ(StripColour(form.MemEdit_Panel), ui::kYellow);
  EXPECT_EQ(StripColour(form.M_ModePanel[3]), ui::kYellow);
  QTest::keyClick(form.TrackBar1, Qt::Key_F3);
  EXPECT_FALSE(form.M_SpeedButton->isChecked());
  EXPECT_EQ(form.M_Button[3]->text(), "25.000.0");
  EXPECT_EQ(StripColour(form.M_ModePanel[3]), ui::kSilver);
  EXPECT_TRUE(form.stations.DataChanged);
  // F9 is the store key: F3 is now the one a store would erase.
  QTest::keyClick(form.TrackBar1, Qt::Key_F9);
  EXPECT_TRUE(form.M_SpeedButton->isChecked());
  EXPECT_EQ(StripColour(form.M_ModePanel[3]), ui::kRed);
  QTest::keyClick(form.TrackBar1, Qt::Key_F9);
  EXPECT_FALSE(form.M_SpeedButton->isChecked());

  // Recall from elsewhere.
  form.tuning.Frequency[1] = 433000000;
  form.tuning.Mode[1] = 3;
  QTest::mouseClick(form.M_Button[3], Qt::LeftButton);
  EXPECT_EQ(form.tuning.Frequency[1], 25000000);
  EXPECT_EQ(form.tuning.Mode[1], 5);
  EXPECT_EQ(form.tuning.Step[1], 20000);

  // Leaving with a save writes the memory at record 10003.
  form.Exit1Click();
  std::ifstream in("ICLIST.DAT", std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(bytes.size(), 10011u * 148u);
  const std::size_t at = 10003 * 148;
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + at, bytes.begin() + at + 20),
            (std::vector<unsigned char>{0, 0, 0, 0, 0x40, 0x78, 0x7d, 0x01, 0, 0,
                                        0, 0, 5, 0, 0,    0,    0x20, 0x4e, 0, 0}));
}

}  // namespace
