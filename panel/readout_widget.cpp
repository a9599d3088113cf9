#include "panel/readout_widget.h"

#include <QCoreApplication>
#include <QPainter>

#include "civ/civ.h"
#include "panel/pictures_qt.h"
#include "ui/accessible_qt.h"
#include "ui/ui_style_qt.h"

ReadoutWidget::ReadoutWidget(QWidget* parent, QRect geometry, qreal scale)
    : PictureWidget(parent, geometry, ui::kAmber, scale), sheet_(pictures::GlyphSheet()) {
  padded_ = QImage(sheet_.width() + 16, sheet_.height() + 16, QImage::Format_RGB32);
  padded_.fill(ui::kAmber);
  QPainter p(&padded_);
  p.drawImage(0, 0, sheet_);
  ui::SetAccessibleRole(this, QAccessible::StaticText);
}

// The readout as read aloud: the frequency shown in MHz, the mode and step as its description.
void ReadoutWidget::Describe() {
  if (shown_ >= 0)
    ui::SetAccessibleValue(this, QStringLiteral("%1 MHz").arg(shown_ / 1e6, 0, 'f', 4));
  if (shownMode_ < 0 || shownStep_ < 0) return;
  const std::string_view mode = shownMode_ >= 1 && shownMode_ <= 7
                                    ? civ::ModeName[static_cast<std::size_t>(shownMode_)]
                                    : std::string_view();
  const QString description =
      QCoreApplication::translate("ReadoutWidget", "モード %1、ステップ %2 kHz")
          .arg(QString::fromUtf8(mode.data(), static_cast<qsizetype>(mode.size())))
          .arg(QString::number(shownStep_ / 1000.0, 'g', 10));
  if (description != accessibleDescription()) setAccessibleDescription(description);
}

QImage ReadoutWidget::Scaled(const Cell& c, QSize size) {
  const auto key = std::make_tuple(c.x, c.y, c.w, c.h, size.width(), size.height());
  auto found = scaled_.find(key);
  if (found != scaled_.end()) return found->second;
  const qreal scale = Image().devicePixelRatio();
  QImage cell;
  if (scale == 1) {
    cell = padded_.copy(c.x, c.y, c.w, c.h);
    if (cell.size() != size)
      cell = cell.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  } else {
    cell = pictures::GlyphCell(QRect(c.x, c.y, c.w, c.h), size, scale);
  }
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
      p.drawImage(QRectF(target), Scaled(op.source, target.size()));
    Changed(target);
  }
}

void ReadoutWidget::Dial_Digital_Print(Readout& readout, std::int32_t value, bool entryActive,
                                       std::uint16_t entryDecimals) {
  Apply(readout.DialDigits(value, entryActive, entryDecimals));
  if (value == shown_) return;
  shown_ = value;
  Describe();
}

void ReadoutWidget::Step_Digital_Print(Readout& readout, std::int32_t step) {
  Apply(readout.StepDigits(step));
  shownStep_ = step;
  Describe();
}

void ReadoutWidget::Mode_Digital_Print(int mode) {
  Apply(Readout::ModeLabel(mode));
  shownMode_ = mode;
  Describe();
}
void ReadoutWidget::ScanStop_Digital_Print(int resumeMode) { Apply(Readout::ScanStop(resumeMode)); }

void ReadoutWidget::Digital_Print(int d, int x, int y) {
  Apply({{ReadoutOp::kCopy, glyph::LargeDigit(d), {x, y, 33, 46}}});
}

void ReadoutWidget::Digital_PrintS(int d, int x, int y) {
  Apply({{ReadoutOp::kCopy, glyph::SmallDigit(d), {x, y, 9, 15}}});
}
