#pragma once
// The window's own colours for everything its design leaves to the system:
// the light grey face, black text and white fields of a plain desktop. The
// design's fixed colours (the cream title band, the orange face, the blue
// and magenta texts) were chosen against these, so a dark or high-contrast
// desktop palette must not reach the window, or its texts become
// unreadable.

#include <QPalette>

namespace toric {

// Qt's standard light palette, every role of every colour group set, so that
// a palette the desktop gives the application later changes nothing.
QPalette light_palette();

}  // namespace toric
