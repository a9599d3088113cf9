// Find in the station list window: find mode with its button states, the conditions kept
// between find modes, and a search over the shown index from the current row.
#include "stations/station_editor.h"

namespace {

// The window is asked to run its messages after this many records tested: often enough to
// stay alive on a slow machine, rarely enough not to weigh on the search itself.
constexpr int kRecordsPerEvents = 256;

}  // namespace

void StationEditor::Find_ButtonClick() {
  if (FindMode)
    Find_End();
  else
    Find_StartSet();
  FocusGrid();
}

void StationEditor::Find_StartSet() {
  if (FindMode) return;
  // An open new line would stay behind as a blank row holding a free record; it closes as on
  // the layout toggle.
  if (NewMode) {
    NewMode = false;
    NullNo = 0;
    Data_SizeSetSub_1();
  }
  EditOff();
  FindButtonCaption = FindCaption::EndFind;
  NewEnabled = AddEnabled = WriteEnabled = DeleteEnabled = false;
  LayoutToggleEnabled = ViewButtonsEnabled = false;
  FindArrowsEnabled = true;
  FindMode = true;
  Fields = FindSave;
  Show(&StationEditorView::ShowFields);
  Show(&StationEditorView::ShowButtons);
  Show(&StationEditorView::ShowFind);
  if (ListMode == 2) {
    // The conditions need the edit panel: the edit layout on the same row, ListMode kept.
    const int row = row_;
    Show(&StationEditorView::ShowLayout);
    Data_SizeSetSub();
    SetRow(row);
  }
  FocusGrid();
}

void StationEditor::Find_End() {
  if (!FindMode) return;
  FindButtonCaption = FindCaption::FindAgain;
  LayoutToggleEnabled = ViewButtonsEnabled = true;
  FindArrowsEnabled = false;
  FindSave = Fields;
  FindMode = false;
  EditOff();
  Show(&StationEditorView::ShowFind);
  if (ListMode == 2) {
    const int row = row_;
    Show(&StationEditorView::ShowLayout);
    Data_SizeSetSub();
    SetRow(row);
  } else {
    FormLinePrint();
  }
}

void StationEditor::Find_Sub(int start, int step) {
  const FindConditions conditions = ReadFindConditionsCp932(Fields);
  FindArrowsEnabled = false;
  Show(&StationEditorView::ShowButtons);
  if (view_) view_->ShowBusy(true);
  int tested = 0;
  const FindResult result =
      ::Find_Sub(conditions, AndOrFlag, Data(), ShownIndex(), start, step, [this, &tested] {
        if (++tested % kRecordsPerEvents == 0 && view_) view_->ProcessEvents();
      });
  if (view_) view_->ShowBusy(false);
  // Find mode ended while the search ran (the grid was clicked, the window closed): the result
  // belongs to conditions no longer shown.
  if (!FindMode) return;
  switch (result.outcome) {
    case FindResult::kFound: {
      const int top = view_ ? view_->GridTopRow() : 1;
      SetRow(result.position);
      // The grid stays where it was unless the found row lies out of sight from there.
      if (view_ && result.position >= top && result.position < top + view_->GridRowsInSight())
        view_->ShowTopRow(top);
      break;
    }
    case FindResult::kNotFound:
    case FindResult::kNoCondition:
      if (view_) view_->ShowFindMessage(result.outcome);
      break;
  }
  if (!FindMode) return;  // ended while the message was up
  FindArrowsEnabled = true;
  Show(&StationEditorView::ShowButtons);
}

void StationEditor::UpFind_BitBtnClick() {
  FocusGrid();
  Find_Sub(MemoPos, -1);
}

void StationEditor::DwFind_BitBtnClick() {
  FocusGrid();
  Find_Sub(MemoPos, +1);
}

void StationEditor::AndOr_ButtonClick() {
  AndOrFlag = AndOrFlag == kFindAnd ? kFindOr : kFindAnd;
  AndOr_Print();
  FocusGrid();
}

void StationEditor::AndOr_Print() { Show(&StationEditorView::ShowFind); }

bool StationEditor::DataStringGridMouseDown() {
  if (ShownCount() < 2) return false;
  Find_End();
  return true;
}
