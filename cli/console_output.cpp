#include "console_output.h"

namespace toric {

// Terminals here take the locale's encoding, UTF-8 on any current system.
void use_utf8_console() {}

}  // namespace toric
