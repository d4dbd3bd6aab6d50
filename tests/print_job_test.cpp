// Printing through a stand-in lp put first on PATH: every way a print can
// end, what the user is told, and that no page or process is left behind.
#include "print_job.h"

#include <signal.h>
#include <sys/resource.h>

#include <QDir>
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
    QVERIFY(QDir(scratch_->path()).mkdir(QStringLiteral("tmp")));
    record_ = scratch_->filePath(QStringLiteral("lp-record"));
    qputenv("PATH", QByteArray(FAKE_LP_DIR ":") + system_path_);
    qputenv("TMPDIR", scratch_->filePath(QStringLiteral("tmp")).toUtf8());
    qputenv("FAKE_LP_RECORD", record_.toUtf8());
    qputenv("FAKE_LP_MODE", "accept");
    qputenv("FAKE_LPSTAT_MODE", "up");
    window_.setWindowTitle(QStringLiteral("Form1"));
    window_.resize(200, 100);
  }

  void cleanup() {
    qputenv("PATH", system_path_);
    qunsetenv("TMPDIR");
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
    // lp got the whole page from a private folder in TMPDIR, which is gone.
    QVERIFY2(record.value(0).startsWith(
                 scratch_->filePath(QStringLiteral("tmp/toric-"))),
             qPrintable(record.join(u'|')));
    QVERIFY2(record.value(1).trimmed().toInt() > 1000,
             qPrintable(record.join(u'|')));
    QCOMPARE(QDir(scratch_->filePath(QStringLiteral("tmp")))
                 .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList());
    // What lp started ends with it.
    const QString child = record.filter(QStringLiteral("child ")).value(0);
    if (!child.isEmpty()) QTRY_VERIFY(process_gone(child.mid(6).toLongLong()));
  }

  void a_page_that_cannot_be_written_whole_is_never_sent() {
    // A file that cannot grow past 512 bytes, as on a full disk.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QStringList record = print({});
    setrlimit(RLIMIT_FSIZE, &saved);

    QCOMPARE(failures_.size(), 1);
    QVERIFY2(failures_[0].startsWith(
                 QStringLiteral("印刷するページを作れませんでした。\n")),
             qPrintable(failures_[0]));
    QCOMPARE(record, QStringList());  // lp never ran
  }

  void an_unusable_tmpdir_puts_the_page_in_tmp() {
    qputenv("TMPDIR", "/nonexistent/toric-test");
    const QStringList record = print({});
    QCOMPARE(failures_, QStringList());
    QVERIFY2(record.value(0).startsWith(QStringLiteral("/tmp/toric-")),
             qPrintable(record.join(u'|')));
  }

  void a_second_press_soon_after_prints_nothing_more() {
    for (const auto guard : {10000ms, 0ms}) {
      toric::PrintJob job(nullptr, {.repeat_guard = guard});
      job.start(window_);
      QTRY_VERIFY_WITH_TIMEOUT(!job.pending(), kDoneMs);
      job.start(window_);  // the double-click's second press, or a reprint
      QCOMPARE(job.pending(), guard == 0ms);
      QTRY_VERIFY_WITH_TIMEOUT(!job.pending(), kDoneMs);
    }
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
