#pragma once
// What the program says to its command line. --help and --version need no
// display and are answered before the application exists; everything else
// is looked at once QApplication has taken its own options (-platform,
// -style, ...) away: an unknown option or a stray argument ends with one
// line and status 2.

#include <QString>
#include <QStringList>
#include <optional>

namespace toric {

struct CommandLineAnswer {
  std::optional<int> status;  // nothing: open the window
  QString out;                // for standard output
  QString err;                // for standard error
};

// True when argv asks for help or the version, which are answered without
// a display.
bool asks_for_help_or_version(int argc, char** argv);

// The answer to `arguments` (the program's name first). Needs a
// QCoreApplication, for the program's name in the usage.
// answer_command_line({"toric", "--version"}).out == "toric 1.0.0\n".
CommandLineAnswer answer_command_line(const QStringList& arguments);

}  // namespace toric
