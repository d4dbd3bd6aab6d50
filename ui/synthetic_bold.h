#pragma once
// Bold text in a face with no bold of its own (the IPA Gothics), which the
// font engine emboldens. Linux's engine keeps each character's advance;
// Windows' widens every character by about a pixel, which would push the
// window's bold lines out of their boxes, and its twin takes the difference
// back as letter spacing.

#include <QFont>

namespace toric {

void keep_regular_advance(QFont& bold);

}  // namespace toric
