// The main window's list keys with the real station list window: what each hands back and
// what follows, and a round trip of an edit through exit, save and a new start.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>

#include "app/main_form.h"
#include "stations/cp932.h"
#include "stations/data_form.h"
#include "stations/delete_form.h"

namespace {

std::string FileBytes() {
  std::ifstream file(kStationFileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

MemoData SampleList() {
  MemoData data;
  auto put = [&data](int r, std::int32_t f, std::int32_t f2, const char* type, const char* name) {
    data[r].Frequency = f;
    data[r].Frequency2 = f2;
    data[r].Type.Assign(Utf8ToCp932(type));
    data[r].Name.Assign(Utf8ToCp932(name));
    data[r].Mode = 5;
    data[r].Step = 12500;
  };
  put(1, 145000000, 0, "アマチュア", "呼出");
  put(2, 144000000, 146000000, "アマチュア", "２ｍバンド");
  put(3, 118100000, 0, "航空", "管制塔");
  data[7].Reserved = 0x01020304;     // not interpreted, carried through
  data[10003].Frequency = 80000000;  // a memory key
  return data;
}

// The main window with its station list window, as the program creates them.
struct Program {
  TMainForm main;
  std::unique_ptr<TDataForm> data;
  std::unique_ptr<TDeleteForm> confirm;
  Program() {
    data = std::make_unique<TDataForm>(
        main.editor, [this](int p) { main.SplashProgress(p); }, [this] { main.ReleaseSplash(); },
        &main);
    confirm = std::make_unique<TDeleteForm>(data.get());
    data->DeleteForm = confirm.get();
    main.AttachForms({nullptr, nullptr, data.get(), confirm.get(), nullptr});
    main.show();
  }
};

// Runs `inside` once the station list window is up.
void WhenOpen(Program& p, std::function<void()> inside) {
  QTimer::singleShot(0, [&p, inside] {
    ASSERT_TRUE(p.data->isVisible());
    inside();
    if (p.data->isVisible()) p.data->reject();
  });
}

TEST(StationListRoundTrip, AnEditSavedAtExitIsWhatTheNextStartReads) {
  const MemoData before = SampleList();
  {
    const std::vector<std::uint8_t> image = EncodeMemoData(before);
    ASSERT_EQ(WriteFileAtomically(kStationFileName,
                                  {reinterpret_cast<const char*>(image.data()), image.size()}),
              "");
  }
  MemoData expected = before;
  {
    Program p;
    EXPECT_EQ(p.main.Splash(), nullptr);  // released by the list window's creation
    WhenOpen(p, [&p] {
      TDataForm& f = *p.data;
      // Row 1 of the full list is the 118.1 MHz station; edit its type and name.
      f.DataStringGrid->setFocus();
      QTest::keyClick(f.DataStringGrid, Qt::Key_Return);
      QLineEdit* type = f.TypeComboBox->lineEdit();
      type->selectAll();
      QTest::sendKeyEvent(QTest::Click, type, Qt::Key_unknown, QString("航空無線"), {});
      QTest::keyClick(f.TypeComboBox, Qt::Key_Return);
      f.NameEdit->selectAll();
      QTest::keyClicks(f.NameEdit, "Tower");
      QTest::mouseClick(f.Write_Button, Qt::LeftButton);
      QTest::mouseClick(f.End_Button, Qt::LeftButton);
    });
    p.main.MemButton->click();
    EXPECT_TRUE(p.main.stations.DataChanged);
    expected[3].Type.Assign(Utf8ToCp932("航空無線"));
    expected[3].Name.Assign("Tower");
    EXPECT_EQ(p.main.stations.Data, expected);
    p.main.Exit1Click();
  }
  const std::vector<std::uint8_t> image = EncodeMemoData(expected);
  EXPECT_EQ(FileBytes(), std::string(image.begin(), image.end()));
  {
    Program again;
    EXPECT_EQ(again.main.stations.Data, expected);
    EXPECT_EQ(Cp932ToUtf8(again.main.editor.DisplayTexts[3][2]), "航空無線");
    again.main.Exit1Click();  // unchanged: nothing written
  }
  EXPECT_EQ(FileBytes(), std::string(image.begin(), image.end()));
  std::remove(kStationFileName);
}

TEST(StationListKeys, BandListTunesToTheChosenBandAndEditorReleasesTheStoreKey) {
  const MemoData list = SampleList();
  const std::vector<std::uint8_t> image = EncodeMemoData(list);
  ASSERT_EQ(WriteFileAtomically(kStationFileName,
                                {reinterpret_cast<const char*>(image.data()), image.size()}),
            "");
  Program p;

  // "&LIST": the band list in the list layout; Enter picks the band.
  WhenOpen(p, [&p] {
    EXPECT_EQ(p.main.editor.DataMode, 2);
    EXPECT_EQ(p.data->End_Button->text(), "O K");
    QTest::keyClick(p.data->DataStringGrid, Qt::Key_Return);
  });
  p.main.ReadBand_Button->click();
  EXPECT_EQ(p.main.tuning.CurrentFrequency(), 144000000);
  EXPECT_EQ(p.main.Name_Panel->text(), "２ｍバンド");  // the upper row names it

  // "L&IST" re-sorted by type and closed with "キャンセル(&C)": nothing is tuned, and the
  // single index is back in frequency order for identification.
  WhenOpen(p, [&p] {
    EXPECT_EQ(p.main.editor.DataMode, 1);
    p.data->HeadingClick(2);
    EXPECT_EQ(p.main.stations.Indexes.SingleIndex[1], 1);  // アマチュア before 航空
    QTest::mouseClick(p.data->DataCan_Button, Qt::LeftButton);
  });
  p.main.ReadSingle_Button->click();
  EXPECT_EQ(p.main.tuning.CurrentFrequency(), 144000000);
  EXPECT_EQ(p.main.stations.Indexes.SingleIndex[1], 3);  // 118.1 MHz first again
  EXPECT_EQ(p.main.stations.Indexes.SingleIndex[2], 1);

  // "EDITO&R" with "&M" down opens a new line from the receiver; closing releases "&M".
  p.main.M_SpeedButton->click();  // "&M" down
  ASSERT_TRUE(p.main.memoryKeys.MemoRequest);
  WhenOpen(p, [&p] {
    EXPECT_TRUE(p.main.editor.NewMode);
    EXPECT_EQ(p.data->FrequencyEdit->displayText(),
              QString::fromStdString(FreqToText(p.main.tuning.CurrentFrequency())));
    QTest::mouseClick(p.data->End_Button, Qt::LeftButton);
  });
  p.main.MemButton->click();
  EXPECT_FALSE(p.main.memoryKeys.MemoRequest);
  EXPECT_FALSE(p.main.M_SpeedButton->isChecked());
  EXPECT_FALSE(p.main.stations.DataChanged);
  EXPECT_EQ(p.main.tuning.CurrentFrequency(), 144000000);
  p.main.Exit2Click();
  std::remove(kStationFileName);
}

}  // namespace
