#include "bar_state.h"

namespace toric {

// A workaround for Orca 48 (Debian 13): it caches the text of objects that
// are not editable for two seconds, and would repeat the bar's old value
// after a key moved it. A real spin button's text is editable anyway, so
// nothing else changes. It can go once the Orca of every supported release
// reads a changed value at once (Orca 43 on Debian 12 does).
void adjust_bar_state(QAccessible::State& state) { state.editable = true; }

}  // namespace toric
