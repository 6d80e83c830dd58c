// Frame-time benchmark of the scene shaders.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/bench_shaders [--write docs/benchmarks.md]
//
// Renders each shader of the bundle (qrc:/shaders/) full-window at 640x400 with the
// channel pictures a scene gives it, under the same OpenGL 3.3 core profile as the
// program, and prints the median time between two presented frames after a warm-up,
// with the process's CPU time per frame (the renderer's threads included). The render
// loop is forced to "basic" so that every frame is drawn and presented on the GUI
// thread, one after the other, as fast as the renderer allows. A shader that draws
// nothing gives the presentation floor; the media button's ring and the controller
// logo are measured once more at the size the program shows them.
// Options: --shaders DIR (read the .frag files from a folder instead of the bundle),
// --pictures DIR (channel pictures from a folder instead of qrc:/2DTextures/),
// --only A,B (file names without .frag), --frames N, --warmup N, --size WxH,
// --scenes FILE (scene list that pairs shaders with pictures; resources/scenes.json),
// --write FILE (replace or append the "## Scene shaders" section of that Markdown file).
#include "startup.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickItem>
#include <QQuickView>
#include <QSurfaceFormat>
#include <QSysInfo>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct ShaderCase
{
    QString name;     // file name without .frag; empty for the empty frame
    QString channel0; // picture file name, or empty for an absent channel
    QString channel1;
};

const char *const kCatalogue[] = {
    "DustyNebula", "Ether", "ExtrudedSkewedGrid", "Fire", "Frame", "Heartfelt", "Jewel", "LightCircle",
    "Luminescence", "Magnetismic", "Nebulaplexus", "NeonTunnel", "ProteanClouds", "Ring", "SkinPeeler",
    "Starfield", "Supernova", "TileableWater", "TransparentCubeField", "XBoxLogo", "Xyptonjtroz", "furball",
};

// Every shader of the catalogue, with the pictures that the first scene of the scene
// list naming it puts on its channels (created channels count, "audio" entries do not;
// a video channel is measured as an absent one).
QList<ShaderCase> catalogue(const QString &sceneFile)
{
    QJsonArray scenes;
    QFile file(sceneFile);
    if (file.open(QIODevice::ReadOnly))
        scenes = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("scenes")).toArray();
    else
        std::fprintf(stderr, "no scene list at %s: every channel is left empty\n", qPrintable(sceneFile));

    QList<ShaderCase> result;
    for (const char *name : kCatalogue) {
        ShaderCase shader{QLatin1String(name), QString(), QString()};
        const QString ending = QLatin1Char('/') + shader.name + QStringLiteral(".frag");
        for (const QJsonValue &value : scenes) {
            const QJsonObject scene = value.toObject();
            if (!scene.value(QStringLiteral("fragmentShader")).toString().endsWith(ending))
                continue;
            QStringList pictures;
            for (const QJsonValue &channel : scene.value(QStringLiteral("channels")).toArray()) {
                const QString type = channel.toObject().value(QStringLiteral("type")).toString();
                const QString source = channel.toObject().value(QStringLiteral("source")).toString();
                if (type == QLatin1String("image"))
                    pictures << source.section(QLatin1Char('/'), -1);
                else if (type == QLatin1String("video"))
                    pictures << QString();
            }
            shader.channel0 = pictures.value(0);
            shader.channel1 = pictures.value(1);
            break;
        }
        result << shader;
    }
    return result;
}

struct Result
{
    QString name;
    QString channels;
    double medianMs = -1.0; // negative: not measured
    double cpuMs = -1.0;    // process CPU time per frame, renderer threads included
    QString problem;
};

// ShaderEffect's status does not tell a failed compilation apart under the core profile
// (it can read Error for shaders that draw fine), so failures are taken from the
// compiler messages that Qt prints, which still reach the default output.
bool shaderFailed = false;
QtMessageHandler defaultHandler = nullptr;

void watchMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("QOpenGLShader::compile")) || message.contains(QLatin1String("QOpenGLShader::link"))
        || message.contains(QLatin1String("shader compilation failed")))
        shaderFailed = true;
    if (defaultHandler)
        defaultHandler(type, context, message);
}

QString pictureUrl(const QString &folder, const QString &file)
{
    if (file.isEmpty())
        return QString();
    if (folder.isEmpty())
        return QStringLiteral("qrc:/2DTextures/") + file;
    return QUrl::fromLocalFile(QDir(folder).absoluteFilePath(file)).toString();
}

// Runs the event loop until cond() holds or the time runs out; returns cond().
template<typename Cond>
bool waitFor(Cond cond, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!cond() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    return cond();
}

double median(std::vector<qint64> values)
{
    if (values.empty())
        return -1.0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    const double ns = values.size() % 2 ? double(values[mid]) : 0.5 * double(values[mid - 1] + values[mid]);
    return ns / 1e6;
}

// A shader that draws nothing: its frame time is what presenting a frame costs.
const char kEmptyShader[] = "#version 330\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
                            "void main() { fragColor = vec4(0.0, 0.0, 0.0, qt_Opacity); }\n";

// Measures one shader of the catalogue, or kEmptyShader when shader.name is empty.
Result measure(QQuickView &view, QObject *scene, const ShaderCase &shader, const QString &shaderDir,
               const QString &pictureDir, int warmup, int frames)
{
    Result result;
    result.name = shader.name.isEmpty() ? QStringLiteral("(empty frame)") : shader.name + QStringLiteral(".frag");
    QStringList used;
    if (!shader.channel0.isEmpty())
        used << QStringLiteral("0: ") + shader.channel0;
    if (!shader.channel1.isEmpty())
        used << QStringLiteral("1: ") + shader.channel1;
    result.channels = used.isEmpty() ? QStringLiteral("-") : used.join(QStringLiteral(", "));

    const QString shaderPath = shaderDir.isEmpty() ? QStringLiteral(":/shaders/") + result.name
                                                   : QDir(shaderDir).absoluteFilePath(result.name);
    QByteArray source(kEmptyShader);
    if (!shader.name.isEmpty()) {
        QFile file(shaderPath);
        if (!file.open(QIODevice::ReadOnly)) {
            result.problem = QStringLiteral("missing");
            return result;
        }
        source = file.readAll();
    }

    scene->setProperty("channel0", pictureUrl(pictureDir, shader.channel0));
    scene->setProperty("channel1", pictureUrl(pictureDir, shader.channel1));
    waitFor([scene] { return scene->property("picturesReady").toBool(); }, 10000);
    scene->setProperty("time", 10.0);
    shaderFailed = false;
    // A closing comment with the name keeps Qt from reusing a program built from the same
    // text for another file, so that every file is compiled and judged on its own.
    scene->setProperty("shader", QString::fromUtf8(source) + QStringLiteral("\n// ") + result.name + QLatin1Char('\n'));

    std::vector<qint64> intervals;
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    int frame = 0;
    std::clock_t cpuStart = 0;
    std::clock_t cpuEnd = 0;
    const int total = warmup + frames;
    const QMetaObject::Connection connection =
        QObject::connect(&view, &QQuickWindow::frameSwapped, scene, [&] {
            const qint64 now = clock.nsecsElapsed();
            if (frame == warmup)
                cpuStart = std::clock();
            if (frame > warmup)
                intervals.push_back(now - last);
            if (frame == total)
                cpuEnd = std::clock();
            last = now;
            ++frame;
            // A steady 60 Hz clock keeps the pictures comparable from run to run.
            if (frame <= total) {
                scene->setProperty("time", 10.0 + frame / 60.0);
                view.update();   // also for a shader that does not read the clock
            }
        });
    view.update();
    // Ends when enough frames are in, when the shader fails to compile, or when frames
    // stop coming for a while.
    QElapsedTimer sinceFrame;
    sinceFrame.start();
    int seen = 0;
    bool finished = false;
    bool stalled = false;
    while (!finished && !stalled && !shaderFailed) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        if (frame != seen) {
            seen = frame;
            sinceFrame.restart();
        }
        finished = frame > total;
        stalled = sinceFrame.elapsed() > 20000;
    }
    QObject::disconnect(connection);

    if (shaderFailed) {
        result.problem = QStringLiteral("compile error");
        return result;
    }
    if (stalled)
        result.problem = QStringLiteral("stalled");
    result.medianMs = median(intervals);
    if (!intervals.empty() && cpuEnd >= cpuStart)
        result.cpuMs = 1000.0 * double(cpuEnd - cpuStart) / CLOCKS_PER_SEC / double(intervals.size());
    return result;
}

// A shader measured at the size at which the program shows it all the time.
struct InPlace
{
    Result result;
    QSize size;
};

QString tableOf(const QList<Result> &results, const Result &empty, const QList<InPlace> &inPlace,
                const QSize &size, int frames, const QString &renderer)
{
    QString text;
    QTextStream out(&text);
    out << "## Scene shaders\n\n"
        << "Median time between two presented frames of each scene shader drawn full-window at "
        << size.width() << "x" << size.height() << " (" << frames
        << " frames after a warm-up, the clock advancing 1/60 s per frame, pointer away), "
        << "with the channel pictures that the shipped scene list gives it. Renderer: " << renderer << "; "
        << QThread::idealThreadCount() << " CPU threads (" << QSysInfo::currentCpuArchitecture() << ").\n\n"
        << "Rerun (after `cmake --build build --target bench_shaders`):\n\n"
        << "    xvfb-run -a -s \"-screen 0 1920x1080x24\" build/tools/bin/bench_shaders --write docs/benchmarks.md\n\n"
        << "Presenting a frame that draws nothing takes " << QString::number(empty.medianMs, 'f', 1)
        << " ms here (CPU " << QString::number(empty.cpuMs, 'f', 1)
        << " ms): the cheapest shaders sit just above that floor. The CPU column is the process's processor time per frame, the renderer's threads included: it "
        << "changes little when other programs load the machine, while the frame time does.\n\n"
        << "| Shader | Channels | Median ms/frame | Frames/s | CPU ms/frame |\n"
        << "|---|---|---:|---:|---:|\n";
    QList<Result> measured;
    for (const Result &r : results) {
        out << "| " << r.name << " | " << r.channels << " | ";
        if (r.medianMs >= 0 && r.problem.isEmpty()) {
            out << QString::number(r.medianMs, 'f', 1) << " | " << QString::number(1000.0 / r.medianMs, 'f', 1)
                << " | " << QString::number(r.cpuMs, 'f', 1);
            measured << r;
        } else {
            out << r.problem << " | - | -";
        }
        out << " |\n";
    }
    std::sort(measured.begin(), measured.end(),
              [](const Result &a, const Result &b) { return a.medianMs < b.medianMs; });
    if (!measured.isEmpty()) {
        QStringList cheapest;
        for (int i = 0; i < measured.size() && i < 7; ++i)
            cheapest << measured.at(i).name;
        out << "\nCheapest, in order: " << cheapest.join(QStringLiteral(", ")) << ".\n";
    }
    if (!inPlace.isEmpty()) {
        QStringList lines;
        for (const InPlace &item : inPlace) {
            lines << item.result.name + QStringLiteral(" at ") + QString::number(item.size.width()) + QLatin1Char('x')
                         + QString::number(item.size.height()) + QStringLiteral(": ")
                         + QString::number(item.result.medianMs, 'f', 1) + QStringLiteral(" ms per frame, CPU ")
                         + QString::number(item.result.cpuMs, 'f', 1) + QStringLiteral(" ms");
        }
        out << "\nThe two shaders that always run, at their size in the program (media button, controller logo): "
            << lines.join(QStringLiteral("; ")) << ".\n";
    }
    return text;
}

// Replaces the "## Scene shaders" section of a Markdown file, or appends it.
bool writeSection(const QString &path, const QString &section)
{
    QString text;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        text = QString::fromUtf8(file.readAll());
        file.close();
    } else {
        text = QStringLiteral("# Benchmarks\n");
    }
    const QString heading = QStringLiteral("## Scene shaders\n");
    int start = text.startsWith(heading) ? 0 : text.indexOf(QLatin1Char('\n') + heading);
    if (start > 0)
        ++start;
    if (start < 0) {
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += QLatin1Char('\n') + section;
    } else {
        int end = text.indexOf(QStringLiteral("\n## "), start + heading.size());
        end = end < 0 ? text.size() : end + 1;
        QString replacement = section;
        if (end < text.size())
            replacement += QLatin1Char('\n');
        text.replace(start, end - start, replacement);
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return false;
    file.write(text.toUtf8());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QSG_RENDER_LOOP"))
        qputenv("QSG_RENDER_LOOP", "basic");
    QSurfaceFormat format = joyvant::programSurfaceFormat();
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);

    QGuiApplication app(argc, argv);
    defaultHandler = qInstallMessageHandler(watchMessages);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Median frame time of every scene shader."));
    parser.addHelpOption();
    const QCommandLineOption shadersOption(QStringLiteral("shaders"), QStringLiteral("Folder of .frag files."),
                                           QStringLiteral("dir"));
    const QCommandLineOption picturesOption(QStringLiteral("pictures"), QStringLiteral("Folder of channel pictures."),
                                            QStringLiteral("dir"));
    const QCommandLineOption onlyOption(QStringLiteral("only"), QStringLiteral("Shader names, comma separated."),
                                        QStringLiteral("names"));
    const QCommandLineOption framesOption(QStringLiteral("frames"), QStringLiteral("Measured frames."),
                                          QStringLiteral("n"), QStringLiteral("40"));
    const QCommandLineOption warmupOption(QStringLiteral("warmup"), QStringLiteral("Frames before measuring."),
                                          QStringLiteral("n"), QStringLiteral("8"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Window size."),
                                        QStringLiteral("WxH"), QStringLiteral("640x400"));
    const QCommandLineOption scenesOption(QStringLiteral("scenes"),
                                          QStringLiteral("Scene list that pairs shaders with pictures."),
                                          QStringLiteral("file"),
                                          QStringLiteral(JOYVANT_SOURCE_DIR "/resources/scenes.json"));
    const QCommandLineOption writeOption(QStringLiteral("write"), QStringLiteral("Markdown file to update."),
                                         QStringLiteral("file"));
    parser.addOptions({shadersOption, picturesOption, onlyOption, framesOption, warmupOption, sizeOption, scenesOption,
                       writeOption});
    parser.process(app);

    const QStringList sizeParts = parser.value(sizeOption).split(QLatin1Char('x'));
    const QSize size(sizeParts.value(0).toInt(), sizeParts.value(1).toInt());
    const int frames = qMax(1, parser.value(framesOption).toInt());
    const int warmup = qMax(1, parser.value(warmupOption).toInt());
    if (size.isEmpty()) {
        std::fprintf(stderr, "bad --size\n");
        return 2;
    }
    const QStringList only = parser.value(onlyOption).split(QLatin1Char(','), Qt::SkipEmptyParts);

    QQuickView view;
    QString renderer = QStringLiteral("unknown");
    QObject::connect(
        &view, &QQuickWindow::sceneGraphInitialized, &view,
        [&view, &renderer] {
            if (QOpenGLContext *context = view.openglContext()) {
                const auto name = reinterpret_cast<const char *>(context->functions()->glGetString(GL_RENDERER));
                if (name)
                    renderer = QString::fromLatin1(name);
            }
        },
        Qt::DirectConnection);
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setSource(QUrl(QStringLiteral("qrc:/bench/bench.qml")));
    if (view.status() != QQuickView::Ready) {
        std::fprintf(stderr, "cannot load the benchmark scene\n");
        return 1;
    }
    view.resize(size);
    view.show();
    QObject *scene = view.rootObject();
    waitFor([&view] { return view.isExposed(); }, 10000);

    const Result empty = measure(view, scene, ShaderCase(), QString(), QString(),
                                 warmup, frames);
    std::printf("%-47s %.2f ms, CPU %.2f ms\n", qPrintable(empty.name), empty.medianMs, empty.cpuMs);
    QList<Result> results;
    const QList<ShaderCase> shaders = catalogue(parser.value(scenesOption));
    for (const ShaderCase &shader : shaders) {
        if (!only.isEmpty() && !only.contains(shader.name))
            continue;
        const Result r = measure(view, scene, shader, parser.value(shadersOption), parser.value(picturesOption),
                                 warmup, frames);
        const QString figures = QString::number(r.medianMs, 'f', 2) + QStringLiteral(" ms, CPU ")
                                + QString::number(r.cpuMs, 'f', 2) + QStringLiteral(" ms");
        std::printf("%-26s %-20s %s\n", qPrintable(r.name), qPrintable(r.channels),
                    qPrintable(r.problem.isEmpty() ? figures : r.problem));
        std::fflush(stdout);
        results << r;
    }

    // The media button's ring and the controller logo run all the time, at their own sizes.
    QList<InPlace> inPlace;
    const QList<QPair<ShaderCase, QSize>> alwaysOn = {
        {ShaderCase{QStringLiteral("Ring"), QString(), QString()}, QSize(300, 150)},
        {ShaderCase{QStringLiteral("XBoxLogo"), QString(), QString()}, QSize(100, 100)}};
    for (const auto &entry : alwaysOn) {
        const ShaderCase &shader = entry.first;
        if (!only.isEmpty() && !only.contains(shader.name))
            continue;
        view.resize(entry.second);
        waitFor([&view, &entry] { return view.size() == entry.second; }, 5000);
        const InPlace item{measure(view, scene, shader, parser.value(shadersOption), parser.value(picturesOption),
                                   warmup, frames),
                           entry.second};
        std::printf("%-26s %-20s %.2f ms, CPU %.2f ms\n", qPrintable(item.result.name),
                    qPrintable(QString::number(entry.second.width()) + QLatin1Char('x')
                               + QString::number(entry.second.height())),
                    item.result.medianMs, item.result.cpuMs);
        if (item.result.problem.isEmpty())
            inPlace << item;
    }

    const QString section = tableOf(results, empty, inPlace, size, frames, renderer);
    if (parser.isSet(writeOption)) {
        if (!writeSection(parser.value(writeOption), section)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(parser.value(writeOption)));
            return 1;
        }
    } else {
        std::printf("\n%s", qPrintable(section));
    }
    return 0;
}
