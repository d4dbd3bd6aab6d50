#pragma once
// The faces that stand in for the window's Japanese Windows faces where
// those are missing. On Linux they come from Debian's font packages; a
// Windows program carries them in a fonts folder beside it.

namespace toric {

// Makes the carried faces known to the application, which must exist.
void add_bundled_fonts();

}  // namespace toric
