#pragma once
// The result lines are UTF-8: a console that shows another code page is
// switched to UTF-8 for the run (Windows); elsewhere nothing needs doing.

namespace toric {

void use_utf8_console();

}  // namespace toric
