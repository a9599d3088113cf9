// The options dialog on screen: typing into its combo boxes, where the focus goes, the
// conversion error, the converter edits, Cancel through the main window's menu, and the
// receiver model's addresses on the wire.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/main_form.h"
#include "panel/readout_widget.h"
#include "settings/std_option_form.h"
#include "support/rig.h"

namespace {

// Closes every message box that comes up while it lives and keeps their texts.
class MessageWatcher {
 public:
  MessageWatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts.push_back(box->text());
        box->accept();
      }
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

class OptionForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Bind(refs);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  // Replaces a combo box's text by typing, as a user does, and confirms it by Enter.
  // Keys go where the application sends them: to the focused combo box.
  void Type(QComboBox* combo, const QString& text, bool enter = true) {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo, text);
    if (enter) QTest::keyClick(combo, Qt::Key_Return);
  }
  OptionValues v;
  OptionRefs refs{v.ScanTime,  v.S_Color,      v.IntTime,      v.ScanMode,   v.ResumeMode,
                  v.StopTime,  v.StartMode,    v.ModeListA,    v.ModeListB,  v.TypeListA,
                  v.TypeListB, v.ConvertShift, v.ConvertStart, v.ConvertEnd, v.ReceiverModel};
  TStdOptionForm form;
};

TEST_F(OptionForm, OpensWithTheStoredValuesAndTheFocusOnOk) {
  EXPECT_EQ(form.windowTitle(), "環境設定");
  EXPECT_EQ(form.ScanComboBox->currentText(), "30");
  EXPECT_EQ(form.StopTimeComboBox->currentText(), "5");
  EXPECT_EQ(form.ComTimeComboBox->currentText(), "200");
  EXPECT_EQ(form.ConvFreq_Edit->text(), "60000");
  EXPECT_EQ(form.ConvFreq1_Edit->text(), "20");
  EXPECT_EQ(form.ConvFreq2_Edit->text(), "60000");
  EXPECT_EQ(form.ReceiverComboBox->currentText(), "IC-R7100");
  EXPECT_EQ(form.ReceiverComboBox->count(), 9);
  EXPECT_EQ(form.ScanStopItems->checkedId(), 0);
  EXPECT_TRUE(form.InitCheckBox->isChecked());
  EXPECT_FALSE(form.S_CheckBox->isChecked());
  EXPECT_TRUE(form.typeBCheckBox->isChecked());
  EXPECT_TRUE(form.OK_Button->hasFocus());
  // Opening is not a change: nothing was stored.
  EXPECT_EQ(v, OptionValues{});
}

TEST_F(OptionForm, TypedValuesAreStoredByEnterNotWhileTyping) {
  Type(form.StopTimeComboBox, "45");
  EXPECT_EQ(v.StopTime, 30000);
  Type(form.ComTimeComboBox, "2000");
  Type(form.ComTimeComboBox, "5", false);
  EXPECT_EQ(v.IntTime, 1000);
  EXPECT_TRUE(form.ComTimeComboBox->hasFocus());
  QTest::keyClick(form.ComTimeComboBox, Qt::Key_Return);
  EXPECT_EQ(v.IntTime, 10);
  // No completion from the list: "5" stays "5", "1" does not become "10".
  EXPECT_EQ(form.ComTimeComboBox->currentText(), "5");
  Type(form.ScanComboBox, "1");
  EXPECT_EQ(v.ScanTime, 1);
  Type(form.StopTimeComboBox, "0");
  EXPECT_EQ(v.StopTime, 1000);
  // Enter confirms the text and moves on to "O K" without closing the dialog.
  QTest::keyClick(form.StopTimeComboBox, Qt::Key_Return);
  EXPECT_TRUE(form.OK_Button->hasFocus());
  EXPECT_TRUE(form.isVisible());
}

TEST_F(OptionForm, LeavingATypedFieldByTabGoesToOk) {
  Type(form.StopTimeComboBox, "10", false);
  QTest::keyClick(form.StopTimeComboBox, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_TRUE(form.OK_Button->hasFocus());
  EXPECT_EQ(v.StopTime, 10000);
}

TEST_F(OptionForm, PickingAnItemStoresItAndGoesToOk) {
  form.StopTimeComboBox->setFocus();
  form.StopTimeComboBox->setCurrentIndex(3);
  emit form.StopTimeComboBox->activated(3);
  EXPECT_EQ(v.StopTime, 10000);
  EXPECT_TRUE(form.OK_Button->hasFocus());
}

TEST_F(OptionForm, ConversionErrorsShowAMessageAndKeepTheValue) {
  MessageWatcher watcher;
  Type(form.ScanComboBox, "", false);  // emptied to type anew: no message yet
  Type(form.ScanComboBox, "12a");      // text check A turns "12a" away
  EXPECT_EQ(v.ScanTime, 30);
  EXPECT_TRUE(watcher.texts.isEmpty());
  Type(form.ScanComboBox, "1234a", false);  // five characters: converted, and refused on "O K"
  QTest::mouseClick(form.OK_Button, Qt::LeftButton);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(v.ScanTime, 30);
  ASSERT_EQ(watcher.texts.size(), 1);
  EXPECT_TRUE(watcher.texts[0].contains("1234a"));
  Type(form.StopTimeComboBox, "7x");
  EXPECT_EQ(v.StopTime, 5000);
  EXPECT_EQ(watcher.texts.size(), 2);
}

TEST_F(OptionForm, ClearingTheConverterEndSetsItToZeroAndLeavesTheShift) {
  form.ConvFreq2_Edit->setFocus();
  QTest::keyClick(form.ConvFreq2_Edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(form.ConvFreq2_Edit, Qt::Key_Delete);
  EXPECT_EQ(form.ConvFreq2_Edit->text(), "");  // put right once the edit is left
  EXPECT_TRUE(form.ConvFreq2_Edit->hasFocus());
  form.ConvFreq_Edit->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(form.ConvFreq2_Edit->text(), "0");
  EXPECT_EQ(v.ConvertEnd, 0);
  EXPECT_EQ(v.ConvertShift, 60000000);
  EXPECT_EQ(form.ConvFreq_Edit->text(), "60000");
  // Bad text shows the stored value again.
  QTest::keyClick(form.ConvFreq_Edit, Qt::Key_End);
  QTest::keyClicks(form.ConvFreq_Edit, "k");
  form.ConvFreq1_Edit->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(form.ConvFreq_Edit->text(), "60000");
  QTest::keyClicks(form.ConvFreq_Edit, "1");
  QTest::mouseClick(form.OK_Button, Qt::LeftButton);
  EXPECT_EQ(v.ConvertShift, 600001000);
}

TEST_F(OptionForm, CheckBoxesAndTheRadioGroupStoreAtOnceAndGoToOk) {
  QTest::mouseClick(form.S_CheckBox, Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_TRUE(v.S_Color);
  EXPECT_TRUE(form.OK_Button->hasFocus());
  QTest::mouseClick(form.ModeBCheckBox, Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_FALSE(v.ModeListB);
  form.ScanStopItems->button(1)->click();
  EXPECT_EQ(v.ScanMode, 1);
  EXPECT_EQ(v.ResumeMode, 1);
  EXPECT_TRUE(form.OK_Button->hasFocus());
  form.ReceiverComboBox->setFocus();
  form.ReceiverComboBox->setCurrentIndex(2);
  EXPECT_EQ(v.ReceiverModel, 2);
  EXPECT_TRUE(form.ReceiverComboBox->hasFocus());
}

TEST(OptionFormReceiver, IcR9000SendsStepModeAndQueriesTo2AAndTheFrequencyTo34) {
  Rig rig;
  rig.StartUp();
  OptionValues unused;
  OptionRefs refs{unused.ScanTime,     unused.S_Color,    unused.IntTime,
                  unused.ScanMode,     unused.ResumeMode, unused.StopTime,
                  unused.StartMode,    unused.ModeListA,  unused.ModeListB,
                  unused.TypeListA,    unused.TypeListB,  unused.ConvertShift,
                  unused.ConvertStart, unused.ConvertEnd, rig.link.ReceiverModel};
  TStdOptionForm form;
  form.Bind(refs);
  form.show();
  form.ReceiverComboBox->setCurrentIndex(form.ReceiverComboBox->findText("IC-R9000"));
  form.close();
  rig.rx.ClearLog();
  rig.tuning.ChannelSend();
  rig.tuning.ModeButtonClick(4);
  rig.tuning.StepButtonClick(4);
  rig.link.SquelchSend();
  const auto frames = rig.rx.Frames();
  ASSERT_GE(frames.size(), 4u);
  EXPECT_EQ(frames[0].substr(0, 6), "FEFE34");  // the frequency
  for (std::size_t i = 1; i < frames.size(); ++i)
    EXPECT_EQ(frames[i].substr(0, 6), "FEFE2A") << frames[i];
}

// The readout's resume symbol is the one for `resumeMode`.
bool ShowsResume(TMainForm& form, int resumeMode) {
  return form.Image1->Image().copy(120, 3, 33, 13) ==
         form.Image1->Scaled(glyph::ResumeSymbol(resumeMode), {33, 13});
}

// The menu item keeps the values from before and puts all of them back on "キャンセル".
class OptionMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    form.AttachForms({nullptr, &options, nullptr, nullptr, nullptr});
    form.ReleaseSplash();
    form.show();
  }
  void WhileOpen(std::function<void()> act, QPushButton* TStdOptionForm::*close) {
    QTimer::singleShot(50, [this, act, close] {
      ASSERT_TRUE(options.isVisible());
      act();
      QTest::mouseClick(options.*close, Qt::LeftButton);
    });
    form.MenuOption->trigger();
  }
  TMainForm form;
  TStdOptionForm options{&form};
};

TEST_F(OptionMenu, ResumeConditionOoThenCancelRestoresBoth) {
  WhileOpen(
      [this] {
        options.ScanStopItems->button(2)->click();
        EXPECT_EQ(form.scan.ScanMode, 2);
        EXPECT_EQ(form.scan.ResumeMode, 2);
        QTest::mouseClick(options.S_CheckBox, Qt::LeftButton, {}, QPoint(6, 10));
        options.ReceiverComboBox->setCurrentIndex(4);
        options.ConvFreq1_Edit->setText("");
        options.ConvFreq1_EditChange();
      },
      &TStdOptionForm::NG_Button);
  EXPECT_EQ(form.scan.ScanMode, 0);
  EXPECT_EQ(form.scan.ResumeMode, 0);
  EXPECT_FALSE(form.meter.S_Color);
  EXPECT_EQ(form.link.ReceiverModel, 0);
  EXPECT_EQ(form.tuning.ConvertStart, 20000);
  // The resume symbol shows the condition in force.
  EXPECT_TRUE(ShowsResume(form, 0));
}

TEST_F(OptionMenu, OkKeepsTheChoiceAndTheReadoutShowsIt) {
  form.Image1->ScanStop_Digital_Print(0);
  WhileOpen([this] { options.ScanStopItems->button(3)->click(); }, &TStdOptionForm::OK_Button);
  EXPECT_EQ(form.scan.ScanMode, 3);
  EXPECT_EQ(form.scan.ResumeMode, 3);
  EXPECT_TRUE(ShowsResume(form, 3));
}

}  // namespace
