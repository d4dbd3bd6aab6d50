#pragma once
// Bold text in a face with no bold of its own (the IPA Gothics), which the
// font engine emboldens. Windows' engine widens every character by about a
// pixel, which would push the window's bold lines out of their boxes: the
// difference is taken back as letter spacing (synthetic_bold_win.cpp).
// Linux's FreeType emboldens in place, keeping each character's advance.

#include <QFont>

namespace toric {

#ifdef Q_OS_WIN
void keep_regular_advance(QFont& bold);
#else
inline void keep_regular_advance(QFont& /*bold*/) {}
#endif

}  // namespace toric
