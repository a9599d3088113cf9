// Drawing of the printed scales and the meter bar on their pictures.
#pragma once

#include <QRect>

class PictureWidget;

// The frequency scale under TrackBar1 (given in the scale picture's coordinates), for its
// range lo..hi in 100 kHz units.
void DrawFrequencyScale(PictureWidget& scale, QRect trackBar, int lo, int hi, int intervalMHz);
// The meter bar for a reading.
void DrawSignalBar(PictureWidget& bar, int level, bool sColor);
// The S-meter scale on the panel picture, beside Signal_Panel (in the picture's coordinates).
void DrawSignalScale(PictureWidget& picture, QRect signalPanel, int bevel);
