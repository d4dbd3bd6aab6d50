#pragma once
// The faces that stand in for the window's Japanese Windows faces where
// those are missing. A Windows program carries them in a fonts folder
// beside it (bundled_fonts_win.cpp); on Linux the package depends on
// Debian's font packages, which fontconfig finds, and nothing is added.

#include <QtGlobal>

namespace toric {

// Makes the carried faces known to the application, which must exist.
#ifdef Q_OS_WIN
void add_bundled_fonts();
#else
inline void add_bundled_fonts() {}
#endif

}  // namespace toric
