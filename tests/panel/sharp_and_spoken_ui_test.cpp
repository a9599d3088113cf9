// The custom-drawn controls at the screen's pixel density, and what a screen reader reads of
// them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <functional>

#include "app/main_form.h"
#include "panel/lamp_widget.h"
#include "panel/panel_drawing_qt.h"
#include "panel/pictures_qt.h"
#include "panel/readout_widget.h"
#include "scope/band_scope_widget.h"
#include "stations/data_form.h"
#include "ui/ui_style_qt.h"

namespace {

// A picture drawn at 1x and merely enlarged has every aligned 2 x 2 block of one colour.
bool HasDetailFinerThanTwoPixels(const QImage& image) {
  for (int y = 0; y + 1 < image.height(); y += 2)
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb c = image.pixel(x, y);
      if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
          image.pixel(x + 1, y + 1) != c)
        return true;
    }
  return false;
}

TEST(SharpPictures, DrawnAtTheDevicePixelRatio) {
  struct Case {
    const char* name;
    QSize size;
    std::function<QImage(qreal)> draw;
  };
  const std::vector<Case> cases = {
      {"readout",
       {Readout::kWidth, Readout::kHeight},
       [](qreal s) {
         ReadoutWidget w(nullptr, QRect(0, 0, Readout::kWidth, Readout::kHeight), s);
         Readout readout;
         w.Dial_Digital_Print(readout, 145125600, false, 0);
         return w.Image();
       }},
      {"frequency scale",
       {628, 61},
       [](qreal s) {
         PictureWidget w(nullptr, QRect(1, 1, 628, 61), ui::kSilver, s);
         DrawFrequencyScale(w, QRect(26, 7, 585, 25), 250, 12999, 200);
         return w.Image();
       }},
      {"meter scale",
       {444, 155},
       [](qreal s) {
         PictureWidget w(nullptr, QRect(1, 1, 444, 155), ui::kSilver, s);
         DrawSignalScale(w, QRect(78, 12, 12, 124), 2);
         return w.Image();
       }},
      {"band scope",
       {276, 54},
       [](qreal s) {
         BandScopeWidget w(nullptr, QRect(1, 1, 276, 54), s);
         w.DrawDemoText();
         return w.Image();
       }},
      {"knob", {80, 80}, [](qreal s) { return pictures::Knob(80, s).toImage(); }},
  };
  for (const Case& c : cases)
    for (qreal scale : {1.0, 2.0}) {
      const QImage image = c.draw(scale);
      EXPECT_EQ(image.size(), c.size * scale) << c.name << " at " << scale;
      EXPECT_EQ(image.devicePixelRatio(), scale) << c.name;
      if (scale == 2) EXPECT_TRUE(HasDetailFinerThanTwoPixels(image)) << c.name;
    }
}

QString Read(QWidget* w, QAccessible::Text t) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
  return face ? face->text(t) : QStringLiteral("(none)");
}

TEST(SpokenControls, ReadoutMeterKnobAndLampsTellTheirState) {
  TMainForm form;
  form.ReleaseSplash();
  EXPECT_EQ(Read(form.Image1, QAccessible::Name), QString::fromUtf8("周波数表示"));
  form.tuning.Frequency[form.tuning.Window] = 145125600;
  form.tuning.PrintDial();
  form.ShowStep();
  form.ShowMode();
  EXPECT_EQ(Read(form.Image1, QAccessible::Value), "145.1256 MHz");
  form.tuning.UpDown1Click(true);
  EXPECT_EQ(Read(form.Image1, QAccessible::Value),
            QString("%1 MHz").arg(form.tuning.CurrentFrequency() / 1e6, 0, 'f', 4));
  EXPECT_TRUE(Read(form.Image1, QAccessible::Description).contains("kHz"));

  form.meter.SignalLevel = 89;
  form.ShowSignal();
  EXPECT_EQ(Read(form.Signal_Image, QAccessible::Value), "89");
  EXPECT_EQ(Read(form.Signal_Image, QAccessible::Name), QString::fromUtf8("Sメーター"));
  EXPECT_FALSE(Read(form.Signal_Image, QAccessible::Description).isEmpty());

  EXPECT_EQ(QAccessible::queryAccessibleInterface(form.Dial_Image)->role(), QAccessible::Dial);
  EXPECT_EQ(Read(form.Dial_Image, QAccessible::Name), QString::fromUtf8("同調ツマミ"));

  EXPECT_EQ(Read(form.ATT_Panel, QAccessible::Name), QString::fromUtf8("アッテネーターのランプ"));
  form.ShowAttLamp(true);
  EXPECT_EQ(Read(form.ATT_Panel, QAccessible::Value), QString::fromUtf8("赤点灯"));
  form.ShowAttLamp(false);
  EXPECT_EQ(Read(form.ATT_Panel, QAccessible::Value), QString::fromUtf8("消灯"));
  EXPECT_EQ(form.UP_SC_Button->toolTip(), QString::fromUtf8("上方向スキャン (テンキー −, U)"));
}

// Every key, lamp, slider and field of the panel and of the station list window explains itself.
TEST(SpokenControls, EveryControlHasATip) {
  TMainForm form;
  TDataForm list(form.editor, &form);
  form.ReleaseSplash();
  for (QWidget* window : {form.centralWidget(), static_cast<QWidget*>(&list)})
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w) ||
                           qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QAbstractItemView*>(w) || dynamic_cast<Lamp*>(w);
      // The line edit inside a combo box and the grid's own parts take their owner's tip.
      bool part = false;
      for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget())
        part = part || qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractItemView*>(up);
      // The on-line lamp's tip is the link's: it names the device once one is chosen.
      if (control && !part && w != form.OnLineLampPanel) {
        EXPECT_FALSE(w->toolTip().isEmpty()) << w->objectName().toStdString();
      }
    }
}

}  // namespace
