// The front panel on screen: the readout's pixels against the glyph sheet, the meter bar,
// every control of the layout at its place, and keys, slider and keyboard as frames on a
// pseudo-terminal.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <thread>

#include "app/main_form.h"
#include "civ/civ.h"
#include "panel/lamp_widget.h"
#include "panel/panel_drawing_qt.h"
#include "panel/picture_widget.h"
#include "panel/readout_widget.h"
#include "panel/updown_widget.h"
#include "ui/ui_style_qt.h"

namespace {

QImage Part(const QImage& image, const Cell& c) { return image.copy(c.x, c.y, c.w, c.h); }

bool AllAmber(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != ui::kAmber) return false;
  return true;
}

int DigitX(int i) { return 20 + 33 * i + 6 * ((i - 1) / 3); }

// The decimal points reach into the cells before them; those pixels are not the cell's.
bool InPoint(QPoint at) {
  for (const QRect& r : {QRect(149, 60, 6, 6), QRect(254, 60, 6, 6), QRect(243, 14, 6, 2)})
    if (r.contains(at)) return true;
  return false;
}

// The readout's cell at `c` shows `expected` (all amber when it is null).
bool Shows(const QImage& readout, const Cell& c, const QImage& expected) {
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) {
      if (InPoint(QPoint(c.x + x, c.y + y))) continue;
      const QColor want = expected.isNull() ? ui::kAmber : expected.pixelColor(x, y);
      if (readout.pixelColor(c.x + x, c.y + y) != want) return false;
    }
  return true;
}

struct ReadoutPixels : ::testing::Test {
  // Position i shows digit d (or a blank) as the sheet's cell scaled to 33 x 46.
  void ExpectPositions(const std::vector<int>& shown) {
    for (int i = 0; i < 8; ++i) {
      const int d = shown[static_cast<std::size_t>(i)];
      const QImage want =
          d == Readout::kBlank ? QImage() : widget.Scaled(glyph::LargeDigit(d), QSize(33, 46));
      EXPECT_TRUE(Shows(widget.Image(), {DigitX(i), 20, 33, 46}, want)) << "position " << i;
    }
  }
  bool PointAt(int x) { return !AllAmber(Part(widget.Image(), {x, 60, 6, 6})); }
  ReadoutWidget widget{nullptr, QRect(0, 0, Readout::kWidth, Readout::kHeight)};
  Readout readout;
  static constexpr int B = Readout::kBlank;
};

TEST_F(ReadoutPixels, FrequenciesEntriesAndPoints) {
  widget.Dial_Digital_Print(readout, 145125600, false, 0);
  ExpectPositions({B, 1, 4, 5, 1, 2, 5, 6});
  EXPECT_TRUE(PointAt(149));
  EXPECT_TRUE(PointAt(254));
  // Redrawing the same value draws nothing.
  widget.ClearChanges();
  const QImage before = widget.Image();
  widget.Dial_Digital_Print(readout, 145125600, false, 0);
  EXPECT_TRUE(widget.Changes().empty());
  EXPECT_EQ(widget.Image(), before);

  // The entry 1, 4, 5 and the point: the kHz positions blank; the MHz point is kept.
  widget.Dial_Digital_Print(readout, 145000000, true, 1);
  ExpectPositions({B, 1, 4, 5, B, B, B, B});
  widget.Dial_Digital_Print(readout, 145100000, true, 2);
  ExpectPositions({B, 1, 4, 5, 1, B, B, B});

  // A cleared entry blanks all; points survive only where no blank covered them.
  widget.Dial_Digital_Print(readout, 0, true, 0);
  ExpectPositions({B, B, B, B, B, B, B, B});
  EXPECT_TRUE(PointAt(149));

  widget.Fill();
  widget.Dial_Digital_Print(readout, 500000, false, 0);
  ExpectPositions({B, B, B, B, 5, 0, 0, 0});
  EXPECT_FALSE(PointAt(149));
  EXPECT_TRUE(PointAt(254));
}

TEST_F(ReadoutPixels, StepModeAndScanIndicator) {
  // Step position i shows small digit d, or a blank for d < 0.
  auto stepShows = [&](int i, int d) {
    const Cell c{170 + 10 * i + 6 * ((i - 1) / 3), 3, 9, 15};
    return Shows(widget.Image(), c,
                 d < 0 ? QImage() : widget.Scaled(glyph::SmallDigit(d), QSize(9, 15)));
  };
  widget.Step_Digital_Print(readout, 12500);
  EXPECT_TRUE(stepShows(3, -1));
  EXPECT_TRUE(stepShows(5, 1));
  EXPECT_TRUE(stepShows(6, 2));
  EXPECT_TRUE(stepShows(7, 5));
  EXPECT_TRUE(stepShows(8, -1));
  EXPECT_FALSE(AllAmber(Part(widget.Image(), {243, 14, 6, 2})));  // the point
  EXPECT_FALSE(AllAmber(Part(widget.Image(), {271, 8, 20, 8})));  // kHz
  widget.Step_Digital_Print(readout, 1000000);
  EXPECT_TRUE(stepShows(3, 1));
  EXPECT_TRUE(stepShows(7, 0));
  EXPECT_TRUE(stepShows(8, -1));
  widget.Mode_Digital_Print(7);
  EXPECT_EQ(Part(widget.Image(), {40, 3, 40, 13}), widget.Scaled(glyph::ModeLabel(7), {40, 13}));
  widget.ScanStop_Digital_Print(1);
  EXPECT_EQ(Part(widget.Image(), {120, 3, 33, 13}),
            widget.Scaled(glyph::ResumeSymbol(1), {33, 13}));
}

TEST(GlyphSheet, BlackOnAmberInItsCells) {
  ReadoutWidget widget(nullptr, QRect(0, 0, Readout::kWidth, Readout::kHeight));
  const QImage& sheet = widget.GlyphSheet();
  EXPECT_EQ(sheet.size(), QSize(188, 228));
  // Every cell holds some black, and the ten large digits differ from one another.
  std::vector<Cell> cells = {glyph::kKhzLabel, glyph::kSmallPoint, glyph::kLargePoint};
  for (int d = 0; d < 10; ++d) cells.push_back(glyph::LargeDigit(d));
  for (int d = 0; d < 10; ++d) cells.push_back(glyph::SmallDigit(d));
  for (int m = 1; m <= 7; ++m) cells.push_back(glyph::ModeLabel(m));
  for (int r = 0; r < 4; ++r) cells.push_back(glyph::ResumeSymbol(r));
  for (const Cell& c : cells) EXPECT_FALSE(AllAmber(Part(sheet, c))) << c.x << "," << c.y;
  for (int a = 0; a < 10; ++a)
    for (int b = a + 1; b < 10; ++b)
      EXPECT_NE(Part(sheet, glyph::LargeDigit(a)), Part(sheet, glyph::LargeDigit(b)));
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x) {
      const QColor c = sheet.pixelColor(x, y);
      ASSERT_TRUE(c == ui::kAmber || c == Qt::black || c.red() >= c.green()) << x << "," << y;
    }
}

TEST(MeterPixels, BarLengthsAndColours) {
  PictureWidget bar(nullptr, QRect(0, 0, 8, 120), ui::kSilver);
  auto count = [&](QColor colour) {
    int n = 0;
    for (int y = 0; y < 120; ++y) n += bar.Image().pixelColor(3, y) == colour;
    return n;
  };
  DrawSignalBar(bar, 89, false);
  EXPECT_EQ(count(ui::kLime), 74);
  EXPECT_EQ(bar.Image().pixelColor(0, 119), ui::kLime);  // standing on the bottom row
  DrawSignalBar(bar, 90, true);
  EXPECT_EQ(count(ui::kLime), 72);
  EXPECT_EQ(count(ui::kRed), 3);
  DrawSignalBar(bar, 1, false);
  EXPECT_EQ(count(ui::kLime), 1);
  EXPECT_EQ(count(ui::kSilver), 119);
}

// Name, geometry within the parent, caption ("" when the control has none to check).
struct Placed {
  const char* name;
  QRect geometry;
  const char* caption;
};

QString Caption(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  return {};
}

TEST(MainWindowLayout, EveryControlAtItsPlace) {
  TMainForm form;
  form.ReleaseSplash();
  const Placed table[] = {
      {"AutoMode_Panel", {15, 7, 35, 5}, ""},
      {"AutoMode_Button", {14, 13, 38, 18}, "&PROG"},
      {"BandScan_Panel", {54, 7, 35, 5}, ""},
      {"BandScan_Button", {53, 13, 38, 18}, "&SCAN"},
      {"No_Panel", {94, 9, 38, 19}, ""},
      {"Type_Panel", {135, 9, 100, 19}, ""},
      {"Name_Panel", {238, 9, 168, 19}, ""},
      {"Freq_Panel", {409, 9, 143, 19}, ""},
      {"Mem_Up_BitBtn", {556, 6, 23, 13}, ""},
      {"Mem_Dw_BitBtn", {556, 19, 23, 13}, ""},
      {"ReadBand_Button", {580, 6, 37, 26}, "&LIST"},
      {"MemoMode_Panel", {15, 42, 35, 5}, ""},
      {"MemoMode_Button", {14, 48, 38, 18}, "M&EMO"},
      {"SingleScan_Panel", {54, 42, 35, 5}, ""},
      {"SingleScan_Button", {56, 48, 35, 18}, "S&CAN"},
      {"No_Panel_S", {94, 44, 38, 19}, ""},
      {"Type_Panel_S", {135, 43, 100, 21}, ""},
      {"Name_Panel_S", {238, 44, 168, 19}, ""},
      {"Freq_Panel_S", {409, 44, 70, 19}, ""},
      {"Step_Panel_S", {482, 44, 34, 19}, ""},
      {"Mode_Panel_S", {519, 44, 33, 19}, ""},
      {"MemS_Up_BitBtn", {556, 41, 23, 13}, ""},
      {"MemS_Dw_BitBtn", {556, 54, 23, 13}, ""},
      {"ReadSingle_Button", {580, 41, 37, 26}, "L&IST"},
      {"M_Panel", {1, 71, 630, 35}, ""},
      {"M_Button1", {14, 9, 64, 18}, "F1"},
      {"M_Button5", {273, 9, 64, 18}, "F5"},
      {"M_Button8", {465, 9, 64, 18}, "F8"},
      {"MemEdit_Panel", {548, 7, 70, 22}, ""},
      {"MemButton", {2, 2, 66, 18}, "EDITO&R"},
      {"Panel3", {1, 106, 73, 34}, ""},
      {"M_SpeedButton", {13, 9, 50, 18}, "&M"},
      {"Windw_Panel", {1, 140, 73, 123}, ""},
      {"OnLineLampPanel", {15, 6, 45, 5}, ""},
      {"OnLine_Button", {13, 12, 50, 18}, "O&N LINE"},
      {"Win0Panel", {14, 36, 24, 5}, ""},
      {"Win1Panel", {38, 36, 24, 5}, ""},
      {"Win_Button0", {13, 42, 50, 18}, "&WINDOW"},
      {"ATT_Panel", {15, 66, 45, 5}, ""},
      {"ATT_Button", {13, 71, 50, 18}, "ATT"},
      {"ScanButton", {13, 98, 50, 18}, "DELA&Y"},
      {"Main_Panel", {74, 106, 446, 157}, ""},
      {"AF_TrackBar", {9, 4, 34, 140}, ""},
      {"MaxGainPanel", {14, 0, 24, 9}, "MAX"},
      {"Label5", {4, 144, 44, 12}, "AF GAIN"},
      {"Signal_Panel", {78, 12, 12, 124}, ""},
      {"Signal_Image", {2, 2, 8, 120}, ""},
      {"SignalLabel", {64, 139, 40, 13}, "SIGNAL"},
      {"Mode_Button2", {115, 11, 43, 20}, "USB"},
      {"Mode_Button1", {159, 11, 43, 20}, "LSB"},
      {"Mode_Button3", {203, 11, 43, 20}, "AM W"},
      {"Mode_Button4", {247, 11, 43, 20}, "A M"},
      {"Mode_Button7", {291, 11, 43, 20}, "W FM"},
      {"Mode_Button6", {335, 11, 43, 20}, "FM N"},
      {"Mode_Button5", {379, 11, 43, 20}, "F M"},
      {"Digital_Panel", {112, 39, 315, 78}, ""},
      {"Image1", {3, 3, 309, 72}, ""},
      {"StepButton9", {113, 127, 31, 20}, "1000"},
      {"StepButton8", {144, 127, 31, 20}, "100"},
      {"StepButton5", {237, 127, 31, 20}, "12.5"},
      {"StepButton0", {392, 127, 31, 20}, "0.1"},
      {"SPCH_Panel", {499, 108, 19, 152}, ""},
      {"OK_Panel", {7, 39, 5, 72}, ""},
      {"Step_Panel", {520, 106, 111, 157}, ""},
      {"UpDown1", {13, 14, 43, 129}, ""},
      {"UP_SC_Button", {59, 14, 37, 49}, ""},
      {"ScanUP_Panel", {70, 23, 15, 5}, ""},
      {"ST_SC_Button", {59, 64, 37, 29}, ""},
      {"DW_SC_Button", {59, 94, 37, 49}, ""},
      {"ScanDW_Panel", {70, 131, 15, 5}, ""},
      {"Panel2", {1, 263, 115, 107}, ""},
      {"Button_7", {12, 10, 21, 21}, "7"},
      {"Button_1", {12, 54, 21, 21}, "1"},
      {"Button10", {12, 76, 43, 21}, "0      "},
      {"Button11", {56, 76, 21, 21}, "．"},
      {"Button_BS", {82, 10, 21, 21}, "BS"},
      {"Button_ESC", {82, 32, 21, 21}, "ESC"},
      {"Button_ENT", {82, 54, 21, 43}, "ENT"},
      {"ShiftBand_Button", {123, 275, 34, 32}, "SHF&T"},
      {"ShiftSingle_Button", {123, 307, 34, 32}, "S&HFT"},
      {"ConvF_Panel", {125, 341, 33, 5}, ""},
      {"Convert_Button", {124, 348, 34, 14}, "CONV"},
      {"BandWH_Button", {172, 275, 18, 18}, "H"},
      {"BandWMButton", {172, 294, 18, 18}, "M"},
      {"BandWL_Button", {172, 313, 18, 18}, "L"},
      {"BandWH_Panel", {191, 276, 5, 17}, ""},
      {"BandWM_Panel", {191, 295, 5, 17}, ""},
      {"BandWL_Panel", {191, 314, 5, 17}, ""},
      {"Band_Panel", {201, 275, 282, 60}, ""},
      {"BandTrackBar", {200, 336, 283, 22}, ""},  // laid out at start-up for 31 points
      {"Band_L_BitBtn", {172, 338, 24, 24}, ""},
      {"Band_R_BitBtn", {489, 338, 24, 24}, ""},
      {"BandRun_BitBtn", {489, 275, 24, 25}, ""},
      {"BandLoop_Panel", {489, 303, 24, 24}, ""},
      {"BandLoop_BitBtn", {3, 3, 18, 18}, ""},
      {"D_Panel", {520, 263, 111, 107}, ""},
      {"Dial_Image", {22, 19, 80, 80}, ""},
      {"SubDial_Image", {52, 33, 21, 21}, ""},
      {"L_FF_Image", {33, 6, 10, 9}, ""},
      {"L_FF2_Image", {33, 6, 10, 9}, ""},
      {"R_FF_Image", {81, 6, 10, 9}, ""},
      {"R_FF2_Image", {81, 6, 10, 9}, ""},
      {"Dial_Stop_Panel", {51, 7, 23, 7}, ""},
      {"HighLabel", {1, 4, 22, 9}, "HIGH"},
      {"LowLabel", {1, 94, 22, 9}, "LOW"},
      {"Dial_Panel", {1, 370, 630, 63}, ""},
      {"Scale_Image", {1, 1, 628, 61}, ""},
      {"TrackBar1", {26, 7, 585, 25}, ""},
      {"Button1", {327, 405, 75, 25}, ""},
  };
  for (const Placed& p : table) {
    auto* w = form.findChild<QWidget*>(p.name);
    ASSERT_NE(w, nullptr) << p.name;
    EXPECT_EQ(w->geometry(), p.geometry) << p.name;
    if (*p.caption) {
      EXPECT_EQ(Caption(w), QString::fromUtf8(p.caption)) << p.name;
    }
  }
  EXPECT_EQ(form.centralWidget()->size(), QSize(632, 434));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  // A fixed border that can still be minimised.
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form.DigitalDat_Image.size(), QSize(188, 228));
  // Start-up colours: lamps idle, the ATT lamp in its column's colour, arrows idle.
  EXPECT_EQ(form.ATT_Panel->Color(), ui::kSilver);
  EXPECT_EQ(form.Dial_Stop_Panel->Color(), ui::kSilver);
  EXPECT_TRUE(form.R_FF2_Image->isVisibleTo(form.D_Panel));
  EXPECT_FALSE(form.R_FF_Image->isVisibleTo(form.D_Panel));
  EXPECT_EQ(form.AF_TrackBar->value(), 31);
  EXPECT_EQ(form.DialSpeed_TrackBar->value(), 4);
  // The dimple follows the knob's table.
  form.tuning.DialUp();
  EXPECT_EQ(form.SubDial_Image->pos(), QPoint(22 + 37, 19 + 15));
  EXPECT_TRUE(form.R_FF_Image->isVisibleTo(form.D_Panel));
  // The signal scale and the frequency scale are printed.
  EXPECT_EQ(form.Main_Image->Image().pixelColor(76, 20), ui::kRed);
  EXPECT_EQ(form.Scale_Image->Image().pixelColor(37, 35), QColor(Qt::black));
}

TEST(MainWindowKeyboard, TheTrackBarHoldsTheFocusFromTheFirstMoment) {
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(QApplication::focusWidget(), form.TrackBar1);
  // Space is the scan stop key, not a press of the first key ("&PROG").
  form.scan.ScanState = ScanEngine::kUp;
  const bool autoMode = form.identification.AutoMode;
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(form.scan.ScanState, 0);
  EXPECT_EQ(form.identification.AutoMode, autoMode);
}

TEST(MainWindowUpDown, StepsOnPressRepeatsWhileHeldAndClearsTheArrowOnRelease) {
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  form.tuning.Frequency[1] = 145000000;
  const std::int32_t start = form.tuning.Frequency[1];
  const std::int32_t step = form.tuning.Step[1];
  QTest::mousePress(form.UpDown1->Up, Qt::LeftButton);
  EXPECT_EQ(form.tuning.Frequency[1], start + step);
  EXPECT_TRUE(form.R_FF_Image->isVisibleTo(form.D_Panel));
  QTest::mouseRelease(form.UpDown1->Up, Qt::LeftButton);
  EXPECT_EQ(form.tuning.Frequency[1], start + step);
  EXPECT_FALSE(form.R_FF_Image->isVisibleTo(form.D_Panel));
  EXPECT_TRUE(form.R_FF2_Image->isVisibleTo(form.D_Panel));

  // Held down, the key repeats; the arrow goes out only when it comes up.
  QTest::mousePress(form.UpDown1->Down, Qt::LeftButton);
  QTest::qWait(700);
  EXPECT_LE(form.tuning.Frequency[1], start - step);
  EXPECT_TRUE(form.L_FF_Image->isVisibleTo(form.D_Panel));
  QTest::mouseRelease(form.UpDown1->Down, Qt::LeftButton);
  EXPECT_FALSE(form.L_FF_Image->isVisibleTo(form.D_Panel));
}

TEST(MainWindowMeter, TheBarOnScreenHasTheDesignLengths) {
  TMainForm form;
  form.ReleaseSplash();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  struct Case {
    int level, lime;
  } cases[] = {{89, 74}, {165, 113}, {255, 110}, {1, 1}, {0, 0}};
  for (const Case& c : cases) {
    form.meter.SignalLevel = c.level;
    form.meter.PrintSignal();
    // What the screen shows inside the sunken panel: the bar stands on the bottom row of the
    // picture, just above the panel's lower bevel.
    const QImage shot = form.Signal_Panel->grab().toImage();
    for (int x = 2; x < 10; ++x) {
      int lime = 0;
      for (int y = 0; y < shot.height(); ++y) lime += shot.pixelColor(x, y) == ui::kLime;
      EXPECT_EQ(lime, c.lime) << "level " << c.level << " x " << x;
    }
    if (c.lime > 0) {
      EXPECT_EQ(shot.pixelColor(5, 121), ui::kLime) << c.level;
    }
    EXPECT_NE(shot.pixelColor(5, 122), ui::kLime);
  }
}

// A receiver on a pseudo-terminal that answers the band-edge request, so the panel goes on
// line, and then only listens.
class OnLinePanel : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[256];
    ASSERT_EQ(openpty(&master_, &slave_, name, nullptr, nullptr), 0);
    setenv("FENNIX_COM1", name, 1);
    answerer_ = std::thread([this] {
      std::string seen;
      while (!stop_ && seen.find("FEFE34E002FD") == std::string::npos) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        std::uint8_t buffer[256];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) seen += civ::FrameText(buffer, static_cast<std::size_t>(n));
      }
      const std::uint8_t reply[] = {0xFE, 0xFE, 0xE0, 0x34, 0x02, 0x00, 0x00, 0x00, 0x25,
                                    0x00, 0x2D, 0x00, 0x99, 0x99, 0x99, 0x12, 0xFD};
      if (!stop_) (void)!::write(master_, reply, sizeof reply);
    });
    form_ = std::make_unique<TMainForm>();
    form_->ReleaseSplash();
    stop_ = true;
    answerer_.join();
    form_->show();
    Drain(300);
  }
  void TearDown() override {
    form_.reset();
    ::close(slave_);
    ::close(master_);
    setenv("FENNIX_COM1", "/nonexistent", 1);
  }
  // What the panel wrote within `ms`, as hex text, while the window thread runs.
  std::string Drain(int ms) {
    std::string out;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 10) <= 0) continue;
      std::uint8_t buffer[512];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) out += civ::FrameText(buffer, static_cast<std::size_t>(n));
    }
    return out;
  }
  static std::string Hex(const civ::Bytes& frame) { return civ::FrameText(frame); }
  int master_ = -1, slave_ = -1;
  std::atomic<bool> stop_{false};
  std::thread answerer_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(OnLinePanel, KeysSliderAndKeyboardSendTheirFrames) {
  TMainForm& f = *form_;
  ASSERT_TRUE(f.Comm1.IsOpen());
  const std::uint8_t to = f.link.ReceiverAddress();
  f.host.TimerStop();  // no polls in between

  QTest::mouseClick(f.StepButton[5], Qt::LeftButton);  // 12.5 kHz
  EXPECT_NE(Drain(200).find(Hex(civ::SetStepFrame(to, civ::StepCode[5]))), std::string::npos);
  EXPECT_TRUE(f.TrackBar1->hasFocus() || !QApplication::activeWindow());

  QTest::mouseClick(f.Mode_Button[7], Qt::LeftButton);  // the fifth key from the left
  EXPECT_NE(Drain(200).find(Hex(civ::SetModeFrame(to, 7))), std::string::npos);
  EXPECT_EQ(f.tuning.Mode[1], 7);

  QTest::mouseClick(f.ATT_Button, Qt::LeftButton);
  EXPECT_NE(Drain(300).find(Hex(civ::AttenuatorFrame(to, true))), std::string::npos);
  EXPECT_EQ(f.ATT_Panel->Color(), ui::kRed);
  QTest::mouseClick(f.ATT_Button, Qt::LeftButton);
  EXPECT_NE(Drain(300).find(Hex(civ::AttenuatorFrame(to, false))), std::string::npos);
  EXPECT_EQ(f.ATT_Panel->Color(), ui::kSilver);

  f.AF_TrackBar->triggerAction(QAbstractSlider::SliderToMinimum);  // the top: highest gain
  EXPECT_NE(Drain(200).find(Hex(civ::AfGainFrame(to, 255))), std::string::npos);
  f.AF_TrackBar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_NE(Drain(200).find(Hex(civ::AfGainFrame(to, 7))), std::string::npos);

  // Typed on the keyboard into TrackBar1, and from the keypad keys.
  QTest::keyClicks(f.TrackBar1, "145.125");
  QTest::keyClick(f.TrackBar1, Qt::Key_Return);
  EXPECT_NE(Drain(200).find(Hex(civ::SetFrequencyFrame(145125000))), std::string::npos);
  for (QPushButton* key : {f.Button_[4], f.Button_[3], f.Button_[3], f.Button11, f.Button_[9],
                           f.Button_[2], f.Button_ENT})
    QTest::mouseClick(key, Qt::LeftButton);
  EXPECT_NE(Drain(200).find(Hex(civ::SetFrequencyFrame(433920000))), std::string::npos);
  EXPECT_EQ(f.tuning.Frequency[1], 433920000);
  EXPECT_EQ(f.readout.DigitCache, (std::array<int, 9>{10, 10, 4, 3, 3, 9, 2, 0, 0}));

  // The speech strip asks for the announcement on release.
  QTest::mousePress(f.SPCH_Panel, Qt::LeftButton);
  EXPECT_EQ(f.SPCH_Panel->Color(), ui::kLight);
  QTest::mouseRelease(f.SPCH_Panel, Qt::LeftButton);
  EXPECT_NE(Drain(200).find(Hex(civ::SpeechFrame())), std::string::npos);
  EXPECT_EQ(f.SPCH_Panel->Color(), ui::kSilver);
}

// A panel redrawn for hours (a long scan) keeps only the latest changed rectangles.
TEST(PictureChanges, OnlyTheLatestAreKept) {
  PictureWidget picture(nullptr, QRect(0, 0, 100, 100), ui::kSilver);
  for (int k = 0; k < 100000; ++k) picture.Changed(QRect(k % 90, 0, 10, 10));
  EXPECT_LE(picture.Changes().size(), PictureWidget::kKeptChanges);
  EXPECT_EQ(picture.Changes().back(), QRect(99999 % 90, 0, 10, 10));
}

TEST(MainWindowRedraw, ARedrawDuringAScanTakesNoStep) {
  TMainForm form;
  form.ReleaseSplash();
  form.scan.ScanState = ScanEngine::kUp;  // the demonstration scan, off line
  const std::int32_t before = form.tuning.CurrentFrequency();
  form.Print_DATA_Sub();
  EXPECT_EQ(form.tuning.CurrentFrequency(), before);
  EXPECT_EQ(form.scan.ScanState, ScanEngine::kUp);
}

}  // namespace
