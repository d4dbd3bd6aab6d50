// Printing through a stand-in lp put first on PATH: every way a print can
// end, what the user is told, and that no page or process is left behind.
#include "print_job.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// Long enough for any loaded machine; only a hang reaches it.
constexpr int kDoneMs = 60000;

bool process_gone(qint64 pid) {
  // Gone, or a zombie waiting for init to collect it.
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return true;
  return stat.readAll().split(' ').value(2) == "Z";
}

}  // namespace

class PrintJobTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch_->isValid());
    record_ = scratch_->filePath(QStringLiteral("lp-record"));
    qputenv("PATH", QByteArray(FAKE_LP_DIR ":") + system_path_);
    // A Japanese user's locale: lp must still answer in words we know.
    qputenv("LC_ALL", "ja_JP.UTF-8");
    qputenv("FAKE_LP_RECORD", record_.toUtf8());
    qputenv("FAKE_LP_MODE", "accept");
    qputenv("FAKE_LPSTAT_MODE", "up");
    window_.setWindowTitle(QStringLiteral("Form1"));
    window_.resize(200, 100);
  }

  void cleanup() {
    qputenv("PATH", system_path_);
    qunsetenv("LC_ALL");
    scratch_.reset();
  }

  void each_ending_tells_the_user_data() {
    QTest::addColumn<QByteArray>("lp");
    QTest::addColumn<QByteArray>("service");
    QTest::addColumn<QString>("message");  // empty: the job was accepted
    QTest::newRow("accepted")
        << QByteArray("accept") << QByteArray("up") << QString();
    QTest::newRow("no default printer")
        << QByteArray("no-default") << QByteArray("up")
        << QStringLiteral("プリンターが設定されていません。");
    QTest::newRow("print service not running")
        << QByteArray("no-default") << QByteArray("down")
        << QStringLiteral("印刷サービス（CUPS）に接続できません。");
    QTest::newRow("refused, with lp's words as the detail")
        << QByteArray("refused") << QByteArray("up")
        << QStringLiteral(
               "プリンターに送れませんでした。\n"
               "lp: Error - The printer or class does not exist.");
    QTest::newRow("lp ended by a signal")
        << QByteArray("killed") << QByteArray("up")
        << QStringLiteral(
               "プリンターに送れませんでした。\n"
               "lp が途中で終了しました。");
    QTest::newRow("no answer within the bound")
        << QByteArray("hang") << QByteArray("up")
        << QStringLiteral("プリンターが応答しません。");
    QTest::newRow("lp missing")
        << QByteArray("missing") << QByteArray("up")
        << QStringLiteral("印刷に使う lp コマンドが見つかりません。");
  }

  void each_ending_tells_the_user() {
    QFETCH(QByteArray, lp);
    QFETCH(QByteArray, service);
    QFETCH(QString, message);
    qputenv("FAKE_LP_MODE", lp);
    qputenv("FAKE_LPSTAT_MODE", service);
    if (lp == "missing") qputenv("PATH", scratch_->path().toUtf8());

    const QStringList record = print({.accept_bound = 500ms});
    QCOMPARE(failures_,
             message.isEmpty() ? QStringList() : QStringList{message});
    if (lp == "missing") return;
    // lp read the whole page through a pipe, never from a file, in a
    // locale whose messages are recognised.
    QVERIFY2(record.value(0).startsWith(QStringLiteral("pipe:")),
             qPrintable(record.join(u'|')));
    QVERIFY2(record.value(1).trimmed().toInt() > 1000,
             qPrintable(record.join(u'|')));
    QCOMPARE(record.value(2), QStringLiteral("LC_ALL=C.UTF-8"));
    // What lp started ends with it.
    const QString child = record.filter(QStringLiteral("child ")).value(0);
    if (!child.isEmpty()) QTRY_VERIFY(process_gone(child.mid(6).toLongLong()));
  }

  void a_second_press_within_a_second_prints_nothing_more() {
    toric::PrintJob job(nullptr);  // the shipped guard
    QElapsedTimer since_press;
    since_press.start();
    job.start(window_);
    QTRY_VERIFY_WITH_TIMEOUT(!job.pending(), kDoneMs);
    // Late in the second, as a slow double-click's second press comes.
    QTest::qWait(qMax(0, 800 - static_cast<int>(since_press.elapsed())));
    if (since_press.elapsed() >= 950) QSKIP("lp took most of the second");
    job.start(window_);
    QVERIFY(!job.pending());
    // The guard counts from the press and from lp's end, both before now:
    // a full second from here is past it.
    QTest::qWait(1050);
    job.start(window_);  // a reprint
    QVERIFY(job.pending());
    QTRY_VERIFY_WITH_TIMEOUT(!job.pending(), kDoneMs);
  }

  // A print that outlasts the guard (lp answering only at its bound): the
  // guard counts again from its end, so a press right after it prints
  // nothing more.
  void a_press_right_after_a_slow_print_ends_prints_nothing_more() {
    qputenv("FAKE_LP_MODE", "hang");
    toric::PrintJob job(nullptr,
                        {.accept_bound = 1500ms, .repeat_guard = 800ms});
    job.start(window_);
    QTRY_VERIFY_WITH_TIMEOUT(!job.pending(), kDoneMs);
    QElapsedTimer since_end;
    since_end.start();
    job.start(window_);
    if (since_end.elapsed() >= 700) QSKIP("the press came late");
    QVERIFY(!job.pending());
    QTest::qWait(900);
    qputenv("FAKE_LP_MODE", "accept");
    job.start(window_);  // past the guard: a reprint
    QVERIFY(job.pending());
    QTRY_VERIFY_WITH_TIMEOUT(!job.pending(), kDoneMs);
  }

 private:
  // Prints the window and waits for the end; returns what lp recorded.
  QStringList print(toric::PrintLimits limits) {
    failures_.clear();
    toric::PrintJob job(nullptr, limits);
    connect(&job, &toric::PrintJob::failed, this,
            [this](const QString& reason) { failures_ << reason; });
    job.start(window_);
    if (!QTest::qWaitFor([&job] { return !job.pending(); }, kDoneMs)) {
      return {QStringLiteral("still pending")};
    }
    QFile file(record_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  }

  const QByteArray system_path_ = qgetenv("PATH");
  std::unique_ptr<QTemporaryDir> scratch_;
  QString record_;
  QLabel window_;
  QStringList failures_;
};

QTEST_MAIN(PrintJobTest)
#include "print_job_test.moc"
