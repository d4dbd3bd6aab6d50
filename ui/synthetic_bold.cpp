#include "synthetic_bold.h"

namespace toric {

// FreeType emboldens in place: the advances are the regular face's already.
void keep_regular_advance(QFont& /*bold*/) {}

}  // namespace toric
