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

// Qt's words when the platform plugin itself failed, not the display: a
// missing plugin's warning, and the list of the plugins there are.
std::string platform_failure(const QString& fatal_text,
                             const std::vector<QString>& warnings) {
  QString reason =
      warnings.empty() ? fatal_text.section(u'\n', 0, 0) : warnings.front();
  const qsizetype available =
      fatal_text.indexOf(QStringLiteral("Available platform plugins"));
  if (available >= 0) reason += u'\n' + fatal_text.mid(available).trimmed();
  return reason.toLocal8Bit().toStdString();
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
    // The display is to blame only when connecting to it is what failed.
    bool display_failed = false;
    std::vector<QString> warnings;
    const std::lock_guard<std::mutex> lock(start_messages->mutex);
    for (const HeldMessage& m : start_messages->held) {
      if (m.text.contains(QStringLiteral("connect to display")) ||
          m.text.contains(QStringLiteral("wl_display"))) {
        display_failed = true;
      }
      if (m.category.startsWith("qt.qpa")) warnings.push_back(m.text);
    }
    const std::string line =
        "toric: cannot open a window: " +
        (display_failed ? why_no_window() : platform_failure(text, warnings)) +
        "\n";
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
  // The Wayland app id and the X11 hint both name the menu entry, so that
  // docks match the window to its launcher and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(TORIC_APP_ID));
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
