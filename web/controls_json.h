#pragma once
// The window's control table as JSON, from which the page is drawn: the
// window's size, its name and what it announces on reset; each control's
// name, kind, rectangle in twips, caption, font, colours, alignment, tab
// index, bar and accessible name; each bar's readout and the range of its
// values; the faces standing in for the requested ones.

#include <string>

namespace toric {

std::string controls_json();

}  // namespace toric
