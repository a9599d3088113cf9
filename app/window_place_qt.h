// Puts a window back where it stood in the last run and keeps note of where it stands now.
#pragma once

#include <optional>

#include "settings/window_places.h"

class QWidget;

// From the window's first showing, `place` follows the window; at that showing a place noted
// before (read from the settings file) is taken, pulled onto a screen present now. Without
// one the window opens where it would anyway. `place` must outlive the window.
void KeepWindowPlace(QWidget* window, std::optional<WindowPoint>& place);
