// The panel's pictures, drawn in code: the glyph sheet of the amber readout, the knob, its
// dimple, the fast-forward marks and the glyphs of the small picture keys. Pictures are given
// in the panel's coordinates and made with `scale` device pixels to each (0: the highest device
// pixel ratio of the screens), so that they stay sharp on a scaled desktop.
#pragma once

#include <QImage>
#include <QPixmap>

class QPainter;

namespace pictures {

// DigitalDat_Image: black glyphs on amber in the cell layout of panel/readout.h.
QImage GlyphSheet();
// The sheet's glyphs drawn in the sheet's coordinates (the background left as it is).
void PaintGlyphSheet(QPainter& p);
// The sheet's `cell` drawn afresh to fill `size` at `scale`: what the readout shows where
// copying the sheet's pixels would blur them.
QImage GlyphCell(QRect cell, QSize size, qreal scale);
QPixmap Knob(int size, qreal scale = 0);    // the knob, 80 x 80
QPixmap Dimple(int size, qreal scale = 0);  // the finger dimple, 21 x 21, as on the knob
// A fast-forward mark, 10 x 9: pointing right or left, lit (red) or idle.
QPixmap Arrow(bool right, bool lit, qreal scale = 0);
enum class Glyph { kUp, kDown, kLeft, kRight, kRun, kLoop, kStop };
QPixmap KeyGlyph(Glyph glyph, int size, qreal scale = 0);

}  // namespace pictures
