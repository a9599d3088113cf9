// The scan log's window: one day's stops, newest first; a double click or Enter on a line
// tunes there. Also the message told when the log cannot be written.
#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "scanlog/scan_log.h"

class QDateEdit;
class QLabel;
class QPushButton;
class QSlider;
class QMediaPlayer;
class QAudioOutput;
class QTreeWidget;
class QTreeWidgetItem;
class SkipList;

class TScanLogForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TScanLogForm)

 public:
  using Tune = std::function<void(std::int32_t frequency)>;
  TScanLogForm(QWidget* parent, const ScanLog& log, Tune tune);

  // Lists the file of `day`, newest line first.
  void ShowDay(const QDate& day);
  QDate Day() const { return day_; }
  // A line just written: put on top when its day is the one shown. A window showing today
  // moves on to the line's day when that is a later one.
  void LineAdded(const std::string& day, const ScanLogEntry& entry);
  // A window showing today moves on to the new day after midnight (run by a timer).
  void FollowToday();
  bool Following() const { return following_; }

  QDateEdit* Day_DateEdit;
  QPushButton* Today_Button;
  QTreeWidget* Log_List;
  QLabel* Status_Label;
  QPushButton* Tune_Button;
  QPushButton* Close_Button;

  // Skips and stations from the log's lines, the skip list and the activity of the days.
  struct Actions {
    SkipList* skips = nullptr;
    std::function<void(const ScanLogEntry& entry)> addStation;
    std::function<void(const std::string& error)> skipSaveFailed;
  };
  void SetActions(Actions actions);
  QPushButton* Skip_Button;
  QPushButton* Station_Button;
  QPushButton* Activity_Button;
  QPushButton* SkipList_Button;
  // The line under the cursor as it was read; false when there is none.
  bool CurrentEntry(ScanLogEntry& entry) const;
  void SkipCurrent();
  void StationFromCurrent();
  void OpenActivity();
  void OpenSkipList();
  // Recordings: a play mark on the lines that have one; played here with a position bar,
  // their folder opened, deleted on request. The recorder's owner tells where they are.
  using RecordingOf = std::function<std::string(const ScanLogEntry& entry)>;
  using DeleteRecording = std::function<bool(const std::string& path)>;
  void SetRecordings(RecordingOf of, DeleteRecording remove);
  // A recording was written or deleted: the marks are read again.
  void RecordingsChanged();
  // The recording of a line, "" for none.
  std::string RecordingAt(QTreeWidgetItem* item) const;
  QPushButton* Play_Button;
  QSlider* Position_Slider;
  QLabel* Position_Label;
  QPushButton* Folder_Button;
  QPushButton* DeleteRec_Button;

 private:
  void BuildPlayer(class QVBoxLayout* layout);
  void MarkRecording(QTreeWidgetItem* item);
  void Play();
  void DeleteCurrentRecording();
  void UpdatePlayer();
  RecordingOf recordingOf_;
  DeleteRecording deleteRecording_;
  QMediaPlayer* player_ = nullptr;  // made when first asked to play
  QAudioOutput* output_ = nullptr;
  std::string playing_;

  void AddItem(const ScanLogEntry& entry, bool onTop);
  void TuneTo(QTreeWidgetItem* item);
  void UpdateStatus();

  const ScanLog& log_;
  Tune tune_;
  QDate day_;
  bool following_ = false;  // the day shown was today when it was chosen
  Actions actions_;
};

// The main window's side of the log: the list window, made when first asked for, and the
// message box for a failed write, which does not wait so the scan goes on behind it.
class ScanLogUi : public ScanLogView {
 public:
  ScanLogUi(QWidget* owner, const ScanLog& log, TScanLogForm::Tune tune)
      : owner_(owner), log_(log), tune_(std::move(tune)) {}
  // Shows the window on today's log.
  void Open();
  TScanLogForm* Form() const { return form_; }
  void SetActions(TScanLogForm::Actions actions) { actions_ = std::move(actions); }
  // Runs once, on the window just made and not yet shown (the main window puts it back
  // where it stood last time).
  std::function<void(QWidget* form)> OnFormMade;

  void ShowLogLine(const std::string& day, const ScanLogEntry& entry) override;
  void ShowLogWriteFailed(const std::string& message) override;

  // The recordings, for the window (made now or later).
  void SetRecordings(TScanLogForm::RecordingOf of, TScanLogForm::DeleteRecording remove);
  void RecordingsChanged() {
    if (form_) form_->RecordingsChanged();
  }

 private:
  TScanLogForm::RecordingOf recordingOf_;
  TScanLogForm::DeleteRecording deleteRecording_;
  QWidget* owner_;
  const ScanLog& log_;
  TScanLogForm::Tune tune_;
  TScanLogForm* form_ = nullptr;
  TScanLogForm::Actions actions_;
};
