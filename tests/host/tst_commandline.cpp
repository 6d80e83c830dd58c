// The program's own command line (--help, --version, unknown options) run as a real
// process, without a display; and where the scene list is looked for.
#include "commandline.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void program_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString usage = QStringLiteral("Usage: joyvant");
        const QString version = QStringLiteral("joyvant " JOYVANT_VERSION "\n");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << QString();
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << QString();
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
        QTest::newRow("-v after a Qt option") << QStringList{"-platform", "offscreen", "-v"} << 0 << version
                                              << QString();
        QTest::newRow("unknown long") << QStringList{"--fullscreen"} << 2 << QString() << usage;
        QTest::newRow("unknown short") << QStringList{"-x"} << 2 << QString() << usage;
        QTest::newRow("unknown before --help") << QStringList{"--bogus", "--help"} << 2 << QString() << usage;
    }

    void program()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY")); // must not need one
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(JOYVANT_BIN_DIR "/joyvant"), arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        const QString stdOut = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString stdErr = QString::fromLocal8Bit(process.readAllStandardError());
        if (out.isEmpty())
            QCOMPARE(stdOut, QString());
        else
            QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
        if (err.isEmpty())
            QCOMPARE(stdErr, QString());
        else
            QVERIFY2(stdErr.contains(err) && stdErr.contains(arguments.first()), qPrintable(stdErr));
    }

    void parsing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::newRow("nothing") << QStringList{} << int(joyvant::CommandLine::Run);
        QTest::newRow("plain argument") << QStringList{"file.txt"} << int(joyvant::CommandLine::Run);
        QTest::newRow("Qt option with its value") << QStringList{"-platform", "--help"} << int(joyvant::CommandLine::Run);
        QTest::newRow("Qt option, double dash") << QStringList{"--style", "Fusion"} << int(joyvant::CommandLine::Run);
        QTest::newRow("Qt flag") << QStringList{"-reverse"} << int(joyvant::CommandLine::Run);
        QTest::newRow("debugger") << QStringList{"-qmljsdebugger=port:1234"} << int(joyvant::CommandLine::Run);
        QTest::newRow("after --") << QStringList{"--", "--bogus"} << int(joyvant::CommandLine::Run);
        QTest::newRow("prefix of an option") << QStringList{"--hel"} << int(joyvant::CommandLine::Fail);
    }

    void parsing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        arguments.prepend(QStringLiteral("joyvant"));
        QCOMPARE(int(joyvant::parseCommandLine(arguments).action), action);
    }

    void sceneList()
    {
        QTemporaryDir work, program;
        QVERIFY(work.isValid() && program.isValid());
        // Neither folder has a list: the working directory's name, as before.
        QCOMPARE(joyvant::sceneListUrl(work.path(), program.path()), QUrl(QStringLiteral("file:scenes.json")));

        QFile shipped(QDir(program.path()).filePath(QStringLiteral("scenes.json")));
        QVERIFY(shipped.open(QIODevice::WriteOnly));
        shipped.close();
        QCOMPARE(joyvant::sceneListUrl(work.path(), program.path()), QUrl::fromLocalFile(shipped.fileName()));

        // A folder named scenes.json is no list.
        QVERIFY(QDir(work.path()).mkdir(QStringLiteral("scenes.json")));
        QCOMPARE(joyvant::sceneListUrl(work.path(), program.path()), QUrl::fromLocalFile(shipped.fileName()));
        QVERIFY(QDir(work.path()).rmdir(QStringLiteral("scenes.json")));

        QFile own(QDir(work.path()).filePath(QStringLiteral("scenes.json")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.close();
        QCOMPARE(joyvant::sceneListUrl(work.path(), program.path()), QUrl::fromLocalFile(own.fileName()));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)

#include "tst_commandline.moc"
