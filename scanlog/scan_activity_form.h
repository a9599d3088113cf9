// Two windows the scan log's window opens: the activity of each frequency over a day or a
// week of the log, and the skip list with its removal.
#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QDialog>
#include <cstdint>
#include <functional>

#include "scanlog/scan_log.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class SkipList;

class TScanActivityForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TScanActivityForm)

 public:
  using Tune = std::function<void(std::int32_t frequency)>;
  TScanActivityForm(QWidget* parent, const ScanLog& log, QDate day, Tune tune);
  // Reads the day's file, or the week's up to the day.
  void Fill();

  QRadioButton* Day_Radio;
  QRadioButton* Week_Radio;
  QTreeWidget* Activity_List;
  QPushButton* Close_Button;

 private:
  const ScanLog& log_;
  QDate day_;
  Tune tune_;
};

class TSkipListForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TSkipListForm)

 public:
  TSkipListForm(QWidget* parent, SkipList& skips);
  void Fill();
  void RemoveSelected();

  QTreeWidget* Skip_List;
  QPushButton* Remove_Button;
  QPushButton* Close_Button;

 private:
  SkipList& skips_;
};
