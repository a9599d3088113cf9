// Colours, fonts and small pictures shared by the windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>

class QPushButton;

namespace ui {

inline const QColor kSilver(192, 192, 192);
inline const QColor kLime(0, 255, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kAmber(255, 204, 0);
inline const QColor kYellow(255, 255, 0);
// The 3-D light colour of the station display panels and the band scope.
inline const QColor kLight(224, 224, 224);

// The application's title, the caption of the main window and of the program's message boxes.
// It is not Qt's application display name: that one would be appended to every window's
// caption.
inline constexpr char kProgramTitle[] = "IC-R7100";
// A blank caption: the title bar of a window whose caption is empty shows the application's
// name instead.
inline constexpr char kBlankCaption[] = " ";

// "IPAPGothic" stands in for the proportional Japanese UI font, "IPAGothic" for the fixed one.
QFont ProportionalFont(int pixelSize, bool bold = false);
QFont FixedFont(int pixelSize);

// Gives the key the largest type up to `pixelSize` in which its caption fits between its
// edges: a caption that would be cut is drawn smaller instead.
void FitCaption(QPushButton* key, int pixelSize);

// The program's icon, drawn in code: a small receiver front with an amber readout and a knob.
QPixmap ProgramIcon(int size);

}  // namespace ui
