#include "systemcollect.h"

#include <QAudioDeviceInfo>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSysInfo>
#include <QThread>

#ifndef QT_NO_OPENGL
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#endif

#ifdef Q_OS_WIN
#include <QSettings>
#include <qt_windows.h>
#endif

namespace systemcollect {

namespace {

QString orUnknown(const QString &value)
{
    const QString trimmed = value.trimmed();
    return trimmed.isEmpty() ? QCoreApplication::translate("SysInfo", "unknown") : trimmed;
}

#ifdef Q_OS_LINUX
// The value of the first "key : value" line of a /proc file whose key is one of keys.
QString procField(const QString &path, const QStringList &keys)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QString &key : keys) {
        for (const QByteArray &line : lines) {
            const int colon = line.indexOf(':');
            if (colon > 0 && QString::fromUtf8(line.left(colon)).trimmed() == key)
                return QString::fromUtf8(line.mid(colon + 1)).trimmed();
        }
    }
    return QString();
}

// "16318460 kB" -> bytes; 0 when missing.
quint64 procKilobytes(const QString &value)
{
    const QString number = value.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    bool ok = false;
    const quint64 kilobytes = number.toULongLong(&ok);
    return ok ? kilobytes * 1024 : 0;
}
#endif

QString cpuModel()
{
#if defined(Q_OS_WIN)
    const QSettings processor(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"),
                              QSettings::NativeFormat);
    return processor.value(QStringLiteral("ProcessorNameString")).toString().trimmed();
#elif defined(Q_OS_LINUX)
    // x86 names the model "model name"; ARM boards use "Model" or "Hardware".
    return procField(QStringLiteral("/proc/cpuinfo"),
                     {QStringLiteral("model name"), QStringLiteral("Model"), QStringLiteral("Hardware"),
                      QStringLiteral("cpu model"), QStringLiteral("cpu")});
#else
    return QString();
#endif
}

struct MemoryFigures
{
    quint64 total = 0;
    quint64 available = 0;
};

MemoryFigures memoryFigures()
{
    MemoryFigures figures;
#if defined(Q_OS_WIN)
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status)) {
        figures.total = status.ullTotalPhys;
        figures.available = status.ullAvailPhys;
    }
#elif defined(Q_OS_LINUX)
    figures.total = procKilobytes(procField(QStringLiteral("/proc/meminfo"), {QStringLiteral("MemTotal")}));
    figures.available = procKilobytes(procField(QStringLiteral("/proc/meminfo"), {QStringLiteral("MemAvailable")}));
#endif
    return figures;
}

QString yesNo(bool value)
{
    return value ? QCoreApplication::translate("SysInfo", "yes") : QCoreApplication::translate("SysInfo", "no");
}

} // namespace

InfoEntry line(const QString &name, const QString &value, const QVector<InfoEntry> &children)
{
    InfoEntry entry;
    entry.name = name;
    entry.value = value;
    entry.children = children;
    return entry;
}

QString formatBytes(quint64 bytes)
{
    return QLocale::c().formattedDataSize(qint64(bytes), 2, QLocale::DataSizeIecFormat);
}

InfoEntry operatingSystemSection()
{
    return line(
        QCoreApplication::translate("SysInfo", "Operating system"), QString(),
        {line(QCoreApplication::translate("SysInfo", "Product"), orUnknown(QSysInfo::prettyProductName())),
         line(QCoreApplication::translate("SysInfo", "Version"), orUnknown(QSysInfo::productVersion())),
         line(QCoreApplication::translate("SysInfo", "Kernel"),
              orUnknown(QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion())),
         line(QCoreApplication::translate("SysInfo", "Architecture"), orUnknown(QSysInfo::currentCpuArchitecture())),
         line(QCoreApplication::translate("SysInfo", "Program built for"), orUnknown(QSysInfo::buildAbi()))});
}

InfoEntry processorSection()
{
    return line(
        QCoreApplication::translate("SysInfo", "Processor"), QString(),
        {line(QCoreApplication::translate("SysInfo", "Model"), orUnknown(cpuModel())),
         line(QCoreApplication::translate("SysInfo", "Logical cores"), QString::number(QThread::idealThreadCount()))});
}

InfoEntry memorySection()
{
    const MemoryFigures figures = memoryFigures();
    const QString unknown = orUnknown(QString());
    return line(
        QCoreApplication::translate("SysInfo", "Memory"), QString(),
        {line(QCoreApplication::translate("SysInfo", "Total"), figures.total ? formatBytes(figures.total) : unknown),
         line(QCoreApplication::translate("SysInfo", "Available"),
              figures.total ? formatBytes(figures.available) : unknown)});
}

InfoEntry applicationSection(const QString &sdlVersions)
{
    return line(
        QCoreApplication::translate("SysInfo", "Application"), QString(),
        {line(QCoreApplication::translate("SysInfo", "Name"), orUnknown(QCoreApplication::applicationName())),
         line(QCoreApplication::translate("SysInfo", "Version"), orUnknown(QCoreApplication::applicationVersion())),
         line(QCoreApplication::translate("SysInfo", "Qt at build time"), QStringLiteral(QT_VERSION_STR)),
         line(QCoreApplication::translate("SysInfo", "Qt at run time"), QString::fromLatin1(qVersion())),
         line(QCoreApplication::translate("SysInfo", "SDL"), orUnknown(sdlVersions))});
}

InfoEntry displaysSection()
{
    InfoEntry section = line(QCoreApplication::translate("SysInfo", "Displays"), QString());
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        section.children.append(line(QCoreApplication::translate("SysInfo", "Screens"),
                                     QCoreApplication::translate("SysInfo", "no graphical application")));
        return section;
    }
    const QList<QScreen *> screens = QGuiApplication::screens();
    const QScreen *primary = QGuiApplication::primaryScreen();
    int number = 0;
    for (const QScreen *screen : screens) {
        ++number;
        const qreal ratio = screen->devicePixelRatio();
        const QSize logical = screen->size();
        const QSize pixels = (QSizeF(logical) * ratio).toSize();
        QVector<InfoEntry> details {
            line(QCoreApplication::translate("SysInfo", "Name"), orUnknown(screen->name())),
            line(
                QCoreApplication::translate("SysInfo", "Size"),
                QCoreApplication::translate("SysInfo", "%1 \u00d7 %2 pixels").arg(pixels.width()).arg(pixels.height())),
            line(QCoreApplication::translate("SysInfo", "Device pixel ratio"), QString::number(ratio, 'g', 4)),
            line(QCoreApplication::translate("SysInfo", "Refresh rate"),
                 QCoreApplication::translate("SysInfo", "%1 Hz").arg(QString::number(screen->refreshRate(), 'f', 2))),
        };
        const QString model = (screen->manufacturer() + QLatin1Char(' ') + screen->model()).trimmed();
        if (!model.isEmpty())
            details.append(line(QCoreApplication::translate("SysInfo", "Model"), model));
        details.append(line(QCoreApplication::translate("SysInfo", "Primary"), yesNo(screen == primary)));
        section.children.append(
            line(QCoreApplication::translate("SysInfo", "Screen %1").arg(number), orUnknown(screen->name()), details));
    }
    if (screens.isEmpty())
        section.children.append(
            line(QCoreApplication::translate("SysInfo", "Screens"), QCoreApplication::translate("SysInfo", "none")));
    return section;
}

InfoEntry graphicsSection()
{
    InfoEntry section = line(QCoreApplication::translate("SysInfo", "Graphics"), QString());
    const auto unavailable = [&section](const QString &reason) {
        section.children.append(line(QCoreApplication::translate("SysInfo", "OpenGL"), reason));
        return section;
    };
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return unavailable(QCoreApplication::translate("SysInfo", "no graphical application"));
    section.children.append(
        line(QCoreApplication::translate("SysInfo", "Window system"), orUnknown(QGuiApplication::platformName())));
#ifdef QT_NO_OPENGL
    return unavailable(QCoreApplication::translate("SysInfo", "not built in"));
#else
    // A context of its own on a hidden surface, with the format the program renders
    // with; whatever context was current is made current again afterwards.
    struct RestoreCurrent
    {
        QOpenGLContext *context = QOpenGLContext::currentContext();
        QSurface *surface = context ? context->surface() : nullptr;
        ~RestoreCurrent()
        {
            if (context && surface && QOpenGLContext::currentContext() != context)
                context->makeCurrent(surface);
        }
    } restoreCurrent;

    QOffscreenSurface surface;
    surface.setFormat(QSurfaceFormat::defaultFormat());
    surface.create();
    if (!surface.isValid())
        return unavailable(QCoreApplication::translate("SysInfo", "unavailable (no surface)"));
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    if (!context.create())
        return unavailable(QCoreApplication::translate("SysInfo", "unavailable (no context)"));
    if (!context.makeCurrent(&surface))
        return unavailable(QCoreApplication::translate("SysInfo", "unavailable (context not usable)"));

    QOpenGLFunctions *gl = context.functions();
    const auto glString = [gl](GLenum name) {
        const GLubyte *text = gl->glGetString(name);
        return orUnknown(text ? QString::fromLatin1(reinterpret_cast<const char *>(text)) : QString());
    };
    const QSurfaceFormat format = context.format();
    QString profile;
    if (context.isOpenGLES())
        profile = QStringLiteral("OpenGL ES");
    else if (format.profile() == QSurfaceFormat::CoreProfile)
        profile = QCoreApplication::translate("SysInfo", "core");
    else if (format.profile() == QSurfaceFormat::CompatibilityProfile)
        profile = QCoreApplication::translate("SysInfo", "compatibility");
    else
        profile = QCoreApplication::translate("SysInfo", "none");

    section.children.append(line(QCoreApplication::translate("SysInfo", "OpenGL vendor"), glString(GL_VENDOR)));
    section.children.append(line(QCoreApplication::translate("SysInfo", "OpenGL renderer"), glString(GL_RENDERER)));
    section.children.append(line(QCoreApplication::translate("SysInfo", "OpenGL version"), glString(GL_VERSION)));
    section.children.append(
        line(QCoreApplication::translate("SysInfo", "OpenGL profile"),
             QStringLiteral("%1 %2.%3").arg(profile).arg(format.majorVersion()).arg(format.minorVersion())));
    section.children.append(
        line(QCoreApplication::translate("SysInfo", "Shading language"), glString(GL_SHADING_LANGUAGE_VERSION)));
    context.doneCurrent();
    return section;
#endif
}

InfoEntry audioOutputsSection()
{
    InfoEntry section = line(QCoreApplication::translate("SysInfo", "Audio outputs"), QString());
    const QString defaultName = QAudioDeviceInfo::defaultOutputDevice().deviceName();
    QStringList seen;
    for (const QAudioDeviceInfo &device : QAudioDeviceInfo::availableDevices(QAudio::AudioOutput)) {
        const QString name = device.deviceName();
        if (name.isEmpty() || seen.contains(name))
            continue;
        seen.append(name);
        section.children.append(
            line(QCoreApplication::translate("SysInfo", "Output %1").arg(seen.size()),
                 name == defaultName ? QCoreApplication::translate("SysInfo", "%1 (default)").arg(name) : name));
    }
    if (section.children.isEmpty())
        section.children.append(
            line(QCoreApplication::translate("SysInfo", "Outputs"), QCoreApplication::translate("SysInfo", "none")));
    return section;
}

} // namespace systemcollect
