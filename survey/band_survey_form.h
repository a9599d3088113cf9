// The band survey's window: the range, the dwell, start and stop with the time left, the
// pictures, and the exports. It only shows the survey and forwards the keys to it.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "survey/band_survey.h"
#include "survey/waterfall_widget.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;

class TBandSurveyForm : public QWidget {
  Q_OBJECT

 public:
  using Tune = std::function<void(std::int32_t frequency)>;
  TBandSurveyForm(QWidget* parent, BandSurvey& survey, Tune tune);

  // The range fields show the survey's range (or the scope's window at first use).
  void ShowRange();
  // Takes the fields' range and starts; a range refused is told and nothing starts.
  void Start_ButtonClick();
  void Band_ButtonClick();
  bool SavePng(const QString& path);
  bool SaveCsv(const QString& path);

  // SurveyView's share, through BandSurveyUi.
  void PointRead();
  void RowAdded();
  void Cleared();
  void Running(bool running);

  QLineEdit* Start_Edit;
  QLineEdit* End_Edit;
  QLineEdit* Step_Edit;
  QSpinBox* Dwell_SpinBox;
  QPushButton* Band_Button;
  QCheckBox* Repeat_CheckBox;
  QPushButton* Start_Button;
  QPushButton* Stop_Button;
  QProgressBar* Progress_Bar;
  QCheckBox* Bars_CheckBox;
  QCheckBox* Peak_CheckBox;
  QCheckBox* Min_CheckBox;
  QPushButton* Reset_Button;
  QPushButton* Png_Button;
  QPushButton* Csv_Button;
  QLabel* Status_Label;
  QSplitter* Plot_Splitter;
  SurveySpectrumWidget* Spectrum;
  WaterfallWidget* Waterfall;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool ApplyRange();
  void UpdateProgress();
  void RememberSplitter();

  BandSurvey& survey_;
  Tune tune_;
  SurveyPointer pointer_;
};

// The main window's side of the survey: the window, made when first asked for.
class BandSurveyUi : public SurveyView {
 public:
  BandSurveyUi(QWidget* owner, BandSurvey& survey, TBandSurveyForm::Tune tune)
      : owner_(owner), survey_(survey), tune_(std::move(tune)) {}
  void Open();
  TBandSurveyForm* Form() const { return form_; }

  void ShowPoint(int index, int level) override;
  void ShowRowAdded() override;
  void ShowCleared() override;
  void ShowRunning(bool running) override;
  void ShowWriteFailed(const std::string& message) override;

 private:
  QWidget* owner_;
  BandSurvey& survey_;
  TBandSurveyForm::Tune tune_;
  TBandSurveyForm* form_ = nullptr;
};
