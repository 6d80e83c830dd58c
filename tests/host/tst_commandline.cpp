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
        QTest::newRow("--help lists --scene-scale") << QStringList{"--help"} << 0 << QStringLiteral("--scene-scale")
                                                    << QString();
        QTest::newRow("scene scale too small") << QStringList{"--scene-scale=0.1"} << 2 << QString() << usage;
        QTest::newRow("scene scale not a number") << QStringList{"--scene-scale", "half"} << 2 << QString() << usage;
        QTest::newRow("scene scale without value") << QStringList{"--scene-scale"} << 2 << QString() << usage;
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
            QVERIFY2(stdOut.startsWith(out) || (out.startsWith("--") && stdOut.contains(out)), qPrintable(stdOut));
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

    void sceneScale_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<double>("scale");
        QTest::newRow("default adapts") << QStringList{} << int(joyvant::CommandLine::Run) << 0.0;
        QTest::newRow("auto") << QStringList{"--scene-scale", "auto"} << int(joyvant::CommandLine::Run) << 0.0;
        QTest::newRow("full picture") << QStringList{"--scene-scale=1"} << int(joyvant::CommandLine::Run) << 1.0;
        QTest::newRow("half, separate value") << QStringList{"--scene-scale", "0.5"} << int(joyvant::CommandLine::Run)
                                              << 0.5;
        QTest::newRow("quarter, single dash") << QStringList{"-scene-scale=0.25"} << int(joyvant::CommandLine::Run)
                                              << 0.25;
        QTest::newRow("beside Qt options") << QStringList{"-platform", "xcb", "--scene-scale=0.75", "-reverse"}
                                           << int(joyvant::CommandLine::Run) << 0.75;
        QTest::newRow("above one") << QStringList{"--scene-scale=1.5"} << int(joyvant::CommandLine::Fail) << 0.0;
        QTest::newRow("below a quarter") << QStringList{"--scene-scale", "0.2"} << int(joyvant::CommandLine::Fail)
                                         << 0.0;
        QTest::newRow("empty") << QStringList{"--scene-scale="} << int(joyvant::CommandLine::Fail) << 0.0;
        QTest::newRow("not a number") << QStringList{"--scene-scale", "nan"} << int(joyvant::CommandLine::Fail) << 0.0;
    }

    void sceneScale()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(double, scale);
        arguments.prepend(QStringLiteral("joyvant"));
        const joyvant::CommandLine parsed = joyvant::parseCommandLine(arguments);
        QCOMPARE(int(parsed.action), action);
        QCOMPARE(parsed.sceneScale, scale);
        if (action == int(joyvant::CommandLine::Fail))
            QVERIFY(parsed.error.contains(QStringLiteral("0.25 to 1")));
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
