#pragma once
// The results' way out. They are UTF-8: a console that shows another code
// page is switched to UTF-8 for the run (Windows). A reader that goes away
// (a closed pipe) is a write error the program reports, not a signal that
// ends it silently (Linux).

namespace toric {

void prepare_console_output();

}  // namespace toric
