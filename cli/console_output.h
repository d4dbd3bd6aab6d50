#pragma once
// The results' way out. They are UTF-8: a console that shows another code
// page is switched to UTF-8 for the run (Windows). A reader that goes away
// (a closed pipe) is a write error the program reports, not a signal that
// ends it silently (Linux). A list's results go out before the program
// waits for more of it.

namespace toric {

void prepare_console_output();

// True when reading `fd` now would not wait: more of the input is there, or
// its end. Where that cannot be told, false.
bool input_waiting(int fd);

}  // namespace toric
