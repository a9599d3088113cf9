// Find in the station list window driven with keys and clicks: Alt+F, a condition typed into
// a field, the arrows and their Alt keys, the information boxes and the captions.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "stations/cp932.h"
#include "stations/data_form.h"

namespace {

MemoRecord Rec(std::int32_t f, std::int32_t f2, const char* name, int mode) {
  MemoRecord r;
  r.Frequency = f;
  r.Frequency2 = f2;
  r.Type.Assign(Utf8ToCp932("消防救急無線"));
  r.Name.Assign(Utf8ToCp932(name));
  r.Mode = mode;
  return r;
}

const QColor kLime(0, 255, 0), kSilver(192, 192, 192);

struct FindUi : ::testing::Test {
  std::unique_ptr<StationList> list = std::make_unique<StationList>();
  std::unique_ptr<StationEditor> editor;
  std::unique_ptr<TDataForm> form;

  // In frequency order: 1 the band, 2 東京消防 (A M), 3 羽田 (F M), 4 横浜消防 (F M).
  void SetUp() override {
    list->Data[1] = Rec(154000000, 0, "東京消防", 4);
    list->Data[2] = Rec(155000000, 0, "羽田", 5);
    list->Data[3] = Rec(156000000, 0, "横浜消防", 5);
    list->Data[4] = Rec(150000000, 160000000, "消防波", 5);
    list->AutoMode_IdxInit();
    editor = std::make_unique<StationEditor>(*list);
    form = std::make_unique<TDataForm>(*editor);
  }
  void Open(int dataMode, int listMode) {
    editor->DataMode = dataMode;
    editor->ListMode = listMode;
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  QWidget* Focus() const { return QApplication::focusWidget(); }
  // Typed text beyond Latin-1 (as an input method hands it over, one character a key).
  static void TypeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
      QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  void Alt(Qt::Key key) {
    QTest::keyClick(Focus() ? Focus() : form.get(), key, Qt::AltModifier);
    QTest::qWait(150);  // a mnemonic clicks its button after the press animation
  }
  QColor PanelColour() const { return form->AndOr_Panel->palette().color(QPalette::Window); }
  // Runs `act`, which is to bring up an information box; returns its text after pressing its
  // only button. Empty when no box came within `waitMs`.
  QString AnswerBox(const std::function<void()>& act, int waitMs = 2000) {
    QString text;
    int buttons = 0;
    bool information = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      poll.stop();
      text = box->text();
      buttons = static_cast<int>(box->buttons().size());
      information = box->icon() == QMessageBox::Information;
      QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    });
    poll.start();
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.start(waitMs);
    act();
    while (poll.isActive() && giveUp.isActive() && text.isEmpty()) QTest::qWait(10);
    if (!text.isEmpty()) {
      EXPECT_EQ(buttons, 1) << text.toStdString();
      EXPECT_TRUE(information) << text.toStdString();
      // The window has the keyboard back, for its Alt keys.
      EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    return text;
  }
};

TEST_F(FindUi, AltFThenAConditionThenTheArrows) {
  Open(0, 1);
  EXPECT_EQ(form->Find_Button->text(), "検 索 (&F)");
  EXPECT_EQ(form->AndOr_Panel->text(), "AND");
  EXPECT_EQ(PanelColour(), kSilver);
  EXPECT_FALSE(form->DwFind_BitBtn->isEnabled());

  Alt(Qt::Key_F);
  EXPECT_TRUE(editor->FindMode);
  EXPECT_EQ(form->Find_Button->text(), "検索終了(&F)");
  EXPECT_EQ(PanelColour(), kLime);
  EXPECT_TRUE(form->UpFind_BitBtn->isEnabled());
  EXPECT_TRUE(form->DwFind_BitBtn->isEnabled());
  for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
           form->New_Button, form->Add_Button, form->Write_Button, form->Delete_Button,
           form->Edit_Button, form->SingleData_Button, form->AllData_Button, form->BandData_Button})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_EQ(Focus(), form->DataStringGrid);
  EXPECT_EQ(form->NameEdit->text(), "");
  EXPECT_EQ(form->FrequencyEdit->displayText(), "    .    ");

  // 消防 and F M with AND: the A M station on row 2 is passed by.
  QTest::mouseClick(form->NameEdit, Qt::LeftButton);
  TypeText(form->NameEdit, "消防");
  QTest::mouseClick(form->ModeComboBox->lineEdit(), Qt::LeftButton);
  QTest::keyClicks(form->ModeComboBox->lineEdit(), "F M");
  QTest::mouseClick(form->DwFind_BitBtn, Qt::LeftButton);
  EXPECT_EQ(form->DataStringGrid->currentIndex().row(), 3);
  EXPECT_EQ(editor->MemoNo, 3);
  EXPECT_EQ(Focus(), form->DataStringGrid);
  // The fields keep the conditions.
  EXPECT_EQ(form->NameEdit->text(), "消防");
  EXPECT_EQ(form->FrequencyEdit->displayText(), "    .    ");

  // Nothing further down.
  EXPECT_EQ(AnswerBox([&] { Alt(Qt::Key_Period); }), "データーがみつかりません");
  EXPECT_EQ(editor->MemoNo, 3);
  EXPECT_TRUE(form->DwFind_BitBtn->isEnabled());

  // OR upwards stops at the next that is F M or 消防: 羽田 on row 3.
  QTest::mouseClick(form->AndOr_Button, Qt::LeftButton);
  EXPECT_EQ(form->AndOr_Panel->text(), "O R");
  Alt(Qt::Key_Comma);
  EXPECT_EQ(form->DataStringGrid->currentIndex().row(), 2);
  EXPECT_EQ(editor->MemoNo, 2);

  // Every field empty: asked for a condition.
  form->NameEdit->setFocus();
  form->NameEdit->selectAll();
  QTest::keyClick(form->NameEdit, Qt::Key_Delete);
  form->ModeComboBox->lineEdit()->setFocus();
  form->ModeComboBox->lineEdit()->selectAll();
  QTest::keyClick(form->ModeComboBox->lineEdit(), Qt::Key_Delete);
  EXPECT_EQ(AnswerBox([&] { QTest::mouseClick(form->UpFind_BitBtn, Qt::LeftButton); }),
            "検索条件を指定してください");

  // Alt+F ends find mode: the current record in the fields, the keys back.
  TypeText(form->NameEdit, "横浜");
  Alt(Qt::Key_F);
  EXPECT_FALSE(editor->FindMode);
  EXPECT_EQ(form->Find_Button->text(), "検 索(&F)");
  EXPECT_EQ(PanelColour(), kSilver);
  EXPECT_EQ(form->AndOr_Panel->text(), "O R");
  EXPECT_FALSE(form->DwFind_BitBtn->isEnabled());
  EXPECT_TRUE(form->Edit_Button->isEnabled());
  EXPECT_TRUE(form->New_Button->isEnabled());
  EXPECT_EQ(form->NameEdit->text(), "羽田");
  // And back on: the conditions again.
  Alt(Qt::Key_F);
  EXPECT_EQ(form->NameEdit->text(), "横浜");
  EXPECT_EQ(form->Find_Button->text(), "検索終了(&F)");
}

TEST_F(FindUi, TheSearchKeysActOnlyWhileFinding) {
  Open(0, 1);
  form->DataStringGrid->setFocus();
  EXPECT_EQ(AnswerBox([&] { Alt(Qt::Key_Period); }, 300), "");
  EXPECT_EQ(AnswerBox([&] { Alt(Qt::Key_Comma); }, 300), "");
  EXPECT_EQ(editor->CurrentRow(), 1);
  // While finding, the record keys stay off by their Alt keys too.
  Alt(Qt::Key_F);
  Alt(Qt::Key_N);
  Alt(Qt::Key_L);
  Alt(Qt::Key_M);
  EXPECT_FALSE(editor->NewMode);
  EXPECT_EQ(editor->ListMode, 1);
  EXPECT_EQ(editor->DataMode, 0);
}

TEST_F(FindUi, TheListLayoutLendsItsRowToTheEditLayout) {
  Open(1, 2);
  form->DataStringGrid->setFocus();
  QTest::keyClick(form->DataStringGrid, Qt::Key_Down);
  EXPECT_EQ(form->Grid_Panel->geometry().top(), 40);
  Alt(Qt::Key_F);
  EXPECT_EQ(form->Grid_Panel->geometry().top(), 210);
  EXPECT_EQ(editor->ListMode, 2);
  EXPECT_EQ(form->DataStringGrid->currentIndex().row(), 1);
  EXPECT_TRUE(form->Data1_Panel->isVisible());
  QTest::mouseClick(form->FieldEdit(kNameField), Qt::LeftButton);
  TypeText(form->FieldEdit(kNameField), "横浜");
  QTest::mouseClick(form->DwFind_BitBtn, Qt::LeftButton);
  EXPECT_EQ(form->DataStringGrid->currentIndex().row(), 2);
  // A press in the grid ends find mode and gives the list layout back.
  const QRect cell = form->DataStringGrid->visualRect(form->DataStringGrid->model()->index(0, 3));
  QTest::mouseClick(form->DataStringGrid->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_FALSE(editor->FindMode);
  EXPECT_EQ(form->Grid_Panel->geometry().top(), 40);
  EXPECT_EQ(form->End_Button->text(), "O K");
  EXPECT_EQ(editor->CurrentRow(), 1);
  // "O K" closes with the row's record.
  Alt(Qt::Key_F);
  QTest::mouseClick(form->End_Button, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(editor->FindMode);
  EXPECT_EQ(editor->ListMode, 2);
  EXPECT_EQ(editor->MemoNo, list->Indexes.SingleIndex[1]);
}

}  // namespace
