// Logging out, Ctrl+C and a polite kill end the event loop with 128 plus
// the signal's number, as a shell reports a program ended by it.
#include <signal.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include "platform_steps.h"

class QuitSignalsTest : public QObject {
  Q_OBJECT

 private slots:
  void each_signal_ends_the_loop_with_its_status_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("status");
    QTest::newRow("SIGTERM") << SIGTERM << 143;
    QTest::newRow("SIGINT") << SIGINT << 130;
    QTest::newRow("SIGHUP") << SIGHUP << 129;
  }

  void each_signal_ends_the_loop_with_its_status() {
    QFETCH(int, signal);
    QFETCH(int, status);
    const toric::QuitOnSignals quit_on_signals;
    QTimer::singleShot(0, [signal] { ::raise(signal); });
    QTimer::singleShot(60000, [] { QCoreApplication::exit(-1); });  // a hang
    QCOMPARE(QCoreApplication::exec(), status);
  }
};

QTEST_GUILESS_MAIN(QuitSignalsTest)
#include "quit_signals_test.moc"
