// The band survey's pictures: the latest sweep over a labelled frequency axis with its holds
// and the stations of the list marked by name, and under it the waterfall of finished sweeps,
// newest on top. Both share the same columns, so a frequency stands at one x in both.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "survey/band_survey.h"

namespace survey_ui {
// The left margin holds the level scale above and the rows' times below.
inline constexpr int kLeftMargin = 60;
inline constexpr int kRightMargin = 8;
// Height of one waterfall row in logical pixels.
inline constexpr int kRowHeight = 4;
}  // namespace survey_ui

// What the pointer is over, for the window's status line, and where a click tunes.
struct SurveyPointer {
  std::function<void(std::int32_t frequency, int level)> hover;  // level -1: none read
  std::function<void()> leave;
  std::function<void(std::int32_t frequency)> click;
};

// The columns both pictures share: point index from x and back.
class SurveyColumns : public QWidget {
 public:
  SurveyColumns(QWidget* parent, const BandSurvey& survey, SurveyPointer& pointer);
  int PlotWidth() const;
  // The point under logical x, -1 outside the plot.
  int PointAt(int x) const;
  // The logical x of a point's centre.
  double XOf(double point) const;
  double XOfFrequency(std::int32_t frequency) const;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // The level shown at a point and height, -1 for none.
  virtual int LevelAt(int point, int y) const = 0;

  const BandSurvey& survey_;
  SurveyPointer& pointer_;
};

class SurveySpectrumWidget : public SurveyColumns {
 public:
  using SurveyColumns::SurveyColumns;
  // The marks of the list in the range, read again when the range changes.
  void SetMarks(std::vector<SurveyMark> marks);

 protected:
  void paintEvent(QPaintEvent* event) override;
  int LevelAt(int point, int y) const override;

 private:
  std::vector<SurveyMark> marks_;
};

class WaterfallWidget : public SurveyColumns {
 public:
  using SurveyColumns::SurveyColumns;
  // The newest row drawn on top, the older ones moved down a row.
  void RowAdded();
  // Every row drawn again (a new size or range).
  void Rebuild();
  const QImage& Image() const { return image_; }
  // Rows that fit on the picture.
  int VisibleRows() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  int LevelAt(int point, int y) const override;

 private:
  void DrawRow(int row, const std::vector<std::uint8_t>& levels);

  QImage image_;  // the plot area in device pixels
  std::vector<QRgb> lut_;
};
