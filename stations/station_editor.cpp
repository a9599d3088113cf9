#include "stations/station_editor.h"

#include <algorithm>
#include <charconv>

#include "base/text.h"
#include "civ/civ.h"
#include "stations/cp932.h"

namespace {

// Column captions; "^" marks the columns whose heading re-sorts the list.
constexpr std::array<const char*, kColumnCount> kCaptions = {
    " No",
    "",
    FENNIX_TR_NOOP("StationEditor", " 種 類^"),
    FENNIX_TR_NOOP("StationEditor", " 局  名^"),
    FENNIX_TR_NOOP("StationEditor", "   周波数^"),
    FENNIX_TR_NOOP("StationEditor", "～ 周波数"),
    " STEP",
    FENNIX_TR_NOOP("StationEditor", "型 式"),
    FENNIX_TR_NOOP("StationEditor", "親子差"),
    FENNIX_TR_NOOP("StationEditor", "感度"),
    FENNIX_TR_NOOP("StationEditor", " 所 在 地^"),
    FENNIX_TR_NOOP("StationEditor", " 備 考")};

constexpr std::array<const char*, 7> kDefaultModes = {"F M", "FMN", "WFM", "A M",
                                                      "AMW", "LSB", "USB"};
constexpr std::array<const char*, 8> kDefaultTypes = {
    FENNIX_TR_NOOP("StationEditor", "警察無線"),
    FENNIX_TR_NOOP("StationEditor", "消防救急無線"),
    FENNIX_TR_NOOP("StationEditor", "航空無線"),
    FENNIX_TR_NOOP("StationEditor", "鉄道無線"),
    FENNIX_TR_NOOP("StationEditor", "防災行政無線"),
    FENNIX_TR_NOOP("StationEditor", "タクシー無線"),
    FENNIX_TR_NOOP("StationEditor", "アマチュア無線"),
    FENNIX_TR_NOOP("StationEditor", "各種業務無線")};

std::string ModeNameOf(std::int32_t mode) {
  if (mode < 0 || mode >= static_cast<std::int32_t>(civ::ModeName.size())) return {};
  return std::string(civ::ModeName[static_cast<std::size_t>(mode)]);
}

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && Blank(s[b])) ++b;
  while (e > b && Blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string TrimLeft(const std::string& s) {
  std::size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return s.substr(b);
}

// A decimal integer with optional leading blanks and sign; 0 when the text is not one.
std::int32_t DecimalOrZero(const std::string& text) {
  std::size_t b = 0;
  while (b < text.size() && text[b] == ' ') ++b;
  if (b < text.size() && text[b] == '+') ++b;
  const char* first = text.data() + b;
  const char* last = text.data() + text.size();
  if (first == last) return 0;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last) return 0;
  return value;
}

}  // namespace

StationEditor::StationEditor(StationList& stations) : stations_(stations) {}

void StationEditor::Show(void (StationEditorView::*what)()) {
  if (view_) (view_->*what)();
}

void StationEditor::FocusGrid() {
  if (view_) view_->FocusGrid();
}

const std::string& StationEditor::CellRef(int p, int column) const {
  static const std::string empty;
  const StationIndex& index = ShownIndex();
  if (column < 1 || column >= kColumnCount || p < 1 || p > index.Count()) return empty;
  const int r = index[p];
  if (r < 0 || r > kStationCount) return empty;
  return DisplayTexts[static_cast<std::size_t>(r)][static_cast<std::size_t>(column)];
}

std::string StationEditor::CellText(int p, int column) const {
  if (column == 0) {
    const std::string number = "   " + std::to_string(p);
    return number.substr(number.size() - 4);
  }
  return CellRef(p, column);
}

void StationEditor::FillDisplayRow(int r) {
  const MemoRecord& m = stations_.Data[r];
  auto& row = DisplayTexts[static_cast<std::size_t>(r)];
  row[1].clear();
  row[2] = std::string(m.Type.View());
  row[3] = std::string(m.Name.View());
  row[4] = m.Frequency < 1 ? std::string() : " " + FreqToText(m.Frequency);
  row[5] = m.Frequency2 < 1 ? std::string() : " " + FreqToText(m.Frequency2);
  row[6] = m.Step < 1 ? std::string() : StepToText(m.Step);
  row[7] = " " + ModeNameOf(m.Mode);
  row[8] = m.Shift == 0 ? std::string() : StepToText(m.Shift);
  row[9] = " " + std::to_string(m.Select);
  row[10] = std::string(m.Address.View());
  row[11] = std::string(m.Etc.View());
}

void StationEditor::FormCreate(const std::function<void(int)>& progress) {
  int shown = -1;
  auto report = [&](int value) {
    if (value != shown && progress) progress(value);
    shown = value;
  };
  DisplayTexts.assign(kStationCount + 1, {});
  for (int c = 0; c < kColumnCount; ++c)
    DisplayTexts[0][static_cast<std::size_t>(c)] =
        Utf8ToCp932(text::Tr("StationEditor", kCaptions[static_cast<std::size_t>(c)]));
  for (int r = 1; r <= kStationCount; ++r) {
    FillDisplayRow(r);
    report(r * 10 / kStationCount + 10);
  }
  // The combo lists.
  ModeList.clear();
  TypeList.clear();
  if (stations_.ModeListA)
    for (const char* m : kDefaultModes) ModeListAddSub(m);
  for (int r = 1; r <= kStationCount; ++r) {
    if (stations_.ModeListB) {
      const std::string name = ModeNameOf(stations_.Data[r].Mode);
      if (!name.empty()) ModeListAddSub(name);
    }
    report(20 + r * 10 / kStationCount);
  }
  if (stations_.TypeListA)
    for (const char* t : kDefaultTypes) TypeListAddSub(Utf8ToCp932(text::Tr("StationEditor", t)));
  const bool scanTypes = stations_.TypeListB && ShownCount() > 0;
  for (int r = 1; r <= kStationCount; ++r) {
    if (scanTypes) {
      const std::string_view type = stations_.Data[r].Type.View();
      if (!type.empty()) TypeListAddSub(std::string(type));
    }
    report(30 + r * 10 / kStationCount);
  }
  Data_SizeSetSub_1();
}

void StationEditor::RecordsChanged() {
  if (DisplayTexts.empty()) return;  // the window is not built yet
  for (int r = 1; r <= kStationCount; ++r) {
    FillDisplayRow(r);
    const MemoRecord& record = stations_.Data[r];
    if (stations_.ModeListB && !ModeNameOf(record.Mode).empty())
      ModeListAddSub(ModeNameOf(record.Mode));
    if (stations_.TypeListB && !record.Type.View().empty())
      TypeListAddSub(std::string(record.Type.View()));
  }
}

void StationEditor::ModeListAddSub(const std::string& text) {
  if (std::find(ModeList.begin(), ModeList.end(), text) != ModeList.end()) return;
  ModeList.push_back(text);
  if (view_) view_->ShowListItem(false, text);
}

void StationEditor::TypeListAddSub(const std::string& text) {
  if (std::find(TypeList.begin(), TypeList.end(), text) != TypeList.end()) return;
  TypeList.push_back(text);
  if (view_) view_->ShowListItem(true, text);
}

void StationEditor::FormActivate() {
  // A window closed by its close box while finding ends find mode here, so the buttons find
  // mode disabled come back and the conditions are kept.
  Find_End();
  DataEdited = false;
  Resorted = false;
  FindMode = false;
  DeleteMode = false;
  NullNo = 0;
  NewMode = false;
  const int n = ShownCount();
  if (ListMode != 2) {
    ListMode = 1;
    Data_SizeSetSub();
    SetRow(1);
    if (!MemoRequest) {
      FormLinePrint();
      EditOff();
    } else {
      gridRows_ = n + 1;
      Show(&StationEditorView::ShowGrid);
      SetRow(n + 1);
      MemFormLinePrint();
      NewMode = true;
      EditOn();
    }
  } else {
    Data_SizeSetSub();
    int row = 1;
    if (DataMode == kBandKind && BandNo > 0) row = BandNo;
    if (DataMode == kSingleKind && SingleNo > 0) row = SingleNo;
    SetRow(std::min(row, gridRows_));
  }
  AndOr_Print();
  if (EditMode) {
    if (view_) view_->FocusField(kTypeField);
  } else {
    FocusGrid();
  }
}

void StationEditor::SetRow(int p) { DataStringGridSelectCell(p); }

void StationEditor::DataStringGridSelectCell(int p) {
  if (p < 1) p = 1;
  if (NewMode) {
    // Leaving the open new line closes it.
    NewMode = false;
    NullNo = 0;
    Data_SizeSetSub();
    if (p > gridRows_) p = 1;
  }
  if (p > gridRows_) p = gridRows_;
  row_ = p;
  MemoPos = p;
  // Only a row of the index names a record: a blank line has none.
  MemoNo = p <= ShownCount() ? ShownIndex()[p] : 0;
  if (NullNo == 0) {
    EditOff();
    FormLinePrint();
  }
  Show(&StationEditorView::ShowCurrentRow);
}

void StationEditor::Data_SizeSetSub() {
  const int n = ShownCount();
  gridRows_ = n > 0 ? n : 1;
  if (row_ > gridRows_) {
    row_ = gridRows_;
    MemoPos = row_;
    MemoNo = row_ <= n ? ShownIndex()[row_] : 0;
  }
  Show(&StationEditorView::ShowGrid);
  FormLinePrint();
  EditOff();
  Show(&StationEditorView::ShowCurrentRow);
}

void StationEditor::Data_SizeSetSub_1() {
  Data_SizeSetSub();
  SetRow(1);
}

void StationEditor::FormLinePrint() {
  const int n = ShownCount();
  const int r = MemoPos >= 1 && MemoPos <= n ? ShownIndex()[MemoPos] : 0;
  if (r >= 1 && r <= kStationCount && n >= 1 && !FindMode && !EditMode) {
    const auto& row = DisplayTexts[static_cast<std::size_t>(r)];
    for (int f = 0; f < kFieldCount; ++f)
      Fields[static_cast<std::size_t>(f)] = row[static_cast<std::size_t>(kFieldColumn[f])];
    Fields[kModeField] = TrimLeft(Fields[kModeField]);
    Show(&StationEditorView::ShowFields);
  } else if (NullNo == 0 && !FindMode) {
    FormLineCls();
  }
}

void StationEditor::FormLineCls() {
  for (auto& f : Fields) f.clear();
  Show(&StationEditorView::ShowFields);
}

void StationEditor::DataUp() {
  if (row_ > 1) SetRow(row_ - 1);
  if (!EditMode && !FindMode) FormLinePrint();
  FocusGrid();
}

void StationEditor::DataDown() {
  if (row_ < gridRows_) SetRow(row_ + 1);
  if (!EditMode && !FindMode) FormLinePrint();
  FocusGrid();
}

bool StationEditor::SortByColumn(int column) {
  if (ShownCount() < 2) return false;
  int keyMode = 0;
  switch (column) {
    case 2:
      keyMode = kKeyType;
      break;
    case 4:
      keyMode = kKeyFrequency;
      break;
    case 3:
      keyMode = kKeyName;
      break;
    case 10:
      keyMode = kKeyAddress;
      break;
    default:
      return false;
  }
  const int remembered = MemoNo;
  stations_.Indexes.AutoMode_IdxInitSub(stations_.Data, keyMode, DataMode);
  Resorted = true;
  Data_SizeSetSub();
  const int position = FindMemoNo(DataMode, remembered);
  SetRow(position > 0 ? position : 1);
  return true;
}

void StationEditor::SetDataMode(int mode) {
  DataMode = mode;
  Data_SizeSetSub_1();
  FocusGrid();
}

void StationEditor::ToggleLayout() {
  if (NewMode) {
    NewMode = false;
    NullNo = 0;
    Data_SizeSetSub_1();
  }
  Find_End();
  FocusGrid();
  const int row = row_;
  ListMode = ListMode == 2 ? 1 : 2;
  Data_SizeSetSub();
  SetRow(row);
}

bool StationEditor::GridEnter() {
  if (ListMode == 2) return true;
  GoEditMode();
  return false;
}

void StationEditor::GoEditMode() {
  EditOn();
  if (view_) view_->FocusField(kTypeField);
}

void StationEditor::End() {
  Find_End();
  if (ListMode == 1) MemoNo = 0;
}

void StationEditor::Cancel() { MemoNo = 0; }

void StationEditor::FieldEdited(int field, std::string text) {
  if (field < 0 || field >= kFieldCount) return;
  Fields[static_cast<std::size_t>(field)] = std::move(text);
}

void StationEditor::FieldEnter(int field, bool tab) {
  if (field == kModeField) {
    Fields[kModeField] = NormalizeMode(Fields[kModeField]);
    Show(&StationEditorView::ShowFields);
  }
  if (field == kEtcField) {
    if (!FindMode && !tab) {
      Add_ButtonClick();
      if (row_ < gridRows_) SetRow(row_ + 1);
    }
    FocusGrid();
    return;
  }
  if (view_ && field >= 0 && field < kEtcField) view_->FocusField(field + 1);
}

void StationEditor::FieldEscape(int field) {
  if (field < 0 || field >= kFieldCount) return;
  std::string text;
  if (MemoNo > 0 && MemoNo <= kStationCount)
    text = DisplayTexts[static_cast<std::size_t>(MemoNo)]
                       [static_cast<std::size_t>(kFieldColumn[static_cast<std::size_t>(field)])];
  if (field == kModeField) text = TrimLeft(text);
  Fields[static_cast<std::size_t>(field)] = text;
  Show(&StationEditorView::ShowFields);
  if (field == kTypeField) {
    if (NewMode) {
      NewMode = false;
      NullNo = 0;
      Data_SizeSetSub_1();
    }
    EditOff();
    FocusGrid();
    return;
  }
  if (view_) view_->FocusField(field - 1);
}

void StationEditor::EditOn() {
  if (FindMode) return;
  EditMode = true;
  NewEnabled = false;
  AddEnabled = stations_.Indexes.AllIndex.Count() < kStationCount;
  WriteEnabled = ShownCount() >= 1 && !NewMode;
  DeleteEnabled = false;
  Show(&StationEditorView::ShowButtons);
}

void StationEditor::EditOff() {
  if (FindMode) return;
  EditMode = false;
  NewMode = false;
  NewEnabled = stations_.Indexes.AllIndex.Count() < kStationCount;
  AddEnabled = false;
  WriteEnabled = false;
  DeleteEnabled = ShownCount() >= 1;
  FindArrowsEnabled = false;
  Show(&StationEditorView::ShowButtons);
}

void StationEditor::FindNull() {
  NullNo = 0;
  for (int r = 1; r <= kStationCount; ++r) {
    const MemoRecord& m = stations_.Data[r];
    if (m.Frequency == 0 && m.Frequency2 == 0) {
      NullNo = r;
      return;
    }
  }
}

int StationEditor::FindMemoNo(int kind, int record) {
  const StationIndex& index = stations_.Indexes.Index(kind);
  MemoPos = 0;
  for (int p = 1; p <= index.Count(); ++p) {
    if (index[p] == record) {
      MemoPos = p;
      break;
    }
  }
  return MemoPos;
}

void StationEditor::DelMemoNo(int kind, int position) {
  auto& item = stations_.Indexes.Index(kind).Item;
  const int n = item[0];
  if (position < 1 || position > n) return;
  for (int p = position; p < n; ++p)
    item[static_cast<std::size_t>(p)] = item[static_cast<std::size_t>(p + 1)];
  item[static_cast<std::size_t>(n)] = 0;
  item[0] = n - 1;
}

namespace {
void Append(StationIndex& index, int record) {
  if (index.Item[0] >= kStationCount) return;
  index.Item[static_cast<std::size_t>(++index.Item[0])] = record;
}
}  // namespace

void StationEditor::New_ButtonClick() {
  FindNull();
  if (NullNo == 0) return;
  const int n = ShownCount();
  gridRows_ = n + 1;
  Show(&StationEditorView::ShowGrid);
  SetRow(n + 1);
  FormLineCls();
  if (view_) view_->FocusField(kTypeField);
  EditOn();
  WriteEnabled = false;
  NewMode = true;
  Show(&StationEditorView::ShowButtons);
}

void StationEditor::Add_ButtonClick() {
  FindNull();
  if (NullNo == 0) return;
  DataEdited = true;
  if (!NewMode) {
    const int n = ShownCount();
    gridRows_ = n + 1;
    Show(&StationEditorView::ShowGrid);
    SetRow(n + 1);
    MemoPos = n + 1;
  }
  MemoNo = NullNo;
  NullNo = 0;
  MemWrite();
  auto& indexes = stations_.Indexes;
  Append(indexes.Index(DataMode), MemoNo);
  if (DataMode != kAllKind) {
    Append(indexes.AllIndex, MemoNo);
  } else {
    const MemoRecord& m = stations_.Data[MemoNo];
    Append(m.Frequency >= 1 && m.Frequency2 >= 1 ? indexes.BandIndex : indexes.SingleIndex, MemoNo);
  }
  NewMode = false;
  EditOff();
  Show(&StationEditorView::ShowGrid);
  Show(&StationEditorView::ShowCurrentRow);
}

void StationEditor::Write_ButtonClick() {
  if (MemoNo <= 0 || MemoNo > kStationCount) return;
  DataEdited = true;
  MemWrite();
  FormLinePrint();
  FocusGrid();
  EditOff();
  Show(&StationEditorView::ShowGrid);
}

void StationEditor::Delete_ButtonClick(const std::function<bool()>& confirm) {
  // Only a row of the index can be deleted; record 0 and blank lines are never touched.
  if (MemoNo <= 0 || MemoNo > kStationCount || MemoPos < 1 || MemoPos > ShownCount()) {
    FocusGrid();
    return;
  }
  if (!confirm || !confirm()) {
    FocusGrid();
    return;
  }
  DeleteMode = true;
  DataEdited = true;
  FormLineCls();
  const int p = MemoPos;
  const int e = ShownIndex()[p];
  MemWrite();
  DeleteMode = false;
  if (DataMode != kAllKind) {
    DelMemoNo(DataMode, p);
    if (FindMemoNo(kAllKind, e) > 0) DelMemoNo(kAllKind, MemoPos);
  } else {
    DelMemoNo(kAllKind, p);
    if (FindMemoNo(kSingleKind, e) > 0)
      DelMemoNo(kSingleKind, MemoPos);
    else if (FindMemoNo(kBandKind, e) > 0)
      DelMemoNo(kBandKind, MemoPos);
  }
  Data_SizeSetSub();
  MemoPos = std::min(p, ShownCount());
  SetRow(MemoPos >= 1 ? MemoPos : 1);
  FocusGrid();
}

void StationEditor::MemWrite() {
  const int r = MemoNo;
  if (r < 1 || r > kStationCount) return;
  MemoRecord& m = stations_.Data[r];
  auto& row = DisplayTexts[static_cast<std::size_t>(r)];
  // 1, 2: texts whole on screen, cut to the field's width in the record.
  row[2] = Fields[kTypeField];
  m.Type.Assign(Fields[kTypeField]);
  if (stations_.TypeListB) TypeListAddSub(Fields[kTypeField]);
  row[3] = Fields[kNameField];
  m.Name.Assign(Fields[kNameField]);
  // 3-5: the frequencies, in order.
  const std::int32_t f1 = TextToFreq(Fields[kFrequencyField]);
  row[4] = " " + FreqToText(f1);
  m.Frequency = f1;
  const std::int32_t f2 = TextToFreq(Fields[kFrequency2Field]);
  row[5] = " " + FreqToText(f2);
  m.Frequency2 = f2;
  if (f2 > 0 && (f2 < m.Frequency || m.Frequency == 0)) {
    m.Frequency2 = m.Frequency;
    m.Frequency = f2;
    row[5] = row[4];
    row[4] = " " + FreqToText(f2);
    Fields[kFrequency2Field] = Fields[kFrequencyField];
    Fields[kFrequencyField] = row[4];
  } else if (!DeleteMode && f2 == 0 && m.Frequency == 0) {
    m.Frequency = 1000000;
    row[4] = "    1.0000";
  }
  // 6: step.
  const std::int32_t s = TextToStep(Fields[kStepField]);
  row[6] = StepToText(s);
  m.Step = s;
  // 7: mode; the record takes only an exact mode name.
  row[7] = " " + NormalizeMode(Fields[kModeField]);
  if (stations_.ModeListB) ModeListAddSub(Fields[kModeField]);
  const std::string mode = Trim(Fields[kModeField]);
  m.Mode = 0;
  for (int k = 7; k >= 1; --k) {
    if (mode == civ::ModeName[static_cast<std::size_t>(k)]) {
      m.Mode = k;
      break;
    }
  }
  // 8: shift.
  const std::int32_t v = TextToStep(Fields[kShiftField]);
  row[8] = StepToText(v);
  m.Shift = v;
  // 9: sensitivity.
  m.Select = DecimalOrZero(Fields[kSelectField]);
  row[9] = " " + std::to_string(m.Select);
  // 10, 11.
  row[10] = Fields[kAddressField];
  m.Address.Assign(Fields[kAddressField]);
  row[11] = Fields[kEtcField];
  m.Etc.Assign(Fields[kEtcField]);
  // 12.
  Show(&StationEditorView::ShowFields);
  EditOff();
  FocusGrid();
  Show(&StationEditorView::ShowGrid);
}

void StationEditor::MemFormLinePrint() {
  for (auto& f : Fields) f.clear();
  const StationIndex& bands = stations_.Indexes.BandIndex;
  if (Receiver.AutoMode && Receiver.BandNo >= 1 && Receiver.BandNo <= bands.Count()) {
    const MemoRecord& band = stations_.Data[bands[Receiver.BandNo]];
    Fields[kTypeField] = std::string(band.Type.View());
    Fields[kNameField] = std::string(band.Name.View());
  }
  Fields[kFrequencyField] = FreqToText(Receiver.Frequency);
  Fields[kStepField] = StepToText(Receiver.Step);
  const int s = Receiver.SignalPeak;
  Fields[kSelectField] = std::to_string(s == 0 ? 0 : std::min(5, (s + 20) * 5 / 100));
  Fields[kModeField] = ModeNameOf(Receiver.Mode);
  Show(&StationEditorView::ShowFields);
}
