// The file message handler and createPath, exercised in temporary working directories.
#include "filelog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtConcurrent>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sched.h>
#endif

using joyvant::createPath;
using joyvant::fileMessageHandler;

namespace {

const QRegularExpression kLine(QStringLiteral(R"(^\(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \) (.*)$)"),
                               QRegularExpression::DotMatchesEverythingOption);

QByteArray readLog(const QString &folder)
{
    QFile file(folder + QStringLiteral("/log/gamepad.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Splits on CR LF; a line break inside a message stays inside its line.
QList<QByteArray> logLines(const QString &folder)
{
    QByteArray text = readLog(folder);
    QList<QByteArray> lines;
    int start = 0;
    for (int end; (end = text.indexOf("\r\n", start)) >= 0; start = end + 2)
        lines << text.mid(start, end - start);
    if (start < text.size())
        lines << text.mid(start); // an unterminated tail: never expected
    return lines;
}

void logDirectly(QtMsgType type, const QString &message)
{
    fileMessageHandler(type, QMessageLogContext(), message);
}

#ifdef Q_OS_UNIX
// Standard error sent to a file while it lives; text() is what was written there.
class StderrCapture
{
public:
    StderrCapture()
    {
        std::fflush(stderr);
        m_file.setAutoRemove(true);
        if (m_file.open()) {
            m_saved = ::dup(STDERR_FILENO);
            ::dup2(m_file.handle(), STDERR_FILENO);
        }
    }
    ~StderrCapture() { restore(); }
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QByteArray text()
    {
        std::fflush(stderr);
        QFile file(m_file.fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

// Lets go of a writer that waits to open a named pipe: after the time-out it opens the
// pipe for reading, again and again, and remembers whether anything was written into it.
class PipeReaderStandIn
{
public:
    PipeReaderStandIn(const QString &path, std::chrono::milliseconds timeout)
        : m_path(QFile::encodeName(path))
        , m_thread([this, timeout] { run(timeout); })
    {
    }
    ~PipeReaderStandIn()
    {
        m_done = true;
        m_thread.join();
    }
    bool written() const { return m_written; }

private:
    void run(std::chrono::milliseconds timeout)
    {
        const auto until = std::chrono::steady_clock::now() + timeout;
        while (!m_done && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!m_done) {
            const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
            if (fd >= 0) {
                char buffer[256];
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (::read(fd, buffer, sizeof buffer) > 0)
                    m_written = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    const QByteArray m_path;
    std::atomic<bool> m_done {false};
    std::atomic<bool> m_written {false};
    std::thread m_thread;
};
#endif

} // namespace

class TestFileLog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_previousDir = QDir::currentPath();
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir::setCurrent(m_dir->path()));
        QVERIFY(QDir().mkdir(QStringLiteral("log")));
    }

    void cleanup()
    {
        qInstallMessageHandler(nullptr);
        QDir::setCurrent(m_previousDir);
        m_dir.reset();
    }

    void lineFormat_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("plain") << QStringLiteral("Device Connected, deviceId= 0 ,total: 1");
        QTest::newRow("empty") << QString();
        QTest::newRow("placeholders") << QStringLiteral("100%1 and %2 %L1");
        QTest::newRow("inner line break") << QStringLiteral("first\nsecond");
        QTest::newRow("non-ascii") << QStringLiteral("Fennix caf\u00e9");
    }

    void lineFormat()
    {
        QFETCH(QString, message);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        logDirectly(QtDebugMsg, message);
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        const QByteArray text = readLog(m_dir->path());
        QVERIFY(text.endsWith("\r\n"));
        const QString line = QString::fromLocal8Bit(text.left(text.size() - 2));
        const QRegularExpressionMatch match = kLine.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(match.captured(1), message);
        // 23 characters precede the message: "(yyyy-MM-dd hh:mm:ss ) ".
        QCOMPARE(line.indexOf(message), message.isEmpty() ? 0 : 23);
        QVERIFY(line.startsWith(QLatin1Char('(')));
        const QDateTime stamp = QDateTime::fromString(line.mid(1, 19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QVERIFY(stamp.isValid());
        QVERIFY(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after);
        if (message.isEmpty())
            QVERIFY(text.endsWith(") \r\n"));
    }

    void everyTypeHasTheSameShape()
    {
        qInstallMessageHandler(fileMessageHandler);
        qDebug("debug line");
        qInfo("info line");
        qWarning("warning line");
        qCritical("critical line");
        qInstallMessageHandler(nullptr);
        logDirectly(QtFatalMsg, QStringLiteral("fatal line")); // only the handler, not abort()

        const QList<QByteArray> lines = logLines(m_dir->path());
        const QStringList expected
            = {QStringLiteral("debug line"), QStringLiteral("info line"), QStringLiteral("warning line"),
               QStringLiteral("critical line"), QStringLiteral("fatal line")};
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i) {
            const QRegularExpressionMatch match = kLine.match(QString::fromLocal8Bit(lines.at(i)));
            QVERIFY(match.hasMatch());
            QCOMPARE(match.captured(1), expected.at(i));
        }
    }

    void appendsAcrossCalls()
    {
        logDirectly(QtInfoMsg, QStringLiteral("one"));
        logDirectly(QtInfoMsg, QStringLiteral("two"));
        const QList<QByteArray> lines = logLines(m_dir->path());
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).endsWith(") one"));
        QVERIFY(lines.at(1).endsWith(") two"));
    }

    // The handler logs "Log will be output to file:" itself. Qt hands that nested message
    // to its fallback output, so the call returns (no self-deadlock on the non-recursive
    // lock) and the file holds only the caller's line.
    void nestedMessageStaysOutOfTheFile()
    {
        qInstallMessageHandler(fileMessageHandler);
        qDebug("outer");
        qInstallMessageHandler(nullptr);
        const QByteArray text = readLog(m_dir->path());
        QVERIFY(!text.contains("Log will be output to file:"));
        QCOMPARE(logLines(m_dir->path()).size(), 1);
    }

    void concurrentThreadsWriteWholeLines()
    {
        constexpr int threads = 8;
        constexpr int perThread = 1000;
        QThreadPool pool;
        pool.setMaxThreadCount(threads);
        QVector<QFuture<void>> futures;
        for (int t = 0; t < threads; ++t) {
            futures << QtConcurrent::run(&pool, [t] {
                for (int i = 0; i < perThread; ++i)
                    logDirectly(QtDebugMsg, QStringLiteral("thread %1 message %2 end").arg(t).arg(i));
            });
        }
        for (QFuture<void> &future : futures)
            future.waitForFinished();

        const QList<QByteArray> lines = logLines(m_dir->path());
        QCOMPARE(lines.size(), threads * perThread);
        const QRegularExpression body(QStringLiteral(R"(^thread (\d) message (\d+) end$)"));
        QVector<int> next(threads, 0);
        for (const QByteArray &line : lines) {
            const QRegularExpressionMatch outer = kLine.match(QString::fromLatin1(line));
            QVERIFY2(outer.hasMatch(), line.constData());
            const QRegularExpressionMatch inner = body.match(outer.captured(1));
            QVERIFY2(inner.hasMatch(), line.constData());
            const int thread = inner.captured(1).toInt();
            // Each thread's lines appear in the order it wrote them.
            QCOMPARE(inner.captured(2).toInt(), next[thread]++);
        }
    }

    // The file cannot be opened: told once on standard error with the reason, every line
    // still reaches standard error, and nothing is written over the file in the way.
    void fileInPlaceOfTheFolderIsToldOnce()
    {
#ifndef Q_OS_UNIX
        QSKIP("Standard error is captured on Unix only");
#else
        QVERIFY(QDir(QStringLiteral("log")).removeRecursively());
        QFile blocker(QStringLiteral("log"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
        blocker.close();

        StderrCapture err;
        logDirectly(QtWarningMsg, QStringLiteral("lost one"));
        logDirectly(QtWarningMsg, QStringLiteral("lost two"));
        logDirectly(QtWarningMsg, QStringLiteral("lost three"));
        const QByteArray text = err.text();
        err.restore();

        QCOMPARE(text.count("cannot write the log file"), 1);
        QVERIFY2(text.contains(QFile::encodeName(m_dir->path() + QStringLiteral("/log/gamepad.log"))),
                 text.constData());
        QVERIFY2(text.contains("(Not a directory)"), text.constData());
        QVERIFY(text.contains(") lost one\n"));
        QVERIFY(text.contains(") lost two\n"));
        QVERIFY(text.contains(") lost three\n"));
        QVERIFY(QFileInfo(QStringLiteral("log")).isFile());
        QFile check(QStringLiteral("log"));
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("not a folder"));
#endif
    }

    // Once the file takes lines again, a new failure is told again.
    void recoveryEndsTheFailure()
    {
#ifndef Q_OS_UNIX
        QSKIP("Standard error is captured on Unix only");
#else
        QVERIFY(QDir(QStringLiteral("log")).removeRecursively());
        StderrCapture err;
        logDirectly(QtInfoMsg, QStringLiteral("no folder"));
        QVERIFY(QDir().mkdir(QStringLiteral("log")));
        logDirectly(QtInfoMsg, QStringLiteral("in the file"));
        QVERIFY(QDir(QStringLiteral("log")).removeRecursively());
        logDirectly(QtInfoMsg, QStringLiteral("no folder again"));
        const QByteArray text = err.text();
        err.restore();
        QCOMPARE(text.count("cannot write the log file"), 2);
        QVERIFY(text.contains("(No such file or directory)"));
        QVERIFY(!text.contains("in the file"));
        QVERIFY(QDir().mkdir(QStringLiteral("log"))); // for cleanup's sake
#endif
    }

    // A named pipe in the file's place is refused at once: the handler never waits for a
    // reader. The stand-in reader lets a handler that does wait go, so the test fails
    // instead of hanging.
    void namedPipeIsRefusedWithoutWaiting()
    {
#ifndef Q_OS_UNIX
        QSKIP("Named pipes in the file system exist on Unix only");
#else
        const QString path = m_dir->path() + QStringLiteral("/log/gamepad.log");
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        StderrCapture err;
        QElapsedTimer clock;
        clock.start();
        {
            PipeReaderStandIn reader(path, std::chrono::seconds(5));
            logDirectly(QtWarningMsg, QStringLiteral("not into a pipe"));
            QVERIFY2(clock.elapsed() < 4000, "the handler waited on the pipe");
            QVERIFY(!reader.written());
        }
        const QByteArray text = err.text();
        err.restore();
        QCOMPARE(text.count("cannot write the log file"), 1);
        QVERIFY2(text.contains("not a regular file"), text.constData());
        QVERIFY(text.contains(") not into a pipe\n"));
#endif
    }

    void linkToDeviceIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("Symbolic links and /dev/null are Unix things");
#else
        const QString path = m_dir->path() + QStringLiteral("/log/gamepad.log");
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
        StderrCapture err;
        logDirectly(QtWarningMsg, QStringLiteral("not into a device"));
        const QByteArray text = err.text();
        err.restore();
        QCOMPARE(text.count("cannot write the log file"), 1);
        QVERIFY2(text.contains("not a regular file"), text.constData());
        QVERIFY(text.contains(") not into a device\n"));
#endif
    }

    void linkToRegularFileIsFollowed()
    {
#ifndef Q_OS_UNIX
        QSKIP("Symbolic links are a Unix thing here");
#else
        const QString target = m_dir->path() + QStringLiteral("/elsewhere.log");
        QVERIFY(QFile::link(target, m_dir->path() + QStringLiteral("/log/gamepad.log")));
        StderrCapture err;
        logDirectly(QtInfoMsg, QStringLiteral("through the link"));
        const QByteArray text = err.text();
        err.restore();
        QVERIFY2(!text.contains("cannot write the log file"), text.constData());
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith(") through the link\r\n"));
#endif
    }

    // The write itself fails (the file may not grow): the kernel's file size limit stands in
    // for a full disk, without needing to mount one.
    void failedWriteIsToldOnce()
    {
#ifndef Q_OS_UNIX
        QSKIP("Resource limits are a Unix thing");
#else
        const QString path = m_dir->path() + QStringLiteral("/log/gamepad.log");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(QByteArray(4096, 'x')) == 4096);
        }
        struct rlimit saved;
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
        StderrCapture err;
        struct rlimit limit = saved;
        limit.rlim_cur = 4096;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        logDirectly(QtWarningMsg, QStringLiteral("past the limit"));
        logDirectly(QtWarningMsg, QStringLiteral("past it again"));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousSignal);
        const QByteArray text = err.text();
        err.restore();
        QCOMPARE(text.count("cannot write the log file"), 1);
        QVERIFY2(text.contains("(File too large)"), text.constData());
        QVERIFY(text.contains(") past the limit\n"));
        QVERIFY(text.contains(") past it again\n"));
        QCOMPARE(QFileInfo(path).size(), qint64(4096));
#endif
    }

    // A real full disk: a tiny tmpfs mounted over the log folder, in a mount namespace of
    // this thread's own. Skipped where mounting is not allowed.
    void fullDiskIsToldOnce()
    {
#ifndef Q_OS_LINUX
        QSKIP("Mount namespaces are a Linux thing");
#else
        // The mount is seen by this thread only (its own namespace), and the handler runs
        // here; the test's files are read back through the same thread.
        const QString folder = m_dir->path() + QStringLiteral("/log");
        if (unshare(CLONE_NEWNS | CLONE_FS) != 0)
            QSKIP("No mount namespace of its own (needs CAP_SYS_ADMIN)");
        if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=8k") != 0)
            QSKIP("tmpfs cannot be mounted here");
        {
            // Fill it up.
            QFile filler(folder + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(1024, 'f')) == 1024 && filler.flush()) { }
        }
        StderrCapture err;
        logDirectly(QtWarningMsg, QStringLiteral("no room"));
        logDirectly(QtWarningMsg, QStringLiteral("still no room"));
        const QByteArray text = err.text();
        err.restore();
        umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
        QCOMPARE(text.count("cannot write the log file"), 1);
        QVERIFY2(text.contains("(No space left on device)"), text.constData());
        QVERIFY(text.contains(") still no room\n"));
#endif
    }

    void workingDirectoryChangeMovesLines()
    {
        logDirectly(QtDebugMsg, QStringLiteral("first folder"));

        QTemporaryDir second;
        QVERIFY(QDir(second.path()).mkdir(QStringLiteral("log")));
        QVERIFY(QDir::setCurrent(second.path()));
        logDirectly(QtDebugMsg, QStringLiteral("second folder"));

        QTemporaryDir third; // no log folder: the line goes to stderr, nothing is created
        QVERIFY(QDir::setCurrent(third.path()));
        logDirectly(QtDebugMsg, QStringLiteral("third folder"));

        QCOMPARE(logLines(m_dir->path()).size(), 1);
        QVERIFY(readLog(m_dir->path()).contains("first folder"));
        QCOMPARE(logLines(second.path()).size(), 1);
        QVERIFY(readLog(second.path()).contains("second folder"));
        QVERIFY(!QFileInfo::exists(third.path() + QStringLiteral("/log")));
    }

    void createPathKeepsAnExistingFolder()
    {
        const QString path = m_dir->path() + QStringLiteral("/log");
        const QStringList before = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(createPath(path), path);
        QCOMPARE(QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    void createPathMakesMissingFoldersOutermostFirst()
    {
        const QString x = m_dir->path() + QStringLiteral("/x");
        QVERIFY(QDir().mkdir(x));
        const QString xyz = x + QStringLiteral("/y/z");
        QCOMPARE(createPath(xyz), xyz);
        QVERIFY(QFileInfo(x + QStringLiteral("/y")).isDir());
        QVERIFY(QFileInfo(xyz).isDir());
    }

    void createPathKeepsATrailingSlash()
    {
        const QString path = m_dir->path() + QStringLiteral("/a/b/");
        QCOMPARE(createPath(path), path);
        QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/a/b")).isDir());
        QCOMPARE(QDir(m_dir->path() + QStringLiteral("/a/b")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void createPathWithoutSlashEnds()
    {
        // A bare name is made in the working directory; no endless recursion.
        QCOMPARE(createPath(QStringLiteral("plain")), QStringLiteral("plain"));
        QVERIFY(QFileInfo(m_dir->path() + QStringLiteral("/plain")).isDir());
    }

private:
    QString m_previousDir;
    QScopedPointer<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestFileLog)
#include "tst_filelog.moc"
