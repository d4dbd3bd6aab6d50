#include "font_warmup.h"

namespace toric {

// Windows has no fontconfig to warm up: its font list is the system's own.
FontWarmup::FontWarmup() = default;

FontWarmup::~FontWarmup() = default;

}  // namespace toric
