#pragma once
// Turns one row of the control table into its widget.

#include <QWidget>

#include "control_table.h"
#include "font_faces.h"

namespace toric {

// Name of the dynamic property that holds a control array member's index.
inline constexpr const char* kIndexProperty = "index";

// Creates the control as the topmost child of `parent`, with its name as
// `objectName`, its rectangle, caption, font, colours, alignment and, for a
// scroll bar, its range, steps, start position and accessible name.
QWidget* create_control(const ControlRow& row, QWidget* parent,
                        FontFaces& faces);

}  // namespace toric
