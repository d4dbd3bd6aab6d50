#include "bar_state.h"

namespace toric {

// Windows' readers need nothing beyond Qt's own state: the bar is no
// editable field.
void adjust_bar_state(QAccessible::State& /*state*/) {}

}  // namespace toric
