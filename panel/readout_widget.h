// The amber readout Image1: frequency, step, mode and scan indicator, copied cell by cell
// from the glyph sheet; only the cells a redraw changes reach the screen.
#pragma once

#include <map>
#include <tuple>

#include "panel/picture_widget.h"
#include "panel/readout.h"

class ReadoutWidget : public PictureWidget {
 public:
  ReadoutWidget(QWidget* parent, QRect geometry, qreal scale = 0);
  const QImage& GlyphSheet() const { return sheet_; }
  // The sheet cell as it lands on the readout, scaled to the target size: the sheet's own
  // pixels at one device pixel to the panel's pixel, the glyph drawn afresh at any other scale.
  QImage Scaled(const Cell& source, QSize size);

  void Fill();  // the whole readout amber
  void Dial_Digital_Print(Readout& readout, std::int32_t value, bool entryActive,
                          std::uint16_t entryDecimals);
  void Step_Digital_Print(Readout& readout, std::int32_t step);
  void Mode_Digital_Print(int mode);
  void ScanStop_Digital_Print(int resumeMode);
  void Digital_Print(int d, int x, int y);
  void Digital_PrintS(int d, int x, int y);
  void Apply(const std::vector<ReadoutOp>& ops);
  // The value of the last frequency drawn, for screen readers.
  std::int32_t ShownFrequency() const { return shown_; }

 private:
  QImage sheet_;
  QImage padded_;  // the sheet with amber beyond its edges, for cells that reach past them
  std::map<std::tuple<int, int, int, int, int, int>, QImage> scaled_;
  std::int32_t shown_ = -1;
  int shownStep_ = -1, shownMode_ = -1;
  void Describe();
};
