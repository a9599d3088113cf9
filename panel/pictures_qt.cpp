#include "panel/pictures_qt.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "panel/readout.h"
#include "ui/ui_style_qt.h"

namespace pictures {

namespace {

QRect ToRect(const Cell& c) { return QRect(c.x, c.y, c.w, c.h); }

// A picture of `size` in the panel's coordinates with `scale` device pixels to each of them.
QPixmap Blank(QSize size, qreal scale) {
  if (scale <= 0) scale = qGuiApp ? qGuiApp->devicePixelRatio() : 1;
  QPixmap pm((QSizeF(size) * scale).toSize());
  pm.setDevicePixelRatio(scale);
  return pm;
}

// Segments a..g of each digit.
constexpr std::array<unsigned, 10> kSegments = {0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                0x6d, 0x7d, 0x07, 0x7f, 0x6f};

// One seven-segment digit filling `box`, segments `t` thick with a small gap at the joints.
void SevenSegment(QPainter& p, QRectF box, int digit, qreal t) {
  const qreal l = box.left(), r = box.right(), top = box.top(), b = box.bottom();
  const qreal mid = (top + b) / 2, g = t * 0.25, h = t / 2;
  auto horizontal = [&](qreal y) {
    QPolygonF poly;
    poly << QPointF(l + g, y) << QPointF(l + g + h, y - h) << QPointF(r - g - h, y - h)
         << QPointF(r - g, y) << QPointF(r - g - h, y + h) << QPointF(l + g + h, y + h);
    return poly;
  };
  auto vertical = [&](qreal x, qreal y0, qreal y1) {
    QPolygonF poly;
    poly << QPointF(x, y0 + g) << QPointF(x + h, y0 + g + h) << QPointF(x + h, y1 - g - h)
         << QPointF(x, y1 - g) << QPointF(x - h, y1 - g - h) << QPointF(x - h, y0 + g + h);
    return poly;
  };
  const std::array<QPolygonF, 7> segment = {
      horizontal(top + h), vertical(r - h, top + h, mid), vertical(r - h, mid, b - h),
      horizontal(b - h),   vertical(l + h, mid, b - h),   vertical(l + h, top + h, mid),
      horizontal(mid)};
  for (int s = 0; s < 7; ++s)
    if (kSegments[static_cast<std::size_t>(digit)] & (1u << s)) p.drawPolygon(segment[s]);
}

void Text(QPainter& p, const Cell& c, const QString& text, int pixelSize, bool bold = true) {
  QFont f = ui::FixedFont(pixelSize);
  f.setBold(bold);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(ToRect(c), Qt::AlignCenter, text);
}

}  // namespace

QImage GlyphSheet() {
  QImage sheet(glyph::kSheetWidth, glyph::kSheetHeight, QImage::Format_RGB32);
  sheet.fill(ui::kAmber);
  QPainter p(&sheet);
  PaintGlyphSheet(p);
  return sheet;
}

void PaintGlyphSheet(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  for (int d = 0; d < 10; ++d) {
    const Cell c = glyph::LargeDigit(d);
    SevenSegment(p, QRectF(c.x + 4, c.y + 3, c.w - 9, c.h - 6), d, 5);
    const Cell s = glyph::SmallDigit(d);
    SevenSegment(p, QRectF(s.x + 1, s.y + 1, s.w - 3, s.h - 2), d, 2);
  }
  p.fillRect(ToRect(glyph::kLargePoint), Qt::black);
  p.fillRect(ToRect(glyph::kSmallPoint), Qt::black);
  static const char* const kModes[] = {"LSB", "USB", "AMW", "A M", "F M", "FMN", "WFM"};
  for (int m = 1; m <= 7; ++m) Text(p, glyph::ModeLabel(m), kModes[m - 1], 12);
  Text(p, glyph::kKhzLabel, "kHz", 9);
  Text(p, glyph::ResumeSymbol(0), "OFF", 12);
  Text(p, glyph::ResumeSymbol(1), "DLY", 12);
  Text(p, glyph::ResumeSymbol(2), QString::fromUtf8("\u221e"), 16);
  Text(p, glyph::ResumeSymbol(3), "---", 12);
  // The scan symbol: two triangles and a bar; the sheet ends at 188, inside its cell.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  const int x = glyph::kScanSymbol.x + 2, y = glyph::kScanSymbol.y + 2;
  p.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + 7, y + 4), QPoint(x, y + 9)}));
  p.drawPolygon(QPolygon({QPoint(x + 7, y), QPoint(x + 14, y + 4), QPoint(x + 7, y + 9)}));
  p.drawRect(x + 15, y, 2, 9);
}

QImage GlyphCell(QRect cell, QSize size, qreal scale) {
  QImage image((QSizeF(size) * scale).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(ui::kAmber);
  QPainter p(&image);
  p.scale(qreal(size.width()) / cell.width(), qreal(size.height()) / cell.height());
  p.translate(-cell.topLeft());
  p.setClipRect(cell);
  PaintGlyphSheet(p);
  return image;
}

QPixmap Knob(int size, qreal scale) {
  QPixmap pm = Blank(QSize(size, size), scale);
  pm.fill(ui::kSilver);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF outer(1, 1, size - 2, size - 2);
  QRadialGradient shade(outer.center() - QPointF(size / 6.0, size / 6.0), size * 0.7);
  shade.setColorAt(0, QColor(110, 110, 116));
  shade.setColorAt(1, QColor(24, 24, 28));
  p.setPen(QPen(QColor(16, 16, 16), 1));
  p.setBrush(shade);
  p.drawEllipse(outer);
  // The knurled rim.
  p.setPen(QPen(QColor(150, 150, 156), 1));
  const QPointF c = outer.center();
  for (int k = 0; k < 48; ++k) {
    p.save();
    p.translate(c);
    p.rotate(k * 7.5);
    p.drawLine(QPointF(0, -size / 2.0 + 2), QPointF(0, -size / 2.0 + 6));
    p.restore();
  }
  p.setPen(QPen(QColor(70, 70, 76), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(outer.adjusted(8, 8, -8, -8));
  return pm;
}

QPixmap Dimple(int size, qreal scale) {
  QPixmap pm = Blank(QSize(size, size), scale);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shade(QPointF(size * 0.6, size * 0.6), size * 0.6);
  shade.setColorAt(0, QColor(140, 140, 146));
  shade.setColorAt(1, QColor(20, 20, 22));
  p.setPen(QPen(QColor(10, 10, 10), 1));
  p.setBrush(shade);
  p.drawEllipse(QRectF(2, 2, size - 4, size - 4));
  return pm;
}

QPixmap Arrow(bool right, bool lit, qreal scale) {
  QPixmap pm = Blank(QSize(10, 9), scale);
  pm.fill(ui::kSilver);
  QPainter p(&pm);
  p.setPen(Qt::NoPen);
  p.setBrush(lit ? ui::kRed : QColor(128, 128, 128));
  for (int k = 0; k < 2; ++k) {
    const int x = right ? 5 * k : 9 - 5 * k;
    const int tip = right ? x + 4 : x - 4;
    p.drawPolygon(QPolygon({QPoint(x, 0), QPoint(tip, 4), QPoint(x, 8)}));
  }
  return pm;
}

QPixmap KeyGlyph(Glyph glyph, int size, qreal scale) {
  QPixmap pm = Blank(QSize(size, size), scale);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  const qreal s = size, m = s * 0.2;
  switch (glyph) {
    case Glyph::kUp:
      p.drawPolygon(QPolygonF({QPointF(s / 2, m), QPointF(s - m, s - m), QPointF(m, s - m)}));
      break;
    case Glyph::kDown:
      p.drawPolygon(QPolygonF({QPointF(m, m), QPointF(s - m, m), QPointF(s / 2, s - m)}));
      break;
    case Glyph::kLeft:
      p.drawPolygon(QPolygonF({QPointF(s - m, m), QPointF(s - m, s - m), QPointF(m, s / 2)}));
      break;
    case Glyph::kRight:
      p.drawPolygon(QPolygonF({QPointF(m, m), QPointF(s - m, s / 2), QPointF(m, s - m)}));
      break;
    case Glyph::kRun:
      p.setBrush(QColor(0, 128, 0));
      p.drawPolygon(QPolygonF({QPointF(m, m), QPointF(s - m, s / 2), QPointF(m, s - m)}));
      break;
    case Glyph::kLoop: {
      p.setPen(QPen(QColor(0, 0, 160), s / 8));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(m, m, s - 2 * m, s - 2 * m), 90 * 16, 300 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 160));
      p.drawPolygon(QPolygonF({QPointF(s / 2 - 1, m - s / 8), QPointF(s / 2 + s / 5, m),
                               QPointF(s / 2 - 1, m + s / 8)}));
      break;
    }
    case Glyph::kStop:
      p.drawRect(QRectF(m * 1.3, m * 1.3, s - 2.6 * m, s - 2.6 * m));
      break;
  }
  return pm;
}

}  // namespace pictures
