#include "console_output.h"

#include <poll.h>

#include <csignal>

namespace toric {

// Terminals here take the locale's encoding, UTF-8 on any current system.
// With SIGPIPE ignored, writing to a closed pipe fails with EPIPE instead.
void prepare_console_output() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace toric

namespace toric {

bool input_waiting(int fd) {
  pollfd input{fd, POLLIN, 0};
  return ::poll(&input, 1, 0) == 1;
}

}  // namespace toric
