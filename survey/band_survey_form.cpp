#include "survey/band_survey_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <cmath>

#include "base/file_save.h"
#include "ui/guard_qt.h"
#include "ui/ui_style_qt.h"

namespace {

// "144.5" MHz or kHz as whole hertz; -1 when it is no number.
std::int64_t Hertz(const QString& text, double unit) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || value < 0 || value * unit > 4e9) return -1;
  return std::llround(value * unit);
}

QString Decimal(std::int64_t hz, double unit) {
  QString text = QString::number(static_cast<double>(hz) / unit, 'f', 6);
  while (text.endsWith('0')) text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text;
}

}  // namespace

TBandSurveyForm::TBandSurveyForm(QWidget* parent, BandSurvey& survey, Tune tune)
    : QWidget(parent, Qt::Window), survey_(survey), tune_(std::move(tune)) {
  setObjectName("BandSurveyForm");
  setWindowTitle(tr("バンド調査"));

  auto* controls = new QGridLayout;
  auto label = [&](const QString& text, QWidget* buddy, int row, int column) {
    auto* l = new QLabel(text, this);
    l->setBuddy(buddy);
    controls->addWidget(l, row, column);
    controls->addWidget(buddy, row, column + 1);
  };
  Start_Edit = new QLineEdit(this);
  End_Edit = new QLineEdit(this);
  Step_Edit = new QLineEdit(this);
  Dwell_SpinBox = new QSpinBox(this);
  Dwell_SpinBox->setRange(BandSurvey::kMinDwell, BandSurvey::kMaxDwell);
  Dwell_SpinBox->setSuffix(" ms");
  Dwell_SpinBox->setValue(survey_.Dwell);
  label(tr("下端 MHz(&L)"), Start_Edit, 0, 0);
  label(tr("上端 MHz(&U)"), End_Edit, 0, 2);
  label(tr("ステップ kHz(&K)"), Step_Edit, 0, 4);
  label(tr("滞在(&D)"), Dwell_SpinBox, 0, 6);
  Band_Button = new QPushButton(tr("現在のバンド(&N)"), this);
  controls->addWidget(Band_Button, 0, 8);

  Repeat_CheckBox = new QCheckBox(tr("繰り返し(&R)"), this);
  Repeat_CheckBox->setChecked(survey_.Repeat);
  Start_Button = new QPushButton(tr("開始(&S)"), this);
  Stop_Button = new QPushButton(tr("停止(&T)"), this);
  Stop_Button->setEnabled(false);
  Progress_Bar = new QProgressBar(this);
  Progress_Bar->setTextVisible(true);
  Progress_Bar->setFormat(QString());
  auto* run = new QHBoxLayout;
  run->addWidget(Repeat_CheckBox);
  run->addWidget(Start_Button);
  run->addWidget(Stop_Button);
  run->addWidget(Progress_Bar, 1);

  Bars_CheckBox = new QCheckBox(tr("棒グラフ(&G)"), this);
  Bars_CheckBox->setChecked(survey_.Bars);
  Peak_CheckBox = new QCheckBox(tr("ピーク保持(&P)"), this);
  Peak_CheckBox->setChecked(survey_.PeakHold);
  Min_CheckBox = new QCheckBox(tr("最小保持(&M)"), this);
  Min_CheckBox->setChecked(survey_.MinHold);
  Reset_Button = new QPushButton(tr("保持リセット(&C)"), this);
  Png_Button = new QPushButton(tr("PNG 保存(&I)..."), this);
  Csv_Button = new QPushButton(tr("CSV 書き出し(&E)..."), this);
  auto* view = new QHBoxLayout;
  for (QWidget* w :
       std::initializer_list<QWidget*>{Bars_CheckBox, Peak_CheckBox, Min_CheckBox, Reset_Button})
    view->addWidget(w);
  view->addStretch(1);
  view->addWidget(Png_Button);
  view->addWidget(Csv_Button);

  Plot_Splitter = new QSplitter(Qt::Vertical, this);
  Plot_Splitter->setObjectName("Plot_Splitter");
  Spectrum = new SurveySpectrumWidget(Plot_Splitter, survey_, pointer_);
  Spectrum->setObjectName("Spectrum");
  Spectrum->setMinimumHeight(120);
  Waterfall = new WaterfallWidget(Plot_Splitter, survey_, pointer_);
  Waterfall->setObjectName("Waterfall");
  Waterfall->setMinimumHeight(60);
  Plot_Splitter->addWidget(Spectrum);
  Plot_Splitter->addWidget(Waterfall);
  Plot_Splitter->setChildrenCollapsible(false);
  if (survey_.SpectrumHeight > 0 && survey_.WaterfallHeight > 0)
    Plot_Splitter->setSizes({survey_.SpectrumHeight, survey_.WaterfallHeight});
  else
    Plot_Splitter->setSizes({220, 260});

  Status_Label = new QLabel(this);
  Status_Label->setObjectName("Status_Label");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(run);
  layout->addLayout(view);
  layout->addWidget(Plot_Splitter, 1);
  layout->addWidget(Status_Label);
  resize(survey_.WindowWidth > 0 ? survey_.WindowWidth : 860,
         survey_.WindowHeight > 0 ? survey_.WindowHeight : 600);

  pointer_.hover = [this](std::int32_t f, int level) {
    const QString mhz = QString::number(f / 1e6, 'f', 6);
    Status_Label->setText(level < 0 ? tr("%1 MHz").arg(mhz)
                                    : tr("%1 MHz  レベル %2").arg(mhz).arg(level));
  };
  pointer_.leave = [this] { Status_Label->clear(); };
  pointer_.click = [this](std::int32_t f) { GuardedCall([&] { tune_(f); }); };

  connect(Start_Button, &QPushButton::clicked, this, Guarded([this] { Start_ButtonClick(); }));
  connect(Stop_Button, &QPushButton::clicked, this, Guarded([this] { survey_.Stop(); }));
  connect(Band_Button, &QPushButton::clicked, this, Guarded([this] { Band_ButtonClick(); }));
  connect(Repeat_CheckBox, &QCheckBox::toggled, this, [this](bool on) { survey_.Repeat = on; });
  connect(Dwell_SpinBox, &QSpinBox::valueChanged, this, [this](int ms) {
    survey_.SetDwell(ms);
    UpdateProgress();
  });
  connect(Bars_CheckBox, &QCheckBox::toggled, this, [this](bool on) {
    survey_.Bars = on;
    Spectrum->update();
  });
  connect(Peak_CheckBox, &QCheckBox::toggled, this, [this](bool on) {
    survey_.PeakHold = on;
    Spectrum->update();
  });
  connect(Min_CheckBox, &QCheckBox::toggled, this, [this](bool on) {
    survey_.MinHold = on;
    Spectrum->update();
  });
  connect(Reset_Button, &QPushButton::clicked, this, [this] {
    survey_.ResetHolds();
    Spectrum->update();
  });
  connect(Png_Button, &QPushButton::clicked, this, Guarded([this] {
            const QString path = QFileDialog::getSaveFileName(this, tr("PNG 保存"), "survey.png",
                                                              tr("PNG 画像 (*.png)"));
            if (!path.isEmpty() && !SavePng(path))
              QMessageBox::warning(this, ui::kProgramTitle, tr("画像を保存できません。"));
          }));
  connect(Csv_Button, &QPushButton::clicked, this, Guarded([this] {
            const QString path = QFileDialog::getSaveFileName(
                this, tr("CSV 書き出し"), "survey.csv", tr("CSV ファイル (*.csv)"));
            if (!path.isEmpty() && !SaveCsv(path))
              QMessageBox::warning(this, ui::kProgramTitle, tr("CSV を書き出せません。"));
          }));
  connect(Plot_Splitter, &QSplitter::splitterMoved, this, [this] { RememberSplitter(); });
  ShowRange();
}

void TBandSurveyForm::ShowRange() {
  const SurveyRange r = survey_.Proposed();
  Start_Edit->setText(Decimal(r.start, 1e6));
  End_Edit->setText(Decimal(r.end, 1e6));
  Step_Edit->setText(Decimal(r.step, 1e3));
  if (survey_.RangeKnown) Spectrum->SetMarks(survey_.Marks());
}

bool TBandSurveyForm::ApplyRange() {
  const RangeCheck check = survey_.SetRange(
      Hertz(Start_Edit->text(), 1e6), Hertz(End_Edit->text(), 1e6), Hertz(Step_Edit->text(), 1e3));
  if (check != RangeCheck::Ok) {
    QMessageBox::warning(this, ui::kProgramTitle, QString::fromStdString(RangeCheckText(check)));
    return false;
  }
  ShowRange();  // the end as it lies on the step's grid
  return true;
}

void TBandSurveyForm::Start_ButtonClick() {
  if (survey_.Running() || !ApplyRange()) return;
  survey_.SetDwell(Dwell_SpinBox->value());
  if (!survey_.Start())
    QMessageBox::warning(this, ui::kProgramTitle, tr("受信機につながっていません。"));
}

void TBandSurveyForm::Band_ButtonClick() {
  SurveyRange band;
  const RangeCheck check = survey_.CurrentBand(band);
  if (check != RangeCheck::Ok) {
    QMessageBox::warning(this, ui::kProgramTitle, QString::fromStdString(RangeCheckText(check)));
    return;
  }
  Start_Edit->setText(Decimal(band.start, 1e6));
  End_Edit->setText(Decimal(band.end, 1e6));
  Step_Edit->setText(Decimal(band.step, 1e3));
}

bool TBandSurveyForm::SavePng(const QString& path) {
  // At the screen's own scale, so a picture from a scaled desktop is as sharp as the window.
  return Plot_Splitter->grab().save(path, "PNG");
}

bool TBandSurveyForm::SaveCsv(const QString& path) {
  return SaveFile(path.toStdString(), survey_.RowsCsv()).ok();
}

void TBandSurveyForm::UpdateProgress() {
  const int points = survey_.Range.Points();
  Progress_Bar->setMaximum(std::max(1, points));
  if (!survey_.Running()) {
    Progress_Bar->setValue(0);
    Progress_Bar->setFormat(QString());
    return;
  }
  Progress_Bar->setValue(survey_.PointsDone());
  const int seconds = static_cast<int>(std::ceil(survey_.MsLeft() / 1000.0));
  Progress_Bar->setFormat(tr("残り %1 秒").arg(seconds));
}

void TBandSurveyForm::PointRead() {
  UpdateProgress();
  Spectrum->update();
}

void TBandSurveyForm::RowAdded() {
  Waterfall->RowAdded();
  Spectrum->update();
}

void TBandSurveyForm::Cleared() {
  Waterfall->Rebuild();
  Spectrum->SetMarks(survey_.Marks());
}

void TBandSurveyForm::Running(bool running) {
  Start_Button->setEnabled(!running);
  Stop_Button->setEnabled(running);
  for (QWidget* w : std::initializer_list<QWidget*>{Start_Edit, End_Edit, Step_Edit, Band_Button})
    w->setEnabled(!running);
  UpdateProgress();
}

void TBandSurveyForm::RememberSplitter() {
  const QList<int> sizes = Plot_Splitter->sizes();
  if (sizes.size() == 2) {
    survey_.SpectrumHeight = sizes[0];
    survey_.WaterfallHeight = sizes[1];
  }
}

void TBandSurveyForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  survey_.WindowWidth = width();
  survey_.WindowHeight = height();
}

void TBandSurveyForm::closeEvent(QCloseEvent* event) {
  // Nobody watches a survey behind a closed window: the receiver goes back to the panel.
  GuardedCall([this] { survey_.Stop(); });
  RememberSplitter();
  QWidget::closeEvent(event);
}

void BandSurveyUi::Open() {
  if (!form_) form_ = new TBandSurveyForm(owner_, survey_, tune_);
  form_->ShowRange();
  form_->show();
  form_->raise();
  form_->activateWindow();
}

void BandSurveyUi::ShowPoint(int, int) {
  if (form_) form_->PointRead();
}

void BandSurveyUi::ShowRowAdded() {
  if (form_) form_->RowAdded();
}

void BandSurveyUi::ShowCleared() {
  if (form_) form_->Cleared();
}

void BandSurveyUi::ShowRunning(bool running) {
  if (form_) form_->Running(running);
}

void BandSurveyUi::ShowWriteFailed(const std::string& message) {
  // Not waited for: the survey goes on behind it.
  auto* box =
      new QMessageBox(QMessageBox::Warning, ui::kProgramTitle, QString::fromStdString(message),
                      QMessageBox::Ok, form_ ? static_cast<QWidget*>(form_) : owner_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}
