// The file message handler and createPath, exercised in temporary working directories.
#include "filelog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtConcurrent>
#include <QtTest>

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

    void fileInPlaceOfTheFolderLosesLines()
    {
        QVERIFY(QDir(QStringLiteral("log")).removeRecursively());
        QFile blocker(QStringLiteral("log"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
        blocker.close();

        logDirectly(QtWarningMsg, QStringLiteral("lost"));
        QVERIFY(QFileInfo(QStringLiteral("log")).isFile());
        QFile check(QStringLiteral("log"));
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("not a folder"));
    }

    void workingDirectoryChangeMovesLines()
    {
        logDirectly(QtDebugMsg, QStringLiteral("first folder"));

        QTemporaryDir second;
        QVERIFY(QDir(second.path()).mkdir(QStringLiteral("log")));
        QVERIFY(QDir::setCurrent(second.path()));
        logDirectly(QtDebugMsg, QStringLiteral("second folder"));

        QTemporaryDir third; // no log folder: the line is lost, nothing is created
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
