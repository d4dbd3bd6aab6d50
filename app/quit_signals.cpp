#include "quit_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>

namespace toric {

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler gets no context, so the socket it writes to is known
// here, and only while a QuitOnSignals exists.
volatile sig_atomic_t signal_socket = -1;

void write_signal(int number) {
  const int saved_errno = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  if (signal_socket >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(signal_socket, &byte, 1);
  }
  errno = saved_errno;
}

void set_handler(int number, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(number, &action, nullptr);
}

}  // namespace

QuitOnSignals::QuitOnSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0,
                   sockets_) != 0) {
    return;  // the signals keep their default action: the program ends
  }
  notifier_ =
      std::make_unique<QSocketNotifier>(sockets_[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this,
          &QuitOnSignals::on_signal);
  signal_socket = sockets_[1];
  for (int number : kQuitSignals) set_handler(number, write_signal);
}

QuitOnSignals::~QuitOnSignals() {
  for (int number : kQuitSignals) set_handler(number, SIG_DFL);
  signal_socket = -1;
  notifier_.reset();
  for (int fd : sockets_) {
    if (fd >= 0) ::close(fd);
  }
}

void QuitOnSignals::on_signal() {
  unsigned char number = 0;
  if (::read(sockets_[0], &number, 1) == 1) {
    QCoreApplication::exit(128 + number);
  }
}

}  // namespace toric
