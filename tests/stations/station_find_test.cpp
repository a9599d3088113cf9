// Find mode of the station list window without a window: the states it starts and ends in,
// the conditions kept between find modes and openings, searches through the fields' texts,
// the messages, and what happens to the grid's row.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "stations/cp932.h"
#include "stations/station_editor.h"

namespace {

// Records what the window would show.
struct FakeView : StationEditorView {
  std::vector<FindResult::Outcome> messages;
  int layouts = 0, processed = 0, busy = 0;
  int top = 1, inSight = 10;
  std::vector<int> topRowsShown;
  std::function<void()> onProcess;

  void ShowFields() override {}
  void ShowButtons() override {}
  void ShowGrid() override {}
  void ShowCurrentRow() override {}
  void ShowListItem(bool, const std::string&) override {}
  void FocusGrid() override {}
  void FocusField(int) override {}
  void ShowFind() override {}
  void ShowLayout() override { ++layouts; }
  void ShowFindMessage(FindResult::Outcome outcome) override { messages.push_back(outcome); }
  void ShowBusy(bool on) override { busy += on ? 1 : -1; }
  void ProcessEvents() override {
    ++processed;
    if (onProcess) onProcess();
  }
  int GridTopRow() const override { return top; }
  int GridRowsInSight() const override { return inSight; }
  void ShowTopRow(int row) override { topRowsShown.push_back(row); }
};

MemoRecord Rec(std::int32_t f, const char* name, int mode, std::int32_t shift = 0) {
  MemoRecord r;
  r.Frequency = f;
  r.Name.Assign(Utf8ToCp932(name));
  r.Type.Assign(Utf8ToCp932("消防"));
  r.Mode = mode;
  r.Shift = shift;
  return r;
}

// In frequency order: 1 東京消防 A M, 2 羽田 F M shift -5,000, 3 横浜消防 F M shift 5,000,
// 4 レピータ F M at 145,000,050, 5 千葉消防 F M.
struct Finding : ::testing::Test {
  std::unique_ptr<StationList> list = std::make_unique<StationList>();
  std::unique_ptr<StationEditor> editor;
  FakeView view;

  void SetUp() override {
    list->Data[1] = Rec(140000000, "東京消防", 4);
    list->Data[2] = Rec(141000000, "羽田", 5, -5000);
    list->Data[3] = Rec(142000000, "横浜消防", 5, 5000);
    list->Data[4] = Rec(145000050, "レピータ", 5);
    list->Data[5] = Rec(148000000, "千葉消防", 5);
    list->AutoMode_IdxInit();
    editor = std::make_unique<StationEditor>(*list);
    editor->Bind(&view);
    editor->FormCreate();
    Open(0, 1);
  }
  void Open(int dataMode, int listMode) {
    editor->DataMode = dataMode;
    editor->ListMode = listMode;
    editor->FormActivate();
  }
  // Types a condition as the window hands it over: UTF-8 turned into the record's bytes.
  void Type(int field, const char* text) { editor->FieldEdited(field, Utf8ToCp932(text)); }
  std::string Field(int field) const {
    return Cp932ToUtf8(editor->Fields[static_cast<std::size_t>(field)]);
  }
};

using Caption = StationEditor::FindCaption;

TEST_F(Finding, StartAndEndStates) {
  struct State {
    bool findMode;
    Caption caption;
    bool newKey, add, write, del, toggle, views, arrows;
  };
  const auto check = [&](const char* what, const State& s) {
    EXPECT_EQ(editor->FindMode, s.findMode) << what;
    EXPECT_EQ(editor->FindButtonCaption, s.caption) << what;
    EXPECT_EQ(editor->NewEnabled, s.newKey) << what;
    EXPECT_EQ(editor->AddEnabled, s.add) << what;
    EXPECT_EQ(editor->WriteEnabled, s.write) << what;
    EXPECT_EQ(editor->DeleteEnabled, s.del) << what;
    EXPECT_EQ(editor->LayoutToggleEnabled, s.toggle) << what;
    EXPECT_EQ(editor->ViewButtonsEnabled, s.views) << what;
    EXPECT_EQ(editor->FindArrowsEnabled, s.arrows) << what;
  };
  check("opened", {false, Caption::Find, true, false, false, true, true, true, false});
  editor->GoEditMode();  // find mode leaves edit mode
  editor->Find_ButtonClick();
  check("finding", {true, Caption::EndFind, false, false, false, false, false, false, true});
  EXPECT_FALSE(editor->EditMode);
  editor->EditOn();  // edit mode cannot be entered while finding
  EXPECT_FALSE(editor->EditMode);
  check("EditOn while finding",
        {true, Caption::EndFind, false, false, false, false, false, false, true});
  editor->Find_StartSet();  // already on: nothing
  EXPECT_EQ(editor->FindButtonCaption, Caption::EndFind);
  editor->Find_ButtonClick();
  check("ended", {false, Caption::FindAgain, true, false, false, true, true, true, false});
  EXPECT_EQ(Field(kNameField), "東京消防");  // the current record again
  editor->Find_End();                        // not on: nothing
  EXPECT_EQ(Field(kNameField), "東京消防");
}

TEST_F(Finding, ConditionsComeBackAfterARestartAndAnOpening) {
  editor->Find_StartSet();
  for (const std::string& f : editor->Fields) EXPECT_EQ(f, "");
  Type(kNameField, "消防");
  Type(kShiftField, "   5.00");
  editor->AndOr_ButtonClick();
  editor->Find_End();
  EXPECT_EQ(Cp932ToUtf8(editor->FindSave[kNameField]), "消防");
  editor->Find_StartSet();
  EXPECT_EQ(Field(kNameField), "消防");
  EXPECT_EQ(Field(kShiftField), "   5.00");
  editor->End();  // closing with End_Button ends find mode too
  EXPECT_FALSE(editor->FindMode);
  Open(1, 2);
  EXPECT_EQ(editor->AndOrFlag, kFindOr);
  editor->Find_StartSet();
  EXPECT_EQ(Field(kNameField), "消防");
}

TEST_F(Finding, SearchesThroughTheFieldTexts) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, const char*>> conditions;
    int andOr, from, step;
    int wantRow;  // the current row afterwards
    std::vector<FindResult::Outcome> wantMessages;
  };
  // Only what the fields add to the matcher's own table: their texts and the messages.
  using O = FindResult::Outcome;
  const std::vector<std::pair<int, const char*>> fireFm = {{kNameField, "消防"},
                                                           {kModeField, "F M"}};
  const Case cases[] = {
      {"AND: 消防 in F M skips the A M one", fireFm, kFindAnd, 1, 1, 3, {}},
      {"OR: the next F M or 消防", fireFm, kFindOr, 1, 1, 2, {}},
      {"upwards", fireFm, kFindAnd, 5, -1, 3, {}},
      {"shift as the masked field holds it", {{kShiftField, "   5.00"}}, kFindAnd, 1, 1, 2, {}},
      {"145.0000 is not 145,000,050",
       {{kFrequencyField, " 145.0000"}},
       kFindAnd,
       1,
       1,
       1,
       {O::kNotFound}},
      {"no condition", {}, kFindAnd, 2, 1, 2, {O::kNoCondition}},
      {"the last row downwards: not found at once", {}, kFindAnd, 5, 1, 5, {O::kNotFound}},
  };
  for (const Case& c : cases) {
    editor->DataStringGridSelectCell(c.from);
    editor->Find_StartSet();
    for (auto& f : editor->Fields) f.clear();
    for (const auto& [field, text] : c.conditions) Type(field, text);
    if (editor->AndOrFlag != c.andOr) editor->AndOr_ButtonClick();
    view.messages.clear();
    if (c.step > 0)
      editor->DwFind_BitBtnClick();
    else
      editor->UpFind_BitBtnClick();
    EXPECT_EQ(editor->CurrentRow(), c.wantRow) << c.what;
    EXPECT_EQ(editor->MemoPos, c.wantRow) << c.what;
    EXPECT_EQ(editor->MemoNo, list->Indexes.AllIndex[c.wantRow]) << c.what;
    EXPECT_EQ(view.messages, c.wantMessages) << c.what;
    EXPECT_TRUE(editor->FindArrowsEnabled) << c.what;
    EXPECT_EQ(view.busy, 0) << c.what;
    // The conditions stay in the fields; the found record does not replace them.
    EXPECT_EQ(editor->FindMode, true) << c.what;
    if (!c.conditions.empty()) {
      EXPECT_EQ(Field(c.conditions[0].first), c.conditions[0].second) << c.what;
    }
    editor->Find_End();
  }
}

TEST_F(Finding, TheListLayoutShowsTheEditLayoutWhileFinding) {
  Open(0, 2);
  EXPECT_EQ(editor->ShownLayout(), 2);
  editor->DataStringGridSelectCell(4);
  view.layouts = 0;
  editor->Find_StartSet();
  EXPECT_EQ(editor->ShownLayout(), 1);
  EXPECT_EQ(editor->ListMode, 2);
  EXPECT_EQ(editor->CurrentRow(), 4);
  EXPECT_EQ(view.layouts, 1);
  Type(kNameField, "千葉");
  editor->DwFind_BitBtnClick();
  EXPECT_EQ(editor->CurrentRow(), 5);
  editor->Find_End();
  EXPECT_EQ(editor->ShownLayout(), 2);
  EXPECT_EQ(editor->CurrentRow(), 5);
  EXPECT_EQ(view.layouts, 2);
  EXPECT_EQ(Field(kNameField), "千葉消防");
  // In the edit layout nothing changes layout.
  Open(0, 1);
  view.layouts = 0;
  editor->Find_StartSet();
  editor->Find_End();
  EXPECT_EQ(view.layouts, 0);
}

TEST_F(Finding, EndedByTheLayoutToggleAndByAPressInTheGrid) {
  editor->Find_StartSet();
  editor->ToggleLayout();
  EXPECT_FALSE(editor->FindMode);
  EXPECT_EQ(editor->ListMode, 2);
  editor->Find_StartSet();
  EXPECT_TRUE(editor->DataStringGridMouseDown());
  EXPECT_FALSE(editor->FindMode);
  // With fewer than two entries a press does nothing, find mode stays.
  Open(kBandKind, 1);
  editor->Find_StartSet();
  EXPECT_FALSE(editor->DataStringGridMouseDown());
  EXPECT_TRUE(editor->FindMode);
}

// The close box leaves without Find_End; the next opening must not keep the layout toggle and
// the view buttons disabled with find mode off.
TEST_F(Finding, AnOpeningAfterTheCloseBoxEndsFindModeProperly) {
  editor->Find_StartSet();
  Type(kNameField, "羽田");
  Open(0, 1);
  EXPECT_FALSE(editor->FindMode);
  EXPECT_TRUE(editor->LayoutToggleEnabled);
  EXPECT_TRUE(editor->ViewButtonsEnabled);
  EXPECT_FALSE(editor->FindArrowsEnabled);
  EXPECT_EQ(editor->FindButtonCaption, Caption::FindAgain);
  EXPECT_EQ(Field(kNameField), "東京消防");
  editor->Find_StartSet();
  EXPECT_EQ(Field(kNameField), "羽田");
}

TEST_F(Finding, AnOpenNewLineClosesWhenFindStarts) {
  editor->New_ButtonClick();
  ASSERT_EQ(editor->GridRows(), 6);
  editor->Find_StartSet();
  EXPECT_EQ(editor->GridRows(), 5);
  EXPECT_EQ(editor->NullNo, 0);
  EXPECT_FALSE(editor->NewMode);
  editor->Find_End();
  editor->DataStringGridSelectCell(2);
  EXPECT_EQ(Field(kNameField), "羽田");  // rows load the fields again
}

TEST_F(Finding, TheGridStaysWhereItWasUnlessTheFoundRowIsOutOfSight) {
  view.top = 1;
  view.inSight = 3;
  editor->Find_StartSet();
  Type(kNameField, "横浜");
  editor->DwFind_BitBtnClick();  // row 3 is in sight from row 1
  EXPECT_EQ(editor->CurrentRow(), 3);
  EXPECT_EQ(view.topRowsShown, std::vector<int>{1});
  Type(kNameField, "千葉");
  editor->DwFind_BitBtnClick();  // row 5 is not: the grid scrolls to it
  EXPECT_EQ(editor->CurrentRow(), 5);
  EXPECT_EQ(view.topRowsShown, std::vector<int>{1});
}

TEST_F(Finding, AFullListLetsTheWindowRunEveryFewHundredRecords) {
  for (int r = 1; r <= kStationCount; ++r) list->Data[r] = Rec(100000000 + r * 100, "局", 5);
  list->AutoMode_IdxInit();
  editor->FormCreate();
  Open(0, 1);
  editor->Find_StartSet();
  Type(kNameField, "大阪");
  editor->DwFind_BitBtnClick();
  EXPECT_EQ(view.messages, std::vector{FindResult::kNotFound});
  EXPECT_GE(view.processed, 10);
  EXPECT_LE(view.processed, 100);
  // Find mode ended while the search ran (a press in the grid): no message, arrows stay off.
  view.messages.clear();
  view.onProcess = [this] { editor->DataStringGridMouseDown(); };
  editor->Find_StartSet();
  editor->DwFind_BitBtnClick();
  EXPECT_TRUE(view.messages.empty());
  EXPECT_FALSE(editor->FindArrowsEnabled);
  EXPECT_EQ(editor->CurrentRow(), 1);
  EXPECT_EQ(view.busy, 0);
}

}  // namespace
