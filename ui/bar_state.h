#pragma once
// What a bar's accessible state says beyond Qt's own, where a platform's
// screen reader needs it: Orca on Linux (bar_state.cpp). Windows' readers
// need nothing more.

#include <QAccessible>

namespace toric {

#ifdef Q_OS_WIN
inline void adjust_bar_state(QAccessible::State& /*state*/) {}
#else
void adjust_bar_state(QAccessible::State& state);
#endif

}  // namespace toric
