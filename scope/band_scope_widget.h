// The band scope's picture: it keeps its background in an image and sends only the column of
// the bar that changed to the screen. Also the style that lines the marker track bar's thumb
// positions up with the bars.
#pragma once

#include "panel/picture_widget.h"

class QSlider;
struct ScopeBar;

class BandScopeWidget : public PictureWidget {
 public:
  BandScopeWidget(QWidget* parent, QRect geometry, qreal scale = 0);
  // The whole picture in the 3-D light colour.
  void Clear();
  // Bar k of N for a level, laid out by the marker track bar's width; the picture's own
  // offset in its panel is part of the layout.
  void DrawBar(int k, int level, int points, int trackWidth, bool sColor);
  void DrawBar(const ScopeBar& bar);
  // "DEMO" on red in the top left corner.
  void DrawDemoText();
};

// Gives a horizontal slider the thumb travel of the marker track bar: thumb centres from
// 10 pixels inside its left edge to 10 pixels inside its right edge.
void LineUpWithBars(QSlider* slider);
