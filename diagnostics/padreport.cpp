#include "padreport.h"

#include "gamepadbackend.h"
#include "gamepadmappings.h"

#include <QDateTime>
#include <QDir>
#include <QJSValue>
#include <QJSValueIterator>
#include <QJsonDocument>
#include <QJsonObject>

#include <SDL.h>

namespace joyvant {

namespace {

QString text(const char *value)
{
    return value ? QString::fromUtf8(value) : QString();
}

QString hexId(quint16 id)
{
    return QStringLiteral("0x%1").arg(id, 4, 16, QLatin1Char('0'));
}

QString typeName(SDL_GameControllerType type)
{
    switch (type) {
    case SDL_CONTROLLER_TYPE_XBOX360: return QStringLiteral("Xbox 360");
    case SDL_CONTROLLER_TYPE_XBOXONE: return QStringLiteral("Xbox One");
    case SDL_CONTROLLER_TYPE_PS3: return QStringLiteral("PlayStation 3");
    case SDL_CONTROLLER_TYPE_PS4: return QStringLiteral("PlayStation 4");
    case SDL_CONTROLLER_TYPE_PS5: return QStringLiteral("PlayStation 5");
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO: return QStringLiteral("Nintendo Switch Pro");
    case SDL_CONTROLLER_TYPE_VIRTUAL: return QStringLiteral("virtual");
    case SDL_CONTROLLER_TYPE_AMAZON_LUNA: return QStringLiteral("Amazon Luna");
    case SDL_CONTROLLER_TYPE_GOOGLE_STADIA: return QStringLiteral("Google Stadia");
    case SDL_CONTROLLER_TYPE_NVIDIA_SHIELD: return QStringLiteral("NVIDIA Shield");
    default: return QStringLiteral("generic");
    }
}

QString batteryName(SDL_JoystickPowerLevel level)
{
    switch (level) {
    case SDL_JOYSTICK_POWER_EMPTY: return QStringLiteral("empty");
    case SDL_JOYSTICK_POWER_LOW: return QStringLiteral("low");
    case SDL_JOYSTICK_POWER_MEDIUM: return QStringLiteral("medium");
    case SDL_JOYSTICK_POWER_FULL: return QStringLiteral("full");
    case SDL_JOYSTICK_POWER_WIRED: return QStringLiteral("wired");
    case SDL_JOYSTICK_POWER_MAX: return QStringLiteral("full");
    default: return QStringLiteral("unknown");
    }
}

QString sdlVersion()
{
    SDL_version linked;
    SDL_GetVersion(&linked);
    return QStringLiteral("%1.%2.%3").arg(linked.major).arg(linked.minor).arg(linked.patch);
}

int deviceIndexOf(int instanceId)
{
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instanceId)
            return index;
    }
    return -1;
}

QVariantMap features(SDL_Joystick *joystick, SDL_GameController *controller)
{
    QVariantMap features;
    features.insert(QStringLiteral("rumble"), SDL_JoystickHasRumble(joystick) == SDL_TRUE);
    features.insert(QStringLiteral("triggerRumble"), SDL_JoystickHasRumbleTriggers(joystick) == SDL_TRUE);
    features.insert(QStringLiteral("led"), SDL_JoystickHasLED(joystick) == SDL_TRUE);
    features.insert(QStringLiteral("battery"), batteryName(SDL_JoystickCurrentPowerLevel(joystick)));
    QVariantList sensors;
    QVariantList touchpads;
    if (controller) {
        const std::pair<SDL_SensorType, const char *> kinds[] = {
            {SDL_SENSOR_ACCEL, "accelerometer"},      {SDL_SENSOR_GYRO, "gyroscope"},
            {SDL_SENSOR_ACCEL_L, "left accelerometer"}, {SDL_SENSOR_GYRO_L, "left gyroscope"},
            {SDL_SENSOR_ACCEL_R, "right accelerometer"}, {SDL_SENSOR_GYRO_R, "right gyroscope"},
        };
        for (const auto &kind : kinds) {
            if (SDL_GameControllerHasSensor(controller, kind.first))
                sensors.append(QString::fromLatin1(kind.second));
        }
        const int pads = SDL_GameControllerGetNumTouchpads(controller);
        for (int pad = 0; pad < pads; ++pad)
            touchpads.append(QVariantMap {
                {QStringLiteral("fingers"), SDL_GameControllerGetNumTouchpadFingers(controller, pad)}});
    }
    features.insert(QStringLiteral("sensors"), sensors);
    features.insert(QStringLiteral("touchpads"), touchpads);
    return features;
}

QVariantMap identity(SDL_Joystick *joystick, SDL_GameController *controller)
{
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick), guid, sizeof(guid));
    QVariantMap identity {
        {QStringLiteral("name"), text(controller ? SDL_GameControllerName(controller) : SDL_JoystickName(joystick))},
        {QStringLiteral("guid"), QString::fromLatin1(guid)},
        {QStringLiteral("vendorId"), hexId(SDL_JoystickGetVendor(joystick))},
        {QStringLiteral("productId"), hexId(SDL_JoystickGetProduct(joystick))},
        {QStringLiteral("productVersion"), hexId(SDL_JoystickGetProductVersion(joystick))},
        {QStringLiteral("gameController"), controller != nullptr},
        {QStringLiteral("mappingNeeded"), controller == nullptr},
        {QStringLiteral("axes"), SDL_JoystickNumAxes(joystick)},
        {QStringLiteral("buttons"), SDL_JoystickNumButtons(joystick)},
        {QStringLiteral("hats"), SDL_JoystickNumHats(joystick)},
        {QStringLiteral("sdlVersion"), sdlVersion()},
    };
    if (const quint16 firmware = SDL_JoystickGetFirmwareVersion(joystick))
        identity.insert(QStringLiteral("firmwareVersion"), hexId(firmware));
    const QString serial = text(SDL_JoystickGetSerial(joystick));
    if (!serial.isEmpty())
        identity.insert(QStringLiteral("serial"), serial);
    const QString path = text(SDL_JoystickPath(joystick));
    if (!path.isEmpty())
        identity.insert(QStringLiteral("path"), path);
    if (controller) {
        identity.insert(QStringLiteral("type"), typeName(SDL_GameControllerGetType(controller)));
        if (char *mapping = SDL_GameControllerMapping(controller)) {
            identity.insert(QStringLiteral("mapping"), QString::fromUtf8(mapping));
            SDL_free(mapping);
        }
    }
    return identity;
}

QString formatValue(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(value.toDouble(), 'f', 2);
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        if (list.isEmpty())
            return QStringLiteral("none");
        QStringList parts;
        for (const QVariant &item : list)
            parts.append(formatValue(item));
        return parts.join(QStringLiteral(", "));
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        QStringList parts;
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            parts.append(it.key() + QLatin1Char(' ') + formatValue(it.value()));
        return parts.join(QStringLiteral(", "));
    }
    default: {
        const QString plain = value.toString();
        return plain.isEmpty() ? QStringLiteral("-") : plain;
    }
    }
}

// Nested objects become nested lists; everything else one "- key: value" line.
void appendMarkdown(QString &out, const QVariantMap &map, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        if (it.value().userType() == QMetaType::QVariantMap) {
            out += indent + QStringLiteral("- %1:\n").arg(it.key());
            appendMarkdown(out, it.value().toMap(), depth + 1);
        } else {
            out += indent + QStringLiteral("- %1: %2\n").arg(it.key(), formatValue(it.value()));
        }
    }
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString sensorLine(const QVariantMap &sensor)
{
    if (!sensor.value(QStringLiteral("present")).toBool())
        return QStringLiteral("no");
    const double rate = sensor.value(QStringLiteral("rateHz")).toDouble();
    return rate > 0 ? QStringLiteral("yes, %1 Hz").arg(rate, 0, 'f', 2) : QStringLiteral("yes, rate not reported");
}

QString patternsLine(const QVariantList &played)
{
    if (played.isEmpty())
        return QStringLiteral("none");
    QStringList runs;
    for (const QVariant &each : played) {
        const QVariantMap run = each.toMap();
        QString text = run.value(QStringLiteral("pattern")).toString();
        if (run.contains(QStringLiteral("pulseRate")))
            text += QStringLiteral(" at %1 Hz").arg(run.value(QStringLiteral("pulseRate")).toInt());
        text += run.value(QStringLiteral("completed")).toBool() ? QStringLiteral(" (completed)")
                                                                : QStringLiteral(" (stopped)");
        runs.append(text);
    }
    return runs.join(QStringLiteral(", "));
}

QString reportRateLine(const QVariantMap &rate)
{
    if (rate.value(QStringLiteral("measured")).toBool()) {
        const int rateClass = rate.value(QStringLiteral("rateClass")).toInt();
        return QStringLiteral("%1 Hz (%2), median interval %3 ms, jitter %4 ms, longest gap %5 ms, %6 intervals")
            .arg(rate.value(QStringLiteral("rateHz")).toDouble(), 0, 'f', 2)
            .arg(rateClass ? QStringLiteral("class %1 Hz").arg(rateClass) : QStringLiteral("irregular"))
            .arg(rate.value(QStringLiteral("medianIntervalMs")).toDouble(), 0, 'f', 3)
            .arg(rate.value(QStringLiteral("jitterMs")).toDouble(), 0, 'f', 3)
            .arg(rate.value(QStringLiteral("longestGapMs")).toDouble(), 0, 'f', 3)
            .arg(rate.value(QStringLiteral("intervals")).toInt());
    }
    const QString reason = rate.value(QStringLiteral("reason")).toString();
    return reason.isEmpty() ? QStringLiteral("not measured yet") : QStringLiteral("not measured: ") + reason;
}

// The bench's findings in words, one line each, for people reading the report.
QString benchMarkdown(const QVariantMap &bench)
{
    QString out;
    auto line = [&out](const QString &name, const QString &value) {
        out += QStringLiteral("- %1: %2\n").arg(name, value);
    };
    if (bench.contains(QStringLiteral("haptics"))) {
        const QVariantMap haptics = bench.value(QStringLiteral("haptics")).toMap();
        line(QStringLiteral("motors"), yesNo(haptics.value(QStringLiteral("rumble")).toBool()));
        line(QStringLiteral("trigger motors"), yesNo(haptics.value(QStringLiteral("triggerRumble")).toBool()));
        line(QStringLiteral("patterns played"), patternsLine(haptics.value(QStringLiteral("played")).toList()));
    }
    if (bench.contains(QStringLiteral("lightAndSensors"))) {
        const QVariantMap sensors = bench.value(QStringLiteral("lightAndSensors")).toMap();
        QString led = yesNo(sensors.value(QStringLiteral("led")).toBool());
        if (sensors.contains(QStringLiteral("ledColor")))
            led += QStringLiteral(", colour set to ") + sensors.value(QStringLiteral("ledColor")).toString();
        line(QStringLiteral("light"), led);
        line(QStringLiteral("gyro"), sensorLine(sensors.value(QStringLiteral("gyro")).toMap()));
        line(QStringLiteral("accelerometer"), sensorLine(sensors.value(QStringLiteral("accelerometer")).toMap()));
        QStringList pads;
        for (const QVariant &fingers : sensors.value(QStringLiteral("touchpads")).toList())
            pads.append(QStringLiteral("%1 fingers").arg(fingers.toInt()));
        line(QStringLiteral("touchpads"), pads.isEmpty() ? QStringLiteral("none") : pads.join(QStringLiteral(", ")));
    }
    if (bench.contains(QStringLiteral("reportRate")))
        line(QStringLiteral("report rate"), reportRateLine(bench.value(QStringLiteral("reportRate")).toMap()));
    return out;
}

bool plainValue(const QVariant &value, int depth, QVariant *out);

// A JavaScript value as maps and lists, walked here rather than by the engine, so that
// the depth is known before any recursion goes deep.
bool plainValue(const QJSValue &value, int depth, QVariant *out)
{
    const bool container = (value.isArray() || value.isObject()) && !value.isCallable() && !value.isQObject()
        && !value.isDate() && !value.isRegExp() && !value.isVariant();
    if (!container) {
        *out = value.toVariant();
        return true;
    }
    if (depth >= PadReport::MaxDepth)
        return false;
    if (value.isArray()) {
        QVariantList list;
        const int length = value.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < length; ++i) {
            QVariant item;
            if (!plainValue(value.property(quint32(i)), depth + 1, &item))
                return false;
            list.append(item);
        }
        *out = list;
        return true;
    }
    QVariantMap map;
    for (QJSValueIterator it(value); it.hasNext();) {
        it.next();
        QVariant item;
        if (!plainValue(it.value(), depth + 1, &item))
            return false;
        map.insert(it.name(), item);
    }
    *out = map;
    return true;
}

bool plainValue(const QVariant &value, int depth, QVariant *out)
{
    const int type = value.userType();
    if (type == qMetaTypeId<QJSValue>())
        return plainValue(value.value<QJSValue>(), depth, out);
    if (type != QMetaType::QVariantMap && type != QMetaType::QVariantList && type != QMetaType::QVariantHash) {
        *out = value;
        return true;
    }
    if (depth >= PadReport::MaxDepth)
        return false;
    if (type == QMetaType::QVariantList) {
        QVariantList list;
        for (const QVariant &each : value.toList()) {
            QVariant item;
            if (!plainValue(each, depth + 1, &item))
                return false;
            list.append(item);
        }
        *out = list;
        return true;
    }
    QVariantMap map;
    const QVariantMap source = value.toMap();
    for (auto it = source.constBegin(); it != source.constEnd(); ++it) {
        QVariant item;
        if (!plainValue(it.value(), depth + 1, &item))
            return false;
        map.insert(it.key(), item);
    }
    *out = map;
    return true;
}

} // namespace

PadReport::PadReport(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
{
}

PadReport::~PadReport() = default;

void PadReport::setDeviceId(int deviceId)
{
    if (m_deviceId == deviceId)
        return;
    m_deviceId = deviceId;
    emit deviceIdChanged();
}

void PadReport::setLeftStick(StickHealth *stick)
{
    if (m_leftStick == stick)
        return;
    m_leftStick = stick;
    emit leftStickChanged();
}

void PadReport::setRightStick(StickHealth *stick)
{
    if (m_rightStick == stick)
        return;
    m_rightStick = stick;
    emit rightStickChanged();
}

void PadReport::setLeftTrigger(TriggerRange *trigger)
{
    if (m_leftTrigger == trigger)
        return;
    m_leftTrigger = trigger;
    emit leftTriggerChanged();
}

void PadReport::setRightTrigger(TriggerRange *trigger)
{
    if (m_rightTrigger == trigger)
        return;
    m_rightTrigger = trigger;
    emit rightTriggerChanged();
}

void PadReport::setHaptics(HapticBench *haptics)
{
    if (m_haptics == haptics)
        return;
    m_haptics = haptics;
    emit hapticsChanged();
}

void PadReport::setSensors(SensorBench *sensors)
{
    if (m_sensors == sensors)
        return;
    m_sensors = sensors;
    emit sensorsChanged();
}

void PadReport::setReportRate(ReportRateBench *reportRate)
{
    if (m_reportRate == reportRate)
        return;
    m_reportRate = reportRate;
    emit reportRateChanged();
}

void PadReport::setProgress(const QVariant &progress)
{
    QVariant value;
    // The report is one level below the top of the file.
    if (!plainValue(progress, 1, &value)) {
        setErrorString(
            QStringLiteral("the test progress nests too deeply: a report has at most %1 levels").arg(MaxDepth));
        return;
    }
    setErrorString(QString());
    if (m_progress == value)
        return;
    m_progress = value;
    emit progressChanged();
}

QVariantMap PadReport::json() const
{
    QVariantMap report {{QStringLiteral("deviceId"), m_deviceId},
                        {QStringLiteral("created"), QDateTime::currentDateTime().toString(Qt::ISODate)}};

    SDL_GameController *controller = m_backend->controller(m_deviceId);
    SDL_Joystick *joystick = controller ? SDL_GameControllerGetJoystick(controller) : nullptr;
    SDL_Joystick *opened = nullptr;
    if (!joystick && m_backend->isAvailable()) {
        // A joystick without a mapping: not a device of the gamepad module, but SDL
        // still answers for it once it is open.
        const int index = m_deviceId >= 0 ? deviceIndexOf(m_deviceId) : -1;
        if (index >= 0)
            joystick = opened = SDL_JoystickOpen(index);
    }
    report.insert(QStringLiteral("present"), joystick != nullptr);
    if (joystick) {
        report.insert(QStringLiteral("identity"), identity(joystick, controller));
        report.insert(QStringLiteral("features"), features(joystick, controller));
    }
    if (opened)
        SDL_JoystickClose(opened);

    QVariantMap sticks;
    if (m_leftStick)
        sticks.insert(QStringLiteral("left"), m_leftStick->figures());
    if (m_rightStick)
        sticks.insert(QStringLiteral("right"), m_rightStick->figures());
    if (!sticks.isEmpty())
        report.insert(QStringLiteral("sticks"), sticks);
    QVariantMap triggers;
    if (m_leftTrigger)
        triggers.insert(QStringLiteral("left"), m_leftTrigger->figures());
    if (m_rightTrigger)
        triggers.insert(QStringLiteral("right"), m_rightTrigger->figures());
    if (!triggers.isEmpty())
        report.insert(QStringLiteral("triggers"), triggers);
    if (m_progress.isValid() && !m_progress.isNull())
        report.insert(QStringLiteral("progress"), m_progress);
    QVariantMap bench;
    if (m_haptics)
        bench.insert(QStringLiteral("haptics"), m_haptics->summary());
    if (m_sensors)
        bench.insert(QStringLiteral("lightAndSensors"), m_sensors->summary());
    if (m_reportRate)
        bench.insert(QStringLiteral("reportRate"), m_reportRate->summary());
    if (!bench.isEmpty())
        report.insert(QStringLiteral("bench"), bench);
    return report;
}

QString PadReport::markdown() const
{
    const QVariantMap report = json();
    const QVariantMap ident = report.value(QStringLiteral("identity")).toMap();
    QString out = QStringLiteral("# Pad report: %1\n\n")
                      .arg(ident.value(QStringLiteral("name"), QStringLiteral("device %1").arg(m_deviceId)).toString());
    out += QStringLiteral("Created %1.\n").arg(report.value(QStringLiteral("created")).toString());
    if (!report.value(QStringLiteral("present")).toBool())
        out += QStringLiteral("\nThe device is not connected.\n");
    const std::pair<const char *, const char *> sections[] = {
        {"identity", "Identity"}, {"features", "Features"}, {"sticks", "Sticks"},
        {"triggers", "Triggers"}, {"progress", "Test progress"}, {"bench", "Bench"},
    };
    for (const auto &section : sections) {
        const QVariant value = report.value(QString::fromLatin1(section.first));
        if (!value.isValid())
            continue;
        out += QStringLiteral("\n## %1\n\n").arg(QString::fromLatin1(section.second));
        if (qstrcmp(section.first, "bench") == 0)
            out += benchMarkdown(value.toMap());
        else if (value.userType() == QMetaType::QVariantMap)
            appendMarkdown(out, value.toMap(), 0);
        else
            out += formatValue(value) + QLatin1Char('\n');
    }
    return out;
}

bool PadReport::save(const QUrl &url)
{
    QString path;
    if (url.isLocalFile())
        path = url.toLocalFile();
    else if (url.scheme().isEmpty())
        path = url.path();
    if (path.isEmpty()) {
        setErrorString(url.isEmpty() ? QStringLiteral("no file given")
                                     : QStringLiteral("only local files can be written, not %1").arg(url.toString()));
        return false;
    }
    const QByteArray data = path.endsWith(QLatin1String(".md"), Qt::CaseInsensitive)
        ? markdown().toUtf8()
        : QJsonDocument(QJsonObject::fromVariantMap(json())).toJson(QJsonDocument::Indented);
    const QString error = gamepadmappings::writeFile(path, data);
    if (!error.isEmpty()) {
        setErrorString(error);
        return false;
    }
    setErrorString(QString());
    return true;
}

void PadReport::setErrorString(const QString &error)
{
    if (m_errorString == error)
        return;
    m_errorString = error;
    emit errorStringChanged();
}

} // namespace joyvant
