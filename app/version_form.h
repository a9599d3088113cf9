// The version window, which also serves as the start-up splash with a progress bar.
#pragma once

#include <QCoreApplication>
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class TVersionForm : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(TVersionForm)

 public:
  explicit TVersionForm(QWidget* parent = nullptr);

  QLabel* Label1;
  QLabel* Label5;
  QLabel* Label2;
  QProgressBar* Start_ProgressBar;
  QPushButton* Ok_Button;

  // As the splash: shown without waiting, with the progress bar and without "O K".
  void ShowAsSplash();
  // As the version window: "O K" shown, no progress bar, modal.
  void ShowAsVersion();
  void SetProgress(int position);
};
