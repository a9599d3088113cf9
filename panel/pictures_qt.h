// The panel's pictures, drawn in code: the glyph sheet of the amber readout, the knob, its
// dimple, the fast-forward marks and the glyphs of the small picture keys.
#pragma once

#include <QImage>
#include <QPixmap>

namespace pictures {

// DigitalDat_Image: black glyphs on amber in the cell layout of panel/readout.h.
QImage GlyphSheet();
QPixmap Knob(int size);    // the knob, 80 x 80
QPixmap Dimple(int size);  // the finger dimple, 21 x 21, drawn as it looks on the knob
// A fast-forward mark, 10 x 9: pointing right or left, lit (red) or idle.
QPixmap Arrow(bool right, bool lit);
enum class Glyph { kUp, kDown, kLeft, kRight, kRun, kLoop, kStop };
QPixmap KeyGlyph(Glyph glyph, int size);

}  // namespace pictures
