#include "sysinfo.h"

#include "systemcollect.h"

#include <QCoreApplication>
#include <QtConcurrent>

namespace {

struct GuiThreadFacts
{
    InfoEntry application;
    InfoEntry displays;
    InfoEntry graphics;
    InfoEntry audioOutputs;
    InfoEntry gamepads;
};

// Runs on the scan's worker thread: only plain values come in and go out.
QVector<InfoEntry> collect(const GuiThreadFacts &facts)
{
    return {facts.application,
            systemcollect::operatingSystemSection(),
            systemcollect::processorSection(),
            systemcollect::memorySection(),
            facts.displays,
            facts.graphics,
            facts.audioOutputs,
            facts.gamepads};
}

QString hexId(quint16 id)
{
    return QStringLiteral("0x%1").arg(id, 4, 16, QLatin1Char('0'));
}

} // namespace

SysInfo::SysInfo(QObject *parent)
    : QObject(parent)
    , m_model(new InfoTreeModel(this))
{
    // One worker: scans never run side by side.
    m_pool.setMaxThreadCount(1);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &SysInfo::scanFinished);
    scanGamepad();
}

SysInfo::~SysInfo()
{
    // The worker's code lives in this plug-in; let it end before anything goes away.
    m_watcher.disconnect(this);
    m_pool.waitForDone();
}

QAbstractItemModel *SysInfo::model() const
{
    return m_model;
}

void SysInfo::scan()
{
    if (m_scanning) {
        m_rescanRequested = true;
        return;
    }
    startScan();
    setScanning(true);
}

void SysInfo::startScan()
{
    GuiThreadFacts facts;
    facts.application = systemcollect::applicationSection(SdlGamepads::versions());
    facts.displays = systemcollect::displaysSection();
    facts.graphics = graphicsSection();
    facts.audioOutputs = systemcollect::audioOutputsSection();
    facts.gamepads = gamepadsSection();
    m_watcher.setFuture(QtConcurrent::run(&m_pool, collect, facts));
}

void SysInfo::scanFinished()
{
    m_model->setEntries(m_watcher.result());
    if (m_rescanRequested) {
        m_rescanRequested = false;
        startScan();
        return;
    }
    setScanning(false);
}

void SysInfo::setScanning(bool scanning)
{
    if (m_scanning == scanning)
        return;
    m_scanning = scanning;
    emit scanningChanged();
}

InfoEntry SysInfo::graphicsSection()
{
    // Drivers do not change while the program runs: one context is enough.
    if (!m_haveGraphics) {
        m_graphics = systemcollect::graphicsSection();
        m_haveGraphics = true;
    }
    return m_graphics;
}

InfoEntry SysInfo::gamepadsSection()
{
    using systemcollect::line;
    InfoEntry section = line(tr("Gamepads"), QString());
    if (!m_sdl.isAvailable()) {
        section.children.append(line(tr("SDL"), tr("unavailable: %1").arg(m_sdl.errorString())));
        return section;
    }
    const QVector<SdlGamepads::Device> devices = m_sdl.devices(SdlGamepads::ProbeFeatures);
    int number = 0;
    for (const SdlGamepads::Device &device : devices) {
        ++number;
        QVector<InfoEntry> details {
            line(tr("Name"), device.name.isEmpty() ? tr("unknown") : device.name),
            line(tr("GUID"), device.guid),
            line(tr("USB vendor id"), hexId(device.vendorId)),
            line(tr("USB product id"), hexId(device.productId)),
        };
        if (device.gameController) {
            details.append(line(tr("Type"), device.type));
            details.append(line(tr("Rumble"), device.rumble ? tr("yes") : tr("no")));
            details.append(line(tr("Trigger rumble"), device.triggerRumble ? tr("yes") : tr("no")));
        } else {
            details.append(line(tr("Mapping"), tr("none: SDL does not know this device as a game controller")));
        }
        section.children.append(line(tr("Gamepad %1").arg(number), details.first().value, details));
    }
    if (devices.isEmpty())
        section.children.append(line(tr("Connected"), tr("none")));
    return section;
}

void SysInfo::scanGamepad()
{
    QVariantList gamepads;
    const QVector<SdlGamepads::Device> devices = m_sdl.devices(SdlGamepads::Basic);
    for (const SdlGamepads::Device &device : devices) {
        if (!device.gameController)
            continue;
        gamepads.append(QVariantMap {
            {QStringLiteral("deviceName"), device.name},
            {QStringLiteral("guid"), device.guid},
            {QStringLiteral("vendorId"), int(device.vendorId)},
            {QStringLiteral("productId"), int(device.productId)},
            {QStringLiteral("type"), device.type},
            {QStringLiteral("instanceId"), device.instanceId},
            {QStringLiteral("mappingNeeded"), false},
        });
    }
    // Then the joysticks SDL has no controller mapping for: listed last, so the game
    // controllers keep their places.
    for (const SdlGamepads::Device &device : devices) {
        if (device.gameController)
            continue;
        gamepads.append(QVariantMap {
            {QStringLiteral("deviceName"), device.name},
            {QStringLiteral("guid"), device.guid},
            {QStringLiteral("vendorId"), int(device.vendorId)},
            {QStringLiteral("productId"), int(device.productId)},
            {QStringLiteral("instanceId"), device.instanceId},
            {QStringLiteral("mappingNeeded"), true},
        });
    }
    if (gamepads == m_gamepads)
        return;
    m_gamepads = gamepads;
    emit gamepadsChanged();
}
