// The rules of the station list window: the display table, the current row, the ten edit
// fields and their write-back into a record, New/Add/Write/Delete with the index upkeep, the
// button states and the combo lists. The window shows what this holds and forwards events to
// it. Texts are CP932 bytes throughout, as in the records.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "stations/find.h"
#include "stations/station_list.h"

// The ten edit fields in their Enter/Tab order.
enum StationField : int {
  kTypeField = 0,
  kNameField,
  kFrequencyField,
  kFrequency2Field,
  kStepField,
  kModeField,
  kShiftField,
  kSelectField,
  kAddressField,
  kEtcField,
  kFieldCount
};
// The display table column of each field.
inline constexpr std::array<int, kFieldCount> kFieldColumn = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
inline constexpr int kColumnCount = 12;

// What the window shows of the rules' state, told whenever it changes.
class StationEditorView {
 public:
  virtual ~StationEditorView() = default;
  virtual void ShowFields() = 0;      // the ten field texts
  virtual void ShowButtons() = 0;     // enabled states of New/Add/Write/Delete
  virtual void ShowGrid() = 0;        // row count or contents of the grid
  virtual void ShowCurrentRow() = 0;  // the grid's current row is CurrentRow()
  virtual void ShowListItem(bool typeList, const std::string& text) = 0;  // appended
  virtual void FocusGrid() = 0;
  virtual void FocusField(int field) = 0;  // focus and select all its text
  // Find.
  virtual void ShowFind() = 0;    // Find_Button's caption, AndOr_Panel's colour and caption
  virtual void ShowLayout() = 0;  // the layout ShownLayout() names
  virtual void ShowFindMessage(FindResult::Outcome outcome) = 0;  // not found / no condition
  virtual void ShowBusy(bool busy) = 0;
  virtual void ProcessEvents() = 0;    // let pending window messages run
  virtual int GridTopRow() const = 0;  // the first grid row in sight (1-based)
  virtual int GridRowsInSight() const = 0;
  virtual void ShowTopRow(int row) = 0;  // scroll so that `row` is the first in sight
};

// The receiver's setting a new line is filled from when the window opens with MemoRequest.
struct ReceiverSetting {
  std::int32_t Frequency = 0;
  std::int32_t Step = 0;
  int Mode = 0;
  int SignalPeak = 0;
  bool AutoMode = false;
  int BandNo = 0;  // position in BandIndex of the band shown, 0 = none
};

class StationEditor {
 public:
  explicit StationEditor(StationList& stations);
  void Bind(StationEditorView* view) { view_ = view; }

  // Shared with the main window: set before opening, read after closing.
  int ListMode = 1;  // 1 edit layout, 2 list layout
  int DataMode = 0;  // 0 all, 1 single, 2 band
  int MemoNo = 0;
  bool DataEdited = false;
  bool Resorted = false;  // a heading click left the shown kind out of frequency order
  bool MemoRequest = false;
  int BandNo = 0;    // the panel's current band position (list layout opening)
  int SingleNo = 0;  // the panel's current single-station position
  ReceiverSetting Receiver;

  // Window state.
  int MemoPos = 0;
  bool EditMode = false;
  bool NewMode = false;
  bool FindMode = false;
  bool DeleteMode = false;
  int NullNo = 0;
  std::array<std::string, kFieldCount> Fields;  // the ten field texts
  std::vector<std::string> ModeList;            // mode combo box items
  std::vector<std::string> TypeList;            // type combo box items
  // Button states (find arrows belong to find, but EditOff disables them).
  bool NewEnabled = true, AddEnabled = false, WriteEnabled = false, DeleteEnabled = false;
  bool FindArrowsEnabled = false;
  bool LayoutToggleEnabled = true;  // Edit_Button
  bool ViewButtonsEnabled = true;   // MEMO, all and PROG

  // Find (station_find.cpp). The conditions and AND/OR outlive the window's openings.
  enum class FindCaption { Find, EndFind, FindAgain };
  FindCaption FindButtonCaption = FindCaption::Find;
  int AndOrFlag = kFindAnd;
  FindTexts FindSave;  // the ten condition texts as the fields hold them
  // While finding, the edit layout shows whatever ListMode says.
  int ShownLayout() const { return FindMode ? 1 : ListMode; }

  // Rows 0..10000 of 12 columns; row 0 the captions.
  std::vector<std::array<std::string, kColumnCount>> DisplayTexts;

  const MemoData& Data() const { return stations_.Data; }
  const StationIndex& ShownIndex() const { return stations_.Indexes.Index(DataMode); }
  int ShownCount() const { return ShownIndex().Count(); }
  // Grid data rows (row 0 is the heading): the entries, a blank line when empty or when a new
  // line is open.
  int GridRows() const { return gridRows_; }
  int CurrentRow() const { return row_; }
  // The text of grid cell (row p >= 1, column); column 0 is the row number.
  std::string CellText(int p, int column) const;
  // Same without building a string, for drawing: empty for column 0 and outside the index.
  const std::string& CellRef(int p, int column) const;

  // Creation: the display table and the combo lists; `progress` gets 10..40 as they fill,
  // each value once.
  void FormCreate(const std::function<void(int)>& progress = {});
  void FormActivate();

  // Rows.
  void DataStringGridSelectCell(int p);
  void Data_SizeSetSub();
  void Data_SizeSetSub_1();
  void FormLinePrint();
  void FormLineCls();
  void DataUp();
  void DataDown();
  // A heading click on a column re-sorts the shown kind; returns false when nothing was done.
  bool SortByColumn(int column);
  void SetDataMode(int mode);  // the view buttons
  void ToggleLayout();
  // Enter or double click on the grid: true when the window is to close (list layout).
  bool GridEnter();
  void GoEditMode();
  // Closing with End_Button / DataCan_Button.
  void End();
  void Cancel();

  // Fields.
  void FieldEdited(int field, std::string text);  // the user changed a field's text
  // Enter, or Tab (`tab`), in a field: on to the next one. Enter in the last field adds the
  // record; Tab there only moves on, so tabbing through a record makes no copy of it.
  void FieldEnter(int field, bool tab = false);
  void FieldEscape(int field);
  void EditOn();
  void EditOff();
  void ModeListAddSub(const std::string& text);
  void TypeListAddSub(const std::string& text);

  // Records.
  void FindNull();
  int FindMemoNo(int kind, int record);
  void DelMemoNo(int kind, int position);
  void New_ButtonClick();
  void Add_ButtonClick();
  void Write_ButtonClick();
  // `confirm` asks the user; true = "は い".
  void Delete_ButtonClick(const std::function<bool()>& confirm);
  void MemWrite();
  void MemFormLinePrint();
  // Records changed outside the window (an import): their display texts and list entries.
  void RecordsChanged();
  // The display row of record r as built at creation.
  void FillDisplayRow(int r);

  // Find.
  void Find_ButtonClick();  // start find mode, or end it
  void Find_StartSet();
  void Find_End();
  // From grid position `start` in steps of `step` (-1 up, +1 down).
  void Find_Sub(int start, int step);
  void UpFind_BitBtnClick();
  void DwFind_BitBtnClick();
  void AndOr_ButtonClick();
  void AndOr_Print();
  // A mouse press in the grid; false when the shown index has fewer than two entries and the
  // press does nothing.
  bool DataStringGridMouseDown();

 private:
  void SetRow(int p);  // current row with the selection rules
  void Show(void (StationEditorView::*what)());
  void FocusGrid();

  StationList& stations_;
  StationEditorView* view_ = nullptr;
  int gridRows_ = 1;
  int row_ = 1;
};
