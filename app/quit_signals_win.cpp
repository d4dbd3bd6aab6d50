#include "quit_signals.h"

namespace toric {

// A Windows window program has no signals to watch: logging off reaches it
// as WM_QUERYENDSESSION and WM_ENDSESSION, on which Qt quits the event loop
// itself, and it has no console whose Ctrl+C could reach it.
struct QuitOnSignals::Watch {};

QuitOnSignals::QuitOnSignals() : watch_(std::make_unique<Watch>()) {}

QuitOnSignals::~QuitOnSignals() = default;

}  // namespace toric
