#include "platform_io.h"

#include <poll.h>

#include <csignal>

namespace toric {

// With SIGPIPE ignored, writing to a closed pipe fails with EPIPE instead.
void prepare_standard_streams() { std::signal(SIGPIPE, SIG_IGN); }

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* open_for_reading(const std::string& utf8_name) {
  return std::fopen(utf8_name.c_str(), "rb");
}

bool write_text(std::FILE* stream, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

bool input_waiting(int fd) {
  pollfd input{fd, POLLIN, 0};
  return ::poll(&input, 1, 0) == 1;
}

}  // namespace toric
