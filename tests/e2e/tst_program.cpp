// End to end: build/bin/joyvant started in a temporary working directory on the
// suite's X server, its window found and driven with xdotool, its log file read back.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "../support/pipewatchdog.h"

namespace {

const QString kProgram = QStringLiteral(JOYVANT_BIN_DIR "/joyvant");

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

struct Geometry
{
    int x = -1, y = -1, width = 0, height = 0;
};

Geometry windowGeometry(const QString &window)
{
    Geometry g;
    const QStringList lines
        = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
              .split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = line.left(eq);
        const int value = line.mid(eq + 1).toInt();
        if (key == QLatin1String("X"))
            g.x = value;
        else if (key == QLatin1String("Y"))
            g.y = value;
        else if (key == QLatin1String("WIDTH"))
            g.width = value;
        else if (key == QLatin1String("HEIGHT"))
            g.height = value;
    }
    return g;
}

void xdo(const QStringList &arguments)
{
    runTool(QStringLiteral("xdotool"), arguments);
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (24 - 8 * i));
    return bytes;
}

// The start of a PNG whose header says width x height: all a size check reads.
QByteArray pngHeader(quint32 width, quint32 height)
{
    QByteArray chunk
        = QByteArray("IHDR") + bigEndian32(width) + bigEndian32(height) + QByteArray("\x08\x02\x00\x00\x00", 5);
    quint32 crc = 0xffffffffu;
    for (const char c : chunk) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + bigEndian32(13) + chunk + bigEndian32(crc ^ 0xffffffffu)
        + bigEndian32(0) + QByteArray("IDAT") + bigEndian32(0x35af061e);
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "run the suite on an X server (tools/quickstart test)");
        QVERIFY(QFileInfo(kProgram).isExecutable());
    }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_process.reset(new QProcess);
        m_process->setWorkingDirectory(m_dir->path());
        m_process->setProcessChannelMode(QProcess::MergedChannels);
    }

    void cleanup()
    {
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
        m_process.reset();
        m_dir.reset();
    }

    void logsToFileAndClosesThroughItsButton()
    {
        start({{QStringLiteral("JOYVANT_LOGTOFILE"), QStringLiteral("1")}});
        const QString window = waitForWindow();
        QVERIFY(!window.isEmpty());

        const QString logPath = m_dir->path() + QStringLiteral("/log/gamepad.log");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(logPath).size() > 0, 10000);
        QFile log(logPath);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        const int end = text.indexOf("\r\n");
        QVERIFY(end > 0);
        const QRegularExpression first(QStringLiteral(
            R"(^\(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \) Surfrace format: QSurfaceFormat\(version 3\.3, .*CoreProfile\)$)"));
        QVERIFY2(first.match(QString::fromLocal8Bit(text.left(end))).hasMatch(), text.left(end).constData());

        // The handler's own notice goes to the fallback output, never into the file.
        QVERIFY(!text.contains("Log will be output to file:"));

        clickCloseButton(window);
        QVERIFY(m_process->waitForFinished(15000));
        QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_process->exitCode(), 0);
        QFile after(logPath);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QVERIFY(after.readAll().contains(") Application closed\r\n"));
        QVERIFY(readOutput().contains("Log will be output to file:"));
    }

    void windowIsFramelessAtDesignSize()
    {
        start();
        const QString window = waitForWindow();
        QVERIFY(!window.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(windowGeometry(window).width, 1280, 10000);
        QCOMPARE(windowGeometry(window).height, 800);
        // Qt asks the window manager for no decorations at all through the Motif hints:
        // flags "decorations" (2), decorations none (0).
        const QString hints
            = runTool(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_MOTIF_WM_HINTS")});
        // _MOTIF_WM_HINTS = flags, functions, decorations, input mode, status.
        const QStringList fields = hints.section(QLatin1Char('='), 1).split(QLatin1Char(','));
        QVERIFY2(fields.size() >= 3, qPrintable(hints));
        QVERIFY(fields.at(0).trimmed().toUInt(nullptr, 16) & 0x2); // decorations field is set
        QCOMPARE(fields.at(2).trimmed().toUInt(nullptr, 16), 0u); // ... to none
    }

    void dragStripMovesTheWindowTitleDoesNot()
    {
        start();
        const QString window = waitForWindow();
        QVERIFY(!window.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(windowGeometry(window).width == 1280, 10000);
        const Geometry before = windowGeometry(window);

        // Pressing the title and moving leaves the window where it is.
        drag(before.x + 80, before.y + 36, 120, 60);
        QTest::qWait(300); // the window must *not* move: give a wrong move time to show
        const Geometry still = windowGeometry(window);
        QCOMPARE(still.x, before.x);
        QCOMPARE(still.y, before.y);

        // The strip (x 235 to 1185 of the bar) follows the pointer.
        drag(before.x + 600, before.y + 20, 120, 60);
        QTRY_COMPARE_WITH_TIMEOUT(windowGeometry(window).x, before.x + 120, 5000);
        QCOMPARE(windowGeometry(window).y, before.y + 60);
    }

    // The program starts its first shipped scene without a note from Qt's shader effect
    // (a uniform without a property, a shader without qt_Opacity; every shipped shader
    // is checked on its own by the catalogue test). The pie menu closed by a click on its
    // centre or by Escape lets the media button beneath it answer again. The X server
    // hands the program each click and key in the order they were made, so no step
    // waits for the one before.
    void startsQuietlyAndTheMenuCloses()
    {
        start();
        const QString window = waitForWindow();
        QVERIFY(!window.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(windowGeometry(window).width == 1280, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("currentIndex=0"), 10000);
        const Geometry g = windowGeometry(window);
        // The media button and the menu share their centre, in the middle of the bottom
        // area (y 480 to 780); the menu's ring runs from radius 37.5 to 150, and the
        // media button's left end lies under the ring's previous-scene sector.
        const int cx = g.x + 640, cy = g.y + 630;
        const auto clicks = [this] { return readOutput().count("Mediabutton clicked"); };

        click(cx, cy); // the media button opens the menu
        click(cx, cy); // its centre closes it
        click(cx - 130, cy);
        QTRY_COMPARE_WITH_TIMEOUT(clicks(), 2, 20000);
        xdo({QStringLiteral("key"), QStringLiteral("Escape")});
        click(cx - 130, cy);
        QTRY_COMPARE_WITH_TIMEOUT(clicks(), 3, 20000);
        QCOMPARE(readOutput().count("currentIndex="), 1); // no click reached a sector

        const QByteArray text = readOutput();
        QVERIFY2(!text.contains("does not have a matching property"), text.constData());
        QVERIFY2(!text.contains("qt_Opacity"), text.constData());
        clickCloseButton(window);
        QVERIFY(m_process->waitForFinished(15000));
    }

    void loggingSwitchMustMatchExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("zero") << QStringLiteral("JOYVANT_LOGTOFILE") << QStringLiteral("0");
        QTest::newRow("true") << QStringLiteral("JOYVANT_LOGTOFILE") << QStringLiteral("true");
        QTest::newRow("trailing blank") << QStringLiteral("JOYVANT_LOGTOFILE") << QStringLiteral("1 ");
        QTest::newRow("lower case") << QStringLiteral("joyvant_logtofile") << QStringLiteral("1");
        QTest::newRow("mixed case") << QStringLiteral("Joyvant_LogToFile") << QStringLiteral("1");
    }

    void loggingSwitchMustMatchExactly()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        start({{name, value}});
        QVERIFY2(!waitForWindow().isEmpty(), readOutput().constData());
        // Messages went to the default output instead.
        QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains("Surfrace format:") || m_sawFormat, 5000);
        QVERIFY(!QFileInfo::exists(m_dir->path() + QStringLiteral("/log")));
    }

    // Files named by the scene list that would hang or swamp the program: each scene is
    // refused with one warning naming the file and the entry, and the program goes on and
    // closes through its button.
    void sceneFilesThatWouldHangAreRefused_data()
    {
        QTest::addColumn<QString>("shader");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("pipe"); // a named pipe made in the working directory
        QTest::addColumn<QString>("expected");
        QTest::newRow("shader from a pipe") << QStringLiteral("file:shader.frag") << QString()
                                            << QStringLiteral("shader.frag") << QStringLiteral("not a regular file");
        QTest::newRow("shader from /dev/zero")
            << QStringLiteral("file:///dev/zero") << QString() << QString() << QStringLiteral("not a regular file");
        QTest::newRow("picture from a pipe")
            << QStringLiteral("qrc:/shaders/Starfield.frag") << QStringLiteral("file:picture.png")
            << QStringLiteral("picture.png") << QStringLiteral("not a regular file");
        QTest::newRow("picture of 16000 x 16000")
            << QStringLiteral("qrc:/shaders/Starfield.frag") << QStringLiteral("file:huge.png") << QString()
            << QStringLiteral("16000 x 16000 pixels");
    }

    void sceneFilesThatWouldHangAreRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("Named pipes and /dev/zero are Unix things");
#else
        QFETCH(QString, shader);
        QFETCH(QString, picture);
        QFETCH(QString, pipe);
        QFETCH(QString, expected);
        QFile huge(m_dir->path() + QStringLiteral("/huge.png"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write(pngHeader(16000, 16000));
        huge.close();
        const QString channels = picture.isEmpty()
            ? QStringLiteral("[]")
            : QStringLiteral("[{\"type\": \"image\", \"source\": \"%1\"}]").arg(picture);
        QFile list(m_dir->path() + QStringLiteral("/scenes.json"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QStringLiteral("{\"scenes\": [{\"name\": \"Trap\", \"fragmentShader\": \"%1\", \"channels\": %2}]}")
                       .arg(shader, channels)
                       .toUtf8());
        list.close();
        std::unique_ptr<PipeWatchdog> watchdog;
        if (!pipe.isEmpty()) {
            const QString path = m_dir->path() + QLatin1Char('/') + pipe;
            QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            watchdog.reset(new PipeWatchdog(path, std::chrono::seconds(15)));
        }

        start();
        const QString window = waitForWindow();
        QVERIFY2(!window.isEmpty(), readOutput().constData());
        QTRY_VERIFY_WITH_TIMEOUT(readOutput().contains(expected.toUtf8()), 10000);
        const QByteArray output = readOutput();
        const QString scene = QStringLiteral("scene 0 \"Trap\" of file://%1/scenes.json").arg(m_dir->path());
        QVERIFY2(output.contains(scene.toUtf8()), output.constData());
        if (!pipe.isEmpty())
            QVERIFY2(output.contains((m_dir->path() + QLatin1Char('/') + pipe).toUtf8()), output.constData());

        clickCloseButton(window);
        QVERIFY(m_process->waitForFinished(15000));
        QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_process->exitCode(), 0);
        if (watchdog)
            QVERIFY2(!watchdog->readerWaited(), "the program waited on the pipe");
#endif
    }

    // A window asked for far larger than the screens is cut to them before anything is
    // drawn (the renderer failed on 100000 x 100000), and the program works as usual.
    void windowLargerThanTheScreensIsClamped()
    {
        start({}, {QStringLiteral("-qwindowgeometry"), QStringLiteral("100000x100000+0+0")});
        const QString window = waitForWindow();
        QVERIFY2(!window.isEmpty(), readOutput().constData());
        const QStringList display
            = runTool(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")}).split(QLatin1Char(' '));
        QCOMPARE(display.size(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(windowGeometry(window).width == display.at(0).toInt(), 10000);
        QCOMPARE(windowGeometry(window).height, display.at(1).toInt());
        QTest::qWait(1500); // frames drawn at that size
        QCOMPARE(m_process->state(), QProcess::Running);
        clickCloseButton(window);
        QVERIFY(m_process->waitForFinished(15000));
        QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_process->exitCode(), 0);
        QVERIFY(readOutput().contains("is larger than the screens"));
    }

    // A file where the log folder should be: said once on standard error, with the reason,
    // and the program runs and closes as usual.
    void logFileThatCannotBeOpenedIsToldOnce()
    {
        QFile blocker(m_dir->path() + QStringLiteral("/log"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("in the way");
        blocker.close();
        start({{QStringLiteral("JOYVANT_LOGTOFILE"), QStringLiteral("1")}});
        const QString window = waitForWindow();
        QVERIFY2(!window.isEmpty(), readOutput().constData());
        QTest::qWait(1000);
        clickCloseButton(window);
        QVERIFY(m_process->waitForFinished(15000));
        QCOMPARE(m_process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_process->exitCode(), 0);
        const QByteArray output = readOutput();
        QCOMPARE(output.count("cannot write the log file"), 1);
        QVERIFY2(output.contains("/log/gamepad.log (Not a directory)"), output.constData());
        // The lines the file could not take were not lost.
        QVERIFY(output.contains(") Application closed\n"));
    }

private:
    void start(const QList<QPair<QString, QString>> &variables = {}, const QStringList &arguments = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("JOYVANT_LOGTOFILE"));
        for (const auto &variable : variables)
            environment.insert(variable.first, variable.second);
        m_process->setProcessEnvironment(environment);
        m_sawFormat = false;
        m_output.clear();
        m_process->start(kProgram, arguments);
        QVERIFY(m_process->waitForStarted(5000));
    }

    // Everything the program wrote so far (standard output and error together): reading
    // from the process takes the bytes away, so they are kept here.
    QByteArray readOutput()
    {
        m_output += m_process->readAll();
        return m_output;
    }

    QString waitForWindow()
    {
        QString window;
        const QString pid = QString::number(m_process->processId());
        QDeadlineTimer deadline(20000);
        while (window.isEmpty() && !deadline.hasExpired() && m_process->state() == QProcess::Running) {
            window = runTool(QStringLiteral("xdotool"),
                             {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), pid})
                         .split(QLatin1Char('\n'))
                         .last();
            if (window.isEmpty())
                QTest::qWait(100);
        }
        m_sawFormat = readOutput().contains("Surfrace format:");
        return window;
    }

    void click(int x, int y)
    {
        xdo({QStringLiteral("mousemove"), QString::number(x), QString::number(y), QStringLiteral("click"),
             QStringLiteral("1")});
    }

    void drag(int x, int y, int dx, int dy)
    {
        xdo({QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
        xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
        constexpr int steps = 6;
        for (int i = 1; i <= steps; ++i) {
            xdo({QStringLiteral("mousemove"), QString::number(x + dx * i / steps),
                 QString::number(y + dy * i / steps)});
            QTest::qWait(30);
        }
        xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    }

    void clickCloseButton(const QString &window)
    {
        const Geometry g = windowGeometry(window);
        // 12 x 12 at y 34, 40 px from the right edge.
        xdo({QStringLiteral("mousemove"), QString::number(g.x + g.width - 40 - 6), QString::number(g.y + 34 + 6)});
        xdo({QStringLiteral("click"), QStringLiteral("1")});
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<QProcess> m_process;
    QByteArray m_output;
    bool m_sawFormat = false;
};

// A GUI application: it holds a connection to the X server for the whole run, so a
// server started without -noreset does not reset (and refuse clients) between programs.
QTEST_MAIN(TestProgram)
#include "tst_program.moc"
