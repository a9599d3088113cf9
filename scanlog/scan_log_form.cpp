#include "scanlog/scan_log_form.h"

#include <QDateEdit>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
// Playing the recordings back.
#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QUrl>

#include "scan/skip_list.h"
#include "scanlog/scan_activity_form.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

// A day's file is small; anything past this is not a log of ours.
constexpr qint64 kMaxFileBytes = 32 << 20;

QString MhzText(std::int32_t hz) {
  return QString("%1.%2").arg(hz / 1'000'000).arg(hz % 1'000'000, 6, 10, QChar('0'));
}

}  // namespace

TScanLogForm::TScanLogForm(QWidget* parent, const ScanLog& log, Tune tune)
    : QDialog(parent), log_(log), tune_(std::move(tune)) {
  setObjectName("TScanLogForm");
  setWindowTitle(tr("スキャン記録"));
  setFont(ui::ProportionalFont(12));
  resize(660, 420);

  auto* dayLabel = new QLabel(tr("日付(&D):"), this);
  Day_DateEdit = new QDateEdit(this);
  Day_DateEdit->setObjectName("Day_DateEdit");
  Day_DateEdit->setCalendarPopup(true);
  Day_DateEdit->setDisplayFormat("yyyy-MM-dd");
  dayLabel->setBuddy(Day_DateEdit);
  Today_Button = new QPushButton(tr("今日(&N)"), this);
  Today_Button->setObjectName("Today_Button");
  Status_Label = new QLabel(this);
  Status_Label->setObjectName("Status_Label");

  Log_List = new QTreeWidget(this);
  Log_List->setObjectName("Log_List");
  Log_List->setRootIsDecorated(false);
  Log_List->setUniformRowHeights(true);
  Log_List->setAllColumnsShowFocus(true);
  Log_List->setHeaderLabels(
      {tr("時刻"), tr("周波数 (MHz)"), tr("バンド"), tr("局名"), tr("モード"), tr("レベル")});
  Log_List->header()->setStretchLastSection(true);
  Log_List->setColumnWidth(0, 140);
  Log_List->setColumnWidth(1, 100);
  Log_List->setColumnWidth(2, 130);
  Log_List->setColumnWidth(3, 130);
  Log_List->setColumnWidth(4, 50);
  Log_List->setColumnWidth(5, 50);

  Tune_Button = new QPushButton(tr("同調(&T)"), this);
  Tune_Button->setObjectName("Tune_Button");
  Close_Button = new QPushButton(tr("閉じる(&C)"), this);
  Close_Button->setObjectName("Close_Button");
  // Enter belongs to the list: it tunes to the line, not to a default button.
  Tune_Button->setAutoDefault(false);
  Close_Button->setAutoDefault(false);
  Today_Button->setAutoDefault(false);

  // Skips, stations and the activity view.
  Skip_Button = new QPushButton(tr("スキップに追加(&K)"), this);
  Skip_Button->setObjectName("Skip_Button");
  Station_Button = new QPushButton(tr("局リストに追加(&A)"), this);
  Station_Button->setObjectName("Station_Button");
  Activity_Button = new QPushButton(tr("集計(&G)..."), this);
  Activity_Button->setObjectName("Activity_Button");
  SkipList_Button = new QPushButton(tr("スキップ一覧(&L)..."), this);
  SkipList_Button->setObjectName("SkipList_Button");
  for (QPushButton* b : {Skip_Button, Station_Button, Activity_Button, SkipList_Button})
    b->setAutoDefault(false);
  connect(Skip_Button, &QPushButton::clicked, this, Guarded([this] { SkipCurrent(); }));
  connect(Station_Button, &QPushButton::clicked, this, Guarded([this] { StationFromCurrent(); }));
  connect(Activity_Button, &QPushButton::clicked, this, Guarded([this] { OpenActivity(); }));
  connect(SkipList_Button, &QPushButton::clicked, this, Guarded([this] { OpenSkipList(); }));

  auto* top = new QHBoxLayout;
  top->addWidget(dayLabel);
  top->addWidget(Day_DateEdit);
  top->addWidget(Today_Button);
  top->addWidget(Status_Label, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Skip_Button);
  bottom->addWidget(Station_Button);
  bottom->addWidget(Activity_Button);
  bottom->addWidget(SkipList_Button);
  bottom->addStretch(1);
  bottom->addWidget(Tune_Button);
  bottom->addWidget(Close_Button);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Log_List, 1);
  BuildPlayer(layout);
  layout->addLayout(bottom);

  connect(Day_DateEdit, &QDateEdit::dateChanged, this,
          Guarded([this](const QDate& d) { ShowDay(d); }));
  connect(Today_Button, &QPushButton::clicked, this, Guarded([this] {
            Day_DateEdit->setDate(
                QDate::fromString(QString::fromStdString(log_.Today()), "yyyy-MM-dd"));
          }));
  // Activation is a double click or Enter on a line.
  connect(Log_List, &QTreeWidget::itemActivated, this,
          Guarded([this](QTreeWidgetItem* item, int) { TuneTo(item); }));
  connect(Tune_Button, &QPushButton::clicked, this,
          Guarded([this] { TuneTo(Log_List->currentItem()); }));
  connect(Close_Button, &QPushButton::clicked, this, &QDialog::hide);

  // Past midnight a window left on today moves on to the new day.
  auto* dayTimer = new QTimer(this);
  dayTimer->setInterval(30'000);
  connect(dayTimer, &QTimer::timeout, this, Guarded([this] {
            if (isVisible()) FollowToday();
          }));
  dayTimer->start();
}

namespace {

QDate Today(const ScanLog& log) {
  return QDate::fromString(QString::fromStdString(log.Today()), "yyyy-MM-dd");
}

}  // namespace

void TScanLogForm::ShowDay(const QDate& day) {
  day_ = day;
  following_ = day == Today(log_);
  if (Day_DateEdit->date() != day) {
    // setDate comes back here through dateChanged.
    Day_DateEdit->setDate(day);
    return;
  }
  Log_List->clear();
  QFile file(QString::fromStdString(log_.PathFor(day.toString("yyyy-MM-dd").toStdString())));
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.read(kMaxFileBytes);
    // Newest first: the file is in the order the stops ended.
    for (const ScanLogEntry& e : ReadScanLog(std::string_view(bytes.constData(), bytes.size())))
      AddItem(e, true);
  }
  if (Log_List->topLevelItemCount() > 0) Log_List->setCurrentItem(Log_List->topLevelItem(0));
  UpdateStatus();
}

void TScanLogForm::LineAdded(const std::string& day, const ScanLogEntry& entry) {
  const QDate lineDay = QDate::fromString(QString::fromStdString(day), "yyyy-MM-dd");
  if (following_ && lineDay.isValid() && lineDay > day_) {
    ShowDay(lineDay);  // read from the file, the new line included
    return;
  }
  if (!day_.isValid() || day_.toString("yyyy-MM-dd").toStdString() != day) return;
  AddItem(entry, true);
  if (!Log_List->currentItem()) Log_List->setCurrentItem(Log_List->topLevelItem(0));
  UpdateStatus();
}

void TScanLogForm::FollowToday() {
  const QDate today = Today(log_);
  if (following_ && today.isValid() && today != day_) ShowDay(today);
}

void TScanLogForm::AddItem(const ScanLogEntry& e, bool onTop) {
  auto* item = new QTreeWidgetItem(
      {QString::fromStdString(e.time), MhzText(e.frequency), QString::fromStdString(e.band),
       QString::fromStdString(e.station), QString::fromStdString(e.mode),
       e.level >= 0 ? QString::number(e.level) : QString()});
  item->setData(0, Qt::UserRole, e.frequency);
  item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  item->setTextAlignment(5, Qt::AlignRight | Qt::AlignVCenter);
  MarkRecording(item);
  if (onTop)
    Log_List->insertTopLevelItem(0, item);
  else
    Log_List->addTopLevelItem(item);
}

void TScanLogForm::TuneTo(QTreeWidgetItem* item) {
  if (!item || !tune_) return;
  tune_(item->data(0, Qt::UserRole).toInt());
}

void TScanLogForm::UpdateStatus() {
  const int n = Log_List->topLevelItemCount();
  Status_Label->setText(n == 0 ? tr("記録はありません") : tr("%1 件").arg(n));
  Tune_Button->setEnabled(n > 0);
  SetActions(actions_);
}

void TScanLogForm::SetActions(Actions actions) {
  actions_ = std::move(actions);
  const bool lines = Log_List->topLevelItemCount() > 0;
  Skip_Button->setEnabled(lines && actions_.skips);
  Station_Button->setEnabled(lines && actions_.addStation != nullptr);
  SkipList_Button->setEnabled(actions_.skips != nullptr);
}

bool TScanLogForm::CurrentEntry(ScanLogEntry& e) const {
  const QTreeWidgetItem* item = Log_List->currentItem();
  if (!item) return false;
  e.time = item->text(0).toStdString();
  e.frequency = item->data(0, Qt::UserRole).toInt();
  e.band = item->text(2).toStdString();
  e.station = item->text(3).toStdString();
  e.mode = item->text(4).toStdString();
  return true;
}

void TScanLogForm::SkipCurrent() {
  ScanLogEntry e;
  if (!actions_.skips || !CurrentEntry(e)) return;
  SkipEntry skip;
  skip.frequency = e.frequency;
  skip.mode = SkipModeNumber(e.mode);
  skip.name = e.station;
  skip.added = log_.Today();
  const SkipList::Change change = actions_.skips->Add(skip);
  if (!change.error.empty() && actions_.skipSaveFailed) actions_.skipSaveFailed(change.error);
}

void TScanLogForm::StationFromCurrent() {
  ScanLogEntry e;
  if (actions_.addStation && CurrentEntry(e)) actions_.addStation(e);
}

void TScanLogForm::OpenActivity() {
  TScanActivityForm form(this, log_, day_.isValid() ? day_ : Today(log_), tune_);
  form.exec();
}

void TScanLogForm::OpenSkipList() {
  if (!actions_.skips) return;
  TSkipListForm form(this, *actions_.skips);
  form.exec();
}

void ScanLogUi::Open() {
  if (!form_) {
    form_ = new TScanLogForm(owner_, log_, tune_);
    form_->SetActions(actions_);
    if (OnFormMade) OnFormMade(form_);
    form_->SetRecordings(recordingOf_, deleteRecording_);
  }
  form_->ShowDay(QDate::fromString(QString::fromStdString(log_.Today()), "yyyy-MM-dd"));
  form_->show();
  form_->raise();
  form_->activateWindow();
  form_->Log_List->setFocus();
}

void ScanLogUi::ShowLogLine(const std::string& day, const ScanLogEntry& entry) {
  if (form_) form_->LineAdded(day, entry);
}

void ScanLogUi::ShowLogWriteFailed(const std::string& message) {
  // Not modal: a box that waited here would hold up the replies the scan runs on.
  auto* box = new QMessageBox(QMessageBox::Warning, owner_ ? owner_->windowTitle() : QString(),
                              QString::fromStdString(message), QMessageBox::Ok, owner_);
  box->setObjectName("ScanLogFailed_Box");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}

// Recordings.

namespace {

constexpr int kRecordingRole = Qt::UserRole + 1;

QString Minutes(qint64 ms) {
  return QString("%1:%2").arg(ms / 60000).arg(ms / 1000 % 60, 2, 10, QChar('0'));
}

}  // namespace

void TScanLogForm::BuildPlayer(QVBoxLayout* layout) {
  Play_Button = new QPushButton(QCoreApplication::translate("TScanLogForm", "再生(&P)"), this);
  Play_Button->setObjectName("Play_Button");
  Position_Slider = new QSlider(Qt::Horizontal, this);
  Position_Slider->setObjectName("Position_Slider");
  Position_Label = new QLabel(Minutes(0) + " / " + Minutes(0), this);
  Position_Label->setObjectName("Position_Label");
  Folder_Button =
      new QPushButton(QCoreApplication::translate("TScanLogForm", "フォルダーを開く(&F)"), this);
  Folder_Button->setObjectName("Folder_Button");
  DeleteRec_Button =
      new QPushButton(QCoreApplication::translate("TScanLogForm", "録音を削除(&E)"), this);
  DeleteRec_Button->setObjectName("DeleteRec_Button");
  for (QPushButton* b : {Play_Button, Folder_Button, DeleteRec_Button}) b->setAutoDefault(false);
  auto* row = new QHBoxLayout;
  row->addWidget(Play_Button);
  row->addWidget(Position_Slider, 1);
  row->addWidget(Position_Label);
  row->addWidget(Folder_Button);
  row->addWidget(DeleteRec_Button);
  layout->addLayout(row);

  connect(Play_Button, &QPushButton::clicked, this, Guarded([this] { Play(); }));
  connect(Folder_Button, &QPushButton::clicked, this, Guarded([this] {
            const std::string path = RecordingAt(Log_List->currentItem());
            if (!path.empty())
              QDesktopServices::openUrl(
                  QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).path()));
          }));
  connect(DeleteRec_Button, &QPushButton::clicked, this,
          Guarded([this] { DeleteCurrentRecording(); }));
  connect(Position_Slider, &QSlider::sliderMoved, this, Guarded([this](int ms) {
            if (player_) player_->setPosition(ms);
          }));
  connect(Log_List, &QTreeWidget::currentItemChanged, this, Guarded([this] { UpdatePlayer(); }));
  UpdatePlayer();
}

void TScanLogForm::SetRecordings(RecordingOf of, DeleteRecording remove) {
  recordingOf_ = std::move(of);
  deleteRecording_ = std::move(remove);
  RecordingsChanged();
}

void TScanLogForm::MarkRecording(QTreeWidgetItem* item) {
  ScanLogEntry e;
  e.time = item->text(0).toStdString();
  e.frequency = item->data(0, Qt::UserRole).toInt();
  const std::string path = recordingOf_ ? recordingOf_(e) : std::string();
  item->setData(0, kRecordingRole, QString::fromStdString(path));
  item->setIcon(0, path.empty() ? QIcon() : style()->standardIcon(QStyle::SP_MediaPlay));
}

void TScanLogForm::RecordingsChanged() {
  for (int i = 0; i < Log_List->topLevelItemCount(); ++i) MarkRecording(Log_List->topLevelItem(i));
  UpdatePlayer();
}

std::string TScanLogForm::RecordingAt(QTreeWidgetItem* item) const {
  return item ? item->data(0, kRecordingRole).toString().toStdString() : std::string();
}

void TScanLogForm::UpdatePlayer() {
  const bool has = !RecordingAt(Log_List->currentItem()).empty();
  const bool playing = player_ && player_->playbackState() == QMediaPlayer::PlayingState;
  Play_Button->setEnabled(has || playing);
  Folder_Button->setEnabled(has);
  DeleteRec_Button->setEnabled(has);
  Play_Button->setText(playing ? QCoreApplication::translate("TScanLogForm", "一時停止(&P)")
                               : QCoreApplication::translate("TScanLogForm", "再生(&P)"));
}

void TScanLogForm::Play() {
  if (player_ && player_->playbackState() == QMediaPlayer::PlayingState) {
    player_->pause();
    return;
  }
  const std::string path = RecordingAt(Log_List->currentItem());
  if (path.empty()) return;
  // Without a sound output (a machine with no sound card) there is nothing to play on.
  if (QMediaDevices::audioOutputs().isEmpty()) {
    Status_Label->setText(QCoreApplication::translate("TScanLogForm", "音声の出力がありません"));
    return;
  }
  if (!player_) {
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::durationChanged, this,
            [this](qint64 ms) { Position_Slider->setRange(0, static_cast<int>(ms)); });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
      if (!Position_Slider->isSliderDown()) {
        const QSignalBlocker quiet(Position_Slider);
        Position_Slider->setValue(static_cast<int>(ms));
      }
      Position_Label->setText(Minutes(ms) + " / " + Minutes(player_->duration()));
    });
    connect(player_, &QMediaPlayer::playbackStateChanged, this,
            Guarded([this] { UpdatePlayer(); }));
  }
  if (playing_ != path) {
    player_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    playing_ = path;
  }
  player_->play();
}

void TScanLogForm::DeleteCurrentRecording() {
  const std::string path = RecordingAt(Log_List->currentItem());
  if (path.empty() || !deleteRecording_) return;
  QMessageBox ask(QMessageBox::Question, windowTitle(),
                  QCoreApplication::translate("TScanLogForm", "この録音を削除しますか？\n%1")
                      .arg(QString::fromStdString(path)),
                  QMessageBox::Yes | QMessageBox::No, this);
  ask.setObjectName("DeleteRecording_Box");
  ask.setDefaultButton(QMessageBox::No);
  if (ask.exec() != QMessageBox::Yes) return;
  if (player_ && playing_ == path) {
    player_->stop();
    player_->setSource(QUrl());
    playing_.clear();
  }
  deleteRecording_(path);
  RecordingsChanged();
}

void ScanLogUi::SetRecordings(TScanLogForm::RecordingOf of, TScanLogForm::DeleteRecording remove) {
  recordingOf_ = std::move(of);
  deleteRecording_ = std::move(remove);
  if (form_) form_->SetRecordings(recordingOf_, deleteRecording_);
}
