#pragma once
// Fonts for the window's controls. The window asks for Japanese Windows
// faces by name; each request keeps that name first and names an installed
// face from Debian's packages after it, so the request is matched without
// touching the user's font configuration.

#include <QFont>
#include <QString>

#include "control_table.h"

namespace toric {

// The installed face that stands in for `requested`, or an empty string
// when the window asks for no such face.
QString stand_in_face(const QString& requested);

// The font for a request with a face, sized in device-independent pixels
// (points at 96 dpi) so that it scales with the twip geometry on any screen.
QFont font_for(const FontRequest& request);

}  // namespace toric
