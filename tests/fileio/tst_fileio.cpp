// FileIo as documents use it: loaded from build/bin by a real QML engine.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJSValue>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

int g_fileIoWarnings = 0;
QtMessageHandler g_previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("FileIo:")))
        ++g_fileIoWarnings;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (24 - 8 * i));
    return bytes;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray typed = QByteArray(type) + data;
    // CRC-32 of type and data, as PNG asks.
    quint32 crc = 0xffffffffu;
    for (const char c : typed) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return bigEndian32(quint32(data.size())) + typed + bigEndian32(crc ^ 0xffffffffu);
}

// A PNG whose header says width x height (8-bit grey) but that carries only the start of
// its picture data: enough for a reader to learn the size, which is all a check may read.
QByteArray pngHeader(quint32 width, quint32 height)
{
    const QByteArray header = bigEndian32(width) + bigEndian32(height) + QByteArray("\x08\x00\x00\x00\x00", 5);
    // A zlib stream that starts a stored block of zeros and ends early.
    const QByteArray data("\x78\x01\x00\x00\x01\xff\xfe\x00\x00\x00\x00", 11);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", data)
        + pngChunk("IEND", QByteArray());
}

#include "../support/pipewatchdog.h"

#ifdef Q_OS_LINUX
// Root reads files whatever their mode bits say, through the capabilities
// CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH. Taking them out of this thread's
// effective set (they stay permitted, so they come back afterwards) makes a file of
// mode 000 as unreadable for this thread as it is for any other user. The reads
// under test run on this same thread.
class FileAccessOverrideDrop
{
public:
    FileAccessOverrideDrop()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        const quint32 mask = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        reduced[0].effective &= ~mask;
        m_active = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~FileAccessOverrideDrop()
    {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
    }
    bool active() const { return m_active; }

private:
    __user_cap_header_struct m_header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] {};
    bool m_active = false;
};
#endif

} // namespace

class FileIoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileInWorkingDirectory();
    void relativeSourceFollowsWorkingDirectory();
    void nonAsciiText();
    void wholeContentInEveryEncoding_data();
    void wholeContentInEveryEncoding();
    void namedPipeIsRefused();
    void missingFile();
    void directoryInPlaceOfFile();
    void fileWithoutReadPermission();
    void oversizedFile();
    void failureAfterSuccessClearsText();
    void scenesListThroughALink();

    // FileGuard, the checks made before Qt Quick opens a file a user named.
    void guardReadsShaderFiles();
    void guardRefusesShaderFromPipe();
    void guardRefusesShaderFromDevice_data();
    void guardRefusesShaderFromDevice();
    void guardRefusesOversizedShader();
    void guardFollowsLinksToRegularFiles();
    void guardTellsShaderUrlsFromShaderText_data();
    void guardTellsShaderUrlsFromShaderText();
    void guardChecksPictureHeaders();
    void guardRefusesPictureFromPipe();
    void guardRefusesOversizedPictureFile();
    void guardChecksMediaFiles();
    void guardSaysWhereJsonStops_data();
    void guardSaysWhereJsonStops();

private:
    // A FileIo created by a document that lives in another folder than the working
    // directory, so a source resolved against the document would be noticed.
    QObject *createFileIo(const QString &source);
    QString readText(const QString &source, QString *error = nullptr);
    // Calls FileGuard.<function>(argument) in a document, as a scene host does.
    QVariant guard(const char *function, const QString &argument);

    QScopedPointer<QQmlEngine> m_engine;
    QScopedPointer<QTemporaryDir> m_workDir;
    QScopedPointer<QTemporaryDir> m_documentDir;
    QString m_previousCurrent;
    QList<QObject *> m_objects;
};

void FileIoTest::initTestCase()
{
    g_previousHandler = qInstallMessageHandler(countingHandler);
}

void FileIoTest::init()
{
    m_previousCurrent = QDir::currentPath();
    m_workDir.reset(new QTemporaryDir);
    m_documentDir.reset(new QTemporaryDir);
    QVERIFY(m_workDir->isValid() && m_documentDir->isValid());
    QVERIFY(QDir::setCurrent(m_workDir->path()));
    m_engine.reset(new QQmlEngine);
    m_engine->addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
    g_fileIoWarnings = 0;
}

void FileIoTest::cleanup()
{
    qDeleteAll(m_objects);
    m_objects.clear();
    m_engine.reset();
    QDir::setCurrent(m_previousCurrent);
    m_workDir.reset();
    m_documentDir.reset();
}

QObject *FileIoTest::createFileIo(const QString &source)
{
    QQmlComponent component(m_engine.data());
    const QByteArray document = "import com.corvane.io 1.0\nFileIo { source: \"" + source.toUtf8() + "\" }\n";
    component.setData(document, QUrl::fromLocalFile(m_documentDir->filePath(QStringLiteral("Reader.qml"))));
    QObject *object = component.create();
    if (!object)
        qWarning() << component.errors();
    m_objects.append(object);
    return object;
}

QString FileIoTest::readText(const QString &source, QString *error)
{
    QObject *fileIo = createFileIo(source);
    if (!fileIo)
        return QStringLiteral("<no FileIo>");
    if (error)
        *error = fileIo->property("error").toString();
    return fileIo->property("text").toString();
}

void FileIoTest::fileInWorkingDirectory()
{
    const QByteArray json = "{\"scenes\": [{\"channels\": [], \"fragmentShader\": \"qrc:/shaders/Ring.frag\"}]}\n";
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("scenes.json")), json));

    // The text is complete when the document around the reader completes.
    QQmlComponent component(m_engine.data());
    component.setData("import QtQml 2.15\nimport com.corvane.io 1.0\n"
                      "QtObject {\n"
                      "    property string seenAtCompletion\n"
                      "    property FileIo reader: FileIo { source: \"file:scenes.json\" }\n"
                      "    Component.onCompleted: seenAtCompletion = reader.text\n"
                      "}\n",
                      QUrl::fromLocalFile(m_documentDir->filePath(QStringLiteral("Screen.qml"))));
    QScopedPointer<QObject> screen(component.create());
    QVERIFY2(screen, qPrintable(component.errorString()));
    QCOMPARE(screen->property("seenAtCompletion").toString(), QString::fromUtf8(json));
    QObject *reader = screen->property("reader").value<QObject *>();
    QVERIFY(reader);
    QCOMPARE(reader->property("error").toString(), QString());
    QCOMPARE(reader->property("source").toUrl(), QUrl(QStringLiteral("file:scenes.json")));
    QCOMPARE(g_fileIoWarnings, 0);
}

void FileIoTest::relativeSourceFollowsWorkingDirectory()
{
    // Same-named decoys next to the executable and next to the document: only the
    // working directory's file may be read.
    const QString name = QStringLiteral("fileio-where-%1.txt").arg(QCoreApplication::applicationPid());
    const QString decoyInAppDir = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    QVERIFY(QDir(QCoreApplication::applicationDirPath()) != QDir(m_workDir->path()));
    QVERIFY(writeFile(decoyInAppDir, "next to the executable"));
    QVERIFY(writeFile(m_documentDir->filePath(name), "next to the document"));
    QVERIFY(writeFile(m_workDir->filePath(name), "in the working directory"));

    const QString text = readText(QStringLiteral("file:") + name);
    QFile::remove(decoyInAppDir);
    QCOMPARE(text, QStringLiteral("in the working directory"));

    // A change of working directory is followed by the next object.
    QTemporaryDir other;
    QVERIFY(writeFile(QDir(other.path()).filePath(name), "elsewhere"));
    QVERIFY(QDir::setCurrent(other.path()));
    QCOMPARE(readText(QStringLiteral("file:") + name), QStringLiteral("elsewhere"));

    // Absolute file URLs are read as they are.
    const QString absolute = QUrl::fromLocalFile(m_workDir->filePath(name)).toString();
    QCOMPARE(readText(absolute), QStringLiteral("in the working directory"));
    QCOMPARE(g_fileIoWarnings, 0);
}

void FileIoTest::nonAsciiText()
{
    const QString expected = QStringLiteral(
        "{\"title\": \"Gr\u00fc\u00dfe, \u8bbe\u7f6e, \u624b\u67c4\u989c\u8272\", \"pad\": \"\U0001F3AE\"}");
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("utf8.json")), expected.toUtf8()));
    QCOMPARE(readText(QStringLiteral("file:utf8.json")), expected);

    // A byte order mark in front is not part of the text.
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("bom.json")), "\xEF\xBB\xBF" + expected.toUtf8()));
    QCOMPARE(readText(QStringLiteral("file:bom.json")), expected);
    QCOMPARE(g_fileIoWarnings, 0);
}

void FileIoTest::wholeContentInEveryEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString text = QStringLiteral("{\"pad\": \"\u624b\u67c4 \U0001F3AE\"}");
    const auto utf16 = [&text](bool bigEndian) {
        QByteArray bytes;
        for (const QChar c : text) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xff);
            bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
        }
        return bytes;
    };
    const auto utf32 = [&text](bool bigEndian) {
        QByteArray bytes;
        for (const uint c : text.toUcs4()) {
            for (int i = 0; i < 4; ++i)
                bytes.append(char(c >> (bigEndian ? 24 - 8 * i : 8 * i)));
        }
        return bytes;
    };

    QTest::newRow("NUL inside UTF-8") << QByteArray("abc\0def", 7) << QString(QStringLiteral("abc") + QChar(0) + "def");
    QTest::newRow("binary after NUL") << QByteArray("\0\x01\x02z", 4)
                                      << QString(QChar(0) + QString(QChar(1)) + QChar(2) + "z");
    QTest::newRow("UTF-16 LE with mark") << QByteArray("\xFF\xFE") + utf16(false) << text;
    QTest::newRow("UTF-16 BE with mark") << QByteArray("\xFE\xFF") + utf16(true) << text;
    QTest::newRow("UTF-32 LE with mark") << QByteArray("\xFF\xFE\0\0", 4) + utf32(false) << text;
    QTest::newRow("UTF-32 BE with mark") << QByteArray("\0\0\xFE\xFF", 4) + utf32(true) << text;
}

void FileIoTest::wholeContentInEveryEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("content.json")), bytes));
    QString error;
    QCOMPARE(readText(QStringLiteral("file:content.json"), &error), expected);
    QCOMPARE(error, QString());
    QCOMPARE(g_fileIoWarnings, 0);
}

void FileIoTest::namedPipeIsRefused()
{
#ifndef Q_OS_UNIX
    QSKIP("Named pipes in the file system exist on Unix only");
#else
    const QString path = m_workDir->filePath(QStringLiteral("scenes.json"));
    QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);

    // Opening a pipe for reading waits for a writer.
    PipeWatchdog watchdog(path, std::chrono::seconds(10));
    QString error;
    const QString text = readText(QStringLiteral("file:scenes.json"), &error);
    QVERIFY2(!watchdog.readerWaited(), "reading blocked on the pipe");
    QCOMPARE(text, QString());
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("not a regular file")), qPrintable(error));
    QCOMPARE(g_fileIoWarnings, 1);
#endif
}

void FileIoTest::missingFile()
{
    QString error;
    QCOMPARE(readText(QStringLiteral("file:scenes.json"), &error), QString());
    const QString absolute = QDir::toNativeSeparators(m_workDir->filePath(QStringLiteral("scenes.json")));
    QVERIFY2(error.contains(absolute), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("does not exist")), qPrintable(error));
    QCOMPARE(g_fileIoWarnings, 1);
}

void FileIoTest::directoryInPlaceOfFile()
{
    // A directory that carries the file's name exists but can never be read as a
    // file, for any user, root included.
    QVERIFY(QDir(m_workDir->path()).mkdir(QStringLiteral("scenes.json")));
    QString error;
    QCOMPARE(readText(QStringLiteral("file:scenes.json"), &error), QString());
    QVERIFY2(error.contains(QDir::toNativeSeparators(m_workDir->filePath(QStringLiteral("scenes.json")))),
             qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("directory")), qPrintable(error));
    QCOMPARE(g_fileIoWarnings, 1);
}

void FileIoTest::fileWithoutReadPermission()
{
#ifndef Q_OS_UNIX
    QSKIP("Mode bits decide readability on Unix only");
#else
    const QString path = m_workDir->filePath(QStringLiteral("locked.json"));
    QVERIFY(writeFile(path, "{}"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
#ifdef Q_OS_LINUX
    FileAccessOverrideDrop drop;
    Q_UNUSED(drop)
#endif
    {
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("This process reads files whatever their mode (privileges could not be reduced)");
    }
    QString error;
    QCOMPARE(readText(QStringLiteral("file:locked.json"), &error), QString());
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("cannot be opened")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("Permission denied")), qPrintable(error));
    QCOMPARE(g_fileIoWarnings, 1);
#endif
}

void FileIoTest::oversizedFile()
{
    const qint64 limit = 16 * 1024 * 1024;
    {
        QFile file(m_workDir->filePath(QStringLiteral("limit.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(QByteArray(int(limit), 'a')) == limit);
    }
    QCOMPARE(readText(QStringLiteral("file:limit.txt")).size(), int(limit));
    QCOMPARE(g_fileIoWarnings, 0);

    {
        QFile file(m_workDir->filePath(QStringLiteral("large.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(QByteArray(int(limit) + 1, 'a')) == limit + 1);
    }
    QString error;
    QCOMPARE(readText(QStringLiteral("file:large.txt"), &error), QString());
    QVERIFY2(error.contains(QDir::toNativeSeparators(m_workDir->filePath(QStringLiteral("large.txt")))),
             qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("larger than the limit")), qPrintable(error));
    QCOMPARE(g_fileIoWarnings, 1);
}

void FileIoTest::failureAfterSuccessClearsText()
{
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("a.json")), "[1]"));
    QObject *fileIo = createFileIo(QStringLiteral("file:a.json"));
    QVERIFY(fileIo);
    QCOMPARE(fileIo->property("text").toString(), QStringLiteral("[1]"));

    QSignalSpy textSpy(fileIo, SIGNAL(textChanged()));
    QSignalSpy errorSpy(fileIo, SIGNAL(errorChanged()));
    QVERIFY(fileIo->setProperty("source", QUrl(QStringLiteral("file:b.json"))));
    QCOMPARE(fileIo->property("text").toString(), QString());
    QVERIFY(!fileIo->property("error").toString().isEmpty());
    QCOMPARE(textSpy.count(), 1);
    QCOMPARE(errorSpy.count(), 1);

    // Setting the same source again does not read again (no second warning).
    QVERIFY(fileIo->setProperty("source", QUrl(QStringLiteral("file:b.json"))));
    QCOMPARE(g_fileIoWarnings, 1);

    QVERIFY(fileIo->setProperty("source", QUrl(QStringLiteral("file:a.json"))));
    QCOMPARE(fileIo->property("text").toString(), QStringLiteral("[1]"));
    QCOMPARE(fileIo->property("error").toString(), QString());
    QCOMPARE(errorSpy.count(), 2);

    // Unsupported schemes are refused, not fetched.
    QVERIFY(fileIo->setProperty("source", QUrl(QStringLiteral("http://example.org/scenes.json"))));
    QCOMPARE(fileIo->property("text").toString(), QString());
    QVERIFY(fileIo->property("error").toString().contains(QLatin1String("http")));
    QCOMPARE(g_fileIoWarnings, 2);
}

QVariant FileIoTest::guard(const char *function, const QString &argument)
{
    QQmlComponent component(m_engine.data());
    component.setData("import QtQml 2.15\nimport com.corvane.io 1.0\n"
                      "QtObject {\n"
                      "    function call(name, argument) { return FileGuard[name](argument) }\n"
                      "}\n",
                      QUrl::fromLocalFile(m_documentDir->filePath(QStringLiteral("Guard.qml"))));
    QObject *object = component.create();
    if (!object) {
        qWarning() << component.errors();
        return QVariant();
    }
    m_objects.append(object);
    QVariant result;
    QMetaObject::invokeMethod(object, "call", Q_RETURN_ARG(QVariant, result),
                              Q_ARG(QVariant, QString::fromLatin1(function)), Q_ARG(QVariant, argument));
    return result.value<QJSValue>().toVariant().isValid() ? result.value<QJSValue>().toVariant() : result;
}

void FileIoTest::scenesListThroughALink()
{
#ifndef Q_OS_UNIX
    QSKIP("Symbolic links are a Unix thing here");
#else
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("real.json")), "{\"scenes\": []}"));
    QVERIFY(QFile::link(m_workDir->filePath(QStringLiteral("real.json")),
                        m_workDir->filePath(QStringLiteral("scenes.json"))));
    QCOMPARE(readText(QStringLiteral("file:scenes.json")), QStringLiteral("{\"scenes\": []}"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), m_workDir->filePath(QStringLiteral("zero.json"))));
    QString error;
    QCOMPARE(readText(QStringLiteral("file:zero.json"), &error), QString());
    QVERIFY2(error.contains(QLatin1String("not a regular file")), qPrintable(error));
    QVERIFY(QFile::link(m_workDir->filePath(QStringLiteral("nothing.json")),
                        m_workDir->filePath(QStringLiteral("dangling.json"))));
    QCOMPARE(readText(QStringLiteral("file:dangling.json"), &error), QString());
    QVERIFY2(error.contains(QLatin1String("link that leads to nothing")), qPrintable(error));
    QCOMPARE(g_fileIoWarnings, 2);
#endif
}

void FileIoTest::guardReadsShaderFiles()
{
    const QByteArray shader = "#version 330\nout vec4 fragColor;\nvoid main() { fragColor = vec4(1.0); }\n";
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("mine.frag")), shader));
    for (const QString &url : {QStringLiteral("file:mine.frag"),
                               QUrl::fromLocalFile(m_workDir->filePath(QStringLiteral("mine.frag"))).toString()}) {
        const QVariantMap read = guard("readShader", url).toMap();
        QCOMPARE(read.value(QStringLiteral("error")).toString(), QString());
        QCOMPARE(read.value(QStringLiteral("text")).toString(), QString::fromUtf8(shader));
    }
    const QVariantMap missing = guard("readShader", QStringLiteral("file:none.frag")).toMap();
    QCOMPARE(missing.value(QStringLiteral("text")).toString(), QString());
    QVERIFY(
        missing.value(QStringLiteral("error")).toString().contains(m_workDir->filePath(QStringLiteral("none.frag"))));
    QVERIFY(missing.value(QStringLiteral("error")).toString().contains(QLatin1String("does not exist")));
    // The guard only reports; the document that asked writes the warning.
    QCOMPARE(g_fileIoWarnings, 0);
}

void FileIoTest::guardRefusesShaderFromPipe()
{
#ifndef Q_OS_UNIX
    QSKIP("Named pipes in the file system exist on Unix only");
#else
    const QString path = m_workDir->filePath(QStringLiteral("pipe.frag"));
    QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    PipeWatchdog watchdog(path, std::chrono::seconds(5));
    const QVariantMap read = guard("readShader", QStringLiteral("file:pipe.frag")).toMap();
    QVERIFY2(!watchdog.readerWaited(), "reading blocked on the pipe");
    QCOMPARE(read.value(QStringLiteral("text")).toString(), QString());
    const QString error = read.value(QStringLiteral("error")).toString();
    QVERIFY2(error.contains(path) && error.contains(QLatin1String("not a regular file")), qPrintable(error));
#endif
}

void FileIoTest::guardRefusesShaderFromDevice_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("/dev/zero") << QStringLiteral("/dev/zero");
    QTest::newRow("/dev/urandom") << QStringLiteral("/dev/urandom");
    QTest::newRow("/dev/null") << QStringLiteral("/dev/null");
}

void FileIoTest::guardRefusesShaderFromDevice()
{
#ifndef Q_OS_UNIX
    QSKIP("Device files are a Unix thing");
#else
    QFETCH(QString, device);
    QElapsedTimer clock;
    clock.start();
    const QVariantMap direct = guard("readShader", QUrl::fromLocalFile(device).toString()).toMap();
    QVERIFY(direct.value(QStringLiteral("error")).toString().contains(QLatin1String("not a regular file")));
    // Through a link the same.
    QVERIFY(QFile::link(device, m_workDir->filePath(QStringLiteral("device.frag"))));
    const QVariantMap linked = guard("readShader", QStringLiteral("file:device.frag")).toMap();
    QVERIFY(linked.value(QStringLiteral("error")).toString().contains(QLatin1String("not a regular file")));
    QCOMPARE(linked.value(QStringLiteral("text")).toString(), QString());
    QVERIFY(clock.elapsed() < 2000);
#endif
}

void FileIoTest::guardRefusesOversizedShader()
{
    const qint64 limit = 1024 * 1024;
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("limit.frag")), QByteArray(int(limit), ' ')));
    QCOMPARE(
        guard("readShader", QStringLiteral("file:limit.frag")).toMap().value(QStringLiteral("text")).toString().size(),
        int(limit));
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("large.frag")), QByteArray(int(limit) + 1, ' ')));
    const QVariantMap read = guard("readShader", QStringLiteral("file:large.frag")).toMap();
    QCOMPARE(read.value(QStringLiteral("text")).toString(), QString());
    QVERIFY(read.value(QStringLiteral("error"))
                .toString()
                .contains(QLatin1String("larger than the limit of 1048576 bytes")));
}

void FileIoTest::guardFollowsLinksToRegularFiles()
{
#ifndef Q_OS_UNIX
    QSKIP("Symbolic links are a Unix thing here");
#else
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("real.frag")), "void main() {}"));
    QVERIFY(QFile::link(m_workDir->filePath(QStringLiteral("real.frag")),
                        m_workDir->filePath(QStringLiteral("link.frag"))));
    QCOMPARE(guard("readShader", QStringLiteral("file:link.frag")).toMap().value(QStringLiteral("text")).toString(),
             QStringLiteral("void main() {}"));
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("real.png")), pngHeader(64, 32)));
    QVERIFY(
        QFile::link(m_workDir->filePath(QStringLiteral("real.png")), m_workDir->filePath(QStringLiteral("link.png"))));
    QCOMPARE(guard("checkImage", QStringLiteral("file:link.png")).toString(), QString());
#endif
}

void FileIoTest::guardTellsShaderUrlsFromShaderText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("url");
    QTest::newRow("bundle") << QStringLiteral("qrc:/shaders/Fire.frag") << true;
    QTest::newRow("absolute file") << QStringLiteral("file:///tmp/x.frag") << true;
    QTest::newRow("relative file") << QStringLiteral("file:x.frag") << true;
    QTest::newRow("upper-case scheme") << QStringLiteral("QRC:/shaders/Fire.frag") << true;
    QTest::newRow("shader text") << QStringLiteral("#version 330\nvoid main() {}\n") << false;
    QTest::newRow("web") << QStringLiteral("http://example.org/x.frag") << false;
}

void FileIoTest::guardTellsShaderUrlsFromShaderText()
{
    QFETCH(QString, value);
    QFETCH(bool, url);
    QCOMPARE(guard("isShaderUrl", value).toBool(), url);
}

void FileIoTest::guardChecksPictureHeaders()
{
    // Only the header is read: a picture that says 16000 x 16000 is refused before anything
    // is decoded, whatever the rest of the file holds.
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("huge.png")), pngHeader(16000, 16000)));
    QElapsedTimer clock;
    clock.start();
    const QString huge = guard("checkImage", QStringLiteral("file:huge.png")).toString();
    QVERIFY(clock.elapsed() < 2000);
    QVERIFY2(huge.contains(m_workDir->filePath(QStringLiteral("huge.png"))), qPrintable(huge));
    QVERIFY2(huge.contains(QLatin1String("16000 x 16000 pixels, larger than the limit of 8192 x 8192")),
             qPrintable(huge));

    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("wide.png")), pngHeader(8193, 1)));
    QVERIFY(guard("checkImage", QStringLiteral("file:wide.png")).toString().contains(QLatin1String("8193 x 1 pixels")));
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("edge.png")), pngHeader(8192, 8192)));
    QCOMPARE(guard("checkImage", QStringLiteral("file:edge.png")).toString(), QString());

    // The bundle's own pictures pass; a file that is no picture at all does not.
    QCOMPARE(
        guard("checkImage", QStringLiteral("qrc:/no/such.png")).toString().contains(QLatin1String("does not exist")),
        true);
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("text.png")), "just text"));
    QVERIFY(guard("checkImage", QStringLiteral("file:text.png"))
                .toString()
                .contains(QLatin1String("picture size cannot be read")));
    // Pictures come from files only.
    QVERIFY(
        guard("checkImage", QStringLiteral("http://example.org/a.png")).toString().contains(QLatin1String("\"http\"")));
}

void FileIoTest::guardRefusesPictureFromPipe()
{
#ifndef Q_OS_UNIX
    QSKIP("Named pipes in the file system exist on Unix only");
#else
    const QString path = m_workDir->filePath(QStringLiteral("pipe.png"));
    QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    PipeWatchdog watchdog(path, std::chrono::seconds(5));
    const QString error = guard("checkImage", QStringLiteral("file:pipe.png")).toString();
    QVERIFY2(!watchdog.readerWaited(), "the check blocked on the pipe");
    QVERIFY2(error.contains(path) && error.contains(QLatin1String("not a regular file")), qPrintable(error));
#endif
}

void FileIoTest::guardRefusesOversizedPictureFile()
{
    // A sparse file: 64 MiB and one byte that take no room on disk.
    const QString path = m_workDir->filePath(QStringLiteral("large.png"));
    QVERIFY(writeFile(path, pngHeader(16, 16)));
    QVERIFY(QFile::resize(path, 64 * 1024 * 1024 + 1));
    const QString error = guard("checkImage", QStringLiteral("file:large.png")).toString();
    QVERIFY2(error.contains(QLatin1String("larger than the limit of 67108864 bytes")), qPrintable(error));
}

void FileIoTest::guardChecksMediaFiles()
{
#ifdef Q_OS_UNIX
    const QString path = m_workDir->filePath(QStringLiteral("pipe.avi"));
    QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    PipeWatchdog watchdog(path, std::chrono::seconds(5));
    QVERIFY(
        guard("checkMedia", QStringLiteral("file:pipe.avi")).toString().contains(QLatin1String("not a regular file")));
    QVERIFY(!watchdog.readerWaited());
#endif
    QVERIFY(writeFile(m_workDir->filePath(QStringLiteral("clip.avi")), "RIFF"));
    QCOMPARE(guard("checkMedia", QStringLiteral("file:clip.avi")).toString(), QString());
    // Streams are the media back end's business.
    QCOMPARE(guard("checkMedia", QStringLiteral("http://example.org/clip.avi")).toString(), QString());
}

void FileIoTest::guardSaysWhereJsonStops_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("parses") << QStringLiteral("{\"scenes\": []}") << QString();
    QTest::newRow("cut short") << QStringLiteral("{\"scenes\": [ {\"channels\": [], \n")
                               << QStringLiteral("line 2, column 1: ");
    QTest::newRow("missing comma") << QStringLiteral("{\n  \"a\": 1\n  \"b\": 2\n}")
                                   << QStringLiteral("line 3, column 4: ");
    QTest::newRow("after non-ASCII") << QStringLiteral("{\"n\u00e4me\": \u8bbe x}")
                                     << QStringLiteral("line 1, column 10: ");
    QTest::newRow("empty") << QString() << QStringLiteral("line 1, column 1: ");
}

void FileIoTest::guardSaysWhereJsonStops()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString where = guard("jsonError", text).toString();
    if (expected.isEmpty())
        QCOMPARE(where, QString());
    else
        QVERIFY2(where.startsWith(expected) && where.size() > expected.size(), qPrintable(where));
}

QTEST_GUILESS_MAIN(FileIoTest)
#include "tst_fileio.moc"
