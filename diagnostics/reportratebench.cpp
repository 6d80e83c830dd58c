#include "reportratebench.h"

#include "eventframes.h"
#include "gamepadbackend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#if defined(Q_OS_LINUX)
#include <linux/input.h>
#include <sys/ioctl.h>
#include <time.h>
#endif

namespace joyvant {

namespace {

bool operator==(const ReportRateStats::Figures &a, const ReportRateStats::Figures &b)
{
    return a.measured == b.measured && a.intervals == b.intervals && a.rateHz == b.rateHz && a.rateClass == b.rateClass
        && a.medianNs == b.medianNs && a.jitterNs == b.jitterNs && a.longestGapNs == b.longestGapNs;
}

} // namespace

ReportRateBench::ReportRateBench(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
    m_publishTimer.setInterval(PublishIntervalMs);
    connect(&m_publishTimer, &QTimer::timeout, this, [this] {
        if (m_pending)
            refresh();
        else if (!m_reader)
            m_publishTimer.stop();
    });
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, [this](int deviceId) {
        if (deviceId == m_deviceId)
            restart();
    });
    connect(m_backend.data(), &GamepadBackend::deviceRemoved, this, [this](int deviceId) {
        if (deviceId == m_deviceId)
            restart();
    });
    restart();
}

ReportRateBench::~ReportRateBench()
{
    close();
}

void ReportRateBench::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    m_deviceId = deviceId;
    m_stats.reset();
    restart();
    refresh();
    emit deviceIdChanged();
}

void ReportRateBench::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    restart();
    emit activeChanged();
}

QString ReportRateBench::rateClassText() const
{
    if (!m_figures.measured)
        return QString();
    return m_figures.rateClass ? tr("%1 Hz").arg(m_figures.rateClass) : tr("irregular");
}

QVariantMap ReportRateBench::summary() const
{
    QVariantMap map {{QStringLiteral("available"), isAvailable()}, {QStringLiteral("measured"), m_figures.measured}};
    if (!isAvailable())
        map.insert(QStringLiteral("reason"), m_reason);
    if (!m_path.isEmpty())
        map.insert(QStringLiteral("path"), m_path);
    if (m_figures.measured) {
        map.insert(QStringLiteral("rateHz"), m_figures.rateHz);
        map.insert(QStringLiteral("rateClass"), m_figures.rateClass);
        map.insert(QStringLiteral("medianIntervalMs"), medianInterval());
        map.insert(QStringLiteral("jitterMs"), jitter());
        map.insert(QStringLiteral("longestGapMs"), longestGap());
        map.insert(QStringLiteral("intervals"), m_figures.intervals);
    }
    return map;
}

void ReportRateBench::reset()
{
    m_stats.reset();
    refresh();
}

void ReportRateBench::refresh()
{
    m_pending = false;
    const ReportRateStats::Figures figures = m_stats.figures();
    if (figures == m_figures)
        return;
    m_figures = figures;
    emit figuresChanged();
}

void ReportRateBench::setReason(const QString &reason, const QString &path)
{
    if (m_reason == reason && m_path == path)
        return;
    m_reason = reason;
    m_path = path;
    emit availabilityChanged();
    emit figuresChanged(); // the summary carries both
}

void ReportRateBench::close()
{
    delete m_reader.data();
}

void ReportRateBench::measureDescriptor(int fd)
{
    close();
    auto *reader = new EventFrameReader(
        fd, EventFrameReader::TakeOwnership,
        [this](const EventFrame &frame) {
            m_stats.addFrame(frame);
            m_pending = true;
        },
        this);
    connect(reader, &EventFrameReader::closed, this, &ReportRateBench::onClosed);
    m_reader = reader;
    setReason(QString(), m_path);
    m_publishTimer.start();
}

void ReportRateBench::onClosed(const QString &error)
{
    const bool truncated = m_reader && m_reader->isTruncated();
    if (m_reader)
        m_reader->deleteLater();
    m_reader = nullptr;
    refresh();
    QString reason;
    if (truncated)
        reason = tr("The event device ended in the middle of a record.");
    else if (error.isEmpty())
        reason = tr("The event device closed.");
    else
        reason = tr("The event device closed: %1 (was the pad unplugged?).").arg(error);
    setReason(reason, m_path);
}

void ReportRateBench::restart()
{
    close();
#if !defined(Q_OS_LINUX)
    setReason(tr("The report rate can only be measured on Linux."), QString());
#else
    SDL_GameController *controller = m_backend->controller(m_deviceId);
    if (!controller) {
        setReason(tr("No pad is connected."), QString());
        return;
    }
    const char *sdlPath = SDL_JoystickPath(SDL_GameControllerGetJoystick(controller));
    QString path = sdlPath ? QString::fromUtf8(sdlPath) : QString();
    if (path.startsWith(QLatin1String("/dev/hidraw"))) {
        const QString eventDevice = eventDeviceOfHidraw(path);
        if (!eventDevice.isEmpty())
            path = eventDevice;
    }
    if (path.isEmpty()) {
        setReason(tr("This pad has no event device to read (SDL reaches it another way, as it does a virtual pad)."),
                  QString());
        return;
    }
    if (!m_active) {
        setReason(tr("The bench is not active."), path);
        return;
    }
    QString reason;
    const int fd = openEventDevice(path, &reason);
    setReason(reason, path);
    if (fd >= 0)
        measureDescriptor(fd);
#endif
}

QString ReportRateBench::eventDeviceOfHidraw(const QString &hidrawPath, const QString &sysRoot)
{
    const QString name = QFileInfo(hidrawPath).fileName();
    if (!name.startsWith(QLatin1String("hidraw")))
        return QString();
    auto read = [](const QString &file) {
        QFile text(file);
        return text.open(QIODevice::ReadOnly) ? QString::fromLatin1(text.readAll()).trimmed() : QString();
    };
    const QDir inputs(QStringLiteral("%1/class/hidraw/%2/device/input").arg(sysRoot, name));
    for (const QString &input : inputs.entryList({QStringLiteral("input*")}, QDir::Dirs, QDir::Name)) {
        const QDir dir(inputs.filePath(input));
        const QString axes = read(dir.filePath(QStringLiteral("capabilities/abs")));
        if (axes.isEmpty() || axes == QLatin1String("0")
            || read(dir.filePath(QStringLiteral("properties"))) != QLatin1String("0"))
            continue;
        const QStringList events = dir.entryList({QStringLiteral("event*")}, QDir::Dirs, QDir::Name);
        if (!events.isEmpty())
            return QStringLiteral("/dev/input/") + events.constFirst();
    }
    return QString();
}

int ReportRateBench::openEventDevice(const QString &path, QString *reason)
{
#if !defined(Q_OS_LINUX)
    Q_UNUSED(path)
    *reason = tr("The report rate can only be measured on Linux.");
    return -1;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            *reason = tr("No permission to read %1. Add your user to the group that owns it (often \"input\"), "
                         "or give it a udev rule for this pad.")
                          .arg(path);
        else
            *reason = tr("Cannot open %1: %2.").arg(path, QString::fromLocal8Bit(std::strerror(error)));
        return -1;
    }
    int version = 0;
    if (::ioctl(fd, EVIOCGVERSION, &version) != 0) {
        ::close(fd);
        *reason = tr("%1 is not an event device: SDL reads this pad another way, so its report frames cannot be "
                     "timed.")
                      .arg(path);
        return -1;
    }
    // Monotonic time stamps: the wall clock may be set while we measure. Without them
    // (old kernels) the wall clock's stamps still give the intervals.
    int clock = CLOCK_MONOTONIC;
    ::ioctl(fd, EVIOCSCLOCKID, &clock);
    reason->clear();
    return fd;
#endif
}

} // namespace joyvant
