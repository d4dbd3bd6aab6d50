#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

namespace toric {

bool asks_for_help_or_version(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option :
         {"-h", "--help", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

CommandLineAnswer answer_command_line(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Combination of two toric lenses: set the sphere, cylinder and axis of "
      "two lenses and read the one prescription they equal.\nThe window is "
      "in Japanese. Qt's own options, such as -platform and -style, apply."));
  // Qt's options are written with one dash; so may ours be.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  // Our own help option, so that --help-all, whose list of Qt's options
  // needs the application this answer comes before, is not offered.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Displays this help."));
  const QCommandLineOption version(
      {QStringLiteral("v"), QStringLiteral("version")},
      QStringLiteral("Displays version information."));
  parser.addOption(help);
  parser.addOption(version);

  // Help and the version win over anything else given with them, such as
  // a Qt option not yet taken away.
  const bool parsed = parser.parse(arguments);
  if (parser.isSet(help)) return {0, parser.helpText(), {}};
  if (parser.isSet(version)) {
    return {0, QStringLiteral("toric %1\n").arg(TORIC_VERSION), {}};
  }
  if (!parsed) {
    return {2,
            {},
            QStringLiteral("toric: %1 (see toric --help)\n")
                .arg(parser.errorText())};
  }
  if (!parser.positionalArguments().isEmpty()) {
    return {2,
            {},
            QStringLiteral("toric: takes no files or arguments: %1\n")
                .arg(parser.positionalArguments().join(u' '))};
  }
  return {};
}

}  // namespace toric
