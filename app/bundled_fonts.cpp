#include "bundled_fonts.h"

namespace toric {

// The package depends on the font packages, which fontconfig finds.
void add_bundled_fonts() {}

}  // namespace toric
