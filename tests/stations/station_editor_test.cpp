// The station list window's rules without a window: write-back of the fields, New, Add,
// Write, Delete with their index upkeep, the button states, the combo lists and pre-filling.
#include "stations/station_editor.h"

#include <gtest/gtest.h>

#include <memory>

#include "stations/cp932.h"

namespace {

MemoRecord Rec(std::int32_t f, std::int32_t f2, std::string_view type, std::string_view name,
               int mode = 0) {
  MemoRecord r;
  r.Frequency = f;
  r.Frequency2 = f2;
  r.Type.Assign(type);
  r.Name.Assign(name);
  r.Mode = mode;
  return r;
}

// A list with three single stations (records 1..3) and one band (record 4).
struct Editor : ::testing::Test {
  std::unique_ptr<StationList> list = std::make_unique<StationList>();
  std::unique_ptr<StationEditor> editor;

  void SetUp() override {
    list->Data[1] = Rec(145000000, 0, "A", "one", 5);
    list->Data[2] = Rec(146000000, 0, "A", "two", 5);
    list->Data[3] = Rec(147000000, 0, "B", "three", 4);
    list->Data[4] = Rec(144000000, 146000000, "BAND", "2m", 5);
    Start();
  }
  void Start() {
    list->AutoMode_IdxInit();
    editor = std::make_unique<StationEditor>(*list);
    editor->FormCreate();
  }
  void Open(int dataMode, int listMode = 1) {
    editor->DataMode = dataMode;
    editor->ListMode = listMode;
    editor->FormActivate();
  }
  void Type(std::initializer_list<std::pair<int, const char*>> fields) {
    for (auto [f, text] : fields) editor->FieldEdited(f, text);
  }
  const std::string& Shown(int record, int column) {
    return editor->DisplayTexts[static_cast<std::size_t>(record)][static_cast<std::size_t>(column)];
  }
};

TEST_F(Editor, DisplayTextsAtCreation) {
  EXPECT_EQ(Shown(1, 4), "  145.0000");
  EXPECT_EQ(Shown(1, 5), "");  // no second frequency
  EXPECT_EQ(Shown(4, 5), "  146.0000");
  EXPECT_EQ(Shown(1, 6), "");  // no step
  EXPECT_EQ(Shown(1, 7), " F M");
  EXPECT_EQ(Shown(1, 8), "");  // no shift
  EXPECT_EQ(Shown(1, 9), " 0");
  EXPECT_EQ(Shown(5, 7), " ");  // an empty record still has its mode and sensitivity texts
  EXPECT_EQ(Cp932ToUtf8(Shown(0, 3)), " 局  名^");
  EXPECT_EQ(editor->CellText(1, 0), "   1");
  EXPECT_EQ(editor->CellText(10000, 0), "0000");
}

struct WriteCase {
  const char* what;
  const char* frequency;
  const char* frequency2;
  const char* mode;
  const char* select;
  std::int32_t wantFrequency, wantFrequency2;
  int wantMode, wantSelect;
  const char *wantColumn4, *wantColumn5, *wantColumn7, *wantColumn9;
  const char *wantField, *wantField2;  // the two frequency fields afterwards
};

class MemWriteTable : public Editor, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(MemWriteTable, FieldsToRecordAndDisplay) {
  const WriteCase& c = GetParam();
  Open(0);
  editor->SetDataMode(0);
  const int record = editor->MemoNo;
  ASSERT_GE(record, 1);
  Type({{kTypeField, "T"},
        {kNameField, "N"},
        {kFrequencyField, c.frequency},
        {kFrequency2Field, c.frequency2},
        {kStepField, " 12.50"},
        {kModeField, c.mode},
        {kShiftField, "   -5.00"},
        {kSelectField, c.select}});
  editor->MemWrite();
  const MemoRecord& m = list->Data[record];
  EXPECT_EQ(m.Frequency, c.wantFrequency);
  EXPECT_EQ(m.Frequency2, c.wantFrequency2);
  EXPECT_EQ(m.Mode, c.wantMode);
  EXPECT_EQ(m.Select, c.wantSelect);
  EXPECT_EQ(m.Step, 12500);
  EXPECT_EQ(m.Shift, -5000);
  EXPECT_EQ(Shown(record, 4), c.wantColumn4);
  EXPECT_EQ(Shown(record, 5), c.wantColumn5);
  EXPECT_EQ(Shown(record, 6), "  12.50");
  EXPECT_EQ(Shown(record, 7), c.wantColumn7);
  EXPECT_EQ(Shown(record, 8), "  -5.00");
  EXPECT_EQ(Shown(record, 9), c.wantColumn9);
  EXPECT_EQ(editor->Fields[kFrequencyField], c.wantField);
  EXPECT_EQ(editor->Fields[kFrequency2Field], c.wantField2);
  EXPECT_FALSE(editor->EditMode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemWriteTable,
    ::testing::Values(
        WriteCase{"swapped pair", " 435.0000", " 430.0000", "F M", "1", 430000000, 435000000, 5, 1,
                  "  430.0000", "  435.0000", " F M", " 1", "  430.0000", " 435.0000"},
        WriteCase{"no frequency at all", "    .    ", "    .    ", "F M", "2", 1000000, 0, 5, 2,
                  "    1.0000", "     .    ", " F M", " 2", "    .    ", "    .    "},
        WriteCase{"only a second frequency", "    .    ", " 145.0000", "WFM", "0", 145000000, 0, 7,
                  0, "  145.0000", "     .    ", " WFM", " 0", "  145.0000", "    .    "},
        WriteCase{"fm written without Enter", " 145.0000", "", "fm", "3", 145000000, 0, 0, 3,
                  "  145.0000", "     .    ", " F M", " 3", " 145.0000", ""},
        WriteCase{"sensitivity not a number", " 145.0000", "", "A M", "x1", 145000000, 0, 4, 0,
                  "  145.0000", "     .    ", " A M", " 0", " 145.0000", ""},
        WriteCase{"frequency too large", "9999.9999", "", "A M", " 4", 1000000, 0, 4, 4,
                  "    1.0000", "     .    ", " A M", " 4", "9999.9999", ""}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST_F(Editor, ModeTextIsNormalisedByEnterAndTab) {
  Open(0);
  struct {
    const char* typed;
    const char* shown;
  } cases[] = {{"fm", "F M"}, {"nfm", "FMN"}, {"lsb", "LSB"}, {"xyz", ""}, {"", ""}};
  for (const auto& c : cases) {
    editor->FieldEdited(kModeField, c.typed);
    editor->FieldEnter(kModeField);
    EXPECT_EQ(editor->Fields[kModeField], c.shown) << c.typed;
  }
  // Confirmed with Enter, "fm" is stored as mode 5.
  editor->FieldEdited(kModeField, "fm");
  editor->FieldEnter(kModeField);
  editor->Write_ButtonClick();
  EXPECT_EQ(list->Data[editor->MemoNo].Mode, 5);
}

TEST_F(Editor, ModeListGrowsWithATextThatIsNoMode) {
  Open(0);
  const std::size_t before = editor->ModeList.size();
  EXPECT_EQ(editor->ModeList.front(), "F M");  // defaults first, in their order
  editor->FieldEdited(kModeField, "CW");
  editor->Write_ButtonClick();
  EXPECT_EQ(editor->ModeList.size(), before + 1);
  EXPECT_EQ(editor->ModeList.back(), "CW");
  EXPECT_EQ(list->Data[editor->MemoNo].Mode, 0);
  EXPECT_EQ(Shown(editor->MemoNo, 7), " ");
  // The same text again is not added twice.
  editor->FieldEdited(kModeField, "CW");
  editor->Write_ButtonClick();
  EXPECT_EQ(editor->ModeList.size(), before + 1);
}

TEST_F(Editor, ComboListsFromDefaultsAndRecords) {
  EXPECT_EQ(editor->ModeList.size(), 7u);  // the records' modes are among the defaults
  ASSERT_EQ(editor->TypeList.size(), 8u + 3u);
  EXPECT_EQ(Cp932ToUtf8(editor->TypeList[0]), "警察無線");
  EXPECT_EQ(editor->TypeList[8], "A");
  EXPECT_EQ(editor->TypeList[10], "BAND");
  list->ModeListA = list->TypeListA = false;
  list->TypeListB = false;
  Start();
  EXPECT_EQ(editor->ModeList, (std::vector<std::string>{"F M", "A M"}));
  EXPECT_TRUE(editor->TypeList.empty());
}

TEST_F(Editor, TextsAreCutInTheRecordOnly) {
  Open(0);
  const std::string longName(40, 'n');
  editor->FieldEdited(kNameField, longName);
  editor->FieldEdited(kEtcField, std::string(60, 'e'));
  editor->Write_ButtonClick();
  const int r = editor->MemoNo;
  EXPECT_EQ(Shown(r, 3), longName);
  EXPECT_EQ(list->Data[r].Name.View(), std::string(30, 'n'));
  EXPECT_EQ(list->Data[r].Etc.View(), std::string(50, 'e'));
}

TEST_F(Editor, DeleteTheLastOfThreeLeavesTheSecondCurrent) {
  Open(1);  // MEMO view: the three single stations
  ASSERT_EQ(editor->ShownCount(), 3);
  editor->DataDown();
  editor->DataDown();
  ASSERT_EQ(editor->CurrentRow(), 3);
  const int last = editor->MemoNo;
  bool asked = false;
  editor->Delete_ButtonClick([&] { return asked = true; });
  EXPECT_TRUE(asked);
  EXPECT_EQ(editor->ShownCount(), 2);
  EXPECT_EQ(editor->CurrentRow(), 2);
  EXPECT_EQ(editor->MemoNo, list->Indexes.SingleIndex[2]);
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 3);  // also gone from the all index
  EXPECT_EQ(list->Data[last], MemoRecord{});     // empty, free for reuse
  EXPECT_TRUE(editor->DataEdited);
}

TEST_F(Editor, DeleteInTheAllViewUpdatesTheKindIndex) {
  Open(0);
  // All view in frequency order: band 4 (144 MHz) first.
  ASSERT_EQ(editor->MemoNo, 4);
  editor->Delete_ButtonClick([] { return true; });
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 3);
  EXPECT_EQ(list->Indexes.BandIndex.Count(), 0);
  EXPECT_EQ(list->Indexes.SingleIndex.Count(), 3);
  EXPECT_EQ(editor->CurrentRow(), 1);
}

TEST_F(Editor, DeleteAnsweredNoOrWithNothingToDeleteChangesNothing) {
  Open(0);
  const MemoData before = list->Data;
  editor->Delete_ButtonClick([] { return false; });
  EXPECT_EQ(list->Data, before);
  EXPECT_FALSE(editor->DataEdited);
  // A blank new line names no record: nothing is asked, record 0 is never touched.
  editor->New_ButtonClick();
  bool asked = false;
  editor->Delete_ButtonClick([&] { return asked = true; });
  EXPECT_FALSE(asked);
  editor->Write_ButtonClick();  // nor is anything overwritten from it
  EXPECT_EQ(list->Data, before);
  EXPECT_FALSE(editor->DataEdited);
}

TEST_F(Editor, AddInTheMemoViewOfABandRecord) {
  Open(1);
  Type({{kFrequencyField, " 430.0000"}, {kFrequency2Field, " 440.0000"}, {kNameField, "band"}});
  editor->Add_ButtonClick();
  const int added = editor->MemoNo;
  EXPECT_EQ(added, 5);  // the first free record
  EXPECT_EQ(list->Data[added].Frequency2, 440000000);
  EXPECT_EQ(list->Indexes.SingleIndex.Count(), 4);
  EXPECT_EQ(list->Indexes.SingleIndex[4], added);
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 5);
  EXPECT_EQ(list->Indexes.AllIndex[5], added);
  EXPECT_EQ(list->Indexes.BandIndex.Count(), 1);
  EXPECT_EQ(editor->CurrentRow(), 4);
  EXPECT_EQ(editor->GridRows(), 4);
  EXPECT_FALSE(editor->EditMode);
}

TEST_F(Editor, AddInTheAllViewFilesTheRecordByItsFrequencies) {
  Open(0);
  editor->FieldEdited(kFrequency2Field, " 440.0000");  // the shown band copied as a new band
  editor->Add_ButtonClick();
  EXPECT_EQ(list->Indexes.BandIndex.Count(), 2);
  EXPECT_EQ(list->Indexes.BandIndex[2], editor->MemoNo);
  // The record that was shown stays as it was.
  EXPECT_EQ(list->Data[4].Frequency2, 146000000);
  editor->FieldEdited(kFrequency2Field, "    .    ");
  editor->Add_ButtonClick();
  EXPECT_EQ(list->Indexes.SingleIndex.Count(), 4);
}

TEST_F(Editor, EnterInTheRemarksFieldAdds) {
  Open(0);
  editor->GoEditMode();
  editor->FieldEnter(kEtcField);
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 5);
  EXPECT_TRUE(editor->DataEdited);
  editor->FindMode = true;  // conditions are never added
  editor->FieldEnter(kEtcField);
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 5);
}

TEST_F(Editor, NewThenEscapeInTheTypeField) {
  Open(0);
  editor->New_ButtonClick();
  EXPECT_TRUE(editor->NewMode);
  EXPECT_TRUE(editor->EditMode);
  EXPECT_EQ(editor->GridRows(), 5);
  EXPECT_EQ(editor->CurrentRow(), 5);
  EXPECT_FALSE(editor->WriteEnabled);
  EXPECT_TRUE(editor->AddEnabled);
  for (const auto& f : editor->Fields) EXPECT_EQ(f, "");
  editor->FieldEscape(kTypeField);
  EXPECT_FALSE(editor->NewMode);
  EXPECT_FALSE(editor->EditMode);
  EXPECT_EQ(editor->GridRows(), 4);
  EXPECT_EQ(editor->CurrentRow(), 1);
  EXPECT_EQ(editor->Fields[kNameField], "2m");  // the current record again
  EXPECT_EQ(list->Indexes.AllIndex.Count(), 4);
}

TEST_F(Editor, NewThenAddFillsTheFreeRecord) {
  Open(0);
  editor->New_ButtonClick();
  Type({{kTypeField, "X"}, {kFrequencyField, " 150.0000"}});
  editor->Add_ButtonClick();
  EXPECT_EQ(editor->MemoNo, 5);
  EXPECT_EQ(list->Data[5].Frequency, 150000000);
  EXPECT_EQ(editor->GridRows(), 5);
  EXPECT_EQ(editor->CellText(5, 2), "X");
}

TEST_F(Editor, EscapeRestoresAFieldAndStepsBack) {
  Open(0);
  editor->GoEditMode();
  editor->FieldEdited(kNameField, "changed");
  editor->FieldEscape(kNameField);
  EXPECT_EQ(editor->Fields[kNameField], "2m");
  EXPECT_TRUE(editor->EditMode);
}

TEST_F(Editor, ButtonStatesOfEditOnAndEditOff) {
  Open(0);
  struct {
    bool edit, newMode;
    bool wantNew, wantAdd, wantWrite, wantDelete;
  } cases[] = {
      {false, false, true, false, false, true},
      {true, false, false, true, true, false},
      {true, true, false, true, false, false},
  };
  for (const auto& c : cases) {
    editor->NewMode = c.newMode;
    if (c.edit)
      editor->EditOn();
    else
      editor->EditOff();
    EXPECT_EQ(editor->NewEnabled, c.wantNew);
    EXPECT_EQ(editor->AddEnabled, c.wantAdd);
    EXPECT_EQ(editor->WriteEnabled, c.wantWrite);
    EXPECT_EQ(editor->DeleteEnabled, c.wantDelete);
  }
  // Find mode freezes them.
  editor->FindMode = true;
  editor->EditOff();
  EXPECT_TRUE(editor->EditMode);
}

TEST_F(Editor, AFullListDisablesNewAndAdd) {
  for (int r = 1; r <= kStationCount; ++r) list->Data[r] = Rec(100000000 + r, 0, "", "");
  Start();
  Open(0);
  EXPECT_FALSE(editor->NewEnabled);
  editor->EditOn();
  EXPECT_FALSE(editor->AddEnabled);
  editor->Add_ButtonClick();  // no free record: nothing happens
  EXPECT_FALSE(editor->DataEdited);
}

TEST_F(Editor, AnEmptyViewShowsOneBlankRow) {
  list->Data = MemoData{};
  Start();
  Open(2);
  EXPECT_EQ(editor->GridRows(), 1);
  EXPECT_EQ(editor->MemoNo, 0);
  EXPECT_EQ(editor->CellText(1, 3), "");
  EXPECT_FALSE(editor->DeleteEnabled);
  editor->Write_ButtonClick();  // no current record
  bool asked = false;
  editor->Delete_ButtonClick([&] { return asked = true; });
  EXPECT_FALSE(asked);
  EXPECT_FALSE(editor->DataEdited);
  EXPECT_EQ(list->Data[0], MemoRecord{});  // record 0 is never written
}

TEST_F(Editor, HeadingSortKeepsTheCurrentRecord) {
  Open(0);
  editor->DataDown();
  editor->DataDown();
  const int record = editor->MemoNo;  // record 2 "two" at row 3
  ASSERT_EQ(record, 2);
  EXPECT_TRUE(editor->SortByColumn(3));  // by name: 2m, one, three, two
  EXPECT_EQ(editor->MemoNo, record);
  EXPECT_EQ(editor->CurrentRow(), 4);
  EXPECT_FALSE(editor->SortByColumn(7));  // not a sorting column
  // Other kinds keep their order.
  EXPECT_EQ(list->Indexes.SingleIndex[1], 1);
}

TEST_F(Editor, ListLayoutOpensOnThePanelsPositionAndClosesWithTheRecord) {
  editor->BandNo = 1;
  editor->SingleNo = 2;
  Open(1, 2);
  EXPECT_EQ(editor->CurrentRow(), 2);
  EXPECT_TRUE(editor->GridEnter());  // Enter closes
  EXPECT_EQ(editor->MemoNo, 2);
  editor->Cancel();
  EXPECT_EQ(editor->MemoNo, 0);
  Open(0, 1);
  editor->End();  // closing the edit layout hands back no record
  EXPECT_EQ(editor->MemoNo, 0);
  EXPECT_FALSE(editor->GridEnter());
  EXPECT_TRUE(editor->EditMode);
}

TEST_F(Editor, LayoutToggleKeepsTheRow) {
  Open(1, 2);
  editor->DataDown();
  editor->ToggleLayout();
  EXPECT_EQ(editor->ListMode, 1);
  EXPECT_EQ(editor->CurrentRow(), 2);
  editor->ToggleLayout();
  EXPECT_EQ(editor->ListMode, 2);
}

TEST_F(Editor, UpDownStopAtTheEnds) {
  Open(1);
  editor->DataUp();
  EXPECT_EQ(editor->CurrentRow(), 1);
  for (int i = 0; i < 5; ++i) editor->DataDown();
  EXPECT_EQ(editor->CurrentRow(), 3);
}

struct PrefillCase {
  int signalPeak;
  bool autoMode;
  int bandNo;
  const char *wantSelect, *wantType;
};

TEST_F(Editor, MemoRequestOpensANewLineFromTheReceiver) {
  const PrefillCase cases[] = {
      {0, true, 1, "0", "BAND"}, {40, true, 1, "3", "BAND"}, {100, false, 1, "5", ""},
      {255, true, 0, "5", ""},   {1, true, 9, "1", ""},
  };
  for (const auto& c : cases) {
    editor->MemoRequest = true;
    editor->Receiver = {145000000, 12500, 5, c.signalPeak, c.autoMode, c.bandNo};
    Open(0);
    EXPECT_TRUE(editor->NewMode);
    EXPECT_TRUE(editor->EditMode);
    EXPECT_EQ(editor->GridRows(), 5);
    EXPECT_EQ(editor->CurrentRow(), 5);
    EXPECT_EQ(editor->Fields[kFrequencyField], " 145.0000");
    EXPECT_EQ(editor->Fields[kFrequency2Field], "");
    EXPECT_EQ(editor->Fields[kStepField], "  12.50");
    EXPECT_EQ(editor->Fields[kModeField], "F M");
    EXPECT_EQ(editor->Fields[kSelectField], c.wantSelect) << c.signalPeak;
    EXPECT_EQ(editor->Fields[kTypeField], c.wantType);
    EXPECT_EQ(editor->Fields[kShiftField], "");
  }
  editor->Add_ButtonClick();
  EXPECT_EQ(list->Data[5].Frequency, 145000000);
  EXPECT_EQ(list->Data[5].Step, 12500);
}

}  // namespace
