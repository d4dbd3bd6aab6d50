#pragma once
// What a bar's accessible state says beyond Qt's own, where a platform's
// screen reader needs it.

#include <QAccessible>

namespace toric {

void adjust_bar_state(QAccessible::State& state);

}  // namespace toric
