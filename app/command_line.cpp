#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace toric {

namespace {

void say(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

// Options QGuiApplication and QApplication take for themselves.
struct QtOption {
  const char* name;
  bool takes_value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"geometry", true},
    {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true},   {"name", true},
    {"title", true},           {"reverse", false},
    {"widgetcount", false},    {"nograb", false},
    {"dograb", false},         {"sync", false}};

}  // namespace

std::optional<int> answer_command_line(int argc, char** argv) {
  if (argc <= 1) return std::nullopt;  // the usual start costs nothing here
  // Needs no display: the parser only wants the program's name and version.
  const QCoreApplication probe(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("toric"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TORIC_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Combination of two toric lenses: set the sphere, cylinder and axis of "
      "two lenses and read the one prescription they equal.\nThe window is "
      "in Japanese. Qt's own options, such as -platform and -style, apply."));
  // Qt's options are written with one dash.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addHelpOption();
  parser.addVersionOption();
  for (const QtOption& qt : kQtOptions) {
    QCommandLineOption option(QString::fromLatin1(qt.name));
    if (qt.takes_value) option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  if (!parser.parse(QCoreApplication::arguments())) {
    say(stderr, QStringLiteral("toric: %1 (see toric --help)\n")
                    .arg(parser.errorText()));
    return 2;
  }
  if (parser.isSet(QStringLiteral("help")) ||
      parser.isSet(QStringLiteral("help-all"))) {
    say(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    say(stdout, QStringLiteral("toric %1\n").arg(TORIC_VERSION));
    return 0;
  }
  if (!parser.positionalArguments().isEmpty()) {
    say(stderr, QStringLiteral("toric: takes no files or arguments: %1\n")
                    .arg(parser.positionalArguments().join(u' ')));
    return 2;
  }
  return std::nullopt;
}

}  // namespace toric
