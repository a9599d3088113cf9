// The station list window driven with keys and clicks: masked fields, the Enter/Tab order,
// heading clicks, closing from the list layout, the delete dialog and the start-up progress.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

#include "stations/data_form.h"
#include "stations/delete_form.h"

namespace {

MemoRecord Rec(std::int32_t f, std::int32_t f2, std::string_view type, std::string_view name) {
  MemoRecord r;
  r.Frequency = f;
  r.Frequency2 = f2;
  r.Type.Assign(type);
  r.Name.Assign(name);
  r.Mode = 5;
  return r;
}

struct DataFormUi : ::testing::Test {
  std::unique_ptr<StationList> list = std::make_unique<StationList>();
  std::unique_ptr<StationEditor> editor;
  std::unique_ptr<TDataForm> form;
  std::vector<int> progress;

  void SetUp() override {
    list->Data[1] = Rec(145000000, 0, "A", "delta");
    list->Data[2] = Rec(146000000, 0, "A", "alpha");
    list->Data[3] = Rec(147000000, 0, "B", "charlie");
    list->Data[4] = Rec(144000000, 146000000, "BAND", "bravo");
    list->AutoMode_IdxInit();
    editor = std::make_unique<StationEditor>(*list);
    form = std::make_unique<TDataForm>(
        *editor, [this](int p) { progress.push_back(p); }, [this] { progress.push_back(-1); });
  }
  void Open(int dataMode, int listMode) {
    editor->DataMode = dataMode;
    editor->ListMode = listMode;
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  QWidget* Focus() const { return QApplication::focusWidget(); }
  // A button's mnemonic clicks it after the press animation.
  void Alt(Qt::Key key) {
    QTest::keyClick(Focus() ? Focus() : form.get(), key, Qt::AltModifier);
    QTest::qWait(150);
  }
};

TEST_F(DataFormUi, CreationMovesTheProgressThrough10To40ThenReleases) {
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), 10);
  EXPECT_EQ(progress[progress.size() - 2], 40);
  EXPECT_EQ(progress.back(), -1);  // the splash goes at the very end
  for (std::size_t i = 1; i + 1 < progress.size(); ++i) EXPECT_LT(progress[i - 1], progress[i]);
  EXPECT_EQ(form->size(), QSize(640, 480));
  EXPECT_EQ(form->DataStringGrid->horizontalHeader()->sectionSize(3), 169);
  EXPECT_TRUE(form->DataStringGrid->isColumnHidden(1));
}

TEST_F(DataFormUi, TypingIntoTheMaskedFieldsThenEnterMovesOn) {
  Open(0, 1);
  QTest::mouseClick(form->FrequencyEdit, Qt::LeftButton);
  EXPECT_TRUE(editor->EditMode);
  QTest::keyClicks(form->FrequencyEdit, "435.0000");
  EXPECT_EQ(form->FrequencyEdit->displayText(), "435 .0000");
  QTest::keyClick(form->FrequencyEdit, Qt::Key_Return);
  EXPECT_EQ(Focus(), form->Frequency2Edit);
  QTest::keyClicks(form->Frequency2Edit, "430");
  QTest::keyClick(form->Frequency2Edit, Qt::Key_Tab);
  EXPECT_EQ(Focus(), form->StepMaskEdit);
  QTest::keyClicks(form->StepMaskEdit, "12.5");
  QTest::keyClick(form->StepMaskEdit, Qt::Key_Return);
  const int record = editor->MemoNo;
  ASSERT_TRUE(form->Write_Button->isEnabled());
  QTest::mouseClick(form->Write_Button, Qt::LeftButton);
  EXPECT_EQ(list->Data[record].Frequency, 430000000);
  EXPECT_EQ(list->Data[record].Frequency2, 435000000);
  EXPECT_EQ(list->Data[record].Step, 12500);
  // The fields show the record as written, the pair in order.
  EXPECT_EQ(form->FrequencyEdit->displayText(), " 430.0000");
  EXPECT_EQ(form->Frequency2Edit->displayText(), " 435.0000");
  EXPECT_EQ(Focus(), form->DataStringGrid);
}

TEST_F(DataFormUi, EnterInTheGridThenTabThroughTheFieldsAndAddFromTheLast) {
  Open(0, 1);
  form->DataStringGrid->setFocus();
  QTest::keyClick(form->DataStringGrid, Qt::Key_Return);
  EXPECT_EQ(Focus(), form->TypeComboBox);
  EXPECT_TRUE(editor->EditMode);
  const std::array<QWidget*, kFieldCount> order = {
      form->TypeComboBox, form->NameEdit,     form->FrequencyEdit, form->Frequency2Edit,
      form->StepMaskEdit, form->ModeComboBox, form->ShiftMaskEdit, form->SelectComboBox,
      form->AddressEdit,  form->EtcEdit};
  for (int f = 0; f + 1 < kFieldCount; ++f) {
    ASSERT_EQ(Focus(), order[static_cast<std::size_t>(f)]) << f;
    if (f == kModeField) {
      QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(Focus(), "fm");
    }
    QTest::keyClick(Focus(), f % 2 ? Qt::Key_Tab : Qt::Key_Return);
  }
  EXPECT_EQ(form->ModeComboBox->currentText(), "F M");
  // Escape steps back and restores.
  QTest::keyClicks(form->EtcEdit, "note");
  QTest::keyClick(form->EtcEdit, Qt::Key_Escape);
  EXPECT_EQ(Focus(), form->AddressEdit);
  EXPECT_EQ(form->EtcEdit->text(), "");
  form->EtcEdit->setFocus();
  QTest::keyClicks(form->EtcEdit, "copy");
  // Tab out of the last field only moves on: tabbing through a record adds no copy of it.
  QTest::keyClick(form->EtcEdit, Qt::Key_Tab);
  EXPECT_EQ(Focus(), form->DataStringGrid);
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 4);
  EXPECT_FALSE(editor->DataEdited);
  form->EtcEdit->setFocus();
  QTest::keyClick(form->EtcEdit, Qt::Key_Return);  // Add
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 5);
  EXPECT_EQ(list->Data[5].Mode, 5);
  EXPECT_EQ(list->Data[5].Etc.View(), "copy");
  EXPECT_EQ(Focus(), form->DataStringGrid);
  EXPECT_TRUE(editor->DataEdited);
  EXPECT_EQ(form->DataStringGrid->model()->rowCount(), 5);
}

TEST_F(DataFormUi, HeadingClickKeepsTheCurrentRecord) {
  Open(0, 1);
  form->DataStringGrid->setFocus();
  QTest::keyClick(form->DataStringGrid, Qt::Key_Down);
  QTest::keyClick(form->DataStringGrid, Qt::Key_Down);
  const int record = editor->MemoNo;
  ASSERT_EQ(record, 2);  // 144 band, 145, 146 "alpha"
  QHeaderView* heading = form->DataStringGrid->horizontalHeader();
  QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                    QPoint(heading->sectionViewportPosition(3) + 10, 5));
  EXPECT_EQ(editor->MemoNo, record);
  EXPECT_EQ(editor->CurrentRow(), 1);  // alpha sorts first by name
  EXPECT_EQ(form->DataStringGrid->currentIndex().row(), 0);
  EXPECT_EQ(form->DataStringGrid->model()->index(0, 3).data().toString(), "alpha");
  EXPECT_EQ(form->NameEdit->text(), "alpha");
}

TEST_F(DataFormUi, EnterInTheListLayoutClosesWithTheRowsRecord) {
  Open(1, 2);
  EXPECT_EQ(form->End_Button->text(), "O K");
  EXPECT_TRUE(form->DataCan_Button->isVisible());
  EXPECT_EQ(form->Grid_Panel->geometry().top(), 40);
  form->DataStringGrid->setFocus();
  QTest::keyClick(form->DataStringGrid, Qt::Key_Down);
  QTest::keyClick(form->DataStringGrid, Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(editor->ListMode, 2);
  EXPECT_EQ(editor->MemoNo, list->Indexes.SingleIndex[2]);
  Open(1, 2);
  QTest::mouseClick(form->DataCan_Button, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(editor->MemoNo, 0);
}

TEST_F(DataFormUi, LayoutToggleAndViewKeysByAlt) {
  Open(0, 1);
  EXPECT_EQ(form->Edit_Button->text(), "一 覧(&L)");
  EXPECT_FALSE(form->DataCan_Button->isVisible());
  form->DataStringGrid->setFocus();
  Alt(Qt::Key_L);
  EXPECT_EQ(editor->ListMode, 2);
  EXPECT_EQ(form->Edit_Button->text(), "編集(&E)");
  Alt(Qt::Key_L);  // either letter toggles
  EXPECT_EQ(editor->ListMode, 1);
  Alt(Qt::Key_E);  // in the list layout Alt+X means "O K"
  Alt(Qt::Key_X);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(editor->ListMode, 2);
  Open(0, 1);
  Alt(Qt::Key_P);
  EXPECT_EQ(editor->DataMode, 2);
  EXPECT_EQ(form->DataStringGrid->model()->rowCount(), 1);
  EXPECT_EQ(form->SingleData_Panel->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(form->BandData_Panel->palette().color(QPalette::Window), QColor(0, 255, 0));
  Alt(Qt::Key_X);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(editor->MemoNo, 0);
}

TEST_F(DataFormUi, DeleteAsksWithTheRecordAndRemovesIt) {
  TDeleteForm confirm(form.get());
  form->DeleteForm = &confirm;
  Open(1, 1);
  QString shownName;
  QTimer::singleShot(0, [&] {
    shownName = confirm.DelName_Label->text();
    EXPECT_EQ(confirm.Freq2_Label->text(), "    .    ");
    QTest::mouseClick(confirm.Yes_Button, Qt::LeftButton);
  });
  QTest::mouseClick(form->Delete_Button, Qt::LeftButton);
  EXPECT_EQ(shownName, "delta");
  EXPECT_EQ(list->Indexes.SingleIndex.Count(), 2);
  EXPECT_EQ(list->Data[1].Frequency, 0);
  EXPECT_EQ(form->DataStringGrid->model()->rowCount(), 2);
}

TEST_F(DataFormUi, DoubleClickOnTheBackgroundRestoresTheSize) {
  Open(0, 1);
  form->resize(900, 700);
  EXPECT_EQ(form->Grid_Panel->height(), 700 - 250);
  EXPECT_EQ(form->Grid_Panel->width(), 900 - 43);
  QTest::mouseDClick(form.get(), Qt::LeftButton, {}, QPoint(620, 20));
  EXPECT_EQ(form->size(), QSize(640, 480));
}

}  // namespace
