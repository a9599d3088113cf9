#include "panel/panel_drawing_qt.h"

#include <QPainter>

#include "panel/picture_widget.h"
#include "panel/scales.h"
#include "ui/accessible_qt.h"
#include "ui/ui_style_qt.h"

namespace {

void TextAt(QPainter& p, int x, int y, const std::string& text) {
  p.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(text));
}

}  // namespace

void DrawFrequencyScale(PictureWidget& scale, QRect tb, int lo, int hi, int intervalMHz) {
  QPainter p(&scale.Image());
  p.fillRect(scale.rect(), ui::kSilver);
  p.setPen(QPen(Qt::black, 1));
  p.setFont(ui::ProportionalFont(12));
  for (const ScaleTick& t :
       FrequencyScale(lo, hi, tb.left(), tb.top(), tb.width(), tb.height(), intervalMHz)) {
    // A filled column rather than a line: it covers the same pixels at every scale.
    if (t.length > 0) p.fillRect(t.x, t.y, 1, t.length, Qt::black);
    if (!t.label.empty()) TextAt(p, t.labelX, t.labelY, t.label);
  }
  p.end();
  scale.ChangedAll();
}

void DrawSignalBar(PictureWidget& bar, int level, bool sColor) {
  const int h = bar.height() - 1;
  const SignalBar b = MeterBar(level, h, sColor);
  const int w = bar.width();
  const int bottom = bar.height();  // the bar stands on the picture's bottom row
  QPainter p(&bar.Image());
  p.fillRect(0, 0, w, bottom - b.green - b.red, ui::kSilver);
  p.fillRect(0, bottom - b.green - b.red, w, b.red, ui::kRed);
  p.fillRect(0, bottom - b.green, w, b.green, ui::kLime);
  p.end();
  bar.ChangedAll();
  ui::SetAccessibleValue(&bar, QString::number(level));
}

void DrawSignalScale(PictureWidget& picture, QRect panel, int bevel) {
  const SignalScale s = SignalMeterScale(panel.left(), panel.top(), panel.height(), bevel);
  QPainter p(&picture.Image());
  p.fillRect(picture.rect(), ui::kSilver);
  p.fillRect(s.lineX, s.top, 2, s.s9 - s.top + 1, ui::kRed);
  p.fillRect(s.lineX, s.s9 + 1, 2, s.bottom - s.s9 - 1, Qt::black);
  p.setFont(ui::FixedFont(11));
  for (const ScaleTick& t : s.ticks) {
    const QColor color = t.red ? ui::kRed : QColor(Qt::black);
    p.fillRect(t.x, t.y, t.length, 1, color);
    p.setPen(Qt::black);
    if (!t.label.empty()) TextAt(p, t.labelX, t.labelY, t.label);
  }
  p.end();
  picture.ChangedAll();
}
