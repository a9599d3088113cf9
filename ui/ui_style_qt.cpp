#include "ui/ui_style_qt.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace ui {

QFont ProportionalFont(int pixelSize, bool bold) {
  QFont font("IPAPGothic");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QFont FixedFont(int pixelSize) {
  QFont font("IPAGothic");
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(pixelSize);
  return font;
}

void FitCaption(QPushButton* key, int pixelSize) {
  QStyleOptionButton option;
  option.initFrom(key);
  option.text = key->text();
  // A pixel clear of the bevel on each side: a pressed key's caption moves by one.
  const int room =
      key->style()->subElementRect(QStyle::SE_PushButtonContents, &option, key).width() - 2;
  QString shown = key->text();
  shown.replace("&&", "\x01").remove('&').replace("\x01", "&");
  QFont font = key->font();
  // Below 7 pixels the type is no longer legible; such a caption is as small as it gets.
  for (int size = pixelSize; size >= 7; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).horizontalAdvance(shown) <= room) break;
  }
  key->setFont(font);
}

QPixmap ProgramIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(QColor(96, 96, 104));
  p.drawRoundedRect(QRectF(3, 14, 58, 38), 4, 4);
  p.setBrush(kAmber);
  p.drawRect(QRectF(8, 19, 30, 12));
  p.setBrush(kSilver);
  p.drawEllipse(QRectF(41, 22, 16, 16));
  p.setBrush(QColor(64, 64, 64));
  p.drawEllipse(QRectF(51, 25, 4, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(kLime);
  p.drawRect(QRectF(8, 38, 8, 4));
  p.setBrush(kSilver);
  p.drawRect(QRectF(19, 38, 8, 4));
  p.drawRect(QRectF(30, 38, 8, 4));
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(44, 14), QPointF(54, 2));
  return pixmap;
}

}  // namespace ui
