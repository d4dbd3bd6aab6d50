#include "console.h"

namespace toric {

// Standard output and error are the terminal's, or wherever they were sent.
void attach_console() {}

}  // namespace toric
