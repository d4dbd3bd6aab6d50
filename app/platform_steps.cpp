#include "platform_steps.h"

#include <fontconfig/fontconfig.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>

namespace toric {

namespace {

void warm_up_fontconfig() {
  if (FcInit() == FcFalse) return;  // Qt will report it in its own start
  // One listing loads every cache file, as Qt's font database does.
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  if (pattern != nullptr && objects != nullptr) {
    if (FcFontSet* fonts = FcFontList(nullptr, pattern, objects)) {
      FcFontSetDestroy(fonts);
    }
  }
  if (objects != nullptr) FcObjectSetDestroy(objects);
  if (pattern != nullptr) FcPatternDestroy(pattern);
}

}  // namespace

FontWarmup::FontWarmup() : thread_(warm_up_fontconfig) {}

FontWarmup::~FontWarmup() { thread_.join(); }

// Standard output and error are the terminal's, or wherever they were sent.
void attach_console() {}

// Debian's font packages, which the package depends on, are fontconfig's.
void add_bundled_fonts() {}

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

// The signal handler only writes the signal's number to a socket; the
// event loop reads it.
struct QuitOnSignals::Watch {
  int sockets[2] = {-1, -1};  // [0] read by the event loop, [1] written
  std::unique_ptr<QSocketNotifier> notifier;
};

QuitOnSignals::QuitOnSignals() : watch_(std::make_unique<Watch>()) {
  int* sockets = watch_->sockets;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0,
                   sockets) != 0) {
    return;  // the signals keep their default action: the program ends
  }
  watch_->notifier =
      std::make_unique<QSocketNotifier>(sockets[0], QSocketNotifier::Read);
  QObject::connect(watch_->notifier.get(), &QSocketNotifier::activated,
                   watch_->notifier.get(), [sockets] {
                     unsigned char number = 0;
                     if (::read(sockets[0], &number, 1) == 1) {
                       QCoreApplication::exit(128 + number);
                     }
                   });
  signal_socket = sockets[1];
  for (int number : kQuitSignals) set_handler(number, write_signal);
}

QuitOnSignals::~QuitOnSignals() {
  for (int number : kQuitSignals) set_handler(number, SIG_DFL);
  signal_socket = -1;
  watch_->notifier.reset();
  for (int fd : watch_->sockets) {
    if (fd >= 0) ::close(fd);
  }
}

}  // namespace toric
