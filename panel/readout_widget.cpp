#include "panel/readout_widget.h"

#include <QPainter>

#include "panel/pictures_qt.h"
#include "ui/ui_style_qt.h"

ReadoutWidget::ReadoutWidget(QWidget* parent, QRect geometry)
    : PictureWidget(parent, geometry, ui::kAmber), sheet_(pictures::GlyphSheet()) {
  padded_ = QImage(sheet_.width() + 16, sheet_.height() + 16, QImage::Format_RGB32);
  padded_.fill(ui::kAmber);
  QPainter p(&padded_);
  p.drawImage(0, 0, sheet_);
}

QImage ReadoutWidget::Scaled(const Cell& c, QSize size) {
  const auto key = std::make_tuple(c.x, c.y, c.w, c.h, size.width(), size.height());
  auto found = scaled_.find(key);
  if (found != scaled_.end()) return found->second;
  QImage cell = padded_.copy(c.x, c.y, c.w, c.h);
  if (cell.size() != size) cell = cell.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  scaled_.emplace(key, cell);
  return cell;
}

void ReadoutWidget::Fill() {
  Image().fill(ui::kAmber);
  ChangedAll();
}

void ReadoutWidget::Apply(const std::vector<ReadoutOp>& ops) {
  if (ops.empty()) return;
  QPainter p(&Image());
  for (const ReadoutOp& op : ops) {
    const QRect target(op.target.x, op.target.y, op.target.w, op.target.h);
    if (op.kind == ReadoutOp::kBlank)
      p.fillRect(target, ui::kAmber);
    else
      p.drawImage(target.topLeft(), Scaled(op.source, target.size()));
    Changed(target);
  }
}

void ReadoutWidget::Dial_Digital_Print(Readout& readout, std::int32_t value, bool entryActive,
                                       std::uint16_t entryDecimals) {
  Apply(readout.DialDigits(value, entryActive, entryDecimals));
}

void ReadoutWidget::Step_Digital_Print(Readout& readout, std::int32_t step) {
  Apply(readout.StepDigits(step));
}

void ReadoutWidget::Mode_Digital_Print(int mode) { Apply(Readout::ModeLabel(mode)); }
void ReadoutWidget::ScanStop_Digital_Print(int resumeMode) { Apply(Readout::ScanStop(resumeMode)); }

void ReadoutWidget::Digital_Print(int d, int x, int y) {
  Apply({{ReadoutOp::kCopy, glyph::LargeDigit(d), {x, y, 33, 46}}});
}

void ReadoutWidget::Digital_PrintS(int d, int x, int y) {
  Apply({{ReadoutOp::kCopy, glyph::SmallDigit(d), {x, y, 9, 15}}});
}
