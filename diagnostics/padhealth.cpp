#include "padhealth.h"

#include "gamepadbackend.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QQmlEngine>

namespace joyvant {

PadHealth::PadHealth(int deviceId, QObject *parent)
    : QObject(parent)
    , m_deviceId(deviceId)
    , m_leftStick(new StickHealth(this))
    , m_rightStick(new StickHealth(this))
    , m_leftTrigger(new TriggerRange(this))
    , m_rightTrigger(new TriggerRange(this))
    , m_report(new PadReport(this))
    , m_haptics(new HapticBench(this))
    , m_sensors(new SensorBench(this))
    , m_reportRate(new ReportRateBench(this))
{
    // Nothing of the bench runs before it shows.
    m_haptics->setActive(false);
    m_sensors->setActive(false);
    m_reportRate->setActive(false);
    m_haptics->setDeviceId(deviceId);
    m_sensors->setDeviceId(deviceId);
    m_reportRate->setDeviceId(deviceId);
    m_leftStick->setStick(StickHealth::Left);
    m_leftStick->setDeviceId(deviceId);
    m_rightStick->setStick(StickHealth::Right);
    m_rightStick->setDeviceId(deviceId);
    m_leftTrigger->setTrigger(TriggerRange::Left);
    m_leftTrigger->setDeviceId(deviceId);
    m_rightTrigger->setTrigger(TriggerRange::Right);
    m_rightTrigger->setDeviceId(deviceId);
    m_report->setDeviceId(deviceId);
    m_report->setLeftStick(m_leftStick);
    m_report->setRightStick(m_rightStick);
    m_report->setLeftTrigger(m_leftTrigger);
    m_report->setRightTrigger(m_rightTrigger);
    m_report->setHaptics(m_haptics);
    m_report->setSensors(m_sensors);
    m_report->setReportRate(m_reportRate);
    // Objects handed to QML stay ours, whatever the engine's collector thinks of them.
    for (QObject *part : {static_cast<QObject *>(m_leftStick), static_cast<QObject *>(m_rightStick),
                          static_cast<QObject *>(m_leftTrigger), static_cast<QObject *>(m_rightTrigger),
                          static_cast<QObject *>(m_report), static_cast<QObject *>(m_haptics),
                          static_cast<QObject *>(m_sensors), static_cast<QObject *>(m_reportRate)})
        QQmlEngine::setObjectOwnership(part, QQmlEngine::CppOwnership);

    refreshIdentity();
    m_identityTimer.setInterval(IdentityRefreshMs);
    connect(&m_identityTimer, &QTimer::timeout, this, &PadHealth::refreshIdentity);
    m_identityTimer.start();
}

PadHealth::~PadHealth() = default;

void PadHealth::setBenchActive(bool active)
{
    if (m_benchActive == active)
        return;
    m_benchActive = active;
    m_haptics->setActive(active);
    m_sensors->setActive(active);
    m_reportRate->setActive(active);
    emit benchActiveChanged();
}

void PadHealth::refreshIdentity()
{
    const QVariantMap report = m_report->json();
    const QVariantMap identity = report.value(QStringLiteral("identity")).toMap();
    const QVariantMap features = report.value(QStringLiteral("features")).toMap();
    if (identity == m_identity && features == m_features)
        return;
    m_identity = identity;
    m_features = features;
    emit identityChanged();
}

PadHealthModel::PadHealthModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_backend(GamepadBackend::instance())
{
    connect(m_backend.data(), &GamepadBackend::deviceAdded, this, &PadHealthModel::onDeviceAdded);
    connect(m_backend.data(), &GamepadBackend::deviceRemoved, this, &PadHealthModel::onDeviceRemoved);
    connect(m_backend.data(), &GamepadBackend::joysticksChanged, this, &PadHealthModel::joysticksChanged);
    const QList<int> present = m_backend->devices();
    for (int deviceId : present)
        onDeviceAdded(deviceId);
}

PadHealthModel::~PadHealthModel() = default;

void PadHealthModel::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    m_deviceId = deviceId;
    emit deviceIdChanged();
    updateCurrent();
}

void PadHealthModel::setShown(bool shown)
{
    setBenchInput(m_shown, shown, &PadHealthModel::shownChanged);
}

void PadHealthModel::setBenchChosen(bool chosen)
{
    setBenchInput(m_benchChosen, chosen, &PadHealthModel::benchChosenChanged);
}

void PadHealthModel::setBenchInput(bool &input, bool value, void (PadHealthModel::*changed)())
{
    if (input == value)
        return;
    const bool wasBenchShown = isBenchShown();
    input = value;
    emit(this->*changed)();
    if (wasBenchShown != isBenchShown())
        emit benchShownChanged();
    updateBench();
}

void PadHealthModel::updateBench()
{
    // The pads left first, so a pad's motors stop before another pad's bench starts.
    for (PadHealth *pad : qAsConst(m_pads)) {
        if (pad != m_current || !isBenchShown())
            pad->setBenchActive(false);
    }
    if (m_current)
        m_current->setBenchActive(isBenchShown());
}

int PadHealthModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_pads.size();
}

QVariant PadHealthModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    PadHealth *pad = m_pads.at(index.row());
    switch (role) {
    case DeviceIdRole: return pad->deviceId();
    case NameRole:
    case Qt::DisplayRole: return m_backend->name(pad->deviceId());
    case PadRole: return QVariant::fromValue(pad);
    default: return {};
    }
}

QHash<int, QByteArray> PadHealthModel::roleNames() const
{
    return {{DeviceIdRole, "deviceId"}, {NameRole, "name"}, {PadRole, "pad"}};
}

PadHealth *PadHealthModel::pad(int deviceId) const
{
    for (PadHealth *pad : m_pads) {
        if (pad->deviceId() == deviceId)
            return pad;
    }
    return nullptr;
}

void PadHealthModel::copyToClipboard(const QString &text) const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->setText(text);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

void PadHealthModel::onDeviceAdded(int deviceId)
{
    if (pad(deviceId))
        return;
    const int row = m_pads.size();
    beginInsertRows(QModelIndex(), row, row);
    auto *health = new PadHealth(deviceId, this);
    QQmlEngine::setObjectOwnership(health, QQmlEngine::CppOwnership);
    m_pads.append(health);
    endInsertRows();
    emit countChanged();
    updateCurrent();
}

void PadHealthModel::onDeviceRemoved(int deviceId)
{
    PadHealth *health = pad(deviceId);
    if (!health)
        return;
    const int row = m_pads.indexOf(health);
    beginRemoveRows(QModelIndex(), row, row);
    m_pads.removeAt(row);
    endRemoveRows();
    health->setBenchActive(false);
    emit countChanged();
    updateCurrent();
    // Bindings may still hold it until they see `current` change: deleted later.
    health->deleteLater();
}

void PadHealthModel::updateCurrent()
{
    PadHealth *next = pad(m_deviceId);
    if (m_current == next)
        return;
    m_current = next;
    updateBench();
    emit currentChanged();
}

} // namespace joyvant
