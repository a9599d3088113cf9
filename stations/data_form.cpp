#include "stations/data_form.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>

#include "stations/cp932.h"
#include "stations/delete_form.h"
#include "stations/station_grid_qt.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

constexpr int kRowHeight = 18;
constexpr int kEventsEveryMs = 20;  // while a search runs
constexpr int kEditTop = 40;
constexpr int kEditHeight = 160;
constexpr int kGridLeft = 8;
// The grid's column widths; the text columns take the widths of their edit fields.
constexpr std::array<int, kColumnCount> kColumnWidth = {36, 0,  109, 169, 80,  80,
                                                        52, 40, 52,  32,  108, 169};

// The masked fields: digits before and after the point, and whether a sign may be typed.
struct MaskShape {
  int before, after;
  bool sign;
};
MaskShape ShapeOf(int field) {
  switch (field) {
    case kFrequencyField:
    case kFrequency2Field:
      return {4, 4, false};
    case kStepField:
      return {3, 2, false};
    case kShiftField:
      return {4, 2, true};
    default:
      return {0, 0, false};
  }
}
bool Masked(int field) { return ShapeOf(field).before > 0; }

QString MaskOf(int field) {
  const MaskShape s = ShapeOf(field);
  const QChar digit = s.sign ? '#' : '0';
  return QString(s.before, digit) + "." + QString(s.after, '0') + "; ";
}

// A field text laid into the mask: the whole part right-aligned before the point, the
// fraction after it.
QString FitToMask(const std::string& text, int field) {
  const MaskShape s = ShapeOf(field);
  std::string whole, fraction;
  bool point = false;
  for (char c : text) {
    if (c == '.') {
      point = true;
    } else if (c != ' ') {
      (point ? fraction : whole).push_back(c);
    }
  }
  if (static_cast<int>(whole.size()) > s.before) whole = whole.substr(whole.size() - s.before);
  whole.insert(0, static_cast<std::size_t>(s.before) - whole.size(), ' ');
  fraction.resize(static_cast<std::size_t>(s.after), ' ');
  return QString::fromStdString(whole + "." + fraction);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(geometry);
  b->setAutoDefault(false);
  return b;
}

QFrame* Bar(QWidget* parent, const char* name, QRect geometry) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setGeometry(geometry);
  f->setAutoFillBackground(true);
  return f;
}

void Paint(QWidget* w, const QColor& color) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, color);
  w->setPalette(p);
}

}  // namespace

TDataForm::TDataForm(StationEditor& e, const std::function<void(int)>& progress,
                     const std::function<void()>& created, QWidget* parent)
    : QDialog(parent), editor(e) {
  setObjectName("DataForm");
  setWindowTitle(tr("メモリー・エディッタ"));
  setFont(ui::ProportionalFont(12));
  setSizeGripEnabled(true);
  resize(640, 480);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  BuildButtons();
  BuildEditPanel();
  BuildGrid();
  ExplainControls();
  Space_Panel->clear();
  editor.Bind(this);
  editor.FormCreate(progress);
  SetLayout();
  DataModeSetPrint();
  if (created) created();
}

TDataForm::~TDataForm() { editor.Bind(nullptr); }

void TDataForm::BuildButtons() {
  SingleData_Panel = Bar(this, "SingleData_Panel", QRect(6, 5, 42, 4));
  BandData_Panel = Bar(this, "BandData_Panel", QRect(64, 5, 42, 4));
  SingleData_Button = Button(this, "SingleData_Button", "&MEMO", QRect(6, 10, 42, 24));
  AllData_Button = Button(this, "AllData_Button", QString(), QRect(50, 10, 12, 24));
  BandData_Button = Button(this, "BandData_Button", "&PROG", QRect(64, 10, 42, 24));
  Edit_Button = Button(this, "Edit_Button", tr("一 覧(&L)"), QRect(110, 10, 60, 24));
  New_Button = Button(this, "New_Button", tr("新  規 (&N)"), QRect(174, 10, 62, 24));
  Add_Button = Button(this, "Add_Button", tr("追  加 (&A)"), QRect(238, 10, 62, 24));
  Write_Button = Button(this, "Write_Button", tr("上  書 (W)"), QRect(302, 10, 62, 24));
  Delete_Button = Button(this, "Delete_Button", tr("削  除 (&D)"), QRect(366, 10, 62, 24));
  Find_Button = Button(this, "Find_Button", tr("検 索 (&F)"), QRect(434, 10, 70, 24));
  UpFind_BitBtn = new QToolButton(this);
  UpFind_BitBtn->setObjectName("UpFind_BitBtn");
  UpFind_BitBtn->setArrowType(Qt::UpArrow);
  UpFind_BitBtn->setGeometry(506, 10, 20, 12);
  DwFind_BitBtn = new QToolButton(this);
  DwFind_BitBtn->setObjectName("DwFind_BitBtn");
  DwFind_BitBtn->setArrowType(Qt::DownArrow);
  DwFind_BitBtn->setGeometry(506, 22, 20, 12);
  UpFind_BitBtn->setEnabled(false);
  DwFind_BitBtn->setEnabled(false);
  AndOr_Panel = new QLabel("AND", this);
  AndOr_Panel->setObjectName("AndOr_Panel");
  AndOr_Panel->setAlignment(Qt::AlignCenter);
  AndOr_Panel->setFrameShape(QFrame::Panel);
  AndOr_Panel->setFrameShadow(QFrame::Sunken);
  AndOr_Panel->setAutoFillBackground(true);
  Paint(AndOr_Panel, ui::kSilver);
  AndOr_Panel->setGeometry(530, 8, 34, 16);
  AndOr_Button = Button(this, "AndOr_Button", QString(), QRect(530, 25, 34, 9));

  // The bottom row: row arrows, spacer, the closing keys.
  DataUpDown1 = new QFrame(this);
  DataUpDown1->setObjectName("DataUpDown1");
  DataUp_Button = new QToolButton(DataUpDown1);
  DataUp_Button->setObjectName("DataUp_Button");
  DataUp_Button->setArrowType(Qt::UpArrow);
  DataUp_Button->setGeometry(0, 0, 17, 13);
  DataDw_Button = new QToolButton(DataUpDown1);
  DataDw_Button->setObjectName("DataDw_Button");
  DataDw_Button->setArrowType(Qt::DownArrow);
  DataDw_Button->setGeometry(0, 13, 17, 13);
  Space_Panel = new QLabel("Space_Panel", this);
  Space_Panel->setObjectName("Space_Panel");
  End_Button = Button(this, "End_Button", tr("閉じる(&X)"), QRect(0, 0, 80, 26));
  DataCan_Button = Button(this, "DataCan_Button", tr("キャンセル(&C)"), QRect(0, 0, 92, 26));

  auto on = [this](QAbstractButton* b, auto handler) {
    connect(b, &QAbstractButton::clicked, this, Guarded(handler));
  };
  on(SingleData_Button, [this] {
    editor.SetDataMode(kSingleKind);
    DataModeSetPrint();
  });
  on(AllData_Button, [this] {
    editor.SetDataMode(kAllKind);
    DataModeSetPrint();
  });
  on(BandData_Button, [this] {
    editor.SetDataMode(kBandKind);
    DataModeSetPrint();
  });
  on(Edit_Button, [this] { Edit_ButtonClick(); });
  on(New_Button, [this] { editor.New_ButtonClick(); });
  on(Add_Button, [this] { editor.Add_ButtonClick(); });
  on(Write_Button, [this] { editor.Write_ButtonClick(); });
  on(Delete_Button, [this] { Delete_ButtonClick(); });
  on(End_Button, [this] { End_ButtonClick(); });
  on(DataCan_Button, [this] { DataCan_ButtonClick(); });
  on(DataUp_Button, [this] { editor.DataUp(); });
  on(DataDw_Button, [this] { editor.DataDown(); });
  on(Find_Button, [this] { editor.Find_ButtonClick(); });
  on(UpFind_BitBtn, [this] { editor.UpFind_BitBtnClick(); });
  on(DwFind_BitBtn, [this] { editor.DwFind_BitBtnClick(); });
  on(AndOr_Button, [this] { editor.AndOr_ButtonClick(); });
  for (QPushButton* b : {SingleData_Button, AllData_Button, BandData_Button})
    b->installEventFilter(this);

  // Alt keys whose button carries no mnemonic in the current layout: Write always, the
  // layout toggle's other letter, "O K" for Alt+X and the hidden cancel key for Alt+C.
  auto alt = [this](Qt::Key key, const char* name, auto handler) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
    shortcut->setObjectName(name);
    connect(shortcut, &QShortcut::activated, this, Guarded(handler));
  };
  alt(Qt::Key_W, "WriteKey", [this] {
    if (Write_Button->isEnabled()) editor.Write_ButtonClick();
  });
  for (Qt::Key key : {Qt::Key_L, Qt::Key_E})
    alt(key, key == Qt::Key_L ? "ToggleL" : "ToggleE", [this] {
      if (Edit_Button->isEnabled()) Edit_ButtonClick();
    });
  alt(Qt::Key_X, "EndKey", [this] { End_ButtonClick(); });
  alt(Qt::Key_C, "CancelKey", [this] { DataCan_ButtonClick(); });
  // The search keys act as their arrows do: only while finding, and not during a search.
  alt(Qt::Key_Comma, "UpFindKey", [this] {
    if (UpFind_BitBtn->isEnabled()) editor.UpFind_BitBtnClick();
  });
  alt(Qt::Key_Period, "DwFindKey", [this] {
    if (DwFind_BitBtn->isEnabled()) editor.DwFind_BitBtnClick();
  });
}

void TDataForm::BuildEditPanel() {
  Data1_Panel = new QFrame(this);
  Data1_Panel->setObjectName("Data1_Panel");
  Data1_Panel->setFrameShape(QFrame::Panel);
  Data1_Panel->setFrameShadow(QFrame::Raised);
  Data1_Panel->setGeometry(kGridLeft, kEditTop, 597, kEditHeight);
  Data1_Panel->installEventFilter(this);

  struct Place {
    const char* name;
    const char* label;
    QRect labelAt;
    QRect fieldAt;
    const char* unit;
  };
  static constexpr std::array<Place, kFieldCount> kPlaces = {{
      {"TypeComboBox",
       QT_TRANSLATE_NOOP("TDataForm", "無線種類"),
       {8, 10, 60, 16},
       {70, 8, 109, 20},
       nullptr},
      {"NameEdit",
       QT_TRANSLATE_NOOP("TDataForm", "局  名"),
       {196, 10, 44, 16},
       {242, 8, 169, 20},
       nullptr},
      {"FrequencyEdit",
       QT_TRANSLATE_NOOP("TDataForm", "周 波 数"),
       {8, 40, 60, 16},
       {70, 38, 80, 20},
       "MHz"},
      {"Frequency2Edit",
       QT_TRANSLATE_NOOP("TDataForm", "～"),
       {184, 40, 14, 16},
       {200, 38, 80, 20},
       "MHz"},
      {"StepMaskEdit", "STEP", {8, 70, 60, 16}, {70, 68, 60, 20}, "KHz"},
      {"ModeComboBox",
       QT_TRANSLATE_NOOP("TDataForm", "電波型式"),
       {166, 70, 56, 16},
       {224, 68, 64, 20},
       nullptr},
      {"ShiftMaskEdit",
       QT_TRANSLATE_NOOP("TDataForm", "親子差"),
       {300, 70, 44, 16},
       {346, 68, 64, 20},
       "MHz"},
      {"SelectComboBox",
       QT_TRANSLATE_NOOP("TDataForm", "感  度"),
       {8, 100, 60, 16},
       {70, 98, 48, 20},
       nullptr},
      {"AddressEdit",
       QT_TRANSLATE_NOOP("TDataForm", "所 在 地"),
       {136, 100, 60, 16},
       {200, 98, 108, 20},
       nullptr},
      {"EtcEdit",
       QT_TRANSLATE_NOOP("TDataForm", "備  考"),
       {8, 130, 60, 16},
       {70, 128, 169, 20},
       nullptr},
  }};
  std::array<QWidget*, kFieldCount> widgets{};
  for (int f = 0; f < kFieldCount; ++f) {
    const Place& place = kPlaces[static_cast<std::size_t>(f)];
    auto* label = new QLabel(tr(place.label), Data1_Panel);
    label->setObjectName(QString(place.name)
                             .replace("ComboBox", "Label")
                             .replace("MaskEdit", "Label")
                             .replace("Edit", "Label"));
    label->setGeometry(place.labelAt);
    label->installEventFilter(this);
    FieldLabel[static_cast<std::size_t>(f)] = label;
    QWidget* w;
    if (f == kTypeField || f == kModeField || f == kSelectField) {
      auto* combo = new QComboBox(Data1_Panel);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      // No inline completion: the field holds what was typed, as the rules see it.
      combo->setCompleter(nullptr);
      combo->setMaxVisibleItems(16);
      w = combo;
    } else {
      auto* edit = new QLineEdit(Data1_Panel);
      if (Masked(f)) edit->setInputMask(MaskOf(f));
      w = edit;
    }
    w->setObjectName(place.name);
    w->setGeometry(place.fieldAt);
    widgets[static_cast<std::size_t>(f)] = w;
    if (place.unit) {
      auto* unit = new QLabel(place.unit, Data1_Panel);
      unit->setGeometry(place.fieldAt.right() + 4, place.labelAt.top(), 30, 16);
    }
  }
  TypeComboBox = static_cast<QComboBox*>(widgets[kTypeField]);
  NameEdit = static_cast<QLineEdit*>(widgets[kNameField]);
  FrequencyEdit = static_cast<QLineEdit*>(widgets[kFrequencyField]);
  Frequency2Edit = static_cast<QLineEdit*>(widgets[kFrequency2Field]);
  StepMaskEdit = static_cast<QLineEdit*>(widgets[kStepField]);
  ModeComboBox = static_cast<QComboBox*>(widgets[kModeField]);
  ShiftMaskEdit = static_cast<QLineEdit*>(widgets[kShiftField]);
  SelectComboBox = static_cast<QComboBox*>(widgets[kSelectField]);
  AddressEdit = static_cast<QLineEdit*>(widgets[kAddressField]);
  EtcEdit = static_cast<QLineEdit*>(widgets[kEtcField]);
  SelectComboBox->addItems({"0", "1", "2", "3", "4", "5"});

  for (int f = 0; f < kFieldCount; ++f) {
    QLineEdit* edit = FieldEdit(f);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, Guarded([this, f](const QString& text) {
              const bool plain = Masked(f);
              editor.FieldEdited(f, plain ? text.toStdString() : Utf8ToCp932(text.toStdString()));
              if (f == kTypeField || f == kModeField || f == kSelectField) editor.EditOn();
            }));
  }
  for (QComboBox* combo : {TypeComboBox, ModeComboBox, SelectComboBox}) {
    const int f =
        combo == TypeComboBox ? kTypeField : (combo == ModeComboBox ? kModeField : kSelectField);
    combo->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, Guarded([this, combo, f] {
              editor.FieldEdited(f, Utf8ToCp932(combo->currentText().toStdString()));
              editor.EditOn();
            }));
  }
  // The focus moves between the fields by Enter and Tab as the rules say, not by Qt's chain.
  setTabOrder(TypeComboBox, NameEdit);
}

void TDataForm::BuildGrid() {
  Grid_Panel = new QFrame(this);
  Grid_Panel->setObjectName("Grid_Panel");
  Grid_Panel->setGeometry(kGridLeft, 210, 597, 230);
  DataStringGrid = new QTableView(Grid_Panel);
  DataStringGrid->setObjectName("DataStringGrid");
  model_ = new StationGridModel(editor, DataStringGrid);
  DataStringGrid->setModel(model_);
  DataStringGrid->setItemDelegate(new StationGridDelegate(DataStringGrid));
  DataStringGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  DataStringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  DataStringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DataStringGrid->setTabKeyNavigation(false);
  // A single station can go on the scan's skip list.
  DataStringGrid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(DataStringGrid, &QWidget::customContextMenuRequested, this,
          Guarded([this](const QPoint& at) {
            const int no = editor.MemoNo;
            const bool single = no >= 1 && no <= kStationCount && editor.Data()[no].Frequency > 0 &&
                                editor.Data()[no].Frequency2 == 0;
            QMenu menu(this);
            QAction* skip = menu.addAction(tr("スキップに追加"));
            skip->setEnabled(single && OnSkip != nullptr);
            if (menu.exec(DataStringGrid->viewport()->mapToGlobal(at)) == skip) OnSkip(no);
          }));
  DataStringGrid->setWordWrap(false);
  DataStringGrid->setCornerButtonEnabled(false);
  // The row numbers stand in a fixed column of their own: the vertical heading.
  DataStringGrid->verticalHeader()->setFixedWidth(kColumnWidth[0]);
  DataStringGrid->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignTop);
  DataStringGrid->verticalHeader()->setHighlightSections(false);
  DataStringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  DataStringGrid->verticalHeader()->setMinimumSectionSize(kRowHeight);
  DataStringGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  QHeaderView* heading = DataStringGrid->horizontalHeader();
  heading->setFixedHeight(kRowHeight + 2);
  heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  heading->setHighlightSections(false);
  heading->setSectionsClickable(true);
  heading->setMinimumSectionSize(0);
  heading->setSectionResizeMode(QHeaderView::Interactive);
  for (int c = 0; c < kColumnCount; ++c)
    heading->resizeSection(c, kColumnWidth[static_cast<std::size_t>(c)]);
  DataStringGrid->setColumnHidden(0, true);
  DataStringGrid->setColumnHidden(1, true);
  auto* corner = new QLabel(" No", DataStringGrid);
  corner->setObjectName("No_Label");
  corner->setGeometry(1, 1, kColumnWidth[0] - 1, kRowHeight);
  corner->setAttribute(Qt::WA_TransparentForMouseEvents);
  corner->raise();
  connect(heading, &QHeaderView::sectionPressed, this,
          Guarded([this](int column) { HeadingClick(column); }));
  connect(DataStringGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          Guarded([this](const QModelIndex& current, const QModelIndex&) {
            if (!syncing_ && current.isValid()) editor.DataStringGridSelectCell(current.row() + 1);
          }));
  DataStringGrid->installEventFilter(this);
  DataStringGrid->viewport()->installEventFilter(this);
  DataStringGrid->verticalHeader()->viewport()->installEventFilter(this);
}

QLineEdit* TDataForm::FieldEdit(int field) const {
  switch (field) {
    case kTypeField:
      return TypeComboBox->lineEdit();
    case kNameField:
      return NameEdit;
    case kFrequencyField:
      return FrequencyEdit;
    case kFrequency2Field:
      return Frequency2Edit;
    case kStepField:
      return StepMaskEdit;
    case kModeField:
      return ModeComboBox->lineEdit();
    case kShiftField:
      return ShiftMaskEdit;
    case kSelectField:
      return SelectComboBox->lineEdit();
    case kAddressField:
      return AddressEdit;
    default:
      return EtcEdit;
  }
}

int TDataForm::FieldOf(QObject* watched) const {
  for (int f = 0; f < kFieldCount; ++f) {
    if (watched == FieldEdit(f) || watched == FieldLabel[static_cast<std::size_t>(f)]) return f;
  }
  if (watched == TypeComboBox) return kTypeField;
  if (watched == ModeComboBox) return kModeField;
  if (watched == SelectComboBox) return kSelectField;
  return -1;
}

// StationEditorView.

void TDataForm::ShowFields() {
  for (int f = 0; f < kFieldCount; ++f) {
    const std::string& text = editor.Fields[static_cast<std::size_t>(f)];
    const QString shown =
        Masked(f) ? FitToMask(text, f) : QString::fromStdString(Cp932ToUtf8(text));
    QLineEdit* edit = FieldEdit(f);
    if (edit->text() != shown || Masked(f)) edit->setText(shown);
  }
}

void TDataForm::ShowButtons() {
  New_Button->setEnabled(editor.NewEnabled);
  Add_Button->setEnabled(editor.AddEnabled);
  Write_Button->setEnabled(editor.WriteEnabled);
  Delete_Button->setEnabled(editor.DeleteEnabled);
  UpFind_BitBtn->setEnabled(editor.FindArrowsEnabled);
  DwFind_BitBtn->setEnabled(editor.FindArrowsEnabled);
  Edit_Button->setEnabled(editor.LayoutToggleEnabled);
  for (QPushButton* b : {SingleData_Button, AllData_Button, BandData_Button})
    b->setEnabled(editor.ViewButtonsEnabled);
}

void TDataForm::ShowFind() {
  switch (editor.FindButtonCaption) {
    case StationEditor::FindCaption::Find:
      Find_Button->setText(tr("検 索 (&F)"));
      break;
    case StationEditor::FindCaption::EndFind:
      Find_Button->setText(tr("検索終了(&F)"));
      break;
    case StationEditor::FindCaption::FindAgain:
      Find_Button->setText(tr("検 索(&F)"));
      break;
  }
  Paint(AndOr_Panel, editor.FindMode ? ui::kLime : ui::kSilver);
  AndOr_Panel->setText(editor.AndOrFlag == kFindOr ? "O R" : "AND");
}

void TDataForm::ShowLayout() { SetLayout(); }

void TDataForm::ShowFindMessage(FindResult::Outcome outcome) {
  const QString text = outcome == FindResult::kNoCondition ? tr("検索条件を指定してください")
                                                           : tr("データーがみつかりません");
  QMessageBox box(QMessageBox::Information, "IC-R7100", text, QMessageBox::Ok, this);
  box.exec();
}

void TDataForm::ShowBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    sinceEvents_.start();
  } else {
    QApplication::restoreOverrideCursor();
  }
}

// Asked every few hundred records; the messages run once a screen refresh is due, so that a
// search of a full list is not slowed down by repainting the window on the way.
void TDataForm::ProcessEvents() {
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kEventsEveryMs) return;
  QCoreApplication::processEvents();
  sinceEvents_.start();
}

int TDataForm::GridTopRow() const { return std::max(1, DataStringGrid->rowAt(0) + 1); }

int TDataForm::GridRowsInSight() const {
  return std::max(1, DataStringGrid->viewport()->height() / kRowHeight);
}

void TDataForm::ShowTopRow(int row) {
  DataStringGrid->scrollTo(model_->index(row - 1, 2), QAbstractItemView::PositionAtTop);
}

void TDataForm::ShowGrid() {
  syncing_ = true;
  model_->Refresh();
  syncing_ = false;
}

void TDataForm::ShowCurrentRow() {
  const int row = editor.CurrentRow() - 1;
  if (row < 0 || row >= model_->rowCount()) return;
  syncing_ = true;
  const int column = std::max(2, DataStringGrid->currentIndex().column());
  DataStringGrid->setCurrentIndex(model_->index(row, column));
  syncing_ = false;
}

void TDataForm::ShowListItem(bool typeList, const std::string& text) {
  QComboBox* combo = typeList ? TypeComboBox : ModeComboBox;
  const QString keep = combo->currentText();
  combo->addItem(QString::fromStdString(Cp932ToUtf8(text)));
  combo->setEditText(keep);
}

void TDataForm::FocusGrid() { DataStringGrid->setFocus(); }

void TDataForm::FocusField(int field) {
  QLineEdit* edit = FieldEdit(field);
  edit->setFocus();
  edit->selectAll();
}

// Opening, layouts and size.

void TDataForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) GuardedCall([this] { FormActivate(); });
}

void TDataForm::FormActivate() {
  QApplication::setOverrideCursor(Qt::BusyCursor);
  SetLayout();
  editor.FormActivate();
  SetLayout();
  DataModeSetPrint();
  ShowFind();
  if (editor.EditMode)
    FocusField(kTypeField);
  else
    FocusGrid();
  QApplication::restoreOverrideCursor();
}

void TDataForm::SetLayout() {
  if (editor.ShownLayout() == 2)
    ListBSizeSet();
  else
    ListASizeSet();
  FormReSize();
}

void TDataForm::ListASizeSet() {
  End_Button->setText(tr("閉じる(&X)"));
  DataCan_Button->hide();
  Edit_Button->setText(tr("一 覧(&L)"));
  findChild<QShortcut*>("ToggleL")->setEnabled(false);
  findChild<QShortcut*>("ToggleE")->setEnabled(true);
  findChild<QShortcut*>("EndKey")->setEnabled(false);
  findChild<QShortcut*>("CancelKey")->setEnabled(true);
}

void TDataForm::ListBSizeSet() {
  End_Button->setText("O K");
  DataCan_Button->show();
  Edit_Button->setText(tr("編集(&E)"));
  findChild<QShortcut*>("ToggleL")->setEnabled(true);
  findChild<QShortcut*>("ToggleE")->setEnabled(false);
  findChild<QShortcut*>("EndKey")->setEnabled(true);
  findChild<QShortcut*>("CancelKey")->setEnabled(false);
}

void TDataForm::FormReSize() {
  const int w = width(), h = height();
  if (editor.ShownLayout() == 2) {
    Grid_Panel->setGeometry(kGridLeft, 40, w - 43, h - 40 - 40);
    Data1_Panel->resize(w - 43, kEditHeight);
    Grid_Panel->raise();
  } else {
    const int rest = h - 40 - kEditHeight - 50;
    Grid_Panel->setGeometry(kGridLeft, 210, w - 43, rest > 68 ? rest : 68);
  }
  DataStringGrid->setGeometry(Grid_Panel->rect());
  const int y = h - 34;
  DataUpDown1->setGeometry(kGridLeft, y, 17, 26);
  Space_Panel->setGeometry(kGridLeft + 24, y, 200, 26);
  End_Button->move(w - 43 + kGridLeft - End_Button->width(), y + 2);
  DataCan_Button->move(End_Button->x() - 6 - DataCan_Button->width(), y + 2);
}

void TDataForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormReSize();
}

void TDataForm::DataModeSetPrint() {
  const int mode = editor.DataMode;
  Paint(SingleData_Panel, mode == kBandKind ? ui::kSilver : ui::kLime);
  Paint(BandData_Panel, mode == kSingleKind ? ui::kSilver : ui::kLime);
}

void TDataForm::NewSizeBitBtnClick() {
  resize(640, 480);
  FocusGrid();
}

// Actions.

void TDataForm::End_ButtonClick() {
  editor.End();
  accept();
}

void TDataForm::DataCan_ButtonClick() {
  editor.Cancel();
  reject();
}

void TDataForm::Edit_ButtonClick() {
  editor.ToggleLayout();
  SetLayout();
  FocusGrid();
}

void TDataForm::Delete_ButtonClick() {
  TDeleteForm own(this);
  TDeleteForm* form = DeleteForm ? DeleteForm : &own;
  editor.Delete_ButtonClick([this, form] {
    const int p = editor.MemoPos;
    return form->Ask(editor.Data()[editor.ShownIndex()[p]]);
  });
}

void TDataForm::DataStringGridEnter() {
  if (editor.GridEnter()) End_ButtonClick();
}

void TDataForm::HeadingClick(int column) {
  if (!editor.DataStringGridMouseDown()) return;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  const int top = DataStringGrid->verticalScrollBar()->value();
  if (editor.SortByColumn(column)) DataStringGrid->verticalScrollBar()->setValue(top);
  QApplication::restoreOverrideCursor();
}

void TDataForm::EnterField(int field) {
  FocusField(field);
  editor.EditOn();
}

// Keys and mouse.

void TDataForm::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape belong to the grid and the fields; the window itself takes neither.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TDataForm::mouseDoubleClickEvent(QMouseEvent* event) {
  GuardedCall([this] { NewSizeBitBtnClick(); });
  event->accept();
}

bool TDataForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  bool handled = false;
  GuardedCall([&] {
    if (type == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
      if (watched == DataStringGrid && enter) {
        DataStringGridEnter();
        handled = true;
        return;
      }
      if ((watched == SingleData_Button || watched == AllData_Button ||
           watched == BandData_Button) &&
          enter) {
        DataStringGridEnter();
        handled = true;
        return;
      }
      const int f = FieldOf(watched);
      if (f < 0) return;
      if ((enter || key->key() == Qt::Key_Tab) && plain) {
        editor.FieldEnter(f, !enter);
        handled = true;
      } else if (key->key() == Qt::Key_Escape) {
        editor.FieldEscape(f);
        handled = true;
      }
    } else if (type == QEvent::MouseButtonDblClick && watched == DataStringGrid->viewport()) {
      if (editor.ShownCount() > 0) {
        DataStringGridEnter();
        handled = true;
      }
    } else if (type == QEvent::MouseButtonPress &&
               (watched == DataStringGrid->viewport() ||
                watched == DataStringGrid->verticalHeader()->viewport())) {
      // Not taken: the grid still selects the row pressed.
      editor.DataStringGridMouseDown();
    } else if (type == QEvent::MouseButtonRelease) {
      const int f = FieldOf(watched);
      if (f >= 0 && watched == FieldEdit(f) && watched != TypeComboBox->lineEdit() &&
          watched != ModeComboBox->lineEdit() && watched != SelectComboBox->lineEdit())
        EnterField(f);
    } else if (type == QEvent::MouseButtonPress) {
      const int f = FieldOf(watched);
      if (f >= 0 && watched == FieldLabel[static_cast<std::size_t>(f)]) {
        EnterField(f);
        handled = true;
      }
    } else if (type == QEvent::MouseButtonDblClick && watched == Data1_Panel) {
      NewSizeBitBtnClick();
      handled = true;
    }
  });
  return handled || QDialog::eventFilter(watched, event);
}
