#include "application_start.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace toric {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string why_no_window() {
  const std::string display = environment("DISPLAY");
  const std::string wayland = environment("WAYLAND_DISPLAY");
  if (!display.empty()) return "the display " + display + " cannot be reached";
  if (!wayland.empty()) {
    return "the Wayland display " + wayland + " cannot be reached";
  }
  return "no display (DISPLAY is not set)";
}

// What Qt says while the application starts: held back, and passed on once
// it has started, so that a failed start prints nothing but our own line.
struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

// A message handler is a plain function, so what it holds lives here, for
// the duration of the start only.
struct StartMessages {
  QtMessageHandler previous = nullptr;
  std::mutex mutex;  // Qt's own threads may report too
  std::vector<HeldMessage> held;
};
StartMessages* start_messages = nullptr;

void hold_message(QtMsgType type, const QMessageLogContext& context,
                  const QString& text) {
  if (type == QtFatalMsg) {
    const std::string line =
        "toric: cannot open a window: " + why_no_window() + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);  // nothing to save, and Qt is half started
  }
  const std::lock_guard<std::mutex> lock(start_messages->mutex);
  start_messages->held.push_back({type, QByteArray(context.category), text});
}

}  // namespace

std::unique_ptr<QApplication> start_application(int& argc, char** argv) {
  StartMessages messages;
  start_messages = &messages;
  messages.previous = qInstallMessageHandler(hold_message);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(messages.previous);
  start_messages = nullptr;
  for (const HeldMessage& m : messages.held) {
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     m.category.constData());
    if (messages.previous != nullptr)
      messages.previous(m.type, context, m.text);
  }
  return application;
}

}  // namespace toric
