// The program's command line as a function of its arguments, with no
// display: what is answered, with which status, and what opens the window.
#include "command_line.h"

#include <QCoreApplication>
#include <QTest>

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void answers_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");  // -1: the window opens
    QTest::addColumn<QString>("starts");
    QTest::newRow("nothing opens the window") << QStringList{} << -1 << "";
    QTest::newRow("version")
        << QStringList{"--version"} << 0 << "toric 1.0.0\n";
    QTest::newRow("short version") << QStringList{"-v"} << 0 << "toric 1.0.0\n";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: ";
    QTest::newRow("short help") << QStringList{"-h"} << 0 << "Usage: ";
    QTest::newRow("help beside a Qt option not yet taken")
        << QStringList{"-platform", "xcb", "--help"} << 0 << "Usage: ";
    QTest::newRow("help-all is not offered")
        << QStringList{"--help-all"} << 2
        << "toric: Unknown option 'help-all'.";
    QTest::newRow("unknown option")
        << QStringList{"--no-such-option"} << 2
        << "toric: Unknown option 'no-such-option'.";
    QTest::newRow("stray argument")
        << QStringList{"lens.txt"} << 2
        << "toric: takes no files or arguments: lens.txt";
  }

  void answers() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, starts);
    const toric::CommandLineAnswer answer =
        toric::answer_command_line(QStringList{"toric"} + arguments);
    QCOMPARE(answer.status.value_or(-1), status);
    const QString said = answer.out + answer.err;
    QVERIFY2(status == -1 ? said.isEmpty() : said.startsWith(starts),
             qPrintable(said));
    // One line on the error stream, nothing on the other.
    if (status == 2) QCOMPARE(answer.err.count(u'\n'), 1);
    if (status == 2) QVERIFY(answer.out.isEmpty());
  }

  void only_help_and_version_are_answered_without_a_display_data() {
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<bool>("without_display");
    QTest::newRow("help") << QByteArrayList{"--help"} << true;
    QTest::newRow("version after a Qt option")
        << QByteArrayList{"-style", "fusion", "-v"} << true;
    QTest::newRow("help-all") << QByteArrayList{"--help-all"} << true;
    QTest::newRow("unknown option") << QByteArrayList{"-x"} << false;
    QTest::newRow("nothing") << QByteArrayList{} << false;
  }

  void only_help_and_version_are_answered_without_a_display() {
    QFETCH(QByteArrayList, arguments);
    QFETCH(bool, without_display);
    QByteArrayList argv_storage = QByteArrayList{"toric"} + arguments;
    std::vector<char*> argv;
    for (QByteArray& a : argv_storage) argv.push_back(a.data());
    QCOMPARE(toric::asks_for_help_or_version(static_cast<int>(argv.size()),
                                             argv.data()),
             without_display);
  }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
